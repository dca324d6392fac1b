#pragma once
#include "gui/services.h"
#include "search/devicesearch.h"
#include "wizard/resultspanel.h"

#include <QWidget>
#include <memory>
#include <vector>

class QFrame;
class QPushButton;

namespace ort {

class MediumPanel;
class SearchingPanel;
class SystemInfo;
class WelcomePanel;
class WizardButtons;
class WindowHost;

// The device search wizard: welcome, medium selection, searching, results.
// It composes the four panels, moves between them with the four buttons,
// runs the search, and on Finish hands the chosen chip to the shared state
// and opens the main window, which it reaches only through its host.
class InitForm : public QWidget {
    Q_OBJECT
public:
    InitForm(Services &services, WindowHost &host);
    ~InitForm() override;

    void Form_Load();

    // Event handlers, public so the window's buttons and tests reach the
    // same code.
    void NextCMD_Click();
    void BackCMD_Click();
    void CancelCMD_Click();
    void FinishCMD_Click();

    int CurrentPanel() const { return m_currentPanel; }
    bool Finishing() const { return m_finishing; }
    const DeviceSearch &search() const { return m_search; }
    const std::vector<uint8_t> &ResultAddresses() const { return m_results->ResultAddresses(); }
    // Panels in the order welcome, medium, searching, results.
    const std::vector<QFrame *> &Panels() const { return m_panels; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Navigate();
    void InitWizard();
    void CollectPanels();
    void HideAllPanels();
    void ShowPanel(int index);
    void GoToMediumPanel();
    void GoToWelcomePanel();
    void StartSearch();
    void BackToMediumPanel();
    void AdvanceFromResults();
    void Form_Unload();
    void focusForwardButton();

    Services &m_services;
    WindowHost &m_host;
    std::unique_ptr<SystemInfo> m_systemInfo;
    DeviceSearch m_search{m_services.bus};
    std::vector<QFrame *> m_panels;
    int m_currentPanel = 1;
    bool m_movingForward = true;
    bool m_finishing = false;
    bool m_unloaded = false;

    WelcomePanel *m_welcome;
    MediumPanel *m_medium;
    SearchingPanel *m_searching;
    ResultsPanel *m_results;
    WizardButtons *m_buttons;
    QPushButton *m_cancel;
    QPushButton *m_back;
    QPushButton *m_next;
    QPushButton *m_finish;
};

} // namespace ort
