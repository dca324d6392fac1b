#pragma once
#include "component/busaccess.h"
#include "component/clock.h"
#include "gui/services.h"
#include "gui/settings.h"
#include "gui/windowhost.h"
#include "gui/windowplaces.h"
#include "link/declare.h"
#include "link/linknewcomport.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QWidget;

namespace ort {

class Ui;
class frmSplash;
class InitForm;
class MainMenuForm;
class frmAbout;
class BusConsole;
class DesktopNotifier;

// The program's state for one run: the bus access component, the shared
// variables, the register link, the dialog seam, the one clock, and the
// windows that are loaded. Windows reach each other through it (as their
// WindowHost), never by searching the widget tree.
class Program : public QObject, public WindowHost {
    Q_OBJECT
public:
    // The program owns the one component for its whole run. The clock is
    // the one a simulated board runs on, so both keep one time. Without
    // settings of its own it remembers nothing beyond the run, and it tells
    // the desktop nothing until it is given a bus to do so.
    Program(Ui &ui, std::unique_ptr<BusAccessServer> bus, std::shared_ptr<Clock> clock,
            std::unique_ptr<Settings> settings = std::make_unique<Settings>());
    ~Program() override;

    BusAccessServer &bus() { return *m_bus; }
    Declare &state() { return m_state; }
    LinkNewComPort &link() { return m_link; }
    Ui &ui() { return m_ui; }
    Clock &clock() { return *m_clock; }
    Services &services() { return m_services; }
    Settings &settings() { return *m_settings; }
    // Tells the desktop of each change of the alert lamp.
    DesktopNotifier &notifier() { return *m_notifier; }

    // Loads the splash (running its start-up steps) and shows it.
    frmSplash *showSplash();
    frmSplash *splash() const;

    // The wizard, created and loaded on first use.
    InitForm *wizard();
    InitForm *existingWizard() const;

    void loadMainWindow() override;
    void showMainWindow() override;
    void unloadMainWindow() override;
    MainMenuForm *mainWindow() const;

    // The about box, a single window brought up again if already loaded.
    frmAbout *showAbout();
    frmAbout *about() const;

    // The bus console, a single window brought up again if already loaded.
    // Shown from `from` (the splash, the wizard), it leaves the keyboard
    // there, so that a key still moves on.
    BusConsole *showBusConsole(QWidget *from = nullptr);
    BusConsole *busConsole() const;
    // Ctrl+B in `window` brings up the bus console.
    void offerBusConsole(QWidget *window);

    void unloadAllWindows() override;
    void endProgram() override;
    // What ending means; by default the event loop quits. Tests count it.
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }

    void windowUnloaded(QWidget *window) override;

private:
    Ui &m_ui;
    std::unique_ptr<BusAccessServer> m_bus;
    std::shared_ptr<Clock> m_clock;
    double m_started;   // the console's times count from here
    std::unique_ptr<Settings> m_settings;
    Declare m_state;
    LinkNewComPort m_link{m_state, *m_bus};
    Services m_services{m_state, m_link, m_ui, *m_clock, *m_bus, *m_settings};
    WindowPlaces m_places{*m_settings};
    DesktopNotifier *m_notifier;
    QPointer<frmSplash> m_splash;
    QPointer<InitForm> m_wizard;
    QPointer<MainMenuForm> m_main;
    QPointer<frmAbout> m_about;
    QPointer<BusConsole> m_console;
    std::function<void()> m_endHandler;
    bool m_ended = false;
};

} // namespace ort
