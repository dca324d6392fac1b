#include "widgets/changerows.h"
#include "widgets/chartaxes.h"
#include "widgets/columncache.h"
#include "widgets/lineargauge.h"
#include "widgets/panel3d.h"
#include "widgets/percentbar.h"
#include "widgets/rotaryselector.h"
#include "widgets/samplehistory.h"
#include "widgets/scale.h"
#include "widgets/stripchart.h"
#include "widgets/traceline.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QStyleHints>
#include <QVBoxLayout>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <span>

using namespace ort;

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void roundingHalvesToEven_data();
    void roundingHalvesToEven();
    void historyAcrossChunks();
    void compactHistoryGivesBackWhatWasAdded_data();
    void compactHistoryGivesBackWhatWasAdded();
    void compactHistoryKeepsMilliseconds_data();
    void compactHistoryKeepsMilliseconds();
    void compactHistoryPacksRepeats();
    void compactHistoryAtEveryCodeBoundary();
    void decimationKeepsShortSpikes_data();
    void decimationKeepsShortSpikes();
    void decimationCoversOnlyTheWindow();
    void decimationReusedAsTheViewScrolls_data();
    void decimationReusedAsTheViewScrolls();
    void decimationForgetsWhatScrolledOut();
    void traceLineThroughTheColumns_data();
    void traceLineThroughTheColumns();
    void markedRunsAgainstEveryColumn_data();
    void markedRunsAgainstEveryColumn();
    void timeTickSteps_data();
    void timeTickSteps();
    void valueTicks_data();
    void valueTicks();
    void scalesSpanThePlot();

    void chartKeepsEverySample();
    void chartClearEmptiesAndFollows();
    void chartTimeStampsInOrder();
    void chartFollowsThenStaysPutAfterPan();
    void chartZoomArrowsAndButtons();
    void changeRowsAgainstEveryMillisecond_data();
    void changeRowsAgainstEveryMillisecond();
    void chartMenuOnAClickNotADrag_data();
    void chartMenuOnAClickNotADrag();
    void chartPictureWithoutScreenCues();
    void chartShadesMarkedSpans();

    void gaugeDragHitsTheRightPointer_data();
    void gaugeDragHitsTheRightPointer();
    void gaugeBandMovesAsAWhole();
    void gaugeProgrammaticMovesAreSilent();
    void gaugeKeyboard();

    void selectorKeys_data();
    void selectorKeys();
    void selectorWheel_data();
    void selectorWheel();
    void selectorMouse();

    void percentBarClampsValue_data();
    void percentBarClampsValue();

    void panelEdgeLightAndShade_data();
    void panelEdgeLightAndShade();
    void panelMarginsFollowTheBevel_data();
    void panelMarginsFollowTheBevel();
    void panelCaptionInItsColour();
    void panelCaptionRelaysOnlyWhenItsSizeChanges();
    void chartPaintsAtFrameRate();
};

void TestWidgets::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestWidgets::roundingHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("position");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("54.5") << 54.5 << 54;
    QTest::newRow("55.5") << 55.5 << 56;
    QTest::newRow("127.5") << 127.5 << 128;
    QTest::newRow("254.5") << 254.5 << 254;
    QTest::newRow("below half") << 54.49 << 54;
    QTest::newRow("above half") << 54.51 << 55;
    QTest::newRow("whole") << 218.0 << 218;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
}

void TestWidgets::roundingHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, position);
    QCOMPARE(roundHalfEven(value), position);
    // The gauge reads every pointer, and the band's ends, the same way.
    if (value < 0)
        return;
    LinearGauge gauge;
    gauge.setPointerValue(LinearGauge::LowPointer, value);
    gauge.setPointerValue(LinearGauge::HighPointer, value);
    gauge.setBand(value, value);
    QCOMPARE(gauge.pointerPosition(LinearGauge::LowPointer), position);
    QCOMPARE(gauge.pointerPosition(LinearGauge::HighPointer), position);
    QCOMPARE(gauge.bandStartPosition(), position);
    QCOMPARE(gauge.bandEndPosition(), position);
    QCOMPARE(gauge.pointerValue(LinearGauge::LowPointer), value);
}

void TestWidgets::historyAcrossChunks()
{
    SampleHistory h;
    const std::size_t n = 2 * SampleHistory::BlockSize + 5;
    for (std::size_t i = 0; i < n; ++i)
        h.append(1000.0 + i * 0.005, static_cast<float>(i % 255) - 127);
    QCOMPARE(h.size(), n);
    for (std::size_t i : {std::size_t(0), SampleHistory::BlockSize - 1, SampleHistory::BlockSize, n - 1}) {
        QCOMPARE(h.value(i), static_cast<float>(i % 255) - 127);
        QVERIFY(std::abs(h.time(i) - (1000.0 + i * 0.005)) < 1e-3);
        QCOMPARE(h.lowerBound(h.time(i)), i);
    }
    QCOMPARE(h.lowerBound(0), std::size_t(0));
    QCOMPARE(h.lowerBound(1e9), n);
    h.clear();
    QCOMPARE(h.size(), std::size_t(0));
    QCOMPARE(h.bytes(), std::size_t(0));
}

namespace {

uint32_t floatBits(float v)
{
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

struct PlainSample {
    long long ms;
    float value;
};

// A stream of what a chart may be given: a 5 ms timer with jitter, values
// that mostly repeat, whole-degree steps, fractions, jumps in time and in
// value, equal times, negative zero, extremes.
std::vector<PlainSample> mixedStream(unsigned seed, int n)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    std::vector<PlainSample> out;
    long long ms = 1'700'000'000'000LL;
    float v = 25;
    for (int i = 0; i < n; ++i) {
        const int p = percent(rng);
        if (p < 70)
            ms += 5;
        else if (p < 85)
            ms += 4 + percent(rng) % 4;
        else if (p < 90)
            ms += 0;
        else if (p < 97)
            ms += percent(rng) * 57;
        else if (p < 99)
            ms += 3'600'000LL * (1 + percent(rng) % 30);
        else
            ms += 1'000'000'000'000LL;   // decades: the widest time code
        const int q = percent(rng);
        if (q < 75)
            ;
        else if (q < 87)
            v = std::round(v) + float(percent(rng) % 7 - 3);
        else if (q < 91)
            v = float(percent(rng) - 50) / 7.f;
        else if (q < 93)
            v = -0.0f;
        else if (q < 95)
            v = q == 93 ? 3.0e38f : -1.0e-40f;   // huge, and a denormal
        else if (q < 97)
            v = float(percent(rng) * 2 - 128);
        else
            v = std::round(v) + 200.f;   // a step too big for the short code
        out.push_back({ms, v});
    }
    return out;
}

} // namespace

void TestWidgets::compactHistoryGivesBackWhatWasAdded_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("count");
    QTest::newRow("one sample") << 1u << 1;
    QTest::newRow("one block") << 2u << int(SampleHistory::BlockSize);
    QTest::newRow("one past a block") << 3u << int(SampleHistory::BlockSize) + 1;
    QTest::newRow("many blocks") << 4u << 40000;
    QTest::newRow("more pages") << 5u << 300000;
}

