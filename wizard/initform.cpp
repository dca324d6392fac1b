#include "wizard/initform.h"
#include "gui/accessibility.h"
#include "component/busaccess.h"
#include "gui/artwork.h"
#include "gui/errors.h"
#include "gui/twips.h"
#include "gui/windowhost.h"
#include "link/text.h"
#include "wizard/mediumpanel.h"
#include "wizard/searchingpanel.h"
#include "wizard/welcomepanel.h"
#include "wizard/wizardbuttons.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace ort {

InitForm::InitForm(Services &services, WindowHost &host) : QWidget(nullptr), m_services(services), m_host(host)
{
    setObjectName("InitForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("%1 Device Search").arg(MakerName));
    setAccessibleWindowRole(this, QAccessible::Dialog);

    auto *image = new QLabel(this);
    image->setObjectName("Image1");
    image->setGeometry(twipsRect(this, 120, 120, 1080, 2700));
    image->setPixmap(chipPicture(image->size()));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_welcome = new WelcomePanel(this);
    m_medium = new MediumPanel(this);
    m_searching = new SearchingPanel(this);
    m_results = new ResultsPanel(this);

    m_buttons = new WizardButtons(this);
    m_cancel = m_buttons->cancel();
    m_back = m_buttons->back();
    m_next = m_buttons->next();
    m_finish = m_buttons->finish();
    for (auto [button, handler] : {std::pair{m_cancel, &InitForm::CancelCMD_Click}, {m_back, &InitForm::BackCMD_Click},
                                   {m_next, &InitForm::NextCMD_Click}, {m_finish, &InitForm::FinishCMD_Click}})
        connect(button, &QPushButton::clicked, this,
                [this, handler] { runGuarded(m_services.ui, this, [&] { (this->*handler)(); }); });
    m_results->bindFinish(m_finish);

    setFixedSize(twips(this, 6015), twips(this, 3495));
}

InitForm::~InitForm() = default;

void InitForm::Form_Load()
{
    try {
        m_systemInfo = m_services.bus.createSystemInfo();
        m_services.bus.PrinterPort().Link().SetBusParameter(chip::BusParameter);
        m_search.setCandidates(BuildCandidateAddresses());
        InitWizard();
        m_search.reset();
    } catch (...) {
        m_services.ui.message(this, {tr("Error"), tr("Error in Init Form Load"),
                                      QMessageBox::Critical, QMessageBox::Ok});
    }
    centreOnScreen(this);
}

void InitForm::InitWizard()
{
    m_currentPanel = 1;
    CollectPanels();
    ShowPanel(1);
    setWindowTitle(tr("%1 Search Wizard").arg(ChipName));
    m_welcome->SetupWelcomePanel();
    m_medium->SetupMediumPanel(*m_systemInfo, m_services.bus.Smbus());
    if (const std::optional<Settings::WizardChoice> earlier = m_services.settings.wizardChoice())
        m_medium->preselect(*earlier);
    m_searching->SetupSearchingPanel();
    m_results->SetupResultsPanel();
}

void InitForm::CollectPanels()
{
    m_panels.clear();
    for (const char *name : {"WelcomePanel", "SeclectComsMediumPanel", "SearchingPanel", "SearchResultsPanel"})
        for (QFrame *f : findChildren<QFrame *>(QString(), Qt::FindDirectChildrenOnly))
            if (f->objectName() == QLatin1String(name))
                m_panels.push_back(f);
}

void InitForm::HideAllPanels()
{
    // Hidden as well as moved away, so that Tab never lands on a control
    // of a panel the user cannot see.
    for (WizardPanel *f : findChildren<WizardPanel *>()) {
        f->move(twips(this, WizardPanel::HiddenX), f->y());
        f->hide();
    }
}

void InitForm::ShowPanel(int index)
{
    m_currentPanel = index;
    HideAllPanels();
    QFrame *panel = m_panels.at(index - 1);
    panel->move(twips(this, WizardPanel::PanelX), panel->y());
    panel->show();
}

void InitForm::NextCMD_Click()
{
    m_movingForward = true;
    Navigate();
}

void InitForm::BackCMD_Click()
{
    m_movingForward = false;
    Navigate();
}

void InitForm::Navigate()
{
    switch (m_currentPanel) {
    case 1:
        if (m_movingForward)
            GoToMediumPanel();
        break;
    case 2:
        if (m_movingForward)
            StartSearch();
        else
            GoToWelcomePanel();
        break;
    case 4:
        if (m_movingForward)
            AdvanceFromResults();
        else
            BackToMediumPanel();
        break;
    default:   // searching: neither button does anything
        break;
    }
}

void InitForm::GoToMediumPanel()
{
    ShowPanel(2);
    m_back->setEnabled(true);
    focusForwardButton();
}

void InitForm::GoToWelcomePanel()
{
    ShowPanel(1);
    m_back->setEnabled(false);
    focusForwardButton();
}

void InitForm::AdvanceFromResults()
{
    if (m_currentPanel < 4)
        ++m_currentPanel;
    ShowPanel(m_currentPanel);
    m_back->setEnabled(true);
    if (m_currentPanel == 4) {
        m_finish->setEnabled(m_results->entrySelected());
        m_next->setEnabled(false);
    }
    focusForwardButton();
}

void InitForm::BackToMediumPanel()
{
    m_results->clear();
    m_search.reset();
    ShowPanel(2);
    m_next->setEnabled(true);
    m_finish->setEnabled(false);
    focusForwardButton();
}

void InitForm::StartSearch()
{
    if (!m_medium->ValidateMediumSelection(m_services.ui))
        return;
    m_services.settings.rememberWizardChoice(m_medium->choice());
    ShowPanel(3);
    m_searching->repaint();
    for (QPushButton *b : m_buttons->all())
        b->setEnabled(false);
    setCursor(Qt::WaitCursor);

    try {
        m_host.loadMainWindow();
        m_searching->SearchAllMedia(m_search, *m_medium, m_services.bus.Smbus());
    } catch (...) {
        // Whatever the error, the wizard must not stay busy with every
        // button off: give the user Cancel and Back, then let it be shown.
        unsetCursor();
        m_cancel->setEnabled(true);
        m_back->setEnabled(true);
        ShowPanel(2);
        m_next->setEnabled(true);
        m_searching->resetProgress();
        focusForwardButton();
        throw;
    }

    m_cancel->setEnabled(true);
    m_back->setEnabled(true);
    m_next->setEnabled(false);
    unsetCursor();
    m_results->ListSearchResults(m_search.listEntries());
    m_finish->setEnabled(m_results->entrySelected());
    ShowPanel(4);
    m_searching->resetProgress();
    focusForwardButton();
}

// The forward button of the panel in view is the default button, so that
// Return moves on: Next, or Finish on the results; with nothing found
// there, Back. It has the focus, but for the results list, which takes the
// arrow keys (Return still reaches Finish).
void InitForm::focusForwardButton()
{
    const bool found = m_currentPanel == 4 && !m_results->ResultAddresses().empty();
    QPushButton *forward = m_currentPanel != 4 ? m_next : found ? m_finish : m_back;
    m_buttons->setForward(forward);
    if (found)
        m_results->focusList();
    else if (forward->isEnabled())
        forward->setFocus();
}

void InitForm::keyPressEvent(QKeyEvent *event)
{
    if (!m_buttons->handleKey(event))
        QWidget::keyPressEvent(event);
}

void InitForm::FinishCMD_Click()
{
    // Nothing selected, nothing to finish on: the wizard stays.
    // An entry the search did not make is a fault of the program, shown as
    // such before anything changes: no half-configured chip behind an open
    // main window.
    const std::optional<ResultEntry> selected = m_results->selectedEntry();
    if (!selected)
        return;
    connectChip(m_services.bus, m_services.declare, *selected);
    m_finishing = true;
    m_host.showMainWindow();
    close();
}

void InitForm::CancelCMD_Click()
{
    if (!m_finishing)
        m_host.unloadMainWindow();
    close();
}

void InitForm::Form_Unload()
{
    if (!m_finishing) {
        // Forget this wizard first, so that unloading every window does not
        // come back to it; with no window left the program ends.
        m_host.windowUnloaded(this);
        m_host.unloadAllWindows();
    }
    hide();
}

void InitForm::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    event->accept();
}

} // namespace ort
