#pragma once
#include "component/clock.h"
#include "component/options.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <optional>

namespace ort {

class BusAccessServer;
class Program;
class Ui;

// Catches what an event handler let through, so that an error never ends
// the program: it is shown and the event is dropped.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
    void setUi(Ui *ui) { m_ui = ui; }

private:
    Ui *m_ui = nullptr;
};

// What the command line (the program's name first) asks for: to run with
// the component's settings, over those of the environment, and the board
// file they name read; or an answer for the terminal (--help, --version);
// or, when it cannot be used, the words that say why. Needs an application
// object, of any kind: the help names the program from it.
struct CommandLine {
    std::optional<ComponentOptions> options;
    QString answer;
    QString refusal;
};
CommandLine readCommandLine(const QStringList &arguments);

// Creates the bus access component the options name, on the program's
// clock. A failure (a setting that names no backend, say) is reported in
// words on `log` and in a box, and null is returned.
std::unique_ptr<BusAccessServer> createComponent(Ui &ui, const ComponentOptions &options,
                                                 std::shared_ptr<const Clock> clock, std::FILE *log);

// Start-up on an application object: errors that escape a handler are shown
// in the program's dialogs from now on, and the splash is loaded (putting
// the component into its start-up state) and shown. A failure is reported
// as createComponent reports one, and false is returned: nothing to show.
bool startProgram(Application &app, Program &program, std::FILE *log);

// The whole program: splash first, then the wizard and the main window.
int runProgram(int argc, char **argv);

} // namespace ort
