#include "monitor/alertpanel.h"
#include "gui/colours.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "gui/tristatecheckbox.h"
#include "gui/twips.h"
#include "link/chip.h"

#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <algorithm>

namespace ort {

namespace {
constexpr double StepPause = 0.01;   // seconds between the bus steps of the clear sequence

// The lamp asks for the room of its longest caption whatever it shows, so
// that a change of state repaints the lamp and does not lay out the window.
class LampPanel final : public Panel3D {
public:
    using Panel3D::Panel3D;
    QSize sizeHint() const override
    {
        const QFontMetrics fm = fontMetrics();
        const int m = 2 * (bevelWidth() + twips(this, 90));
        // The widest of its captions, in whatever language.
        int widest = 0;
        for (const QString &caption : {AlertPanel::tr("No Alert Detected"), AlertPanel::tr("Alert Detected"),
                                       AlertPanel::tr("Alert Detect Off")})
            widest = std::max(widest, fm.horizontalAdvance(caption));
        return QSize(widest + m, twips(this, 400));
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};
} // namespace

AlertPanel::AlertPanel(Services &services, QWidget *parent)
    : Panel3D(tr("Alert Status"), parent), m_services(services), m_pump(windowEventPump())
{
    setObjectName("SSPanel20");
    setCaptionAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_alertButton = new TriStateCheckBox(tr("Not checking for a software Alert"), this);
    m_alertButton->setObjectName("alert_button");
    m_lamp = new LampPanel(this);
    m_lamp->setObjectName("alert_detect_light");
    m_lamp->setAccessibleDescription(tr("Alert lamp"));
    m_lamp->setStatusIndicator(true);
    m_lamp->setBevel(Panel3D::Inset);
    setLamp(Lamp::Off);
    m_clearAlertButton = new QPushButton(tr("Clr Alert Hardware Int"), this);
    m_clearAlertButton->setObjectName("Command2");
    m_clearAlertButton->setToolTip(tr("Clear the Alert Hardware Interrupt"));

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(twips(this, 90), fontMetrics().height() + twips(this, 60), twips(this, 90),
                            twips(this, 90));
    box->setSpacing(twips(this, 60));
    box->addWidget(m_alertButton);
    box->addWidget(m_lamp);
    box->addWidget(m_clearAlertButton);

    connect(m_clearAlertButton, &QPushButton::clicked, this,
            [this] { runGuarded(m_services.ui, window(), [this] { Command2_Click(); }); });
}

void AlertPanel::setEventPump(EventPump pump)
{
    m_pump = pump ? std::move(pump) : windowEventPump();
}

void AlertPanel::setLamp(Lamp state)
{
    m_lampState = state;
    switch (state) {
    case Lamp::Off:
        m_lamp->setCaption(tr("Alert Detect Off"));
        m_lamp->setBackgroundColor(colour::LightGrey);
        break;
    case Lamp::NoAlert:
        m_lamp->setCaption(tr("No Alert Detected"));
        m_lamp->setBackgroundColor(colour::Green);
        break;
    case Lamp::Alert:
        m_lamp->setCaption(tr("Alert Detected"));
        m_lamp->setBackgroundColor(colour::Red);
        break;
    }
}

void AlertPanel::Command2_Click()
{
    // The measurement cycle keeps off the bus while the pauses let it run.
    const QScopedValueRollback hold(m_busHeld, true);
    // The alerting device's address is not shown.
    m_services.link.respondToAlert(LinkNewComPort::StatusFirst::Read,
                                   [this] { Pause(m_services.clock, StepPause, m_pump); });
}

} // namespace ort
