#pragma once
#include "component/clock.h"
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

// The program's state for one run: the shared variables, the register link,
// the seams, and the windows that are loaded. Windows find each other here,
// never by searching the widget tree.
class Program : public QObject {
    Q_OBJECT
public:
    Program(Ui &ui, std::shared_ptr<Clock> clock);
    ~Program() override;

    Declare &state() { return m_state; }
    LinkNewComPort &link() { return m_link; }
    Ui &ui() { return m_ui; }
    Clock &clock() { return *m_clock; }

    // Loads the splash (running its start-up steps) and shows it.
    frmSplash *showSplash();
    frmSplash *splash() const;

    // The wizard, created and loaded on first use.
    InitForm *wizard();
    InitForm *existingWizard() const;

    // Loads the main window without showing it; loading it again does nothing.
    MainMenuForm *loadMainWindow();
    MainMenuForm *mainWindow() const;
    void unloadMainWindow();

    // The about box, a single window brought up again if already loaded.
    frmAbout *showAbout();
    frmAbout *about() const;

    // Unloads every loaded window in turn (each runs its unload step); with
    // none left the program ends.
    void unloadAllWindows();
    // Ends at once: every window goes without further events.
    void endProgram();
    bool ended() const { return m_ended; }
    // What ending means; by default the event loop quits. Tests record it.
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }

    // Called by the windows from their own unload.
    void windowUnloaded(QWidget *window);

private:
    Ui &m_ui;
    std::shared_ptr<Clock> m_clock;
    Declare m_state;
    LinkNewComPort m_link{m_state};
    QPointer<frmSplash> m_splash;
    QPointer<InitForm> m_wizard;
    QPointer<MainMenuForm> m_main;
    QPointer<frmAbout> m_about;
    std::function<void()> m_endHandler;
    bool m_ended = false;
};

} // namespace ort
