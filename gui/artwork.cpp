#include "gui/artwork.h"
#include "gui/format.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace ort {

QPixmap chipPicture(QSize size)
{
    QPixmap pm(size);
    pm.fill(QColor(0, 96, 48));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();
    // Traces of the board.
    p.setPen(QPen(QColor(200, 170, 60), qMax<qreal>(1, w / 60)));
    for (int i = 0; i < 4; ++i) {
        const qreal y = h * (0.3 + 0.13 * i);
        p.drawLine(QPointF(0, y), QPointF(w * 0.25, y));
        p.drawLine(QPointF(w * 0.75, y), QPointF(w, y));
    }
    // The package with its eight pins.
    const QRectF body(w * 0.25, h * 0.2, w * 0.5, h * 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 190, 190));
    for (int i = 0; i < 4; ++i) {
        const qreal y = h * (0.27 + 0.13 * i);
        p.drawRect(QRectF(w * 0.19, y, w * 0.07, h * 0.06));
        p.drawRect(QRectF(w * 0.74, y, w * 0.07, h * 0.06));
    }
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(body, w * 0.03, w * 0.03);
    p.setBrush(QColor(70, 70, 70));
    p.drawEllipse(QPointF(body.left() + w * 0.06, body.top() + h * 0.08), w * 0.025, w * 0.025);
    // The marking runs along the package's long side and always fits it.
    const bool upright = body.height() > body.width() * 1.5;
    const qreal along = upright ? body.height() : body.width();
    const qreal across = upright ? body.width() : body.height();
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(100);
    const qreal fit = std::min(along * 0.85 / QFontMetricsF(f).horizontalAdvance(ChipName),
                               across * 0.5 / QFontMetricsF(f).height());
    f.setPixelSize(qMax(6, int(100 * fit)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.translate(body.center());
    if (upright)
        p.rotate(-90);
    p.drawText(QRectF(-along / 2, -across / 2, along, across), Qt::AlignCenter, ChipName);
    return pm;
}

} // namespace ort
