#pragma once
#include "monitor/pause.h"
#include "widgets/panel3d.h"

class QPushButton;

namespace ort {

struct Services;
class TriStateCheckBox;

// The "Alert Status" panel: the software alert check's toggle, the lamp
// that shows the chip's alert state, and the command that services the
// hardware alert over the bus.
class AlertPanel : public Panel3D {
    Q_OBJECT
public:
    enum class Lamp { Off, NoAlert, Alert };

    explicit AlertPanel(Services &services, QWidget *parent = nullptr);

    void Command2_Click();

    TriStateCheckBox *alertButton() const { return m_alertButton; }
    Panel3D *lamp() const { return m_lamp; }
    void setLamp(Lamp state);
    Lamp lampState() const { return m_lampState; }

    // True while the printer-port clear sequence is between its start and
    // its stop: its pauses let timer ticks run, and a transfer of theirs
    // would break into the bus transaction.
    bool busHeld() const { return m_busHeld; }

    // How the pauses of the clear sequence hand control to the event loop.
    void setEventPump(EventPump pump);

private:

    Services &m_services;
    EventPump m_pump;
    bool m_busHeld = false;
    Lamp m_lampState = Lamp::Off;
    TriStateCheckBox *m_alertButton;
    Panel3D *m_lamp;
    QPushButton *m_clearAlertButton;
};

} // namespace ort
