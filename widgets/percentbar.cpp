#include "widgets/percentbar.h"
#include "widgets/instrumentaccess.h"
#include "widgets/scale.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace ort {

PercentBar::PercentBar(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);   // every pixel is painted
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    installInstrumentAccess();
}

void PercentBar::setValue(double value)
{
    value = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 100.0);
    if (value == m_value)
        return;
    m_value = value;
    update();
    if (std::isnan(m_reading))
        announce();
}

void PercentBar::setReading(double value)
{
    if (value == m_reading || (std::isnan(value) && std::isnan(m_reading)))
        return;
    m_reading = value;
    announce();
}

void PercentBar::setReadingRange(double min, double max)
{
    m_readingMin = min;
    m_readingMax = max;
}

void PercentBar::announce()
{
    QAccessibleValueChangeEvent event(this, reading());
    QAccessible::updateAccessibility(&event);
}

void PercentBar::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
    announce();
}

void PercentBar::setBarColor(const QColor &color)
{
    m_barColor = color;
    update();
}

QSize PercentBar::sizeHint() const
{
    return QSize(qRound(220 * dpiScale(this)), fontMetrics().height() + qRound(10 * dpiScale(this)));
}

QSize PercentBar::minimumSizeHint() const
{
    return QSize(qRound(60 * dpiScale(this)), sizeHint().height());
}

void PercentBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int bevel = std::max(1, qRound(dpiScale(this)));
    const QRect r = rect();
    // Sunken edge: dark above and left, light below and right.
    p.fillRect(r, palette().color(QPalette::Dark));
    p.fillRect(r.adjusted(bevel, bevel, 0, 0), palette().color(QPalette::Midlight));
    const QRect inside = r.adjusted(bevel, bevel, -bevel, -bevel);
    p.fillRect(inside, Qt::white);
    const int filled = static_cast<int>(std::lround(inside.width() * m_value / 100.0));
    const QRect bar(inside.left(), inside.top(), filled, inside.height());
    p.fillRect(bar, m_barColor);

    const QColor onBar = qGray(m_barColor.rgb()) < 128 ? Qt::white : Qt::black;
    p.setClipRect(bar);
    p.setPen(onBar);
    p.drawText(inside, Qt::AlignCenter, m_text);
    p.setClipRect(QRect(bar.right() + 1, inside.top(), inside.width() - filled, inside.height()));
    p.setPen(Qt::black);
    p.drawText(inside, Qt::AlignCenter, m_text);
}

} // namespace ort
