#pragma once
#include <QPoint>
#include <QString>
#include <QVariantHash>
#include <cstdio>
#include <memory>
#include <optional>

class QSettings;

namespace ort {

// What the program remembers between runs: only choices the user made where
// nothing fixes a start-up value (folders of the last files, the wizard's
// media, notifications, window positions). Controls that have a documented
// start-up value are never set from here.
class Settings {
public:
    enum class Folder { Log, Saved };   // the log; a saved picture or readings

    // Kept for this run only: nothing is read or written.
    Settings();
    // The store in `file`. One that cannot be read, or that does not hold
    // settings, gives the defaults and one line on `log`; one that does not
    // hold settings is written anew.
    Settings(const QString &file, std::FILE *log);
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    // The user's own store, in the XDG config folder.
    static QString userFile();

    // Empty where none was remembered or the folder has gone since.
    QString folder(Folder which) const;
    void rememberFolderOf(Folder which, const QString &chosenFile);

    struct WizardChoice {
        bool printerPort = true;
        bool smbus = false;
        QString adapter;   // the SMBus adapter's device node; empty: none chosen
    };
    std::optional<WizardChoice> wizardChoice() const;
    void rememberWizardChoice(const WizardChoice &choice);
    // The command line named this adapter: it wins over the one remembered,
    // for this run.
    void nameAdapter(const QString &device) { m_namedAdapter = device; }

    // On unless the user turned them off.
    bool notifications() const;
    void setNotifications(bool on);

    // Where the user last left the window `name`, if anywhere.
    std::optional<QPoint> windowPosition(const QString &name) const;
    void rememberWindowPosition(const QString &name, QPoint position);

private:
    QVariant value(const QString &key) const;
    std::optional<bool> flag(const QString &key) const;
    void setValue(const QString &key, const QVariant &value);

    std::unique_ptr<QSettings> m_store;   // null: this run only
    QVariantHash m_memory;
    std::FILE *m_log = nullptr;
    QString m_namedAdapter;
    bool m_writeReported = false;
};

} // namespace ort
