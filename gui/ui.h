#pragma once
#include <QMessageBox>
#include <QObject>
#include <QString>

class QWidget;

namespace ort {

// Message boxes and the open-file dialog go through this seam so that tests
// can answer them and read what was asked, and no test ever blocks.
struct MessageRequest {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

// The last failure, in one line, until something succeeds again. Only one
// failure box is open at a time, so a failure met while one is open has no
// box of its own: the main window's status line shows it from here.
class FailureNotice : public QObject {
    Q_OBJECT
public:
    QString text() const { return m_text; }
    // How many failures have been reported: a handler that sees it unchanged
    // at its end has succeeded.
    int count() const { return m_count; }
    void report(const QString &line);
    void clear();
    // Whether a failure box is open; showFailureBox keeps it.
    bool boxOpen() const { return m_boxOpen; }
    void setBoxOpen(bool open) { m_boxOpen = open; }

signals:
    // The line to show; empty once something has succeeded.
    void changed(const QString &line);

private:
    QString m_text;
    int m_count = 0;
    bool m_boxOpen = false;
};

class Ui {
public:
    virtual ~Ui() = default;
    virtual QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) = 0;
    // An empty result means the user cancelled. `filter` is in Qt's form,
    // e.g. "Excel Files (*.xls)". The dialog opens in `folder`, where given.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &filter,
                                 const QString &folder = {}) = 0;
    // A file to write, asking before one is replaced. `filter` may list
    // several types ("PNG Image (*.png);;SVG Drawing (*.svg)"); a name given
    // without an extension gets that of the type chosen. Empty: cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                 const QString &folder = {}) = 0;

    FailureNotice &failures() { return m_failures; }

private:
    FailureNotice m_failures;
};

// The real dialogs.
class QtUi final : public Ui {
public:
    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &folder) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &folder) override;
};

} // namespace ort
