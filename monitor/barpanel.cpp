#include "monitor/barpanel.h"
#include "gui/tristatecheckbox.h"
#include "gui/twips.h"
#include "widgets/percentbar.h"

#include <QGridLayout>
#include <cmath>
#include <QVBoxLayout>

namespace ort {

QString BarPanel::RemotePrefix()
{
    return tr("Remote Temp. = ");
}

QString BarPanel::LocalPrefix()
{
    return tr("Local Temp. = ");
}

BarPanel::BarPanel(QWidget *parent) : Panel3D(parent)
{
    setObjectName("SSPanel21");

    m_barsBox = new TriStateCheckBox(tr("Bargraphs are Off"), this);
    m_barsBox->setObjectName("Check1");
    m_remoteBar = new PercentBar(this);
    m_remoteBar->setObjectName("Percent2");
    m_remoteBar->setAccessibleName(tr("Remote temperature"));
    m_remoteBar->setText(RemotePrefix());
    m_remoteBar->setBarColor(QColor(200, 0, 0));
    m_localBar = new PercentBar(this);
    m_localBar->setObjectName("Percent1");
    m_localBar->setAccessibleName(tr("Local temperature"));
    for (PercentBar *bar : {m_remoteBar, m_localBar})
        bar->setReadingRange(-128, 127);
    m_localBar->setText(LocalPrefix());
    m_localBar->setBarColor(QColor(0, 0, 200));

    auto slot = [](QGridLayout *grid, int row, int column, int rowSpan = 1) {
        auto *box = new QVBoxLayout;
        box->setContentsMargins(0, 0, 0, 0);
        grid->addLayout(box, row, column, rowSpan, 1);
        return box;
    };
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(twips(this, 120), twips(this, 90), twips(this, 120), twips(this, 90));
    grid->setHorizontalSpacing(twips(this, 180));
    grid->addWidget(m_barsBox, 0, 0);
    grid->addWidget(m_remoteBar, 1, 0);
    m_remoteSlot = slot(grid, 2, 0);
    grid->addWidget(m_localBar, 3, 0);
    m_localSlot = slot(grid, 4, 0);
    m_controlsSlot = slot(grid, 0, 1, 5);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(5, 1);
}

void BarPanel::clearBars()
{
    for (PercentBar *bar : {m_remoteBar, m_localBar}) {
        bar->setValue(0);
        bar->setText(QString());
        bar->setReading(std::nan(""));
    }
}

} // namespace ort
