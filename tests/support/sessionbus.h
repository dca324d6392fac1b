#pragma once
// A D-Bus session bus of the test's own, and a notification service on it
// that records what it is told, so that no test reaches the user's desktop.
//
//   test::SessionBus bus;                      // QSKIP where dbus-daemon is missing
//   test::NotificationRecorder service(bus.connect("service"));
//   program->notifier().setBus(bus.connect("program"));
#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

namespace ort::test {

class SessionBus {
public:
    SessionBus();
    ~SessionBus();
    bool running() const { return !m_address.isEmpty(); }
    QString address() const { return m_address; }
    QDBusConnection connect(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
};

// The freedesktop notification service, recording each call as
// "<urgency> <summary>" and its body and, where given a file, appending
// that line to it.
class NotificationRecorder : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit NotificationRecorder(QDBusConnection bus, const QString &file = {});
    bool registered() const { return m_registered; }

    QStringList lines;
    QStringList bodies;

public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int expireTimeout);

private:
    QDBusConnection m_bus;
    QString m_file;
    bool m_registered = false;
};

} // namespace ort::test
