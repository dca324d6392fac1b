#include "monitor/limitgauges.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "link/chip.h"
#include "monitor/barpanel.h"
#include "monitor/limitscale.h"
#include "widgets/lineargauge.h"
#include "widgets/percentbar.h"

#include <QEvent>
#include <QVBoxLayout>

namespace ort {

namespace {
constexpr int LowCaption = 2;
constexpr int HighCaption = 3;
} // namespace

LimitGauges::LimitGauges(Services &services, BarPanel &bars, QObject *parent)
    : QObject(parent), m_services(services)
{
    setObjectName("LimitGauges");
    auto make = [&](const char *name, const QString &limits, const QString &low, const QString &high,
                    QVBoxLayout *slot) {
        auto *w = new LinearGauge(&bars);
        w->setObjectName(name);
        w->setAccessibleName(limits);
        // Positions are temperatures + 128.
        w->setReadingOffset(-128);
        w->setReadingUnit(QStringLiteral(" °C"));
        w->setPointerName(LinearGauge::LowPointer, low);
        w->setPointerName(LinearGauge::HighPointer, high);
        w->setToolTip(tr("Drag the pointers to change the limits"));
        //: Under the gauge: the low limit's pointer on the left, the high one's on the right.
        w->setLabel(tr("Min   Max"));
        slot->addWidget(w);
        w->installEventFilter(this);
        return w;
    };
    // An assistive tool walks the children in stacking order: each gauge goes
    // right after its bar.
    m_gauges[Remote] = {make("LGauge1", tr("Remote temperature limits"), tr("Remote temperature low limit"),
                             tr("Remote temperature high limit"), bars.remoteGaugeSlot()),
                        chip::RemoteHighLimitWrite, chip::RemoteLowLimitWrite, chip::RemoteHighLimitRead,
                        chip::RemoteLowLimitRead, {}, false};
    // Between the two bars, where it is on the screen (gauges do not overlap bars).
    m_gauges[Remote].widget->stackUnder(bars.localBar());
    m_gauges[Local] = {make("LGauge2", tr("Local temperature limits"), tr("Local temperature low limit"),
                            tr("Local temperature high limit"), bars.localGaugeSlot()),
                       chip::LocalHighLimitWrite, chip::LocalLowLimitWrite, chip::LocalHighLimitRead,
                       chip::LocalLowLimitRead, {}, false};

    for (Which which : {Local, Remote}) {
        // Each value an assistive tool sets is a move of its own, as a press starts one.
        connect(m_gauges[which].widget, &LinearGauge::moveStarted, this,
                [this, which] { m_gauges[which].abandoned = false; });
        connect(m_gauges[which].widget, &LinearGauge::pointerMoved, this, [this, which](int pointer) {
            Gauge &g = m_gauges[which];
            // A failed write abandons the drag: the pointer stays where the
            // chip's limit is until the next press.
            if (g.abandoned) {
                showKnown(g);
                return;
            }
            runGuarded(m_services.ui, g.widget->window(), [&] { LGauge_PointerMoved(which, pointer); },
                       [&] {
                           g.abandoned = true;
                           showKnown(g);
                       });
        });
    }
}

bool LimitGauges::eventFilter(QObject *watched, QEvent *event)
{
    // A press or a key starts a new move of the pointers.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
        for (Gauge &g : m_gauges)
            if (g.widget == watched)
                g.abandoned = false;
    return QObject::eventFilter(watched, event);
}

void LimitGauges::writeLimit(uint8_t address, int position)
{
    m_services.link.write(address, limitByte(position));
}

void LimitGauges::LGauge_PointerMoved(Which which, int pointer)
{
    if (m_services.declare.GaugeEventsBlocked == 1)
        return;
    Gauge &g = m_gauges[which];
    LinearGauge *w = g.widget;
    int lo = 0, hi = 0;
    switch (pointer) {
    case LinearGauge::HighPointer:
        // Against the band's stored start, which every path keeps at the low pointer.
        hi = separatedHigh(w->pointerPosition(LinearGauge::HighPointer), w->bandStartPosition());
        lo = w->pointerPosition(LinearGauge::LowPointer);
        break;
    case LinearGauge::LowPointer:
        lo = separatedLow(w->pointerPosition(LinearGauge::LowPointer), w->bandEndPosition());
        hi = w->pointerPosition(LinearGauge::HighPointer);
        break;
    case LinearGauge::Band:
        lo = w->bandStartPosition();
        hi = w->bandEndPosition();
        break;
    default:
        return;
    }
    // At an end of the scale, or with limits that were set closer elsewhere
    // (a band too narrow to move), the rule cannot be kept: the drag writes
    // nothing and the gauge shows what the chip holds.
    if (!limitsApart(lo, hi)) {
        showKnown(g);
        return;
    }
    switch (pointer) {
    case LinearGauge::HighPointer:
        w->setBandEnd(hi);
        w->setPointerValue(LinearGauge::HighPointer, hi);
        writeLimit(g.highWrite, hi);
        g.shown.high = hi;
        break;
    case LinearGauge::LowPointer:
        w->setBandStart(lo);
        w->setPointerValue(LinearGauge::LowPointer, lo);
        writeLimit(g.lowWrite, lo);
        g.shown.low = lo;
        break;
    default:
        w->setPointerValue(LinearGauge::LowPointer, lo);
        w->setPointerValue(LinearGauge::HighPointer, hi);
        writeLimit(g.lowWrite, lo);
        g.shown.low = lo;
        g.shown.lowCaption = positionCaption(lo);
        writeLimit(g.highWrite, hi);
        g.shown.high = hi;
        break;
    }
    w->setCaption(HighCaption, positionCaption(hi));
    w->setCaption(LowCaption, positionCaption(lo));
    g.shown.highCaption = w->caption(HighCaption);
    g.shown.lowCaption = w->caption(LowCaption);
}

void LimitGauges::show(Gauge &g, int low, int high)
{
    g.widget->setBand(low, high);
    g.widget->setPointerValue(LinearGauge::LowPointer, low);
    g.widget->setPointerValue(LinearGauge::HighPointer, high);
}

void LimitGauges::showKnown(Gauge &g)
{
    show(g, g.shown.low, g.shown.high);
    g.widget->setCaption(HighCaption, g.shown.highCaption);
    g.widget->setCaption(LowCaption, g.shown.lowCaption);
}

std::pair<int, int> LimitGauges::shownLimits(Which which) const
{
    // A position on the scale is the temperature plus 128.
    const Shown &shown = m_gauges[which].shown;
    return {shown.high - 128, shown.low - 128};
}

std::pair<int, int> LimitGauges::PlaceLimits(Which which)
{
    Gauge &g = m_gauges[which];
    const int highByte = m_services.link.read(g.highRead);
    g.shown.high = GaugePosition(highByte);
    g.shown.highCaption = LimitCaption(highByte);
    g.widget->setBandEnd(g.shown.high);
    g.widget->setPointerValue(LinearGauge::HighPointer, g.shown.high);

    const int lowByte = m_services.link.read(g.lowRead);
    g.shown.low = GaugePosition(lowByte);
    g.shown.lowCaption = LimitCaption(lowByte);
    g.widget->setBandStart(g.shown.low);
    g.widget->setPointerValue(LinearGauge::LowPointer, g.shown.low);
    return {highByte, lowByte};
}

void LimitGauges::captionLimits(Which which, int highByte, int lowByte)
{
    Gauge &g = m_gauges[which];
    g.shown.highCaption = LimitCaption(highByte);
    g.shown.lowCaption = LimitCaption(lowByte);
    g.widget->setCaption(HighCaption, g.shown.highCaption);
    g.widget->setCaption(LowCaption, g.shown.lowCaption);
}

} // namespace ort
