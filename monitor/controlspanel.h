#pragma once
#include <QWidget>

class QLabel;
class QPushButton;

namespace ort {

struct Services;
class LimitGauges;
class MeasurementCycle;
class RotarySelector;

// The measurement controls of the "Control Center" page, beside the bars in
// SSPanel21: the conversion-rate selector Selector1 ("ADC Sampling") and the
// easy setup Command1. It also brings the page up to date from the chip each
// time the page is entered (RefreshMonitorControls).
class ControlsPanel : public QWidget {
    Q_OBJECT
public:
    static const QStringList RateLabels;   // "0.0625" ... "  8", conversions a second

    ControlsPanel(Services &services, MeasurementCycle &cycle, LimitGauges &gauges, QWidget *parent = nullptr);

    RotarySelector *selector() const { return m_rateKnob; }
    QPushButton *easySetupButton() const { return m_easySetupButton; }

    // The user turned Selector1: position n is rate code n.
    void Selector1_Click(int position);
    // Easy setup with the gauges' handler shut out while it moves them.
    void Command1_Click();
    void EasySetup();
    // Monitoring off, the chip out of standby, the rate and the limits read.
    void RefreshMonitorControls();

private:
    void showRate(int code);

    Services &m_services;
    MeasurementCycle &m_cycle;
    LimitGauges &m_gauges;
    QLabel *m_caption;
    RotarySelector *m_rateKnob;
    QPushButton *m_easySetupButton;
    int m_shownRate = 0;   // the rate code the chip was last known to hold
};

} // namespace ort
