#include "widgets/lineargauge.h"
#include "widgets/instrumentaccess.h"
#include "widgets/scale.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace ort {

LinearGauge::LinearGauge(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    installInstrumentAccess();
}

double LinearGauge::clampValue(double v)
{
    return std::isnan(v) ? Minimum : std::clamp(v, Minimum, Maximum);
}

double LinearGauge::pointerValue(int pointer) const
{
    if (pointer == LowPointer || pointer == HighPointer)
        return m_pointers[static_cast<std::size_t>(pointer)];
    return m_bandStart;
}

int LinearGauge::pointerPosition(int pointer) const { return roundHalfEven(pointerValue(pointer)); }
int LinearGauge::bandStartPosition() const { return roundHalfEven(m_bandStart); }
int LinearGauge::bandEndPosition() const { return roundHalfEven(m_bandEnd); }

void LinearGauge::setPointerValue(int pointer, double value)
{
    if (pointer == LowPointer || pointer == HighPointer) {
        const int before = pointerPosition(pointer);
        m_pointers[static_cast<std::size_t>(pointer)] = clampValue(value);
        if (pointerPosition(pointer) != before)
            announce(pointer);
    } else if (pointer == Band) {
        // The band keeps its width and stays on the scale.
        const double lo = std::min(m_bandStart, m_bandEnd), hi = std::max(m_bandStart, m_bandEnd);
        const double delta = std::clamp(value - m_bandStart, Minimum - lo, Maximum - hi);
        m_bandStart += delta;
        m_bandEnd += delta;
    }
    update();
}

void LinearGauge::announce(int pointer)
{
    if (!QAccessible::isActive())
        return;
    // The pointers are the gauge's children: the high one first, as on the screen.
    QAccessibleInterface *gauge = QAccessible::queryAccessibleInterface(this);
    if (QAccessibleInterface *child = gauge ? gauge->child(pointer == HighPointer ? 0 : 1) : nullptr) {
        QAccessibleValueChangeEvent event(child, pointerPosition(pointer) + m_readingOffset);
        QAccessible::updateAccessibility(&event);
    }
}

void LinearGauge::setPointerName(int pointer, const QString &name)
{
    if (pointer == LowPointer || pointer == HighPointer)
        m_pointerNames[static_cast<std::size_t>(pointer)] = name;
}

QString LinearGauge::pointerName(int pointer) const
{
    return pointer == LowPointer || pointer == HighPointer ? m_pointerNames[static_cast<std::size_t>(pointer)]
                                                           : QString();
}

void LinearGauge::setBandStart(double value)
{
    m_bandStart = clampValue(value);
    update();
}

void LinearGauge::setBandEnd(double value)
{
    m_bandEnd = clampValue(value);
    update();
}

void LinearGauge::setBand(double start, double end)
{
    m_bandStart = clampValue(start);
    m_bandEnd = clampValue(end);
    update();
}

void LinearGauge::setCaption(int index, const QString &text)
{
    if (index < 0 || index >= CaptionCount)
        return;
    m_captions[static_cast<std::size_t>(index)] = text;
    updateGeometry();
    update();
}

QString LinearGauge::caption(int index) const
{
    return index >= 0 && index < CaptionCount ? m_captions[static_cast<std::size_t>(index)] : QString();
}

void LinearGauge::setLabel(const QString &text)
{
    m_label = text;
    update();
}

LinearGauge::Geometry LinearGauge::geometry() const
{
    const qreal s = dpiScale(this);
    const QFontMetrics fm = fontMetrics();
    Geometry g;
    g.markerH = 11 * s;
    g.rowH = fm.height();
    const qreal pad = 3 * s;
    const bool topRow = !m_captions[0].isEmpty() || !m_captions[1].isEmpty();
    g.topRowY = pad;
    const qreal markersTop = topRow ? g.topRowY + g.rowH + pad : pad;
    g.trackTop = markersTop + g.markerH;
    g.trackBottom = g.trackTop + 10 * s;
    g.bottomRowY = g.trackBottom + g.markerH + pad;
    g.left = g.markerH + pad;
    g.right = std::max(g.left + 1, width() - g.markerH - pad);
    return g;
}

double LinearGauge::valueAt(double x) const
{
    const Geometry g = geometry();
    return Minimum + (x - g.left) * (Maximum - Minimum) / (g.right - g.left);
}

double LinearGauge::xAt(double value) const
{
    const Geometry g = geometry();
    return g.left + (value - Minimum) * (g.right - g.left) / (Maximum - Minimum);
}

int LinearGauge::pointerAt(const QPointF &pos) const
{
    const Geometry g = geometry();
    if (pos.y() < g.trackTop - g.markerH - 2 || pos.y() > g.trackBottom + g.markerH + 2)
        return -1;
    // The scale itself belongs to the band, however narrow; the pointers are
    // grabbed by their triangles, the high one above the scale and the low
    // one below, so they can be told apart even at the same position.
    if (pos.y() >= g.trackTop && pos.y() <= g.trackBottom) {
        const double lo = std::min(m_bandStart, m_bandEnd), hi = std::max(m_bandStart, m_bandEnd);
        const qreal slack = 2 * dpiScale(this);
        return pos.x() >= xAt(lo) - slack && pos.x() <= xAt(hi) + slack ? Band : -1;
    }
    const int near = pos.y() < g.trackTop ? HighPointer : LowPointer;
    if (std::abs(pos.x() - xAt(m_pointers[static_cast<std::size_t>(near)])) <= g.markerH * 0.7)
        return near;
    return -1;
}

