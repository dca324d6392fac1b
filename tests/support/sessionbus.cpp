#include "tests/support/sessionbus.h"

#include <QFile>
#include <QStandardPaths>

namespace ort::test {

SessionBus::SessionBus()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty() || !m_dir.isValid())
        return;
    // No service directories: nothing installed on this machine is started
    // by the bus in place of the test's own services.
    QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
    if (!config.open(QIODevice::WriteOnly))
        return;
    config.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                                "<auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                     .arg(m_dir.path())
                     .toUtf8());
    config.close();
    m_daemon.start(daemon, {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                            QStringLiteral("--config-file=") + config.fileName()});
    if (m_daemon.waitForReadyRead(5000))
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

SessionBus::~SessionBus()
{
    m_daemon.kill();
    m_daemon.waitForFinished(5000);
}

QDBusConnection SessionBus::connect(const QString &name) const
{
    return QDBusConnection::connectToBus(m_address, name);
}

NotificationRecorder::NotificationRecorder(QDBusConnection bus, const QString &file) : m_bus(bus), m_file(file)
{
    m_registered = m_bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                        QDBusConnection::ExportAllSlots) &&
                   m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

uint NotificationRecorder::Notify(const QString &, uint replacesId, const QString &, const QString &summary,
                                  const QString &body, const QStringList &, const QVariantMap &hints, int)
{
    lines << QStringLiteral("%1 %2").arg(hints.value(QStringLiteral("urgency"), -1).toInt()).arg(summary);
    bodies << body;
    if (!m_file.isEmpty()) {
        QFile f(m_file);
        if (f.open(QIODevice::Append))
            f.write(lines.constLast().toUtf8() + '\n');
    }
    return replacesId != 0 ? replacesId : static_cast<uint>(lines.size());
}

} // namespace ort::test