// The oracle: everything added comes back, by index, in order, by time.
void TestWidgets::compactHistoryGivesBackWhatWasAdded()
{
    QFETCH(unsigned, seed);
    QFETCH(int, count);
    const std::vector<PlainSample> plain = mixedStream(seed, count);
    SampleHistory h;
    for (const PlainSample &s : plain)
        h.append(SampleHistory::fromMs(s.ms), s.value);
    QCOMPARE(h.size(), plain.size());
    QCOMPARE(h.origin(), SampleHistory::fromMs(plain.front().ms));

    SampleHistory::Cursor c(h, 0);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (c.ms() != plain[i].ms || floatBits(c.value()) != floatBits(plain[i].value))
            QFAIL(qPrintable(QString("sample %1: %2 ms %3, expected %4 ms %5")
                                 .arg(i).arg(c.ms()).arg(c.value()).arg(plain[i].ms).arg(plain[i].value)));
        QCOMPARE(c.offset(), double(plain[i].ms - plain.front().ms) / 1000.0);
        if (i + 1 < plain.size())
            c.next();
    }

    std::mt19937 rng(seed + 100);
    std::uniform_int_distribution<std::size_t> anyIndex(0, plain.size() - 1);
    for (int k = 0; k < 300; ++k) {
        const std::size_t i = anyIndex(rng);
        QCOMPARE(h.time(i), SampleHistory::fromMs(plain[i].ms));
        QCOMPARE(floatBits(h.value(i)), floatBits(plain[i].value));
        // lowerBound against a plain search: at a sample's time, just
        // before and just after it.
        for (double t : {SampleHistory::fromMs(plain[i].ms), SampleHistory::fromMs(plain[i].ms) - 0.0005,
                         SampleHistory::fromMs(plain[i].ms) + 0.0005}) {
            const auto expected = std::lower_bound(plain.begin(), plain.end(), t, [](const PlainSample &s, double v) {
                return SampleHistory::fromMs(s.ms) < v;
            });
            QCOMPARE(h.lowerBound(t), std::size_t(expected - plain.begin()));
        }
        const std::size_t last = std::min(plain.size(), i + 1 + anyIndex(rng) % 700);
        std::size_t j = i;
        bool same = true;
        h.forEach(i, last, [&](double t, float v) {
            same = same && t == SampleHistory::fromMs(plain[j].ms) && floatBits(v) == floatBits(plain[j].value);
            ++j;
        });
        QVERIFY(same);
        QCOMPARE(j, last);
    }
    QCOMPARE(h.lowerBound(-1e18), std::size_t(0));
    QCOMPARE(h.lowerBound(1e18), plain.size());
}

void TestWidgets::compactHistoryKeepsMilliseconds_data()
{
    QTest::addColumn<double>("time");
    QTest::addColumn<long long>("keptMs");
    QTest::addColumn<double>("kept");
    QTest::newRow("on the grid") << 1234.567 << 1234567LL << 1234.567;
    QTest::newRow("below half") << 10.0124 << 10012LL << 10.012;
    QTest::newRow("above half") << 10.0126 << 10013LL << 10.013;
    QTest::newRow("an epoch time") << 1700000000.0071 << 1700000000007LL << 1700000000.007;
    QTest::newRow("negative") << -2.0034 << -2003LL << -2.003;
}

void TestWidgets::compactHistoryKeepsMilliseconds()
{
    QFETCH(double, time);
    QFETCH(long long, keptMs);
    QFETCH(double, kept);
    SampleHistory h;
    h.append(time, 1.5f);
    h.append(time + 3600, 1.5f);
    QCOMPARE(SampleHistory::Cursor(h, 0).ms(), keptMs);
    QCOMPARE(SampleHistory::Cursor(h, 1).ms(), keptMs + 3600000);
    QVERIFY(h.time(0) == kept);   // exactly, not nearly
}

// Changes of step and of value on both sides of each code's limit (steps
// changing by 7 and 8 ms, by 2047 and 2048 ms, values by 127 and 128) come
// back exactly.
void TestWidgets::compactHistoryAtEveryCodeBoundary()
{
    const long long stepChanges[] = {0, 7, -7, 8, -8, 9, 2047, -2047, 2048, -2048, 2049, 1000000, -1000000};
    const float valueChanges[] = {0, 127, -128, 128, -129, 0.5f, -1};
    std::vector<PlainSample> plain;
    long long ms = 5000;
    float value = 20;
    // Each pair of samples changes the step by +change, then by -change.
    for (long long change : stepChanges) {
        for (float dv : valueChanges) {
            ms += 5000 + change;
            value += dv;
            plain.push_back({ms, value});
            ms += 5000;
            plain.push_back({ms, value});
        }
    }
    SampleHistory h;
    for (const PlainSample &p : plain)
        h.append(SampleHistory::fromMs(p.ms), p.value);
    SampleHistory::Cursor c(h, 0);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        QCOMPARE(c.ms(), plain[i].ms);
        QCOMPARE(floatBits(c.value()), floatBits(plain[i].value));
        if (i + 1 < plain.size())
            c.next();
    }
}

// Repeated steps and values take a bit each, so a long steady stream costs
// well under a byte a sample; one that stored samples whole would take eight.
void TestWidgets::compactHistoryPacksRepeats()
{
    SampleHistory h;
    for (int i = 0; i < 100000; ++i)
        h.append(1000.0 + i * 0.005, i < 50000 ? 28.f : 29.f);
    QVERIFY2(h.bytes() < 100000 / 2, qPrintable(QString::number(h.bytes())));
    QCOMPARE(h.value(49999), 28.f);
    QCOMPARE(h.value(50000), 29.f);
    QCOMPARE(SampleHistory::Cursor(h, 99999).ms(), 1499995LL);
}

void TestWidgets::decimationKeepsShortSpikes_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("spikeAt");
    QTest::newRow("10 columns") << 10 << 517;
    QTest::newRow("100 columns, column edge") << 100 << 600;
    QTest::newRow("600 columns") << 600 << 3;
    QTest::newRow("last sample") << 37 << 999;
}

void TestWidgets::decimationKeepsShortSpikes()
{
    QFETCH(int, columns);
    QFETCH(int, spikeAt);
    // 1000 samples over one second, a single sample up and the next down.
    SampleHistory h;
    for (int i = 0; i < 1000; ++i)
        h.append(i / 1000.0, i == spikeAt ? 100.f : i == spikeAt - 1 ? -50.f : 0.f);
    ColumnCache cache;
    const std::vector<ColumnSpan> spans = cache.columns(h, 1.0 / columns, 0, columns - 1);
    QCOMPARE(int(spans.size()), std::min(columns, 1000));
    const int spikeColumn = spikeAt * columns / 1000;
    const int dipColumn = (spikeAt - 1) * columns / 1000;
    for (const ColumnSpan &c : spans) {
        QCOMPARE(c.max, c.column == spikeColumn ? 100.f : 0.f);
        QCOMPARE(c.min, c.column == dipColumn ? -50.f : 0.f);
        QVERIFY(c.min <= c.first && c.first <= c.max);
        QVERIFY(c.min <= c.last && c.last <= c.max);
    }
}

void TestWidgets::decimationCoversOnlyTheWindow()
{
    SampleHistory h;
    for (int i = 0; i < 100; ++i)
        h.append(1000.0 + i, float(i));
    ColumnCache cache;
    // Columns of 2 s counted from the first sample: 20..24 cover 40 s to 50 s.
    const std::vector<ColumnSpan> spans = cache.columns(h, 2.0, 20, 24);
    QCOMPARE(int(spans.size()), 5);
    QCOMPARE(spans.front().first, 40.f);
    QCOMPARE(spans.back().last, 49.f);
    QCOMPARE(spans[2].column, 22LL);
    QCOMPARE(spans[2].min, 44.f);
    QCOMPARE(spans[2].max, 45.f);
    QVERIFY(cache.columns(h, 2.0, 100, 150).empty());
    QVERIFY(cache.columns(h, 2.0, 24, 20).empty());
    QVERIFY(cache.columns(h, 0.0, 0, 10).empty());
    QCOMPARE(int(cache.columns(h, 2.0, -5, 1).size()), 2);   // before the first sample
}

