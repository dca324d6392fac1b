#include "shell/program.h"
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "wizard/initform.h"

#include <QCoreApplication>

namespace ort {

Program::Program(Ui &ui, std::unique_ptr<BusAccessServer> bus, std::shared_ptr<Clock> clock)
    : m_ui(ui), m_bus(std::move(bus)), m_clock(std::move(clock)), m_endHandler([] { QCoreApplication::quit(); })
{
}

Program::~Program()
{
    delete m_about.data();
    delete m_main.data();
    delete m_wizard.data();
    delete m_splash.data();
}

frmSplash *Program::splash() const { return m_splash; }
InitForm *Program::existingWizard() const { return m_wizard; }
MainMenuForm *Program::mainWindow() const { return m_main; }
frmAbout *Program::about() const { return m_about; }

frmSplash *Program::showSplash()
{
    if (!m_splash) {
        // A splash whose start-up steps failed is not kept: nothing would
        // ever show or close it.
        auto splash = std::make_unique<frmSplash>(*this);
        splash->Form_Load();
        m_splash = splash.release();
    }
    m_splash->show();
    return m_splash;
}

InitForm *Program::wizard()
{
    if (!m_wizard) {
        m_wizard = new InitForm(m_services, *this);
        m_wizard->Form_Load();
    }
    return m_wizard;
}

void Program::loadMainWindow()
{
    if (!m_main) {
        m_main = new MainMenuForm(*this);
        m_main->Form_Load();
    }
}

void Program::showMainWindow()
{
    loadMainWindow();
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
}

void Program::unloadMainWindow()
{
    if (m_main)
        m_main->close();
}

frmAbout *Program::showAbout()
{
    if (!m_about) {
        m_about = new frmAbout(*this);
        m_about->Form_Load();
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
    return m_about;
}

void Program::windowUnloaded(QWidget *window)
{
    // Forget the window at once: a later use creates a new one, even before
    // the old object is deleted.
    if (window == m_splash)
        m_splash = nullptr;
    else if (window == m_wizard)
        m_wizard = nullptr;
    else if (window == m_main)
        m_main = nullptr;
    else if (window == m_about)
        m_about = nullptr;
}

void Program::unloadAllWindows()
{
    const QList<QPointer<QWidget>> loaded = {m_about.data(), m_main.data(), m_splash.data(), m_wizard.data()};
    for (const QPointer<QWidget> &w : loaded)
        if (w)
            w->close();
    if (!m_about && !m_main && !m_splash && !m_wizard)
        endProgram();
}

void Program::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    for (QWidget *w : {static_cast<QWidget *>(m_about.data()), static_cast<QWidget *>(m_main.data()),
                       static_cast<QWidget *>(m_wizard.data()), static_cast<QWidget *>(m_splash.data())}) {
        if (w) {
            w->hide();
            w->deleteLater();
        }
    }
    m_about = nullptr;
    m_main = nullptr;
    m_wizard = nullptr;
    m_splash = nullptr;
    if (m_endHandler)
        m_endHandler();
}

} // namespace ort
