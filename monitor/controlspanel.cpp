#include "monitor/controlspanel.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "gui/tristatecheckbox.h"
#include "gui/twips.h"
#include "link/chip.h"
#include "monitor/alertpanel.h"
#include "monitor/barpanel.h"
#include "monitor/graphpanel.h"
#include "monitor/limitgauges.h"
#include "monitor/measurementcycle.h"
#include "widgets/rotaryselector.h"

#include <QLabel>
#include <QScopeGuard>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ort {

namespace {
// What the easy setup programs: the fastest rate, and both temperatures
// watched between 0 and 90 C.
constexpr int EasyRate = 7;
constexpr int EasyHighLimit = 90;
constexpr int EasyLowLimit = 0;
} // namespace

const QStringList ControlsPanel::RateLabels = {
    QStringLiteral("0.0625"), QStringLiteral("0.125"), QStringLiteral("0.25"), QStringLiteral("0.5"),
    QStringLiteral("  1"),    QStringLiteral("  2"),   QStringLiteral("  4"),  QStringLiteral("  8"),
};

ControlsPanel::ControlsPanel(Services &services, MeasurementCycle &cycle, LimitGauges &gauges, QWidget *parent)
    : QWidget(parent), m_services(services), m_cycle(cycle), m_gauges(gauges)
{
    setObjectName("MeasurementControls");
    m_caption = new QLabel(tr("ADC Sampling"), this);
    m_caption->setObjectName("Selector1Caption");
    m_caption->setAlignment(Qt::AlignHCenter);
    m_rateKnob = new RotarySelector(this);
    m_rateKnob->setObjectName("Selector1");
    m_rateKnob->setLabels(RateLabels);
    m_rateKnob->setAccessibleName(tr("ADC Sampling"));
    m_rateKnob->setAccessibleDescription(tr("Conversions a second"));
    m_caption->setBuddy(m_rateKnob);
    m_rateKnob->setToolTip(tr("Adjust the ADC Sampling rate"));
    m_easySetupButton = new QPushButton(tr("Easy Setup"), this);
    m_easySetupButton->setObjectName("Command1");
    m_easySetupButton->setToolTip(tr("Automatic easy setup"));

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(twips(this, 60));
    box->addWidget(m_caption);
    box->addWidget(m_rateKnob, 1);
    box->addWidget(m_easySetupButton);

    // Only the user's turns: the program's own settings of the position are silent.
    connect(m_rateKnob, &RotarySelector::positionChanged, this, [this](int position) {
        // Nothing was written: the knob goes back to the chip's rate.
        runGuarded(m_services.ui, window(), [&] { Selector1_Click(position); }, [this] { showRate(m_shownRate); });
    });
    connect(m_easySetupButton, &QPushButton::clicked, this,
            [this] { runGuarded(m_services.ui, window(), [this] { Command1_Click(); }); });
}

void ControlsPanel::showRate(int code)
{
    m_shownRate = code;
    m_cycle.setConversionRate(code);
    m_rateKnob->setPosition(code);
}

void ControlsPanel::Selector1_Click(int position)
{
    m_services.link.write(chip::ConversionRateWrite, position);
    m_shownRate = position;
    m_cycle.setConversionRate(position);
}

void ControlsPanel::Command1_Click()
{
    // GaugeEventsBlocked is 1 for exactly as long as the easy setup runs, and
    // back to 0 when it fails: the gauges must not stay deaf after a box.
    uint8_t &blocked = m_services.declare.GaugeEventsBlocked;
    blocked = 1;
    const auto unblock = qScopeGuard([&blocked] { blocked = 0; });
    EasySetup();
}

void ControlsPanel::EasySetup()
{
    LinkNewComPort &link = m_services.link;
    const auto write = [&link](uint8_t address, int value) { link.write(address, value); };
    write(chip::ConversionRateWrite, EasyRate);
    showRate(EasyRate);
    write(chip::LocalHighLimitWrite, EasyHighLimit);
    write(chip::LocalLowLimitWrite, EasyLowLimit);
    write(chip::RemoteHighLimitWrite, EasyHighLimit);
    write(chip::RemoteLowLimitWrite, EasyLowLimit);

    for (LimitGauges::Which which : {LimitGauges::Local, LimitGauges::Remote}) {
        const auto [high, low] = m_gauges.PlaceLimits(which);
        m_gauges.captionLimits(which, high, low);
    }

    QTimer &timer1 = m_cycle.Timer1();
    timer1.setInterval(MeasurementCycle::IntervalMs);
    timer1.start();
    // Each change runs that toggle's handler.
    m_cycle.graphPanel().check2()->setValue(TriStateCheckBox::On);
    m_cycle.alertPanel().alertButton()->setValue(TriStateCheckBox::On);
    m_cycle.alertPanel().setLamp(AlertPanel::Lamp::NoAlert);
    m_cycle.barPanel().check1()->setValue(TriStateCheckBox::On);
}

void ControlsPanel::RefreshMonitorControls()
{
    // Each change runs that toggle's handler: with all three off Timer1
    // stops and the bars are cleared.
    m_cycle.alertPanel().alertButton()->setValue(TriStateCheckBox::Off);
    m_cycle.graphPanel().check2()->setValue(TriStateCheckBox::Off);
    m_cycle.barPanel().check1()->setValue(TriStateCheckBox::Off);
    m_cycle.alertPanel().setLamp(AlertPanel::Lamp::Off);

    // Out of standby, so the chip converts while it is watched; the Read/Write
    // tab's toggle shows it again at that tab's next redraw.
    if (const int config = m_services.link.read(chip::ConfigurationRead); config & chip::ConfigStandby)
        m_services.link.write(chip::ConfigurationWrite, config & ~chip::ConfigStandby & 0xFF);

    // Codes above 7 act as 7 on the chip, and the knob stops there too.
    showRate(m_services.link.read(chip::ConversionRateRead));

    const auto [localHigh, localLow] = m_gauges.PlaceLimits(LimitGauges::Local);
    m_gauges.captionLimits(LimitGauges::Local, localHigh, localLow);
    const auto [remoteHigh, remoteLow] = m_gauges.PlaceLimits(LimitGauges::Remote);
    m_cycle.barPanel().clearBars();
    m_gauges.captionLimits(LimitGauges::Remote, remoteHigh, remoteLow);
}

} // namespace ort
