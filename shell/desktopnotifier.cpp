#include "shell/desktopnotifier.h"
#include "component/clock.h"
#include "link/text.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace ort {

namespace {
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
// The service's urgency levels.
constexpr uchar Normal = 1;
constexpr uchar Critical = 2;
} // namespace

DesktopNotifier::DesktopNotifier(const Clock &clock, QObject *parent)
    : QObject(parent), m_clock(clock), m_bus(QStringLiteral("ort310-no-bus"))
{
}

void DesktopNotifier::alertChanged(const AlertChange &change)
{
    if (!m_enabled)
        return;
    const AlertNotice notice = alertNotice(change);
    const QString line = (change.alert ? tr("%1 Alert Detected (no desktop notification service)")
                                           : tr("%1 No Alert Detected (no desktop notification service)"))
                             .arg(timeOfDayText(m_clock.secondsSinceMidnight()));
    const QString details = notice.summary + QLatin1Char('\n') + notice.body;
    if (!m_bus.isConnected()) {
        emit undelivered(line, details);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(change.alert ? Critical : Normal)},
                            {QStringLiteral("desktop-entry"), DesktopId}};
    call << productTitle() << (change.alert ? 0u : m_shown) << DesktopId << notice.summary << notice.body
         << QStringList() << hints << -1;
    // Not waited for: a tick never stops for the desktop.
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, line, details, start = change.alert] {
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError())
            emit undelivered(line, details);
        else if (start)
            m_shown = reply.value();
        watcher->deleteLater();
    });
}

} // namespace ort
