#include "widgets/stripchart.h"
#include "widgets/chartaxes.h"
#include "widgets/instrumentaccess.h"
#include "widgets/scale.h"
#include "widgets/stripchartlayout.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

namespace ort {

namespace {

// Zoom steps of the axis arrows, in seconds.
constexpr double Spans[] = {5, 10, 30, 60, 120, 300, 600, 1800, 3600};

} // namespace

using chart::computeLayout;
using chart::Layout;

StripChart::StripChart(QWidget *parent) : QWidget(parent)
{
    setClock({});
    m_traces[0].color = QColor(200, 0, 0);
    m_traces[1].color = QColor(0, 0, 200);
    // Light enough for the traces to stay readable on it, in grey-scale
    // print too, where it still shows as a darker band. Opaque: a
    // translucent fill costs a frame more than the traces do.
    m_markColor = QColor(255, 200, 200);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    installInstrumentAccess();
}

void StripChart::scheduleFrame()
{
    if (m_frames.request())
        update();
}

int StripChart::index(int trace)
{
    return std::clamp(trace, 0, TraceCount - 1);
}

void StripChart::setClock(Clock clock)
{
    if (!clock)
        clock = [] { return QDateTime::currentMSecsSinceEpoch() / 1000.0; };
    m_clock = std::move(clock);
    update();
}

void StripChart::setTraceCaption(int trace, const QString &caption)
{
    m_traces[index(trace)].caption = caption;
    update();
}

QString StripChart::traceCaption(int trace) const { return m_traces[index(trace)].caption; }

void StripChart::setTraceColor(int trace, const QColor &color)
{
    m_traces[index(trace)].color = color;
    update();
}

QColor StripChart::traceColor(int trace) const { return m_traces[index(trace)].color; }

void StripChart::setTraceRange(int trace, double min, double max)
{
    if (!(max > min))
        return;
    m_traces[index(trace)].min = min;
    m_traces[index(trace)].max = max;
    update();
}

double StripChart::traceMin(int trace) const { return m_traces[index(trace)].min; }
double StripChart::traceMax(int trace) const { return m_traces[index(trace)].max; }

void StripChart::setTimeFormat(const QString &format)
{
    m_timeFormat = format;
    update();
}

void StripChart::setTimeCaption(const QString &caption)
{
    m_timeCaption = caption;
    update();
}

void StripChart::setValueCaption(const QString &caption)
{
    m_valueCaption = caption;
    update();
}

double StripChart::stamp()
{
    // On the history's millisecond grid, so samples and stamps agree.
    double t = SampleHistory::fromMs(SampleHistory::toMs(m_clock()));
    if (m_hasTime && !(t >= m_lastTime))
        t = m_lastTime;
    m_lastTime = t;
    m_hasTime = true;
    return t;
}

void StripChart::addSample(int trace, double value)
{
    // A value that is not a number has no place on the chart.
    if (trace < 0 || trace >= TraceCount || !std::isfinite(value))
        return;
    const double t = stamp();
    m_traces[trace].samples.append(t, static_cast<float>(value));
    if (m_following || t <= m_pinnedEnd)
        scheduleFrame();
}

void StripChart::setMarked(bool marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    const double t = stamp();
    m_marks.append(t, marked ? 1.0f : 0.0f);
    if (m_following || t <= m_pinnedEnd)
        scheduleFrame();
}

void StripChart::setMarkCaption(const QString &caption)
{
    m_markCaption = caption;
    update();
}

void StripChart::setMarkColor(const QColor &color)
{
    m_markColor = color;
    update();
}

void StripChart::addTimeStamp(double number, const QString &text)
{
    const double t = stamp();
    m_stamps.push_back({t, number, text});
    if (m_following || t <= m_pinnedEnd)
        scheduleFrame();
}

void StripChart::clear()
{
    for (Trace &trace : m_traces)
        trace.samples.clear();
    for (ColumnCache &cache : m_columns)
        cache.reset();
    m_marks.clear();
    m_markColumns.reset();
    m_marked = false;
    m_stamps.clear();
    m_stamps.shrink_to_fit();
    m_hasTime = false;
    m_following = true;
    m_pinnedEnd = 0;
    m_dragging = false;
    emit viewChanged();
    update();
}

double StripChart::latestTime() const
{
    return m_hasTime ? m_lastTime : m_clock();
}

double StripChart::viewEnd() const
{
    return m_following ? latestTime() : m_pinnedEnd;
}

double StripChart::scrollBack() const
{
    return m_following ? 0.0 : latestTime() - m_pinnedEnd;
}

void StripChart::setScrollBack(double seconds)
{
    pinViewEnd(latestTime() - std::max(0.0, seconds));
}

void StripChart::pinViewEnd(double end)
{
    const double latest = latestTime();
    double earliest = latest;
    for (const Trace &trace : m_traces)
        if (!trace.samples.empty())
            earliest = std::min(earliest, trace.samples.time(0));
    if (!m_stamps.empty())
        earliest = std::min(earliest, m_stamps.front().time);
    if (!m_marks.empty())
        earliest = std::min(earliest, m_marks.origin());
    if (!m_hasTime || end >= latest) {
        m_following = true;
    } else {
        // Never further back than the first thing recorded, so the view
        // cannot be lost in empty time.
        m_following = false;
        m_pinnedEnd = std::max(end, earliest);
    }
    emit viewChanged();
    update();
}

void StripChart::setTimeSpan(double seconds)
{
    if (!(seconds > 0))
        return;
    m_span = seconds;
    emit viewChanged();
    update();
}

void StripChart::zoomIn()
{
    for (auto it = std::rbegin(Spans); it != std::rend(Spans); ++it)
        if (*it < m_span) {
            setTimeSpan(*it);
            return;
        }
}

void StripChart::zoomOut()
{
    for (double s : Spans)
        if (s > m_span) {
            setTimeSpan(s);
            return;
        }
}

std::size_t StripChart::historyBytes() const
{
    std::size_t bytes = m_stamps.capacity() * sizeof(TimeStamp) + m_marks.bytes();
    for (const Trace &trace : m_traces)
        bytes += trace.samples.bytes();
    return bytes;
}

void StripChart::forEachChange(const ChangeRowFunction &f) const
{
    const std::array<const SampleHistory *, TraceCount + 1> series{&m_traces[0].samples, &m_traces[1].samples,
                                                                   &m_marks};
    forEachChangeRow(series, f);
}

QRect StripChart::plotRect() const { return computeLayout(this).plot; }
QRect StripChart::zoomOutRect() const { return computeLayout(this).zoomOut; }
QRect StripChart::zoomInRect() const { return computeLayout(this).zoomIn; }

QSize StripChart::sizeHint() const
{
    const qreal s = dpiScale(this);
    return QSize(qRound(560 * s), qRound(300 * s));
}

QSize StripChart::minimumSizeHint() const
{
    const qreal s = dpiScale(this);
    return QSize(qRound(240 * s), qRound(140 * s));
}
void StripChart::mousePressEvent(QMouseEvent *event)
{
    const Layout l = computeLayout(this);
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && l.zoomIn.contains(pos)) {
        zoomIn();
        return;
    }
    if (event->button() == Qt::LeftButton && l.zoomOut.contains(pos)) {
        zoomOut();
        return;
    }
    if (event->button() == Qt::RightButton) {
        m_dragging = true;
        m_dragMoved = false;
        m_dragFrom = pos;
        m_dragX = event->position().x();
        m_dragEnd = viewEnd();
    }
    emit mouseButtonPressed(event->button());
}

