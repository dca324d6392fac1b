#include "gui/artwork.h"
#include "link/text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace ort {

namespace {

// Below this the marking would be a grey smudge: a small icon goes without.
constexpr qreal SmallestMarking = 6;

} // namespace

void paintChipPicture(QPainter &p, const QRectF &area, qreal cornerRadius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(area.topLeft());
    const qreal w = area.width(), h = area.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 96, 48));
    if (cornerRadius > 0)
        p.drawRoundedRect(QRectF(0, 0, w, h), cornerRadius, cornerRadius);
    else
        p.fillRect(QRectF(0, 0, w, h), QColor(0, 96, 48));
    // Traces of the board.
    p.setPen(QPen(QColor(200, 170, 60), qMax<qreal>(1, w / 60), Qt::SolidLine, Qt::FlatCap));
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
    if (100 * fit >= SmallestMarking) {
        f.setPixelSize(int(100 * fit));
        p.setFont(f);
        p.setPen(Qt::white);
        p.translate(body.center());
        if (upright)
            p.rotate(-90);
        p.drawText(QRectF(-along / 2, -across / 2, along, across), Qt::AlignCenter, ChipName);
    }
    p.restore();
}

QPixmap chipPicture(QSize size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    paintChipPicture(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return pm;
}

void paintProgramIcon(QPainter &p, qreal side)
{
    // A margin of one sixteenth, as icon themes leave round their pictures.
    // The corners are drawn round rather than clipped: an SVG file keeps them.
    const qreal margin = side / 16;
    paintChipPicture(p, QRectF(margin, margin, side - 2 * margin, side - 2 * margin), side / 8);
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : IconSizes)
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(side), QSize(side, side));
    return icon;
}

} // namespace ort