void TestWidgets::decimationReusedAsTheViewScrolls_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("window");   // columns in view
    QTest::newRow("fine") << 0.01 << 600;
    QTest::newRow("coarse") << 0.5 << 300;
    QTest::newRow("less than a sample") << 0.002 << 500;
}

void TestWidgets::decimationReusedAsTheViewScrolls()
{
    QFETCH(double, width);
    QFETCH(int, window);
    // A cache fed frame by frame while samples keep coming must give what a
    // fresh one gives for the same view, including the column still filling.
    SampleHistory h;
    ColumnCache kept;
    long n = 0;
    auto sample = [](long i) { return float((i * 7919) % 255 - 127); };
    auto check = [&](long long first, long long last) {
        const std::vector<ColumnSpan> a = kept.columns(h, width, first, last);
        ColumnCache fresh;
        const std::vector<ColumnSpan> &b = fresh.columns(h, width, first, last);
        QCOMPARE(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(a[i].column, b[i].column);
            QCOMPARE(a[i].min, b[i].min);
            QCOMPARE(a[i].max, b[i].max);
            QCOMPARE(a[i].first, b[i].first);
            QCOMPARE(a[i].last, b[i].last);
        }
    };
    for (int frame = 0; frame < 300; ++frame) {
        for (int k = 0; k < 7; ++k, ++n)
            h.append(n * 0.005, sample(n));
        const auto last = static_cast<long long>(std::floor(h.time(h.size() - 1) / width));
        check(last - window + 1, last);
    }
    // Moving back before what the cache keeps, and forward again.
    check(0, window - 1);
    const auto last = static_cast<long long>(std::floor(h.time(h.size() - 1) / width));
    check(last - window + 1, last);
    // Every sample is in exactly one column, so the extremes of the whole
    // history appear among the columns that cover it.
    const std::vector<ColumnSpan> all = kept.columns(h, width, 0, last);
    float lo = 1e9f, hi = -1e9f;
    for (const ColumnSpan &c : all) {
        lo = std::min(lo, c.min);
        hi = std::max(hi, c.max);
    }
    float trueLo = 1e9f, trueHi = -1e9f;
    for (long i = 0; i < n; ++i) {
        trueLo = std::min(trueLo, sample(i));
        trueHi = std::max(trueHi, sample(i));
    }
    QCOMPARE(lo, trueLo);
    QCOMPARE(hi, trueHi);
}

// A view that follows new data for hours keeps near the columns it shows,
// not every column the history covers.
void TestWidgets::decimationForgetsWhatScrolledOut()
{
    SampleHistory h;
    ColumnCache cache;
    const int window = 100;
    const int seconds = 20000;
    for (int s = 0; s < seconds; ++s) {
        h.append(s, float(s % 50));
        if (s % 10 == 9 && s >= window) {
            const std::vector<ColumnSpan> &spans = cache.columns(h, 1.0, s - window + 1, s);
            QCOMPARE(int(spans.size()), window);
            QCOMPARE(spans.front().column, s - window + 1LL);
        }
    }
    QVERIFY2(cache.keptColumns() < seconds / 2, qPrintable(QString::number(cache.keptColumns())));
}

void TestWidgets::traceLineThroughTheColumns_data()
{
    QTest::addColumn<long long>("first");
    QTest::addColumn<long long>("last");
    QTest::newRow("inside the history") << 40LL << 49LL;
    QTest::newRow("at its start") << -5LL << 4LL;
    QTest::newRow("at its end") << 95LL << 104LL;
}

void TestWidgets::traceLineThroughTheColumns()
{
    QFETCH(long long, first);
    QFETCH(long long, last);
    // Columns of a second, four samples each, rising in even columns and
    // falling in odd ones; a pixel a second, a pixel a degree.
    SampleHistory h;
    auto valueAt = [](int i) { return float((i / 4) % 5 * 10 + (i / 4 % 2 ? 3 - i % 4 : i % 4)); };
    for (int i = 0; i < 400; ++i)
        h.append(1000 + i * 0.25, valueAt(i));
    ColumnCache cache;
    const std::vector<ColumnSpan> &spans = cache.columns(h, 1.0, first, last);
    QCOMPARE(int(spans.size()), 10 - int(std::max(0LL, -first) + std::max(0LL, last - 99)));
    const QRect plot(0, 0, int(last - first + 1), 100);
    const QPolygonF line =
        traceLine(h, spans, 1.0, first, last, TimeScale(plot, 1000.0 + first, double(plot.width())),
                  ValueScale(plot, 0, 100));

    // The samples just outside the view, where there are any, end the line.
    const bool before = first > 0, after = last < 99;
    QCOMPARE(line.size(), qsizetype(before + 2 * spans.size() + after));
    if (before)
        QCOMPARE(line.front(), QPointF(-0.25, 100 - valueAt(int(first) * 4 - 1)));
    if (after)
        QCOMPARE(line.back(), QPointF(plot.width(), 100 - valueAt(int(last + 1) * 4)));
    // Each column's extremes, the one nearer its last sample second.
    for (std::size_t k = 0; k < spans.size(); ++k) {
        const long long column = spans[k].column;
        const QPointF a = line[qsizetype(before + 2 * k)], b = line[qsizetype(before + 2 * k + 1)];
        QCOMPARE(a.x(), double(column - first) + 0.5);
        QCOMPARE(b.x(), a.x());
        const double low = 100 - spans[k].min, high = 100 - spans[k].max;
        QCOMPARE(b.y(), column % 2 ? low : high);
        QCOMPARE(a.y(), column % 2 ? high : low);
    }
}

void TestWidgets::markedRunsAgainstEveryColumn_data()
{
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("maxGapMs");   // between two changes; 0 puts them in one millisecond
    QTest::addColumn<double>("width");   // seconds a column
    QTest::newRow("spans wider than a column") << 80 << 3000 << 0.1;
    QTest::newRow("several changes a column") << 600 << 40 << 0.1;
    QTest::newRow("changes in one millisecond") << 500 << 2 << 0.005;
    QTest::newRow("one span left open") << 1 << 0 << 0.25;
}

// Each column of a view against the changes themselves: shaded where the
// state entering it or any change in it is on, up to the newest time.
void TestWidgets::markedRunsAgainstEveryColumn()
{
    QFETCH(int, changes);
    QFETCH(int, maxGapMs);
    QFETCH(double, width);
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> gap(0, maxGapMs);
    SampleHistory marks;   // on, off, on ...
    std::vector<double> offsets;
    for (long long ms = 0; int(offsets.size()) < changes; ms += gap(rng)) {
        marks.append(SampleHistory::fromMs(1'700'000'000'000 + ms), float(offsets.size() % 2 == 0));
        offsets.push_back(double(ms) / 1000);
    }
    const double known = offsets.back() + 0.7;
    ColumnCache cache;   // kept from view to view, as the chart keeps it
    std::uniform_int_distribution<long long> start(-30, static_cast<long long>(known / width) + 10), length(0, 400);
    for (int view = 0; view < 40; ++view) {
        const long long first = start(rng), last = first + length(rng);
        QString got(int(last - first + 1), '.'), expected = got;
        const std::vector<ColumnSpan> &spans = cache.columns(marks, width, first, last);
        for (const ColumnRun &run : markedRuns(marks, spans, width, first, last, marks.origin() + known))
            for (long long k = run.first; k <= run.last; ++k)
                got[int(k - first)] = got[int(k - first)] == '.' ? '#' : '2';   // '2': runs overlap
        for (long long k = first; k <= last; ++k) {
            bool entering = false, inside = false;
            for (std::size_t i = 0; i < offsets.size(); ++i) {
                if (offsets[i] < double(k) * width)
                    entering = i % 2 == 0;
                else if (offsets[i] < double(k + 1) * width)
                    inside = inside || i % 2 == 0;
            }
            if (double(k) * width <= known && (entering || inside))
                expected[int(k - first)] = '#';
        }
        QCOMPARE(got, expected);
    }
}

