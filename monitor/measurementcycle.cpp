#include "monitor/measurementcycle.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "gui/tristatecheckbox.h"
#include "link/chip.h"
#include "log/logpanel.h"
#include "monitor/alertpanel.h"
#include "monitor/barpanel.h"
#include "monitor/graphpanel.h"
#include "monitor/temperature.h"
#include "widgets/percentbar.h"
#include "widgets/stripchart.h"

#include <QTimer>

namespace ort {

MeasurementCycle::MeasurementCycle(Services &services, AlertPanel &alert, GraphPanel &graph, BarPanel &bars,
                                   LogPanel &log, QObject *parent)
    : QObject(parent), m_services(services), m_alert(alert), m_graph(graph), m_bars(bars), m_log(log)
{
    setObjectName("MeasurementCycle");
    // No interval until a toggle starts it.
    m_measurementTimer = new QTimer(this);
    m_measurementTimer->setObjectName("Timer1");
    m_measurementTimer->setTimerType(Qt::PreciseTimer);
    m_measurementTimer->setInterval(0);
    connect(m_measurementTimer, &QTimer::timeout, this, &MeasurementCycle::Timer1_Timer);

    // A toggle's handler runs on every change of its value, by a click or by
    // the program.
    connect(m_alert.alertButton(), &TriStateCheckBox::valueChanged, this, &MeasurementCycle::alert_button_Click);
    connect(m_bars.check1(), &TriStateCheckBox::valueChanged, this, &MeasurementCycle::Check1_Click);
    connect(m_graph.check2(), &TriStateCheckBox::valueChanged, this, &MeasurementCycle::Check2_Click);
    connect(&m_log, &LogPanel::loggingSwitchedOn, this, &MeasurementCycle::startGraphingForLog);
}

void MeasurementCycle::ApplyMonitorToggles()
{
    const bool graphing = m_graph.check2()->isOn();
    const bool alert = m_alert.alertButton()->isOn();
    const bool bars = m_bars.check1()->isOn();
    if (graphing || alert || bars) {
        if (m_measurementTimer->interval() != IntervalMs)
            m_measurementTimer->setInterval(IntervalMs);
        if (!m_measurementTimer->isActive())
            m_measurementTimer->start();
    } else {
        m_measurementTimer->stop();
    }

    m_graph.check2()->setText(graphing ? tr("Graphing Now") : tr("Graphing Stopped"));
    if (alert) {
        m_alert.alertButton()->setText(tr("Checking for a software Alert"));
        m_alert.setLamp(AlertPanel::Lamp::NoAlert);
    } else {
        m_alert.alertButton()->setText(tr("Not checking for a software Alert"));
        m_alert.setLamp(AlertPanel::Lamp::Off);
        m_alertShown = false;
        // An end that came while the alert was checked is still told.
        if (std::optional<AlertChange> end = m_episode.finish())
            emit alertChanged(*end);
    }
    if (bars) {
        m_bars.check1()->setText(tr("Bargraphs are On"));
    } else {
        m_bars.check1()->setText(tr("Bargraphs are Off"));
        m_bars.clearBars();
    }
}

void MeasurementCycle::alert_button_Click()
{
    ApplyMonitorToggles();
}

void MeasurementCycle::graphToggled()
{
    ApplyMonitorToggles();
    // Records are written only while a graph is on.
    if (!m_bars.check1()->isOn() && !m_graph.check2()->isOn())
        m_log.setLogging(TriStateCheckBox::Off);
}

void MeasurementCycle::startGraphingForLog()
{
    if (!m_bars.check1()->isOn() && !m_graph.check2()->isOn())
        m_graph.check2()->setValue(TriStateCheckBox::On);
}

void MeasurementCycle::stopTimer1()
{
    m_measurementTimer->stop();
}

void MeasurementCycle::Timer1_Timer()
{
    // The clear-alert sequence is between its start and its stop: a read now
    // would break into its bus transaction. The next tick reads.
    if (m_alert.busHeld())
        return;
    FailureNotice &failures = m_services.ui.failures();
    const int failed = failures.count();
    try {
        tick();
    } catch (...) {
        busFailure(std::current_exception());
        return;
    }
    // A tick that wrote its record and read the chip clears the last failure.
    if (failures.count() == failed)
        failures.clear();
}

int16_t MeasurementCycle::readTemperature(uint8_t reg)
{
    return decodeTemperature(m_services.link.read(reg));
}

void MeasurementCycle::tick()
{
    // What the log gets: step 3's readings when the bars are on, else step 2's.
    int16_t RemoteReading = 0;
    int16_t LocalReading = 0;
    std::optional<AlertChange> change;
    if (m_alert.alertButton()->isOn()) {
        const bool flagged = m_services.link.AnyLimitFlagSet() == 1;
        const auto status = static_cast<uint8_t>(m_services.declare.ReadValue);
        const bool alert = m_alertHold.read(flagged, m_services.clock.now(), conversionPeriod(m_rateCode));
        m_alert.setLamp(alert ? AlertPanel::Lamp::Alert : AlertPanel::Lamp::NoAlert);
        if (alert != m_alertShown) {
            change.emplace();
            change->alert = alert;
            change->status = status;
        }
    }

    if (m_graph.check2()->isOn()) {
        // The chart shades what the lamp shows, the hold included.
        m_graph.chart()->setMarked(m_alert.lampState() == AlertPanel::Lamp::Alert);
        RemoteReading = readTemperature(chip::RemoteTemperature);
        m_graph.chart()->addSample(GraphPanel::RemoteTrace, RemoteReading);
        LocalReading = readTemperature(chip::LocalTemperature);
        m_graph.chart()->addSample(GraphPanel::LocalTrace, LocalReading);
    }

    if (m_bars.check1()->isOn()) {
        const chip::Route route = chip::routeOf(m_services.declare.BusMedium);
        auto show = [&](uint8_t reg, PercentBar *bar, const QString &prefix) {
            const int16_t t = readTemperature(reg);
            bar->setValue(percentBarLevel(t));
            bar->setReading(t);
            bar->setText(barCaption(prefix, t, route));
            return t;
        };
        RemoteReading = show(chip::RemoteTemperature, m_bars.remoteBar(), BarPanel::RemotePrefix());
        LocalReading = show(chip::LocalTemperature, m_bars.localBar(), BarPanel::LocalPrefix());
    }

    const bool temperaturesRead = m_graph.check2()->isOn() || m_bars.check1()->isOn();
    m_log.tick(RemoteReading, LocalReading, temperaturesRead);
    // Told with what the tick read: a change costs no transfer of its own.
    if (change) {
        if (temperaturesRead)
            change->temperatures = {RemoteReading, LocalReading};
        m_alertShown = change->alert;
    }
    if (std::optional<AlertChange> told = m_episode.read(std::move(change), m_services.clock.now()))
        emit alertChanged(*told);
}

// A failed transfer stops monitoring instead of bringing the box back on
// every tick, and its box names the bus failure, not the log file. While the
// box is open the displays still show what this tick read; monitoring is
// switched off after it, through the toggles' handlers.
void MeasurementCycle::busFailure(std::exception_ptr error)
{
    const QString done = tr("Monitoring stopped.");
    m_measurementTimer->stop();
    m_log.stopLogging();
    const QString what = failureWords(error);
    m_services.ui.failures().report(failureLine(what, done));
    showFailureBoxLater(m_services.ui, m_alert.window(), failureMessage(what, done), [this] {
        m_alert.alertButton()->setValue(TriStateCheckBox::Off);
        m_bars.check1()->setValue(TriStateCheckBox::Off);
        m_graph.check2()->setValue(TriStateCheckBox::Off);
    });
}

} // namespace ort
