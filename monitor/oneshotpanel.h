#pragma once
#include "registers/panelparts.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace ort {

struct Services;

// The "One Shot" panel SSPanel4 of the "Read/Write" tab: the standby toggle
// SSRibbon3 with its status panel SSPanel2, and the one-shot button
// CommandButton1 with the temperature it found (Label18, Label1).
class OneShotPanel : public CaptionedFrame {
    Q_OBJECT
public:
    explicit OneShotPanel(Services &services, QWidget *parent = nullptr);

    QToolButton *standbyToggle() const { return m_standby; }
    Panel3D *standbyStatus() const { return m_status; }
    QPushButton *oneShotButton() const { return m_oneShot; }
    QLabel *temperatureFound() const { return m_found; }

    // Shows the chip's standby state as the register editor read it:
    // caption, toggle position and the one-shot button. The toggle's own
    // handler does not run, and nothing is written to the chip.
    void showStandby(bool standby);

    // The user put the standby toggle down (standby) or up.
    void SSRibbon3_Click(bool down);
    // One conversion in standby, and the remote temperature it found.
    void CommandButton1_Click();

signals:
    // The remote bar's level for a one-shot reading from 0 C up, on the
    // printer-port route; the bar is on another page.
    void remoteBarLevel(int level);

private:
    void showFound(const QString &reading);

    Services &m_services;
    QToolButton *m_standby;
    Panel3D *m_status;
    QPushButton *m_oneShot;
    QLabel *m_found;
};

} // namespace ort
