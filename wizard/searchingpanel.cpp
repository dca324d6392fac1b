#include "wizard/searchingpanel.h"
#include "gui/twips.h"
#include "link/text.h"
#include "search/devicesearch.h"
#include "wizard/mediumpanel.h"

#include <QLabel>
#include <QProgressBar>

namespace ort {

SearchingPanel::SearchingPanel(QWidget *form) : WizardPanel(form, "SearchingPanel")
{
    placeHeading("SearchingLBL", {120, 240, 4335, 480}, tr("Searching"), 15.75);
    m_details = placeLabel("SearchingDetailsLBL", {120, 960, 4335, 600}, true);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName("SearchProgress");
    m_progress->setAccessibleName(tr("Search progress"));
    m_progress->setGeometry(twipsRect(form, 120, 1800, 4335, 330));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
}

void SearchingPanel::SetupSearchingPanel()
{
    m_details->setText(tr("Please wait while searching for available %1s.").arg(ChipName));
}

void SearchingPanel::SearchAllMedia(DeviceSearch &search, MediumPanel &media, SmbusHost &smbus)
{
    int maximum = 0;
    for (bool chosen : {media.printerPortChosen(), media.smbusChosen(), media.usbChosen()})
        if (chosen)
            maximum += ProgressPerMedium;
    m_progress->setRange(0, maximum);
    m_progress->setValue(0);

    search.setProgressStep([this](int step) { AdvanceProgress(step); });
    if (media.printerPortChosen())
        search.SearchPrinterPorts();
    if (media.smbusChosen()) {
        media.useChosenSmbusAdapter(smbus);
        search.SearchOnBoardSmbus();
    }
}

void SearchingPanel::AdvanceProgress(int step)
{
    m_progress->setValue(static_cast<int>(advancedProgress(m_progress->value(), step, m_progress->maximum())));
    // The search holds the event loop; only an explicit repaint shows progress.
    repaint();
}

void SearchingPanel::resetProgress()
{
    m_progress->setValue(0);
}

} // namespace ort
