#include "registers/infopanel.h"
#include "gui/twips.h"

#include <QGridLayout>
#include <QLabel>

namespace ort {

RegisterInfoPanel::RegisterInfoPanel(QWidget *parent) : CaptionedFrame(QString(), parent)
{
    setObjectName("SSPanel13");
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(layoutMargins());
    grid->setHorizontalSpacing(twips(this, 90));
    grid->setVerticalSpacing(twips(this, 45));

    // A caption names the readout it stands beside, as a screen reader reads it.
    auto text = [this](const QString &t, QLabel *readout = nullptr) {
        auto *caption = new QLabel(t, this);
        caption->setBuddy(readout);
        return caption;
    };
    auto field = [this](const char *name, const QString &initial) {
        auto *readout = new QLabel(initial, this);
        readout->setObjectName(name);
        readout->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        readout->setMinimumWidth(twips(this, 480));
        return readout;
    };

    m_type = new QLabel(QStringLiteral("Configuration"), this);
    m_type->setObjectName("Label6");
    QFont bold = m_type->font();
    bold.setBold(true);
    m_type->setFont(bold);
    m_type->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("Remote Temp. High Limit")) + 8);
    m_address = field("Label9", QStringLiteral("0"));
    m_readHex = field("Label16", QStringLiteral("0"));
    m_readDec = field("Label2", QStringLiteral("0"));
    m_writtenHex = field("Label12", QStringLiteral("0"));
    m_writtenDec = field("Label20", QStringLiteral("0"));

    m_type->setAccessibleDescription(tr("Current register type"));
    m_address->setAccessibleDescription(tr("Current register address, hex"));
    m_readHex->setAccessibleDescription(tr("Previous value read, hex"));
    m_readDec->setAccessibleDescription(tr("Previous value read, decimal"));
    m_writtenHex->setAccessibleDescription(tr("Previous value written, hex"));
    m_writtenDec->setAccessibleDescription(tr("Previous value written, decimal"));

    grid->setRowStretch(0, 1);
    grid->addWidget(text(tr("Current Register Type:"), m_type), 1, 0);
    grid->addWidget(m_type, 1, 1, 1, 2);
    grid->addWidget(text(tr("Current Register Address:"), m_address), 2, 0);
    grid->addWidget(m_address, 2, 1);
    grid->addWidget(text(tr("(Hex)")), 2, 2);
    grid->addWidget(text(tr("Previous value read :"), m_readHex), 3, 0);
    grid->addWidget(m_readHex, 3, 1);
    grid->addWidget(text(tr("(Hex)")), 3, 2);
    grid->addWidget(m_readDec, 4, 1);
    grid->addWidget(text(tr("(Dec)"), m_readDec), 4, 2);
    grid->addWidget(text(tr("Previous value written:"), m_writtenHex), 5, 0);
    grid->addWidget(m_writtenHex, 5, 1);
    grid->addWidget(text(tr("(Hex)")), 5, 2);
    grid->addWidget(m_writtenDec, 6, 1);
    grid->addWidget(text(tr("(Dec)"), m_writtenDec), 6, 2);
    grid->setRowStretch(7, 1);
}

} // namespace ort
