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

    m_check1 = new TriStateCheckBox(tr("Bargraphs are Off"), this);
    m_check1->setObjectName("Check1");
    m_percent2 = new PercentBar(this);
    m_percent2->setObjectName("Percent2");
    m_percent2->setAccessibleName(tr("Remote temperature"));
    m_percent2->setText(RemotePrefix());
    m_percent2->setBarColor(QColor(200, 0, 0));
    m_percent1 = new PercentBar(this);
    m_percent1->setObjectName("Percent1");
    m_percent1->setAccessibleName(tr("Local temperature"));
    for (PercentBar *bar : {m_percent2, m_percent1})
        bar->setReadingRange(-128, 127);
    m_percent1->setText(LocalPrefix());
    m_percent1->setBarColor(QColor(0, 0, 200));

    auto slot = [](QGridLayout *grid, int row, int column, int rowSpan = 1) {
        auto *box = new QVBoxLayout;
        box->setContentsMargins(0, 0, 0, 0);
        grid->addLayout(box, row, column, rowSpan, 1);
        return box;
    };
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(twips(this, 120), twips(this, 90), twips(this, 120), twips(this, 90));
    grid->setHorizontalSpacing(twips(this, 180));
    grid->addWidget(m_check1, 0, 0);
    grid->addWidget(m_percent2, 1, 0);
    m_remoteSlot = slot(grid, 2, 0);
    grid->addWidget(m_percent1, 3, 0);
    m_localSlot = slot(grid, 4, 0);
    m_controlsSlot = slot(grid, 0, 1, 5);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(5, 1);
}

void BarPanel::clearBars()
{
    for (PercentBar *bar : {m_percent2, m_percent1}) {
        bar->setValue(0);
        bar->setText(QString());
        bar->setReading(std::nan(""));
    }
}

} // namespace ort
