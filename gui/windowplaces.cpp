#include "gui/windowplaces.h"
#include "gui/settings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ort {

WindowPlaces::WindowPlaces(Settings &settings, QObject *parent) : QObject(parent), m_settings(settings) {}

void WindowPlaces::place(QWidget *window)
{
    if (const std::optional<QPoint> left = m_settings.windowPosition(window->objectName())) {
        // Its title bar must be on a screen that is there now: a monitor
        // unplugged since must not take the window with it.
        const QPoint titleBar = *left + QPoint(window->width() / 2, 8);
        if (QGuiApplication::screenAt(titleBar))
            window->move(*left);
    }
    if (!m_placedAt.contains(window)) {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, [this, window] { m_placedAt.remove(window); });
    }
    m_placedAt.insert(window, window->pos());
}

bool WindowPlaces::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && !event->spontaneous()) {
        auto *window = static_cast<QWidget *>(watched);
        const QPoint at = window->pos();
        if ((at - m_placedAt.value(window)).manhattanLength() > Nudge) {
            m_settings.rememberWindowPosition(window->objectName(), at);
            m_placedAt.insert(window, at);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ort