void TestWidgets::timeTickSteps_data()
{
    QTest::addColumn<double>("minStep");
    QTest::addColumn<double>("step");
    QTest::newRow("under a second") << 0.3 << 1.0;
    QTest::newRow("7 s") << 7.0 << 10.0;
    QTest::newRow("11 s") << 11.0 << 15.0;
    QTest::newRow("exact 30 s") << 30.0 << 30.0;
    QTest::newRow("400 s") << 400.0 << 600.0;
    QTest::newRow("over an hour") << 5000.0 << 7200.0;
}

void TestWidgets::timeTickSteps()
{
    QFETCH(double, minStep);
    QFETCH(double, step);
    QCOMPARE(timeTickStep(minStep), step);
    const std::vector<double> ticks = timeTicks(1000003.5, 1000003.5 + 20 * step, minStep);
    QCOMPARE(int(ticks.size()), 20);
    for (double t : ticks)
        QCOMPARE(std::fmod(t, step), 0.0);
}

void TestWidgets::valueTicks_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("maxTicks");
    QTest::addColumn<QList<double>>("ticks");
    QTest::newRow("the chart's range") << -127.0 << 127.0 << 9 << QList<double>{-100, -50, 0, 50, 100};
    QTest::newRow("steps fit exactly") << 0.0 << 40.0 << 4 << QList<double>{0, 10, 20, 30, 40};
    QTest::newRow("twos") << 0.0 << 3.0 << 2 << QList<double>{0, 2};
    QTest::newRow("next power of ten") << 0.0 << 60.0 << 10 << QList<double>{0, 10, 20, 30, 40, 50, 60};
    QTest::newRow("ends off the ticks") << -55.0 << 125.0 << 6 << QList<double>{-50, 0, 50, 100};
    QTest::newRow("tenths, the last one summed up") << 0.0 << 0.3 << 3 << QList<double>{0, 0.1, 0.2, 0.3};
    QTest::newRow("no room for a step") << -127.0 << 127.0 << 0 << QList<double>{0};
}

void TestWidgets::valueTicks()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, maxTicks);
    QFETCH(QList<double>, ticks);
    const std::vector<double> got = ort::valueTicks(min, max, maxTicks);
    QCOMPARE(int(got.size()), int(ticks.size()));
    for (std::size_t i = 0; i < got.size(); ++i)
        QVERIFY2(std::abs(got[i] - ticks[int(i)]) < 1e-9, qPrintable(QString::number(got[i])));
}

// The view's ends fall on the plot's edges: the start on the left column,
// the end one past the right; the range's bottom one below the last row.
void TestWidgets::scalesSpanThePlot()
{
    const QRect plot(30, 20, 500, 200);
    const TimeScale time(plot, 1000, 60);
    QCOMPARE(time.x(1000), 30.0);
    QCOMPARE(time.x(1060), 530.0);
    QCOMPARE(time.x(1015), 155.0);
    const ValueScale value(plot, -50, 150);
    QCOMPARE(value.y(-50), 220.0);
    QCOMPARE(value.y(150), 20.0);
    QCOMPARE(value.y(0), 170.0);
}

namespace {

// A chart on a clock the test moves, 200 samples a second per trace.
struct FedChart {
    double now = 50000.0;
    StripChart chart;
    FedChart()
    {
        chart.setClock([this] { return now; });
        chart.resize(600, 300);
    }
    void feed(int samples, double value = 0)
    {
        for (int i = 0; i < samples; ++i) {
            chart.addSample(0, value + i % 7);
            chart.addSample(1, -value - i % 5);
            now += 0.005;
        }
    }
};

} // namespace

void TestWidgets::chartKeepsEverySample()
{
    FedChart f;
    f.feed(200 * 90);   // 90 s, longer than the visible minute
    for (int trace : {0, 1})
        QCOMPARE(f.chart.history(trace).size(), std::size_t(200 * 90));
    QCOMPARE(f.chart.history(0).value(0), 0.f);
    QCOMPARE(f.chart.history(0).value(13), 6.f);
    QCOMPARE(f.chart.history(1).value(13), -3.f);
    QVERIFY(std::abs(f.chart.history(0).time(200 * 90 - 1) - (50000.0 + (200 * 90 - 1) * 0.005)) < 1e-3);
    // Out-of-range trace indices are ignored, not stored somewhere else.
    f.chart.addSample(2, 5);
    f.chart.addSample(-1, 5);
    f.chart.addSample(0, std::numeric_limits<double>::quiet_NaN());
    f.chart.addSample(1, std::numeric_limits<double>::infinity());
    QCOMPARE(f.chart.history(0).size() + f.chart.history(1).size(), std::size_t(2 * 200 * 90));
    // Values are kept as given, beyond the drawn range too.
    f.chart.addSample(0, 300.5);
    QCOMPARE(f.chart.history(0).value(200 * 90), 300.5f);
}

void TestWidgets::chartClearEmptiesAndFollows()
{
    FedChart f;
    f.feed(2000);
    f.chart.addTimeStamp(0.1, "12:00:00");
    f.chart.setMarked(true);
    f.chart.setScrollBack(3);
    QVERIFY(!f.chart.isFollowing());
    f.chart.clear();
    QCOMPARE(f.chart.history(0).size(), std::size_t(0));
    QCOMPARE(f.chart.history(1).size(), std::size_t(0));
    QVERIFY(f.chart.timeStamps().empty());
    QCOMPARE(f.chart.scrollBack(), 0.0);
    QVERIFY(f.chart.isFollowing());
    QCOMPARE(f.chart.historyBytes(), std::size_t(0));
    f.chart.setMarked(true);   // a span that starts again
    f.feed(10);
    QCOMPARE(f.chart.history(0).size(), std::size_t(10));
    QCOMPARE(f.chart.marks().size(), std::size_t(1));
    QCOMPARE(f.chart.viewEnd(), f.chart.latestTime());
}

void TestWidgets::chartTimeStampsInOrder()
{
    FedChart f;
    f.chart.addTimeStamp(0.1, "first");
    f.now += 1;
    f.chart.addTimeStamp(0.1, "same second");
    f.chart.addTimeStamp(0.5, "same second");
    f.now -= 30;   // the clock steps back: the stamp must not go back with it
    f.chart.addTimeStamp(0.9, "after a step back");
    f.chart.addSample(0, 1);
    const auto &stamps = f.chart.timeStamps();
    QCOMPARE(int(stamps.size()), 4);
    QCOMPARE(stamps[0].text, QString("first"));
    QCOMPARE(stamps[1].text, stamps[2].text);
    QCOMPARE(stamps[2].number, 0.5);
    QCOMPARE(stamps[3].text, QString("after a step back"));
    for (std::size_t i = 1; i < stamps.size(); ++i)
        QVERIFY(stamps[i].time >= stamps[i - 1].time);
    QCOMPARE(f.chart.history(0).time(0), stamps[3].time);
}

