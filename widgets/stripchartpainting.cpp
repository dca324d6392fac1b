#include "widgets/stripchart.h"
#include "widgets/chartaxes.h"
#include "widgets/scale.h"
#include "widgets/stripchartlayout.h"
#include "widgets/traceline.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace ort {

using chart::computeLayout;
using chart::Layout;

namespace {

const QColor Grid(222, 222, 222);
const QColor ZeroLine(170, 170, 170);
const QColor StampLine(0, 120, 0);
const QColor StampText(0, 100, 0);
const QColor StampBox(255, 255, 255, 220);

} // namespace

// What the drawing steps of one frame share.
struct StripChart::Frame : Layout {
    explicit Frame(const StripChart &chart)
        : Layout(computeLayout(&chart)), fm(chart.fontMetrics()), s(dpiScale(&chart)),
          text(chart.palette().color(QPalette::WindowText)), end(chart.viewEnd()), start(end - chart.m_span),
          time(plot, start, chart.m_span)
    {
    }
    QFontMetrics fm;
    qreal s;
    QColor text;
    double end;        // the times at the plot's right and left edges
    double start;
    TimeScale time;
};

void StripChart::paintEvent(QPaintEvent *)
{
    m_frames.painted();
    QPainter p(this);
    paintFrame(p, true);
}

void StripChart::renderPicture(QPaintDevice &device) const
{
    QPainter p(&device);
    // The layout is measured in the screen's font metrics; a device of
    // another resolution must draw the text at the same pixel size.
    QFont font = this->font();
    font.setPixelSize(QFontInfo(font).pixelSize());
    p.setFont(font);
    paintFrame(p, false);
}

