#pragma once
#include "monitor/alertchange.h"

#include <QDBusConnection>
#include <QObject>

namespace ort {

class Clock;

// Tells the desktop when the alert lamp turns to "Alert Detected" and when
// it returns, through the freedesktop notification service on the session
// bus: one notification per change, the start as critical, its end in its
// place. Where no service answers nothing fails: the change is handed on
// in words, for the status line.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    // Without a bus every change is undelivered.
    explicit DesktopNotifier(const Clock &clock, QObject *parent = nullptr);

    void setBus(const QDBusConnection &bus) { m_bus = bus; }
    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }

    void alertChanged(const ort::AlertChange &change);

signals:
    // A change the desktop could not be told of: one short line, and what
    // the notification would have said.
    void undelivered(const QString &line, const QString &details);

private:
    const Clock &m_clock;
    QDBusConnection m_bus;
    bool m_enabled = true;
    uint m_shown = 0;   // the service's id of the last start, replaced by its end
};

} // namespace ort
