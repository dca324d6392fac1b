#pragma once
#include "widgets/panel3d.h"

class QVBoxLayout;

namespace ort {

class PercentBar;
class TriStateCheckBox;

// The bar graphs panel: the bar graphs toggle and a captioned bar for each
// temperature. It keeps room beside each bar for that temperature's limit
// gauge, and beside both for the measurement controls (the conversion-rate
// selector and the easy setup); their owners fill the slots.
class BarPanel : public Panel3D {
    Q_OBJECT
public:
    static QString RemotePrefix();   // "Remote Temp. = "
    static QString LocalPrefix();    // "Local Temp. = "

    explicit BarPanel(QWidget *parent = nullptr);

    TriStateCheckBox *check1() const { return m_barsBox; }
    PercentBar *remoteBar() const { return m_remoteBar; }
    PercentBar *localBar() const { return m_localBar; }
    // Both bars to 0 with no text.
    void clearBars();

    // Empty columns, each with a vertical layout: under the remote bar, under
    // the local bar, and to the right of the bars.
    QVBoxLayout *remoteGaugeSlot() const { return m_remoteSlot; }
    QVBoxLayout *localGaugeSlot() const { return m_localSlot; }
    QVBoxLayout *controlsSlot() const { return m_controlsSlot; }

private:
    TriStateCheckBox *m_barsBox;
    PercentBar *m_remoteBar;
    PercentBar *m_localBar;
    QVBoxLayout *m_remoteSlot;
    QVBoxLayout *m_localSlot;
    QVBoxLayout *m_controlsSlot;
};

} // namespace ort
