#pragma once
#include "wizard/wizardpanel.h"

class QProgressBar;

namespace ort {

class DeviceSearch;
class MediumPanel;
class SmbusHost;

// Panel 3, current while the search runs: a heading, what is going on and
// the progress bar, which the search advances step by step.
class SearchingPanel : public WizardPanel {
    Q_OBJECT
public:
    explicit SearchingPanel(QWidget *form);
    void SetupSearchingPanel();

    // Runs the search on the media the user chose, with the progress bar
    // at 33 units a medium.
    void SearchAllMedia(DeviceSearch &search, MediumPanel &media, SmbusHost &smbus);
    void AdvanceProgress(int step);
    void resetProgress();

private:
    QLabel *m_details;
    QProgressBar *m_progress;
};

} // namespace ort
