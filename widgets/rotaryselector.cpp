#include "widgets/rotaryselector.h"
#include "widgets/instrumentaccess.h"
#include "widgets/scale.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace ort {

namespace {
// The knob turns through 270 degrees, leaving the bottom free.
constexpr qreal Sweep = 270;
} // namespace

RotarySelector::RotarySelector(QWidget *parent) : QAbstractSlider(parent)
{
    setRange(0, PositionCount - 1);
    setPageStep(1);
    setOrientation(Qt::Horizontal);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, [this](int position) {
        if (!m_settingQuietly)
            emit positionChanged(position);
    });
    installInstrumentAccess();
}

void RotarySelector::setPosition(int position)
{
    m_settingQuietly = true;
    setValue(position);
    m_settingQuietly = false;
}

void RotarySelector::setLabels(const QStringList &labels)
{
    m_labels = labels;
    updateGeometry();
    update();
}

QString RotarySelector::label(int position) const
{
    return position >= 0 && position < m_labels.size() ? m_labels[position] : QString::number(position);
}

qreal RotarySelector::angleOf(int position)
{
    return -Sweep / 2 + position * Sweep / (PositionCount - 1);
}

QPointF RotarySelector::knobCentre() const
{
    return QPointF(width() / 2.0, height() / 2.0 + fontMetrics().height() * 0.25);
}

qreal RotarySelector::knobRadius() const
{
    const QFontMetrics fm = fontMetrics();
    int labelW = 0;
    for (int i = 0; i < PositionCount; ++i)
        labelW = std::max(labelW, fm.horizontalAdvance(label(i).trimmed()));
    const qreal room = std::min(width() - 2.0 * labelW, height() - 2.5 * fm.height()) / 2;
    return std::max<qreal>(8 * dpiScale(this), room - 8 * dpiScale(this));
}

QRectF RotarySelector::labelRect(int position) const
{
    const QFontMetrics fm = fontMetrics();
    // Drawn trimmed so that labels padded with spaces still sit centred on their mark.
    const QString text = label(position).trimmed();
    const qreal a = qDegreesToRadians(angleOf(position));
    const qreal w = fm.horizontalAdvance(text) + 4 * dpiScale(this), h = fm.height();
    // Far enough out that the label's nearest corner clears the tick ring.
    const qreal r = knobRadius() + 7 * dpiScale(this) + std::abs(std::sin(a)) * w / 2 + std::abs(std::cos(a)) * h / 2;
    const QPointF c = knobCentre() + QPointF(r * std::sin(a), -r * std::cos(a));
    return QRectF(c.x() - w / 2, c.y() - h / 2, w, h);
}

int RotarySelector::positionToward(const QPointF &pos) const
{
    const QPointF d = pos - knobCentre();
    const qreal angle = qRadiansToDegrees(std::atan2(d.x(), -d.y()));
    const qreal step = Sweep / (PositionCount - 1);
    return std::clamp(static_cast<int>(std::lround((angle + Sweep / 2) / step)), 0, PositionCount - 1);
}

QSize RotarySelector::sizeHint() const
{
    const qreal s = dpiScale(this);
    return QSize(qRound(170 * s), qRound(140 * s));
}

QSize RotarySelector::minimumSizeHint() const
{
    const qreal s = dpiScale(this);
    return QSize(qRound(130 * s), qRound(110 * s));
}

void RotarySelector::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal s = dpiScale(this);
    const QPointF c = knobCentre();
    const qreal r = knobRadius();

    // Tick marks on a ring just outside the knob, the chosen one highlighted.
    for (int i = 0; i < PositionCount; ++i) {
        const qreal a = qDegreesToRadians(angleOf(i));
        const QPointF dir(std::sin(a), -std::cos(a));
        const bool on = i == value();
        p.setPen(QPen(on ? palette().color(QPalette::Highlight) : palette().color(QPalette::WindowText),
                      (on ? 2.5 : 1.2) * s, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + dir * (r + 1.5 * s), c + dir * (r + 6 * s));
        QFont f = font();
        f.setBold(on);
        p.setFont(f);
        p.drawText(labelRect(i), Qt::AlignCenter, label(i).trimmed());
    }
    p.setFont(font());

    QRadialGradient body(c - QPointF(r * 0.3, r * 0.3), r * 1.4);
    body.setColorAt(0, QColor(250, 250, 250));
    body.setColorAt(1, QColor(150, 150, 150));
    p.setPen(QPen(QColor(70, 70, 70), 1.2 * s));
    p.setBrush(body);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(120, 120, 120), 1 * s));
    p.setBrush(QColor(205, 205, 205));
    p.drawEllipse(c, r * 0.72, r * 0.72);

    const qreal a = qDegreesToRadians(angleOf(value()));
    const QPointF dir(std::sin(a), -std::cos(a));
    p.setPen(QPen(QColor(30, 30, 30), 3 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * (r * 0.2), c + dir * (r * 0.9));

    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r + 1, r + 1);
    }
}

void RotarySelector::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractSlider::mousePressEvent(event);
        return;
    }
    for (int i = 0; i < PositionCount; ++i)
        if (labelRect(i).contains(event->position())) {
            setValue(i);
            return;
        }
    const QPointF d = event->position() - knobCentre();
    if (std::hypot(d.x(), d.y()) <= knobRadius())
        m_dragging = true;
}

void RotarySelector::mouseMoveEvent(QMouseEvent *event)
{
    // Near the centre the direction means nothing; wait until the mouse is out a little.
    const QPointF d = event->position() - knobCentre();
    if (!m_dragging || std::hypot(d.x(), d.y()) <= knobRadius() * 0.25)
        return;
    // In the gap at the bottom the two ends meet; a knob resting at an end
    // stays there instead of jumping across to the other.
    const qreal angle = qRadiansToDegrees(std::atan2(d.x(), -d.y()));
    if (std::abs(angle) > Sweep / 2 && (value() == minimum() || value() == maximum()))
        return;
    setValue(positionToward(event->position()));
}

void RotarySelector::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}

void RotarySelector::wheelEvent(QWheelEvent *event)
{
    // Fine-grained wheels send parts of a notch; a step needs a whole one.
    // The base's wheel would turn a step for a third of a notch.
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / 120;
    m_wheelRemainder -= steps * 120;
    if (steps != 0)
        setValue(value() + steps);
    event->accept();
}

} // namespace ort