void StripChart::paintFrame(QPainter &p, bool onScreen) const
{
    const Frame f(*this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.fillRect(f.plot, Qt::white);
    // Marks under the grid, so that its lines still cross them.
    p.save();
    p.setClipRect(f.plot);
    drawMarks(p, f);
    p.restore();
    drawLegend(p, f);
    drawValueAxis(p, f);
    drawTimeAxis(p, f);

    // Traces, then time stamps over them, inside the plot.
    p.save();
    p.setClipRect(f.plot);
    for (int i = 0; i < TraceCount; ++i)
        drawTrace(p, f, i);
    drawTimeStamps(p, f);
    p.restore();

    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(Qt::NoBrush);
    p.drawRect(f.plot.adjusted(-1, -1, 0, 0));
    drawCaptions(p, f);
    if (!onScreen)
        return;
    drawArrow(p, f.zoomIn, false);
    drawArrow(p, f.zoomOut, true);
    if (!m_following)
        drawLiveHint(p, f);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// A stroke of each trace's colour and its caption.
void StripChart::drawLegend(QPainter &p, const Frame &f) const
{
    const int swatch = qRound(18 * f.s);
    const int mid = f.legendY - f.fm.ascent() / 2 + f.fm.descent() / 2;
    int x = f.plot.left();
    for (const Trace &trace : m_traces) {
        if (trace.caption.isEmpty())
            continue;
        p.setPen(QPen(trace.color, qRound(3 * f.s)));
        p.drawLine(x, mid, x + swatch, mid);
        p.setPen(f.text);
        p.drawText(x + swatch + qRound(5 * f.s), f.legendY, trace.caption);
        x += swatch + qRound(5 * f.s) + f.fm.horizontalAdvance(trace.caption) + qRound(16 * f.s);
    }
    if (m_markCaption.isEmpty() || m_marks.empty())
        return;
    // The shading as it looks on the white plot.
    const QRect box(x, f.legendY - f.fm.ascent() + f.fm.descent() / 2, swatch, f.fm.ascent() - f.fm.descent() / 2);
    p.fillRect(box, Qt::white);
    p.fillRect(box, m_markColor);
    p.setPen(f.text);
    p.drawText(x + swatch + qRound(5 * f.s), f.legendY, m_markCaption);
}

// Grid lines and labels in the first trace's range.
void StripChart::drawValueAxis(QPainter &p, const Frame &f) const
{
    const Trace &axis = m_traces[0];
    const ValueScale scale(f.plot, axis.min, axis.max);
    for (double v : valueTicks(axis.min, axis.max, f.plot.height() / (f.fm.height() * 2))) {
        const int y = qRound(scale.y(v));
        p.setPen(v == 0 ? ZeroLine : Grid);
        p.drawLine(f.plot.left(), y, f.plot.right(), y);
        p.setPen(f.text);
        p.drawLine(f.plot.left() - f.tick, y, f.plot.left() - 1, y);
        p.drawText(QRect(0, y - f.fm.height() / 2, f.plot.left() - f.tick - qRound(2 * f.s), f.fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
}

// Grid lines and time-of-day labels, as many as fit side by side.
void StripChart::drawTimeAxis(QPainter &p, const Frame &f) const
{
    const int labelW = f.fm.horizontalAdvance(formatTime(f.end, m_timeFormat)) + qRound(12 * f.s);
    for (double t : timeTicks(f.start, f.end, labelW / f.time.pixelsPerSecond)) {
        const int x = qRound(f.time.x(t));
        p.setPen(Grid);
        p.drawLine(x, f.plot.top(), x, f.plot.bottom());
        p.setPen(f.text);
        p.drawLine(x, f.plot.bottom() + 1, x, f.plot.bottom() + f.tick);
        p.drawText(QRect(x - labelW / 2, f.plot.bottom() + 1 + f.tick, labelW, f.fm.height()), Qt::AlignCenter,
                   formatTime(t, m_timeFormat).trimmed());
    }
}

void StripChart::drawTrace(QPainter &p, const Frame &f, int index) const
{
    const Trace &trace = m_traces[static_cast<std::size_t>(index)];
    const SampleHistory &h = trace.samples;
    if (h.empty())
        return;
    // Columns sit on a grid fixed in time, so those already reduced in an
    // earlier frame are reused as the view scrolls.
    const double width = m_span / f.plot.width();   // seconds per pixel column
    const auto first = static_cast<long long>(std::floor((f.start - h.origin()) / width));
    const auto last = static_cast<long long>(std::floor((f.end - h.origin()) / width));
    const std::vector<ColumnSpan> &spans = m_columns[static_cast<std::size_t>(index)].columns(h, width, first, last);
    // A cosmetic pen takes the raster engine's fast line path.
    p.setPen(f.s < 1.5 ? QPen(trace.color, 0) : QPen(trace.color, f.s));
    p.drawPolyline(traceLine(h, spans, width, first, last, f.time, ValueScale(f.plot, trace.min, trace.max)));
}

// Each marked span in view as a band the plot's height, on a grid of columns
// a pixel wide as the traces are, so its cost follows the changes in view.
void StripChart::drawMarks(QPainter &p, const Frame &f) const
{
    if (m_marks.empty())
        return;
    const double width = m_span / f.plot.width();
    const double origin = m_marks.origin();
    const auto first = static_cast<long long>(std::floor((f.start - origin) / width));
    const auto last = static_cast<long long>(std::floor((f.end - origin) / width));
    const std::vector<ColumnSpan> &spans = m_markColumns.columns(m_marks, width, first, last);
    for (const ColumnRun &run : markedRuns(m_marks, spans, width, first, last, latestTime())) {
        const int left = static_cast<int>(std::floor(f.time.x(origin + static_cast<double>(run.first) * width)));
        const int right = static_cast<int>(std::ceil(f.time.x(origin + static_cast<double>(run.last + 1) * width)));
        p.fillRect(QRect(left, f.plot.top(), std::max(1, right - left), f.plot.height()), m_markColor);
    }
}

// A dashed line at each stamp in view, its text beside it.
void StripChart::drawTimeStamps(QPainter &p, const Frame &f) const
{
    auto it = std::lower_bound(m_stamps.begin(), m_stamps.end(), f.start,
                               [](const TimeStamp &ts, double t) { return ts.time < t; });
    for (; it != m_stamps.end() && it->time <= f.end; ++it) {
        // A stamp at the newest moment sits on the right edge, still inside the plot.
        const int x = std::min(f.plot.right(), static_cast<int>(std::lround(f.time.x(it->time))));
        p.setPen(QPen(StampLine, 1, Qt::DashLine));
        p.drawLine(x, f.plot.top(), x, f.plot.bottom());
        if (it->text.isEmpty())
            continue;
        const int w = f.fm.horizontalAdvance(it->text) + qRound(6 * f.s);
        const int y = f.plot.top() + qRound(std::clamp(it->number, 0.0, 1.0) * (f.plot.height() - f.fm.height()));
        QRect box(x + qRound(2 * f.s), y, w, f.fm.height());
        if (box.right() > f.plot.right())
            box.moveRight(x - qRound(2 * f.s));
        p.fillRect(box, StampBox);
        p.setPen(StampText);
        p.drawText(box, Qt::AlignCenter, it->text);
    }
}

void StripChart::drawCaptions(QPainter &p, const Frame &f) const
{
    p.setPen(f.text);
    p.drawText(QRect(f.plot.left(), f.captionY, f.plot.width(), f.captionRowH), Qt::AlignCenter, m_timeCaption);
    if (!m_valueCaption.isEmpty()) {
        p.save();
        p.translate(qRound(6 * f.s), f.plot.center().y());
        p.rotate(-90);
        p.drawText(QRect(-f.plot.height() / 2, 0, f.plot.height(), f.fm.height()), Qt::AlignCenter, m_valueCaption);
        p.restore();
    }
}

// While the view is away from the newest data, how to get back to it.
void StripChart::drawLiveHint(QPainter &p, const Frame &f) const
{
    p.setPen(palette().color(QPalette::Mid));
    p.drawText(QRect(f.plot.left(), f.captionY, f.plot.width() / 3, f.captionRowH), Qt::AlignLeft | Qt::AlignVCenter,
               tr("End: back to live"));
}

void StripChart::drawArrow(QPainter &p, const QRect &r, bool zoomOut) const
{
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(palette().color(QPalette::Button));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    // Two triangles: pointing apart to widen the span, towards each other to narrow it.
    const qreal h = r.height() * 0.28, w = r.width() * 0.2, cy = r.center().y() + 0.5, cx = r.center().x() + 0.5;
    const qreal gap = r.width() * 0.04;
    QPolygonF leftTri, rightTri;
    if (zoomOut) {
        leftTri << QPointF(cx - gap - w, cy) << QPointF(cx - gap, cy - h) << QPointF(cx - gap, cy + h);
        rightTri << QPointF(cx + gap + w, cy) << QPointF(cx + gap, cy - h) << QPointF(cx + gap, cy + h);
    } else {
        leftTri << QPointF(cx - gap, cy) << QPointF(cx - gap - w, cy - h) << QPointF(cx - gap - w, cy + h);
        rightTri << QPointF(cx + gap, cy) << QPointF(cx + gap + w, cy - h) << QPointF(cx + gap + w, cy + h);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::ButtonText));
    p.drawPolygon(leftTri);
    p.drawPolygon(rightTri);
    p.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace ort
