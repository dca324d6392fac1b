#include "monitor/oneshotpanel.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "gui/twips.h"
#include "link/chip.h"
#include "monitor/temperature.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace ort {

OneShotPanel::OneShotPanel(Services &services, QWidget *parent)
    : CaptionedFrame(tr("One Shot"), parent), m_services(services)
{
    setObjectName("SSPanel4");
    m_standby = new ToggleButton("SSRibbon3", this, 480, 330);
    m_standby->setAccessibleName(tr("Standby Mode"));
    m_status = new Panel3D(tr("Standby Mode is Off"), this);
    m_status->setObjectName("SSPanel2");
    m_status->setBevel(Panel3D::Inset);
    m_status->setFixedSize(fontMetrics().horizontalAdvance(tr("Standby Mode is Off")) + twips(this, 360),
                           m_standby->height());

    m_oneShot = new QPushButton(tr("Make One-Shot Measurement"), this);
    m_oneShot->setObjectName("CommandButton1");
    m_oneShot->setEnabled(false);   // only while standby is on

    auto *foundCaption = new QLabel(tr("Temperature Found:"), this);
    foundCaption->setObjectName("Label18");
    m_found = new QLabel(this);
    m_found->setObjectName("Label1");
    m_found->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_found->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    foundCaption->setBuddy(m_found);
    // Named by its caption, so that it is there for a screen reader before
    // the first reading too; the reading is its description.
    m_found->setAccessibleName(tr("Temperature Found"));
    m_found->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-128C")) + twips(this, 240));

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(layoutMargins());
    row->setSpacing(twips(this, 90));
    row->addStretch(1);
    row->addWidget(m_standby);
    row->addWidget(m_status);
    row->addSpacing(twips(this, 600));
    row->addWidget(m_oneShot);
    row->addSpacing(twips(this, 600));
    row->addWidget(foundCaption);
    row->addWidget(m_found);
    row->addStretch(1);

    // Every change of state, however made (mouse, key, an assistive action);
    // the editor's redraw moves the toggle with the signal blocked.
    connect(m_standby, &QToolButton::toggled, this, [this](bool down) {
        // Nothing was written: the toggle goes back to what the chip holds.
        runGuarded(m_services.ui, window(), [&] { SSRibbon3_Click(down); }, [&] { showStandby(!down); });
    });
    connect(m_oneShot, &QPushButton::clicked, this,
            [this] { runGuarded(m_services.ui, window(), [this] { CommandButton1_Click(); }); });
}

void OneShotPanel::showFound(const QString &reading)
{
    m_found->setText(reading);
    m_found->setAccessibleDescription(reading);
}

void OneShotPanel::showStandby(bool standby)
{
    m_status->setCaption(standby ? tr("Standby Mode is On") : tr("Standby Mode is Off"));
    {
        const QSignalBlocker quiet(m_standby);
        m_standby->setChecked(standby);
    }
    m_oneShot->setEnabled(standby);
}

void OneShotPanel::SSRibbon3_Click(bool down)
{
    int config;
    if (down) {
        m_status->setCaption(tr("Standby Mode is On"));
        m_oneShot->setEnabled(true);
        config = m_services.link.read(chip::ConfigurationRead) | chip::ConfigStandby;
    } else {
        m_status->setCaption(tr("Standby Mode is Off"));
        m_oneShot->setEnabled(false);
        // The alert mask stays; standby and the unused bits are cleared.
        config = m_services.link.read(chip::ConfigurationRead) & chip::ConfigAlertMasked;
    }
    m_services.link.write(chip::ConfigurationWrite, config);
}

void OneShotPanel::CommandButton1_Click()
{
    const Declare &d = m_services.declare;
    m_services.link.write(chip::OneShot, 0xFF);
    // No wait: the register holds whatever it holds when the read comes.
    const int t = decodeTemperature(m_services.link.read(chip::RemoteTemperature));
    // Here the SMBus route is BusMedium 0 and every other value the printer port.
    const chip::Route route = chip::routeOf(d.BusMedium);
    showFound(oneShotCaption(t, route));
    if (route == chip::Route::PrinterPort && t >= 0)
        emit remoteBarLevel(percentBarLevel(t));
}

} // namespace ort