void TestWidgets::chartFollowsThenStaysPutAfterPan()
{
    FedChart f;
    f.chart.setTimeSpan(10);
    f.chart.show();
    f.feed(200 * 30);
    QVERIFY(f.chart.isFollowing());
    QCOMPARE(f.chart.viewEnd(), f.chart.latestTime());
    f.feed(200);
    QCOMPARE(f.chart.viewEnd(), f.chart.latestTime());   // new data scrolls in

    // Right-drag a quarter of the plot to the right: the view goes 2.5 s back.
    const QRect plot = f.chart.plotRect();
    const QPoint from = plot.center();
    const double endBefore = f.chart.viewEnd();
    QTest::mousePress(&f.chart, Qt::RightButton, {}, from);
    QTest::mouseMove(&f.chart, from + QPoint(plot.width() / 4, 0));
    QTest::mouseRelease(&f.chart, Qt::RightButton, {}, from + QPoint(plot.width() / 4, 0));
    QVERIFY(!f.chart.isFollowing());
    const double pinned = f.chart.viewEnd();
    QVERIFY(std::abs(pinned - (endBefore - 2.5)) < 0.05);

    f.feed(200 * 5);
    QCOMPARE(f.chart.viewEnd(), pinned);   // stays put while data keeps coming
    QVERIFY(std::abs(f.chart.scrollBack() - (f.chart.latestTime() - pinned)) < 1e-9);

    // Dragging back past the newest data resumes following.
    QTest::mousePress(&f.chart, Qt::RightButton, {}, from);
    QTest::mouseMove(&f.chart, from - QPoint(plot.width(), 0));
    QTest::mouseRelease(&f.chart, Qt::RightButton, {}, from - QPoint(plot.width(), 0));
    QVERIFY(f.chart.isFollowing());

    // Not further back than the first sample; End returns to live.
    f.chart.setScrollBack(1e6);
    QCOMPARE(f.chart.viewEnd(), f.chart.history(0).time(0));
    f.chart.setFocus();
    QTest::keyClick(&f.chart, Qt::Key_End);
    QVERIFY(f.chart.isFollowing());
}

void TestWidgets::chartZoomArrowsAndButtons()
{
    FedChart f;
    f.chart.show();
    QSignalSpy pressed(&f.chart, &StripChart::mouseButtonPressed);
    QCOMPARE(f.chart.timeSpan(), 60.0);
    QTest::mouseClick(&f.chart, Qt::LeftButton, {}, f.chart.zoomOutRect().center());
    QCOMPARE(f.chart.timeSpan(), 120.0);
    QTest::mouseClick(&f.chart, Qt::LeftButton, {}, f.chart.zoomInRect().center());
    QTest::mouseClick(&f.chart, Qt::LeftButton, {}, f.chart.zoomInRect().center());
    QCOMPARE(f.chart.timeSpan(), 30.0);
    QCOMPARE(pressed.count(), 0);   // the arrows are not clicks on the chart
    // Zooming stops at the shortest and the longest span.
    for (int i = 0; i < 20; ++i)
        f.chart.zoomIn();
    QCOMPARE(f.chart.timeSpan(), 5.0);
    for (int i = 0; i < 20; ++i)
        f.chart.zoomOut();
    QCOMPARE(f.chart.timeSpan(), 3600.0);
    f.chart.setTimeSpan(0);   // refused: the span stays
    QCOMPARE(f.chart.timeSpan(), 3600.0);

    QTest::mouseClick(&f.chart, Qt::LeftButton, {}, f.chart.plotRect().center());
    QTest::mouseClick(&f.chart, Qt::RightButton, {}, f.chart.plotRect().center());
    QCOMPARE(pressed.count(), 2);
    QCOMPARE(pressed[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(pressed[1][0].value<Qt::MouseButton>(), Qt::RightButton);
}

namespace {

// The rows as a table of every millisecond gives them: each trace's value at
// the end of each millisecond, a row where that differs from the one before.
QStringList rowsByMillisecond(const SampleHistory (&h)[2], long long ms)
{
    QStringList rows;
    std::size_t next[2] = {0, 0};
    float v[2] = {NAN, NAN};
    QString last = "nan nan";
    for (; next[0] < h[0].size() || next[1] < h[1].size(); ++ms) {
        for (int i : {0, 1})
            for (; next[i] < h[i].size() && SampleHistory::toMs(h[i].time(next[i])) == ms; ++next[i])
                v[i] = h[i].value(next[i]);
        const QString now = QString("%1 %2").arg(v[0]).arg(v[1]);
        if (now != last)
            rows << QString::number(ms) + ' ' + now;
        last = now;
    }
    return rows;
}

} // namespace

void TestWidgets::changeRowsAgainstEveryMillisecond_data()
{
    QTest::addColumn<int>("samples0");
    QTest::addColumn<int>("samples1");
    QTest::addColumn<int>("maxStepMs");   // steps of 0 put samples in the same millisecond
    QTest::addColumn<double>("repeatChance");
    QTest::newRow("two traces over several blocks") << 2000 << 1500 << 3 << 0.8;
    QTest::newRow("every sample a change") << 600 << 600 << 2 << 0.0;
    QTest::newRow("nothing but repeats") << 700 << 300 << 4 << 1.0;
    QTest::newRow("one trace empty") << 0 << 900 << 2 << 0.5;
    QTest::newRow("many in one millisecond") << 1000 << 1000 << 1 << 0.3;
}

void TestWidgets::changeRowsAgainstEveryMillisecond()
{
    QFETCH(int, samples0);
    QFETCH(int, samples1);
    QFETCH(int, maxStepMs);
    QFETCH(double, repeatChance);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> step(0, maxStepMs), value(-128, 127);
    std::bernoulli_distribution repeat(repeatChance);
    const long long start = 1'700'000'000'000;
    SampleHistory h[2];
    for (int i : {0, 1}) {   // trace 1 starts later: the first rows have no value for it
        float v = 25;
        long long ms = start + 50 * i;
        for (int k = 0; k < (i ? samples1 : samples0); ++k, ms += step(rng)) {
            if (!repeat(rng))
                v = static_cast<float>(value(rng));
            h[i].append(SampleHistory::fromMs(ms), v);
        }
    }
    const SampleHistory *traces[] = {&h[0], &h[1]};
    QStringList rows;
    forEachChangeRow(traces, [&](long long ms, std::span<const float> v) {
        rows << QString("%1 %2 %3").arg(ms).arg(v[0]).arg(v[1]);
    });
    QCOMPARE(rows, rowsByMillisecond(h, start));
}

void TestWidgets::chartMenuOnAClickNotADrag_data()
{
    QTest::addColumn<int>("moveBy");   // pixels the mouse moves with the right button down
    QTest::newRow("click") << 0;
    QTest::newRow("a shaking hand") << QGuiApplication::styleHints()->startDragDistance() - 1;
    QTest::newRow("drag") << 60;
}

void TestWidgets::chartMenuOnAClickNotADrag()
{
    QFETCH(int, moveBy);
    const bool drag = moveBy >= QGuiApplication::styleHints()->startDragDistance();
    FedChart f;
    f.chart.show();
    f.feed(200 * 90);
    QSignalSpy asked(&f.chart, &StripChart::menuRequested);
    const QPoint from = f.chart.plotRect().center(), to = from + QPoint(moveBy, 0);
    QTest::mousePress(&f.chart, Qt::RightButton, {}, from);
    QTest::mouseMove(&f.chart, to);
    QTest::mouseRelease(&f.chart, Qt::RightButton, {}, to);
    QCOMPARE(f.chart.isFollowing(), !drag);
    QCOMPARE(asked.count(), drag ? 0 : 1);
    if (!drag)
        QCOMPARE(asked[0][0].toPoint(), f.chart.mapToGlobal(to));
    // Neither a left click nor F10 alone asks for it; Shift+F10 does.
    QTest::mouseClick(&f.chart, Qt::LeftButton, {}, from);
    QTest::keyClick(&f.chart, Qt::Key_F10);
    QTest::keyClick(&f.chart, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(asked.count(), drag ? 1 : 2);
}

void TestWidgets::chartPictureWithoutScreenCues()
{
    FedChart f;
    f.chart.show();
    f.feed(200 * 10, 40);
    f.chart.setScrollBack(2);   // the screen shows the way back to live data
    f.chart.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.chart));
    f.chart.setFocus();   // and a focus frame
    QImage picture(f.chart.size(), QImage::Format_RGB32);
    f.chart.renderPicture(picture);
    const QImage screen = f.chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The plot as on screen, traces and all; the arrows and the frame not.
    const QRect plot = f.chart.plotRect(), arrows = f.chart.zoomInRect().united(f.chart.zoomOutRect());
    QCOMPARE(picture.copy(plot), screen.copy(plot));
    QVERIFY(picture.copy(arrows) != screen.copy(arrows));
    for (const QRect &cue : {arrows, QRect(0, 0, f.chart.width(), 1)})
        for (int x = cue.left(); x <= cue.right(); ++x)
            QCOMPARE(picture.pixelColor(x, cue.top()), f.chart.palette().color(QPalette::Window));
}

// Marked spans are shaded behind the traces, in the saved picture too, and
// go with the samples when the chart is cleared.
void TestWidgets::chartShadesMarkedSpans()
{
    FedChart f;
    f.chart.setMarkCaption("Alert Detected");
    // Marked from 10 s to 30 s and from 40 s on; a mark that changes nothing is not kept.
    for (auto [marked, seconds] : {std::pair(false, 10), {true, 0}, {true, 20}, {false, 10}, {true, 5}}) {
        f.chart.setMarked(marked);
        f.feed(200 * seconds);
    }
    QCOMPARE(int(f.chart.marks().size()), 3);
    QVERIFY(QAccessible::queryAccessibleInterface(&f.chart)->text(QAccessible::Description).contains("Alert"));

    QImage picture(f.chart.size(), QImage::Format_RGB32);
    f.chart.renderPicture(picture);
    const QRect plot = f.chart.plotRect();
    const TimeScale time(plot, f.chart.viewStart(), f.chart.timeSpan());
    // Seconds before the newest sample: '#' shaded, '.' white, on a row no
    // trace crosses, and beside any grid line.
    QString shown;
    for (double before : {55.0, 40.0, 25.0, 11.0, 2.0, 0.1}) {
        const int x = qRound(time.x(f.chart.latestTime() - before));
        int white = 0;
        for (int dx : {-1, 0, 1})
            white += picture.pixel(x + dx, plot.top() + 3) == qRgb(255, 255, 255);
        shown += white == 0 ? '#' : white >= 2 ? '.' : '?';
    }
    QCOMPARE(shown, QString("..#.##"));
}

namespace {

struct Gauge {
    LinearGauge g;
    Gauge(double lo, double hi)
    {
        g.resize(300, g.sizeHint().height());
        g.setBand(lo, hi);
        g.setPointerValue(LinearGauge::LowPointer, lo);
        g.setPointerValue(LinearGauge::HighPointer, hi);
        g.show();
    }
    void drag(QPointF from, double toValue)
    {
        const QPoint a = from.toPoint();
        // Grabbing off the pointer's centre must not make it jump.
        const QPoint b(qRound(g.xAt(toValue) + (a.x() - from.x())), a.y());
        QTest::mousePress(&g, Qt::LeftButton, {}, a);
        QTest::mouseMove(&g, b);
        QTest::mouseRelease(&g, Qt::LeftButton, {}, b);
    }
};

} // namespace

void TestWidgets::gaugeDragHitsTheRightPointer_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<int>("pointer");
    QTest::addColumn<double>("to");
    QTest::newRow("low") << 128.0 << 218.0 << 1 << 54.0;
    QTest::newRow("high") << 128.0 << 218.0 << 2 << 240.0;
    QTest::newRow("low, pointers together") << 128.0 << 128.0 << 1 << 100.0;
    QTest::newRow("high, pointers together") << 128.0 << 128.0 << 2 << 150.0;
    QTest::newRow("low past high") << 20.0 << 30.0 << 1 << 60.0;
    QTest::newRow("high to the end") << 0.0 << 5.0 << 2 << 255.0;
}