QPointF LinearGauge::grabPoint(int pointer) const
{
    const Geometry g = geometry();
    switch (pointer) {
    case HighPointer:
        return QPointF(xAt(m_pointers[HighPointer]), g.trackTop - g.markerH / 2);
    case LowPointer:
        return QPointF(xAt(m_pointers[LowPointer]), g.trackBottom + g.markerH / 2);
    default:
        return QPointF(xAt((m_bandStart + m_bandEnd) / 2), (g.trackTop + g.trackBottom) / 2);
    }
}

void LinearGauge::userMove(int pointer, double value)
{
    const int before = pointer == Band ? bandStartPosition() * 256 + bandEndPosition() : pointerPosition(pointer);
    setPointerValue(pointer, value);
    const int after = pointer == Band ? bandStartPosition() * 256 + bandEndPosition() : pointerPosition(pointer);
    // Only whole steps count as a move; the fraction under the mouse does not.
    if (before != after)
        emit pointerMoved(pointer);
}

QSize LinearGauge::sizeHint() const
{
    const Geometry g = geometry();
    return QSize(qRound(300 * dpiScale(this)), qRound(g.bottomRowY + g.rowH + 3 * dpiScale(this)));
}

QSize LinearGauge::minimumSizeHint() const
{
    return QSize(qRound(120 * dpiScale(this)), sizeHint().height());
}

void LinearGauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const Geometry g = geometry();
    const qreal s = dpiScale(this);
    const QColor text = palette().color(QPalette::WindowText);
    const QRectF track(g.left, g.trackTop, g.right - g.left, g.trackBottom - g.trackTop);

    // Scale: a sunken groove with ticks every 16 steps, longer every 64.
    p.setPen(QPen(palette().color(QPalette::Dark), 1));
    p.setBrush(palette().color(QPalette::Base));
    p.drawRect(track);
    const double lo = std::min(m_bandStart, m_bandEnd), hi = std::max(m_bandStart, m_bandEnd);
    p.fillRect(QRectF(QPointF(xAt(lo), track.top() + 1), QPointF(xAt(hi), track.bottom() - 1)), QColor(120, 200, 120));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    for (int v = 0; v <= 256; v += 16) {
        const qreal x = xAt(std::min(v, 255));
        const qreal len = (v % 64 == 0 || v == 256) ? track.height() * 0.6 : track.height() * 0.3;
        p.drawLine(QPointF(x, track.bottom()), QPointF(x, track.bottom() - len));
    }

    auto marker = [&](int pointer, bool above, const QColor &fill) {
        const qreal x = xAt(m_pointers[static_cast<std::size_t>(pointer)]);
        const qreal half = g.markerH * 0.6;
        QPolygonF tri;
        if (above)
            tri << QPointF(x, g.trackTop + 2 * s) << QPointF(x - half, g.trackTop - g.markerH)
                << QPointF(x + half, g.trackTop - g.markerH);
        else
            tri << QPointF(x, g.trackBottom - 2 * s) << QPointF(x - half, g.trackBottom + g.markerH)
                << QPointF(x + half, g.trackBottom + g.markerH);
        const bool selected = hasFocus() && m_current == pointer;
        p.setPen(QPen(selected ? palette().color(QPalette::Highlight) : QColor(40, 40, 40), selected ? 2 * s : 1));
        p.setBrush(fill);
        p.drawPolygon(tri);
    };
    marker(HighPointer, true, QColor(220, 40, 40));
    marker(LowPointer, false, QColor(40, 90, 220));
    if (hasFocus() && m_current == Band) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2 * s));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(QPointF(xAt(lo), track.top()), QPointF(xAt(hi), track.bottom())));
    }

    p.setPen(text);
    const QRectF topRow(0, g.topRowY, width(), g.rowH);
    const QRectF bottomRow(g.left - g.markerH * 0.6, g.bottomRowY, g.right - g.left + 1.2 * g.markerH, g.rowH);
    p.drawText(topRow.adjusted(g.left, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_captions[0]);
    p.drawText(topRow.adjusted(0, 0, -(width() - g.right), 0), Qt::AlignRight | Qt::AlignVCenter, m_captions[1]);
    p.drawText(bottomRow, Qt::AlignLeft | Qt::AlignVCenter, m_captions[2]);
    p.drawText(bottomRow, Qt::AlignRight | Qt::AlignVCenter, m_captions[3]);
    p.drawText(bottomRow, Qt::AlignHCenter | Qt::AlignVCenter, m_label);
}

void LinearGauge::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int hit = pointerAt(event->position());
    if (hit < 0)
        return;
    m_dragging = hit;
    m_current = hit;
    m_grabOffset = valueAt(event->position().x()) - pointerValue(hit);
    update();
}

void LinearGauge::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging >= 0)
        userMove(m_dragging, valueAt(event->position().x()) - m_grabOffset);
}

void LinearGauge::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dragging >= 0) {
        userMove(m_dragging, valueAt(event->position().x()) - m_grabOffset);
        m_dragging = -1;
    }
}

void LinearGauge::keyPressEvent(QKeyEvent *event)
{
    double step = 0;
    switch (event->key()) {
    case Qt::Key_Space:
        m_current = (m_current + 2) % 3;   // high, low, band, high...
        update();
        return;
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_PageDown:
        step = -10;
        break;
    case Qt::Key_PageUp:
        step = 10;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // Keys move from the whole position, so a step never lands on a half.
    userMove(m_current, pointerPosition(m_current) + step);
}

} // namespace ort
