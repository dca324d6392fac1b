#include "shell/program.h"
#include "console/busconsole.h"
#include "shell/desktopnotifier.h"
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "wizard/initform.h"

#include <QCoreApplication>
#include <QShortcut>

namespace ort {

Program::Program(Ui &ui, std::unique_ptr<BusAccessServer> bus, std::shared_ptr<Clock> clock,
                 std::unique_ptr<Settings> settings)
    : m_ui(ui), m_bus(std::move(bus)), m_clock(std::move(clock)), m_started(m_clock->now()),
      m_settings(std::move(settings)), m_notifier(new DesktopNotifier(*m_clock, this)),
      m_endHandler([] { QCoreApplication::quit(); })
{
    m_notifier->setEnabled(m_settings->notifications());
}

Program::~Program()
{
    delete m_console.data();
    delete m_about.data();
    delete m_main.data();
    delete m_wizard.data();
    delete m_splash.data();
}

frmSplash *Program::splash() const { return m_splash; }
InitForm *Program::existingWizard() const { return m_wizard; }
MainMenuForm *Program::mainWindow() const { return m_main; }
frmAbout *Program::about() const { return m_about; }
BusConsole *Program::busConsole() const { return m_console; }

frmSplash *Program::showSplash()
{
    if (!m_splash) {
        // A splash whose start-up steps failed is not kept: nothing would
        // ever show or close it.
        auto splash = std::make_unique<frmSplash>(*this);
        splash->Form_Load();
        m_places.place(splash.get());
        m_splash = splash.release();
        offerBusConsole(m_splash);
    }
    m_splash->show();
    return m_splash;
}

InitForm *Program::wizard()
{
    if (!m_wizard) {
        m_wizard = new InitForm(m_services, *this);
        m_wizard->Form_Load();
        m_places.place(m_wizard);
        offerBusConsole(m_wizard);
    }
    return m_wizard;
}

void Program::loadMainWindow()
{
    if (!m_main) {
        m_main = new MainMenuForm(*this);
        m_main->Form_Load();
        m_places.place(m_main);
        offerBusConsole(m_main);
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
        m_places.place(m_about);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
    return m_about;
}

BusConsole *Program::showBusConsole(QWidget *from)
{
    if (!m_console) {
        m_console = new BusConsole(m_services, *this, m_started);
        m_places.place(m_console);
    }
    m_console->setAttribute(Qt::WA_ShowWithoutActivating, from != nullptr);
    m_console->show();
    m_console->raise();
    if (from) {
        from->raise();
        from->activateWindow();
    } else {
        m_console->activateWindow();
    }
    return m_console;
}

void Program::offerBusConsole(QWidget *window)
{
    auto *key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), window);
    key->setObjectName("BusConsoleShortcut");
    QPointer<QWidget> from = window;
    connect(key, &QShortcut::activated, this, [this, from] {
        // The main window hands the keyboard to the console; the splash and
        // the wizard keep it.
        showBusConsole(from && from != m_main ? from.data() : nullptr);
    });
}

void Program::windowUnloaded(QWidget *window)
{
    // Forget the window at once: a later use creates a new one, even before
    // the old object is deleted.
    const bool mainWindow = window == m_main;
    if (window == m_splash)
        m_splash = nullptr;
    else if (window == m_wizard)
        m_wizard = nullptr;
    else if (window == m_main)
        m_main = nullptr;
    else if (window == m_about)
        m_about = nullptr;
    else if (window == m_console)
        m_console = nullptr;
    // The console goes with the main window, so the program still ends
    // when that window closes.
    if (mainWindow && m_console)
        m_console->close();
}

void Program::unloadAllWindows()
{
    const QList<QPointer<QWidget>> loaded = {m_about.data(), m_main.data(), m_splash.data(), m_wizard.data(),
                                             m_console.data()};
    for (const QPointer<QWidget> &w : loaded)
        if (w)
            w->close();
    if (!m_about && !m_main && !m_splash && !m_wizard && !m_console)
        endProgram();
}

void Program::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    // The component may go before the deferred deletion of its watcher.
    if (m_console)
        m_console->detach();
    for (QWidget *w : {static_cast<QWidget *>(m_console.data()), static_cast<QWidget *>(m_about.data()), static_cast<QWidget *>(m_main.data()),
                       static_cast<QWidget *>(m_wizard.data()), static_cast<QWidget *>(m_splash.data())}) {
        if (w) {
            w->hide();
            w->deleteLater();
        }
    }
    m_console = nullptr;
    m_about = nullptr;
    m_main = nullptr;
    m_wizard = nullptr;
    m_splash = nullptr;
    if (m_endHandler)
        m_endHandler();
}

} // namespace ort