void TestWidgets::gaugeDragHitsTheRightPointer()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(int, pointer);
    QFETCH(double, to);
    Gauge gauge(lo, hi);
    const int other = pointer == 1 ? 2 : 1;
    const int otherBefore = gauge.g.pointerPosition(other);
    QCOMPARE(gauge.g.pointerAt(gauge.g.grabPoint(pointer)), pointer);
    QSignalSpy moved(&gauge.g, &LinearGauge::pointerMoved);
    gauge.drag(gauge.g.grabPoint(pointer), to);
    QVERIFY(!moved.isEmpty());
    for (const QList<QVariant> &args : moved)
        QCOMPARE(args[0].toInt(), pointer);
    QVERIFY(std::abs(gauge.g.pointerValue(pointer) - to) <= 0.6);
    QCOMPARE(gauge.g.pointerPosition(pointer), qRound(to));
    QVERIFY(gauge.g.rect().contains(gauge.g.grabPoint(pointer).toPoint()));   // at the end too
    QCOMPARE(gauge.g.pointerPosition(other), otherBefore);
    QCOMPARE(gauge.g.bandStartPosition(), qRound(lo));   // the band is the program's to follow
    QCOMPARE(gauge.g.bandEndPosition(), qRound(hi));
}

void TestWidgets::gaugeBandMovesAsAWhole()
{
    Gauge gauge(100, 150);
    QSignalSpy moved(&gauge.g, &LinearGauge::pointerMoved);
    const QPointF inBand(gauge.g.xAt(125), gauge.g.grabPoint(0).y());
    QCOMPARE(gauge.g.pointerAt(inBand), 0);
    gauge.drag(inBand, 145);
    QVERIFY(!moved.isEmpty());
    QCOMPARE(moved.last()[0].toInt(), 0);
    QCOMPARE(gauge.g.bandStartPosition(), 120);
    QCOMPARE(gauge.g.bandEndPosition(), 170);
    QCOMPARE(gauge.g.pointerPosition(1), 100);
    QCOMPARE(gauge.g.pointerPosition(2), 150);

    // Pushed against the end of the scale it keeps its width.
    gauge.drag(gauge.g.grabPoint(0), 400);
    QCOMPARE(gauge.g.bandEndPosition(), 255);
    QCOMPARE(gauge.g.bandStartPosition(), 205);

    // A band only a few steps wide is still grabbed as the band, not by
    // the pointers standing at its ends.
    Gauge narrow(128, 131);
    QCOMPARE(narrow.g.pointerAt(narrow.g.grabPoint(0)), 0);
    QCOMPARE(narrow.g.pointerAt(narrow.g.grabPoint(1)), 1);
    QCOMPARE(narrow.g.pointerAt(narrow.g.grabPoint(2)), 2);

    // Outside the band and away from the pointers, nothing is grabbed.
    moved.clear();
    const QPointF empty(gauge.g.xAt(20), gauge.g.grabPoint(0).y());
    QCOMPARE(gauge.g.pointerAt(empty), -1);
    gauge.drag(empty, 60);
    QCOMPARE(moved.count(), 0);
    QCOMPARE(gauge.g.bandStartPosition(), 205);
}

