#pragma once
#include "gui/services.h"
#include "wizard/devicesearch.h"

#include <QWidget>
#include <memory>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace ort {

class SystemInfo;
class WindowHost;

// The device search wizard: welcome, medium selection, searching, results.
// Finish hands the chosen chip to the shared state and opens the main window,
// which the wizard reaches only through its host.
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
    const std::vector<uint8_t> &ResultAddresses() const { return m_resultAddresses; }
    // Panels in the order welcome, medium, searching, results.
    const std::vector<QFrame *> &Panels() const { return m_panels; }

    bool ValidateMediumSelection();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildWelcomePanel(QFrame *panel);
    void buildMediumPanel(QFrame *panel);
    void buildSearchingPanel(QFrame *panel);
    void buildResultsPanel(QFrame *panel);

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
    void SetupWelcomePanel();
    void SetupMediumPanel();
    void SetupSearchingPanel();
    void SetupResultsPanel();
    void SearchAllMedia();
    void AdvanceProgress(int step);
    void ListSearchResults();
    void Form_Unload();

    long buildNumber();
    void useTypedSmbusBase();
    void focusForwardButton();
    bool entrySelected() const;

    Services &m_services;
    WindowHost &m_host;
    std::unique_ptr<SystemInfo> m_systemInfo;
    CandidateList m_candidateAddresses{};
    DeviceSearch m_search{m_services.bus};
    std::vector<uint8_t> m_resultAddresses;
    std::vector<QFrame *> m_panels;
    QString m_shownSmbusBase;   // as the program set it at load
    int m_currentPanel = 1;
    bool m_movingForward = true;
    bool m_finishing = false;
    bool m_unloaded = false;

    QPushButton *m_cancel;
    QPushButton *m_back;
    QPushButton *m_next;
    QPushButton *m_finish;
    QFrame *m_searchingPanel = nullptr;
    QLabel *m_welcome = nullptr;
    QLabel *m_welcomeInstructions = nullptr;
    QCheckBox *m_ppCheck = nullptr;
    QCheckBox *m_smbusCheck = nullptr;
    QCheckBox *m_usbCheck = nullptr;
    QLabel *m_ppDesc = nullptr;
    QLabel *m_smbusDesc = nullptr;
    QLabel *m_usbDesc = nullptr;
    QLineEdit *m_smbusBase = nullptr;
    QLabel *m_mediumInstructions = nullptr;
    QLabel *m_searchingDetails = nullptr;
    QProgressBar *m_progress = nullptr;
    QListWidget *m_results = nullptr;
    QLabel *m_resultsSummary = nullptr;
    QLabel *m_resultsInstructions = nullptr;
};

} // namespace ort
