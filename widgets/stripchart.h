#pragma once
#include "widgets/changerows.h"
#include "widgets/chartaxes.h"   // formatTime, for a time shown as the chart shows it
#include "widgets/columncache.h"
#include "widgets/samplehistory.h"

#include <QColor>
#include "widgets/framethrottle.h"

#include <QWidget>
#include <array>
#include <functional>

namespace ort {

// A scrolling chart of two traces against time. It keeps every sample so the
// user can scroll back, but paints only the visible window, reduced to one
// min/max span per pixel column, so a frame costs the same after an hour as
// after a minute. Behind the traces it shades the marked spans: the times a
// two-state series, kept with the samples, was on. Repaints are scheduled,
// never forced per sample, and come at most FrameIntervalMs apart: samples
// may come every few milliseconds, and a frame for each would cost far more
// than the eye gains from it.
//
// Mouse: the arrows at the end of the time axis zoom out and in; a right-button
// drag moves the view through history, and a right click that does not drag
// asks for a menu (menuRequested), as do the menu key and Shift+F10. Keys:
// +/- zoom, Left/Right move, End returns to the newest data.
class StripChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int TraceCount = 2;
    static constexpr int FrameIntervalMs = FrameThrottle::IntervalMs;
    // Seconds since the epoch; tick labels show it as local time of day.
    using Clock = std::function<double()>;

    struct TimeStamp {
        double time;
        double number;
        QString text;
    };

    explicit StripChart(QWidget *parent = nullptr);

    void setClock(Clock clock);
    const Clock &clock() const { return m_clock; }

    void setTraceCaption(int trace, const QString &caption);
    QString traceCaption(int trace) const;
    void setTraceColor(int trace, const QColor &color);
    QColor traceColor(int trace) const;
    // Each trace is drawn in its own range; the value axis is labelled in trace 0's.
    void setTraceRange(int trace, double min, double max);
    double traceMin(int trace) const;
    double traceMax(int trace) const;

    void setTimeFormat(const QString &format);   // strftime style
    QString timeFormat() const { return m_timeFormat; }
    void setTimeCaption(const QString &caption);
    QString timeCaption() const { return m_timeCaption; }
    void setValueCaption(const QString &caption);
    QString valueCaption() const { return m_valueCaption; }
    // Written after each reading where the chart is described in words, " °C" say.
    void setValueUnit(const QString &unit) { m_valueUnit = unit; }
    QString valueUnit() const { return m_valueUnit; }

    // Adds a sample at the clock's present time. A clock that steps back is
    // held at the last time used, so the history stays in time order. Values
    // that are not finite and trace indices other than 0 and 1 are ignored.
    void addSample(int trace, double value);
    // A vertical marker at the present time; `number` places its text, as a
    // fraction of the plot's height from the top (0.1 is near the top).
    void addTimeStamp(double number, const QString &text);
    // Marks the time from now on, or ends the mark: the chart shades the
    // marked spans behind the traces. A span left open lasts up to the newest
    // time in the chart. Only changes are kept, at the clock's present time.
    void setMarked(bool marked);
    bool isMarked() const { return m_marked; }
    // The marks as they changed: 1 where a span starts, 0 where it ends.
    const SampleHistory &marks() const { return m_marks; }
    // The legend names the shading once there is some; none without a caption.
    void setMarkCaption(const QString &caption);
    QString markCaption() const { return m_markCaption; }
    void setMarkColor(const QColor &color);
    QColor markColor() const { return m_markColor; }

    // Forgets every sample, mark and time stamp and resets scrollBack to 0.
    void clear();

    // The setting that clear resets: how many seconds the right edge of the
    // view lies behind the newest data. 0 follows new data; anything else pins
    // the view where it is, so it stays put while data keeps coming.
    double scrollBack() const;
    void setScrollBack(double seconds);
    bool isFollowing() const { return m_following; }

    double timeSpan() const { return m_span; }
    void setTimeSpan(double seconds);
    void zoomIn();
    void zoomOut();
    double viewStart() const { return viewEnd() - m_span; }
    double viewEnd() const;
    // The newest time in the chart: last sample or stamp, else the clock.
    double latestTime() const;

    const SampleHistory &history(int trace) const { return m_traces[index(trace)].samples; }
    const std::vector<TimeStamp> &timeStamps() const { return m_stamps; }
    std::size_t historyBytes() const;
    // Both traces' histories and the marks as rows of changes: trace 0's
    // value, trace 1's, then 1 while marked and 0 (NaN before any mark) not.
    void forEachChange(const ChangeRowFunction &f) const;

    // Paints the chart as it stands onto a device of the chart's size, text
    // at the size it has on screen, without what only the screen needs: the
    // focus frame, the zoom arrows and the hint back to live data.
    void renderPicture(QPaintDevice &device) const;

    QRect plotRect() const;
    QRect zoomOutRect() const;
    QRect zoomInRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Any button pressed on the chart away from the zoom arrows.
    void mouseButtonPressed(Qt::MouseButton button);
    // Where a menu for the chart should open, in screen coordinates.
    void menuRequested(const QPoint &globalPos);
    void viewChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    struct Trace {
        SampleHistory samples;
        QString caption;
        QColor color;
        double min = -127;
        double max = 127;
    };
    struct Frame;
    static int index(int trace);
    double stamp();
    void pinViewEnd(double end);
    // The steps of a frame, in the order they are drawn.
    void drawLegend(QPainter &p, const Frame &f) const;
    void drawValueAxis(QPainter &p, const Frame &f) const;
    void drawTimeAxis(QPainter &p, const Frame &f) const;
    void drawMarks(QPainter &p, const Frame &f) const;
    void drawTrace(QPainter &p, const Frame &f, int trace) const;
    void drawTimeStamps(QPainter &p, const Frame &f) const;
    void drawCaptions(QPainter &p, const Frame &f) const;
    void drawArrow(QPainter &p, const QRect &r, bool zoomOut) const;
    void drawLiveHint(QPainter &p, const Frame &f) const;
    void paintFrame(QPainter &p, bool onScreen) const;
    void scheduleFrame();

    Clock m_clock;
    std::array<Trace, TraceCount> m_traces;
    mutable std::array<ColumnCache, TraceCount> m_columns;
    SampleHistory m_marks;
    mutable ColumnCache m_markColumns;
    bool m_marked = false;
    QString m_markCaption;
    QColor m_markColor;
    std::vector<TimeStamp> m_stamps;
    QString m_timeFormat = QStringLiteral("%H:%M:%S ");
    QString m_timeCaption = QStringLiteral("Time");
    QString m_valueCaption;
    QString m_valueUnit;
    double m_span = 60;
    double m_lastTime = 0;
    bool m_hasTime = false;
    bool m_following = true;
    double m_pinnedEnd = 0;
    bool m_dragging = false;
    bool m_dragMoved = false;   // past the drag distance: no longer a click
    QPoint m_dragFrom;
    double m_dragX = 0;
    double m_dragEnd = 0;
    FrameThrottle m_frames{[this] { update(); }};
};

} // namespace ort