void TestWidgets::gaugeProgrammaticMovesAreSilent()
{
    Gauge gauge(128, 218);
    QSignalSpy moved(&gauge.g, &LinearGauge::pointerMoved);
    gauge.g.setPointerValue(1, 55);
    gauge.g.setPointerValue(2, 90);
    gauge.g.setPointerValue(0, 10);
    gauge.g.setBand(3, 4);
    gauge.g.setBandStart(7);
    gauge.g.setBandEnd(9);
    QCOMPARE(moved.count(), 0);
    // Setters keep the pointers on the scale.
    gauge.g.setPointerValue(2, 300);
    gauge.g.setPointerValue(1, -5);
    gauge.g.setBandEnd(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(gauge.g.pointerValue(2), 255.0);
    QCOMPARE(gauge.g.pointerValue(1), 0.0);
    QCOMPARE(gauge.g.bandEnd(), 0.0);
    QCOMPARE(moved.count(), 0);

    // A user drag that stays within the same whole step is no move.
    gauge.g.setPointerValue(2, 90);
    const QPointF grab = gauge.g.grabPoint(2);
    QTest::mousePress(&gauge.g, Qt::LeftButton, {}, grab.toPoint());
    QTest::mouseRelease(&gauge.g, Qt::LeftButton, {}, grab.toPoint());
    QCOMPARE(moved.count(), 0);
    QCOMPARE(gauge.g.pointerPosition(2), 90);
}

void TestWidgets::gaugeKeyboard()
{
    Gauge gauge(128, 218);
    gauge.g.setFocus();
    QSignalSpy moved(&gauge.g, &LinearGauge::pointerMoved);
    QCOMPARE(gauge.g.currentPointer(), 2);
    QTest::keyClick(&gauge.g, Qt::Key_Right);
    QCOMPARE(gauge.g.pointerPosition(2), 219);
    QTest::keyClick(&gauge.g, Qt::Key_Space);
    QTest::keyClick(&gauge.g, Qt::Key_PageDown);
    QCOMPARE(gauge.g.pointerPosition(1), 118);
    QTest::keyClick(&gauge.g, Qt::Key_Space);
    QTest::keyClick(&gauge.g, Qt::Key_Left);
    QCOMPARE(gauge.g.bandStartPosition(), 127);
    QCOMPARE(gauge.g.bandEndPosition(), 217);
    QCOMPARE(moved.count(), 3);
    QCOMPARE(moved[0][0].toInt(), 2);
    QCOMPARE(moved[1][0].toInt(), 1);
    QCOMPARE(moved[2][0].toInt(), 0);
    // At the end of the scale a key changes nothing and says nothing.
    gauge.g.setPointerValue(2, 255);
    QTest::keyClick(&gauge.g, Qt::Key_Space);   // from the band back to the high pointer
    QCOMPARE(gauge.g.currentPointer(), 2);
    QTest::keyClick(&gauge.g, Qt::Key_PageUp);
    QCOMPARE(moved.count(), 3);
}

void TestWidgets::selectorKeys_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("right") << 3 << int(Qt::Key_Right) << 4;
    QTest::newRow("up") << 3 << int(Qt::Key_Up) << 4;
    QTest::newRow("left") << 3 << int(Qt::Key_Left) << 2;
    QTest::newRow("down") << 3 << int(Qt::Key_Down) << 2;
    QTest::newRow("home") << 5 << int(Qt::Key_Home) << 0;
    QTest::newRow("end") << 2 << int(Qt::Key_End) << 7;
    QTest::newRow("right at 7") << 7 << int(Qt::Key_Right) << 7;
    QTest::newRow("left at 0") << 0 << int(Qt::Key_Left) << 0;
    QTest::newRow("end at 7") << 7 << int(Qt::Key_End) << 7;
}

void TestWidgets::selectorKeys()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    RotarySelector s;
    s.setPosition(start);
    s.show();
    s.setFocus();
    QSignalSpy changed(&s, &RotarySelector::positionChanged);
    QTest::keyClick(&s, Qt::Key(key));
    QCOMPARE(s.position(), expected);
    QCOMPARE(changed.count(), expected == start ? 0 : 1);
    if (expected != start)
        QCOMPARE(changed[0][0].toInt(), expected);
}

void TestWidgets::selectorWheel_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("reports");
    QTest::newRow("one notch up") << 3 << QList<int>{120} << 4 << 1;
    QTest::newRow("one notch down") << 3 << QList<int>{-120} << 2 << 1;
    QTest::newRow("two notches at once") << 3 << QList<int>{240} << 5 << 1;
    QTest::newRow("two half notches") << 3 << QList<int>{60, 60} << 4 << 1;
    QTest::newRow("a half notch") << 3 << QList<int>{60} << 3 << 0;
    QTest::newRow("up at 7") << 7 << QList<int>{120} << 7 << 0;
    QTest::newRow("far down from 1") << 1 << QList<int>{-600} << 0 << 1;
}

void TestWidgets::selectorWheel()
{
    QFETCH(int, start);
    QFETCH(QList<int>, deltas);
    QFETCH(int, expected);
    QFETCH(int, reports);
    RotarySelector s;
    s.setPosition(start);
    s.show();
    QSignalSpy changed(&s, &RotarySelector::positionChanged);
    const QPointF at = s.knobCentre();
    for (int d : deltas) {
        QWheelEvent wheel(at, s.mapToGlobal(at), QPoint(), QPoint(0, d), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&s, &wheel);
    }
    QCOMPARE(s.position(), expected);
    QCOMPARE(changed.count(), reports);
}

void TestWidgets::selectorMouse()
{
    RotarySelector s;
    s.setLabels({"0.0625", "0.125", "0.25", "0.5", "  1", "  2", "  4", "  8"});
    s.resize(s.sizeHint());
    s.show();
    QCOMPARE(s.label(4), QString("  1"));
    QSignalSpy changed(&s, &RotarySelector::positionChanged);
    s.setPosition(2);
    s.setPosition(9);
    QCOMPARE(s.position(), 7);
    s.setPosition(-1);
    QCOMPARE(s.position(), 0);
    QCOMPARE(changed.count(), 0);

    // A click on each label turns the knob there.
    for (int i : {5, 0, 7, 3}) {
        QTest::mouseClick(&s, Qt::LeftButton, {}, s.labelRect(i).center().toPoint());
        QCOMPARE(s.position(), i);
        QCOMPARE(changed.last()[0].toInt(), i);
    }
    // Labels do not overlap one another or the knob.
    for (int i = 0; i < RotarySelector::PositionCount; ++i) {
        QVERIFY(s.rect().contains(s.labelRect(i).toRect()));
        for (int j = i + 1; j < RotarySelector::PositionCount; ++j)
            QVERIFY(!s.labelRect(i).intersects(s.labelRect(j)));
    }

    // Dragging the knob toward a label's direction turns it there.
    changed.clear();
    const QPoint centre = s.knobCentre().toPoint();
    QTest::mousePress(&s, Qt::LeftButton, {}, centre);
    QTest::mouseMove(&s, s.labelRect(6).center().toPoint());
    QTest::mouseRelease(&s, Qt::LeftButton, {}, s.labelRect(6).center().toPoint());
    QCOMPARE(s.position(), 6);
    QCOMPARE(changed.count(), 1);
    // ... and to the first position as to any other.
    QTest::mousePress(&s, Qt::LeftButton, {}, centre);
    QTest::mouseMove(&s, s.labelRect(0).center().toPoint());
    QTest::mouseRelease(&s, Qt::LeftButton, {}, s.labelRect(0).center().toPoint());
    QCOMPARE(s.position(), 0);
    QCOMPARE(changed.count(), 2);
    // Through the gap at the bottom the knob stays at its end, whichever
    // side the mouse comes out on.
    s.setPosition(7);
    changed.clear();
    const int r = qRound(s.knobRadius() * 0.8);
    QTest::mousePress(&s, Qt::LeftButton, {}, centre);
    for (QPoint step : {QPoint(r, r / 2), QPoint(r / 3, r), QPoint(0, r), QPoint(-r / 3, r)})
        QTest::mouseMove(&s, centre + step);
    QCOMPARE(s.position(), 7);
    QTest::mouseMove(&s, centre + QPoint(-r, 0));   // out of the gap on the far side
    QTest::mouseRelease(&s, Qt::LeftButton, {}, centre + QPoint(-r, 0));
    QCOMPARE(s.position(), 1);
    QCOMPARE(changed.count(), 1);
    // A press away from knob and labels turns nothing.
    QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(1, s.height() - 2));
    QCOMPARE(s.position(), 1);
}

