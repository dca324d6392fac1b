#include "widgets/panel3d.h"
#include "widgets/instrumentaccess.h"
#include "widgets/scale.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

namespace ort {

void drawBevel(QPainter &p, const QRect &r, const QColor &background, bool raised, int width)
{
    p.fillRect(r, background);
    const QColor light = background.lighter(160), shade = background.darker(200);
    const QColor topLeft = raised ? light : shade;
    const QColor bottomRight = raised ? shade : light;
    for (int i = 0; i < width; ++i) {
        p.setPen(topLeft);
        p.drawLine(r.left() + i, r.top() + i, r.right() - i, r.top() + i);
        p.drawLine(r.left() + i, r.top() + i, r.left() + i, r.bottom() - i);
        p.setPen(bottomRight);
        p.drawLine(r.left() + i + 1, r.bottom() - i, r.right() - i, r.bottom() - i);
        p.drawLine(r.right() - i, r.top() + i + 1, r.right() - i, r.bottom() - i);
    }
}

Panel3D::Panel3D(QWidget *parent) : QWidget(parent)
{
    // Every pixel is painted: a repaint of the panel need not repaint what lies behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateMargins();
    installInstrumentAccess();
}

Panel3D::Panel3D(const QString &caption, QWidget *parent) : Panel3D(parent)
{
    m_caption = caption;
}

int Panel3D::edge() const
{
    return std::max(1, qRound(m_bevelWidth * dpiScale(this)));
}

void Panel3D::updateMargins()
{
    const int m = edge() + qRound(2 * dpiScale(this));
    setContentsMargins(m, m, m, m);
}

void Panel3D::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    // A new size hint lays the whole window out again: only when it changes.
    const QSize before = sizeHint();
    m_caption = caption;
    if (sizeHint() != before)
        updateGeometry();
    update();
    // The caption is the panel's name: a lamp's change is spoken.
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void Panel3D::setBevel(Bevel bevel)
{
    m_bevel = bevel;
    update();
}

void Panel3D::setBevelWidth(int width)
{
    m_bevelWidth = std::max(0, width);
    updateMargins();
    update();
}

void Panel3D::setBackgroundColor(const QColor &color)
{
    if (color == m_background)
        return;
    m_background = color;
    update();
}

void Panel3D::setTextColor(const QColor &color)
{
    m_textColor = color;
    update();
}

void Panel3D::setCaptionAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

QSize Panel3D::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    const int m = 2 * (edge() + qRound(6 * dpiScale(this)));
    return QSize(fm.horizontalAdvance(m_caption) + m, fm.height() + m).expandedTo(QWidget::sizeHint());
}

QSize Panel3D::minimumSizeHint() const
{
    return QSize(2 * edge() + 4, fontMetrics().height() + 2 * edge());
}

void Panel3D::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    drawBevel(p, rect(), m_background, m_bevel == Raised, m_bevelWidth > 0 ? edge() : 0);
    if (!m_caption.isEmpty()) {
        p.setPen(m_textColor);
        p.drawText(contentsRect(), static_cast<int>(m_alignment) | Qt::TextWordWrap, m_caption);
    }
}

} // namespace ort
