#include "gui/twips.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace ort {

int twips(const QWidget *w, int t)
{
    const int dpi = w ? w->logicalDpiX() : 96;
    return (t * dpi + 720) / 1440;
}

QRect twipsRect(const QWidget *w, int x, int y, int width, int height)
{
    return QRect(twips(w, x), twips(w, y), twips(w, width), twips(w, height));
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    // Before it is first shown a window may still be smaller than its layout
    // needs; the layout grows it at once, and it is centred on that size.
    window->ensurePolished();
    if (QLayout *layout = window->layout())
        layout->activate();
    const QSize size = window->frameGeometry().size().isValid() ? window->frameGeometry().size() : window->size();
    window->move(s.left() + (s.width() - size.width()) / 2, s.top() + (s.height() - size.height()) / 2);
}

} // namespace ort