void TestWidgets::percentBarClampsValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("shown");
    QTest::newRow("inside") << 60.0 << 60.0;
    QTest::newRow("real") << 49.8 << 49.8;
    QTest::newRow("above") << 150.0 << 100.0;
    QTest::newRow("below") << -3.0 << 0.0;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0.0;
}

void TestWidgets::percentBarClampsValue()
{
    QFETCH(double, value);
    QFETCH(double, shown);
    PercentBar bar;
    bar.setValue(value);
    QCOMPARE(bar.value(), shown);
}

namespace {

QImage rendered(QWidget &w)
{
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w.render(&image);
    return image;
}

} // namespace

void TestWidgets::panelEdgeLightAndShade_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("raised");
    QTest::newRow("raised grey") << QColor(192, 192, 192) << true;
    QTest::newRow("inset grey") << QColor(192, 192, 192) << false;
    QTest::newRow("raised red lamp") << QColor(255, 0, 0) << true;
    QTest::newRow("inset green lamp") << QColor(0, 255, 0) << false;
}

void TestWidgets::panelEdgeLightAndShade()
{
    QFETCH(QColor, background);
    QFETCH(bool, raised);
    Panel3D panel;
    panel.resize(60, 30);
    panel.setBackgroundColor(background);
    panel.setBevel(raised ? Panel3D::Raised : Panel3D::Inset);
    QCOMPARE(panel.backgroundColor(), background);
    const QImage image = rendered(panel);
    const QColor middle = image.pixelColor(30, 15);
    const QColor topLeft = image.pixelColor(0, 0), bottomRight = image.pixelColor(59, 29);
    const QColor top = image.pixelColor(30, 1), right = image.pixelColor(58, 15);
    QCOMPARE(middle, background);
    // A raised panel is lit from the top left, an inset one from the bottom
    // right; a coloured lamp keeps a visible edge of its own hue.
    const auto lighter = [](const QColor &a, const QColor &b) { return a.lightness() > b.lightness(); };
    QVERIFY(lighter(raised ? topLeft : middle, raised ? middle : topLeft));
    QVERIFY(lighter(raised ? top : middle, raised ? middle : top));
    QVERIFY(lighter(raised ? middle : bottomRight, raised ? bottomRight : middle));
    QVERIFY(lighter(raised ? middle : right, raised ? right : middle));
    QCOMPARE(topLeft.hslHue(), background.hslHue());

    panel.setBevelWidth(0);   // flat: the background to the very edge
    const QImage flat = rendered(panel);
    QCOMPARE(flat.pixelColor(0, 0), background);
    QCOMPARE(flat.pixelColor(59, 29), background);
}

void TestWidgets::panelMarginsFollowTheBevel_data()
{
    QTest::addColumn<int>("bevel");
    QTest::addColumn<int>("margin");
    QTest::newRow("default") << -1 << 4;
    QTest::newRow("wide") << 5 << 7;
    QTest::newRow("none") << 0 << 3;
    QTest::newRow("negative is none") << -3 << 3;
}

void TestWidgets::panelMarginsFollowTheBevel()
{
    QFETCH(int, bevel);
    QFETCH(int, margin);
    Panel3D panel(QStringLiteral("Graph"));
    if (bevel != -1)
        panel.setBevelWidth(bevel);
    QCOMPARE(panel.bevelWidth(), bevel == -1 ? 2 : std::max(0, bevel));
    // Children laid out in the panel keep off its edge.
    QCOMPARE(panel.contentsMargins(), QMargins(margin, margin, margin, margin));
}

void TestWidgets::panelCaptionInItsColour()
{
    Panel3D panel(QStringLiteral("Alert"));
    QCOMPARE(panel.caption(), QString("Alert"));
    const QSize shortHint = panel.sizeHint();
    panel.setCaption(QStringLiteral("No Alert Detected"));
    QVERIFY(panel.sizeHint().width() > shortHint.width());   // room for the longer caption
    QCOMPARE(panel.sizeHint().height(), shortHint.height());
    panel.resize(panel.sizeHint());
    panel.setTextColor(QColor(0, 0, 255));
    QCOMPARE(panel.textColor(), QColor(0, 0, 255));

    const auto countOf = [](const QImage &image, const QColor &colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    };
    QImage image = rendered(panel);
    QVERIFY(countOf(image, QColor(0, 0, 255)) > 10);
    // Centred by default: as much caption left of the middle as right of it.
    int left = 0, right = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).blue() > 128 && image.pixelColor(x, y).red() < 128)
                (x < image.width() / 2 ? left : right) += 1;
    QVERIFY(left > 0 && right > 0);
    panel.setCaptionAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(panel.captionAlignment(), Qt::AlignLeft | Qt::AlignVCenter);
    panel.resize(panel.width() * 3, panel.height());
    image = rendered(panel);
    int beyondHalf = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = image.width() / 2; x < image.width(); ++x)
            beyondHalf += image.pixelColor(x, y) == QColor(0, 0, 255);
    QCOMPARE(beyondHalf, 0);   // left-aligned in a panel three times its width

    panel.setCaption(QString());
    QCOMPARE(countOf(rendered(panel), QColor(0, 0, 255)), 0);
}

namespace {
// Counts events of one type that reach an object.
struct EventCounter : QObject {
    explicit EventCounter(QEvent::Type counted) : type(counted) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == type;
        return false;
    }
    QEvent::Type type;
    int count = 0;
};
} // namespace

// A new caption that needs no other room repaints the panel and leaves the
// window's layout alone: a lamp changing state must not lay out the window.
void TestWidgets::panelCaptionRelaysOnlyWhenItsSizeChanges()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *panel = new Panel3D(QStringLiteral("00"), &window);
    layout->addWidget(panel);
    window.show();
    QApplication::processEvents();
    EventCounter requests(QEvent::LayoutRequest);
    window.installEventFilter(&requests);
    panel->setCaption(QStringLiteral("88"));   // digits are all as wide
    QApplication::processEvents();
    QCOMPARE(requests.count, 0);
    panel->setCaption(QStringLiteral("88888888"));
    QApplication::processEvents();
    QCOMPARE(requests.count, 1);
}

// Samples every few milliseconds give a frame now and then, not one each,
// and the last of them is drawn by a frame that follows.
void TestWidgets::chartPaintsAtFrameRate()
{
    FedChart f;
    f.chart.show();
    QApplication::processEvents();
    EventCounter paints(QEvent::Paint);
    f.chart.installEventFilter(&paints);
    for (int i = 0; i < 100; ++i) {
        f.feed(1);
        QApplication::processEvents();
    }
    QVERIFY2(paints.count <= 10, qPrintable(QString::number(paints.count)));
    const int afterBurst = paints.count;
    QTRY_VERIFY(paints.count > afterBurst);
    // A zoom repaints a chart that no sample comes to.
    const int beforeZoom = paints.count;
    f.chart.zoomOut();
    QTRY_VERIFY(paints.count > beforeZoom);
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
