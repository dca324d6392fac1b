#pragma once
#include "monitor/alertchange.h"
#include "monitor/alerthold.h"
#include "monitor/alertepisode.h"

#include <QObject>
#include <cstdint>

class QTimer;
class QWidget;

namespace ort {

struct Services;
class AlertPanel;
class BarPanel;
class GraphPanel;
class LogPanel;

// The measurement cycle of the "Control Center" page: Timer1's tick reads
// the chip and feeds the alert lamp, the strip chart, the bars and the log,
// each step under its toggle; ApplyMonitorToggles starts and stops Timer1
// from the three monitoring toggles. It owns Timer1 and runs the toggles'
// handlers; the panels are the composing window's.
class MeasurementCycle : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 5;

    MeasurementCycle(Services &services, AlertPanel &alert, GraphPanel &graph, BarPanel &bars, LogPanel &log,
                     QObject *parent = nullptr);

    void Timer1_Timer();
    void ApplyMonitorToggles();
    void alert_button_Click();
    // The two graph toggles do the same.
    void Check1_Click() { graphToggled(); }
    void Check2_Click() { graphToggled(); }
    // Logging was switched on: it needs a graph, so graphing starts when
    // neither graph is on.
    void startGraphingForLog();

    // The panels it feeds, for the controls that switch its toggles.
    AlertPanel &alertPanel() const { return m_alert; }
    GraphPanel &graphPanel() const { return m_graph; }
    BarPanel &barPanel() const { return m_bars; }
    LogPanel &logPanel() const { return m_log; }

    // The chip's conversion rate code, as the rate selector last knew it:
    // the lamp holds an alert for a conversion period at that rate.
    void setConversionRate(int code) { m_rateCode = code; }

    QTimer &Timer1() const { return *m_measurementTimer; }
    // Disables Timer1 and leaves the toggles as they are (a change of tab).
    void stopTimer1();

signals:
    // An alert began or ended, by a tick's status read: the lamp's first turn
    // to "Alert Detected", and its return once it has stayed back a quiet
    // time (or alert checking stops); never while alert checking is off. The
    // limits are not read for it.
    void alertChanged(const ort::AlertChange &change);

private:
    void tick();
    void graphToggled();
    int16_t readTemperature(uint8_t reg);
    void busFailure(std::exception_ptr error);

    Services &m_services;
    AlertPanel &m_alert;
    GraphPanel &m_graph;
    BarPanel &m_bars;
    LogPanel &m_log;
    QTimer *m_measurementTimer;
    AlertHold m_alertHold;
    AlertEpisode<AlertChange> m_episode;
    // The alert as the ticks last showed it. A toggle's click paints the lamp
    // green until the next tick, which is no change of the chip's state.
    bool m_alertShown = false;
    int m_rateCode = 2;   // the chip's power-on rate
};

} // namespace ort