void StripChart::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    // A hand that shakes while clicking moves nothing.
    if (!m_dragMoved && (event->position().toPoint() - m_dragFrom).manhattanLength() <
                            QGuiApplication::styleHints()->startDragDistance())
        return;
    m_dragMoved = true;
    // The data follows the mouse: dragging to the right shows older samples.
    const double dt = (event->position().x() - m_dragX) * m_span / computeLayout(this).plot.width();
    pinViewEnd(m_dragEnd - dt);
}

void StripChart::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton)
        return;
    const bool click = m_dragging && !m_dragMoved;
    m_dragging = false;
    if (click)
        emit menuRequested(event->globalPosition().toPoint());
}

void StripChart::contextMenuEvent(QContextMenuEvent *event)
{
    // The mouse's request comes with the right button's press, which starts
    // a drag; the release asks for the menu when there was none. Here only
    // the keyboard's (the menu key) is answered.
    if (event->reason() != QContextMenuEvent::Mouse)
        emit menuRequested(event->globalPos());
    event->accept();
}

void StripChart::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        break;
    case Qt::Key_Minus:
        zoomOut();
        break;
    case Qt::Key_Left:
        pinViewEnd(viewEnd() - m_span / 10);
        break;
    case Qt::Key_Right:
        pinViewEnd(viewEnd() + m_span / 10);
        break;
    case Qt::Key_End:
        setScrollBack(0);
        break;
    case Qt::Key_F10:
        if (event->modifiers() == Qt::ShiftModifier)
            emit menuRequested(mapToGlobal(plotRect().center()));
        else
            QWidget::keyPressEvent(event);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace ort
