#include "monitor/oneshotpanel.h"
#include "gui/twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace ort {

OneShotPanel::OneShotPanel(QWidget *parent) : CaptionedFrame(QStringLiteral("One Shot"), parent)
{
    setObjectName("SSPanel4");
    m_standby = new ToggleButton("SSRibbon3", this, 480, 330);
    m_status = new Panel3D(QStringLiteral("Standby Mode is Off"), this);
    m_status->setObjectName("SSPanel2");
    m_status->setBevel(Panel3D::Inset);
    m_status->setFixedSize(fontMetrics().horizontalAdvance(QStringLiteral("Standby Mode is Off")) + twips(this, 360),
                           m_standby->height());

    m_oneShot = new QPushButton(QStringLiteral("Make One-Shot Measurement"), this);
    m_oneShot->setObjectName("CommandButton1");
    m_oneShot->setEnabled(false);   // only while standby is on

    auto *label = new QLabel(QStringLiteral("Temperature Found:"), this);
    label->setObjectName("Label18");
    m_found = new QLabel(this);
    m_found->setObjectName("Label1");
    m_found->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_found->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
    row->addWidget(label);
    row->addWidget(m_found);
    row->addStretch(1);
}

void OneShotPanel::showStandby(bool standby)
{
    m_status->setCaption(standby ? QStringLiteral("Standby Mode is On") : QStringLiteral("Standby Mode is Off"));
    {
        const QSignalBlocker quiet(m_standby);
        m_standby->setChecked(standby);
    }
    m_oneShot->setEnabled(standby);
}

} // namespace ort
