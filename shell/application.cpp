#include "shell/application.h"
#include "component/busaccess.h"
#include "component/buserror.h"
#include "gui/errors.h"
#include "gui/format.h"
#include "gui/ui.h"
#include "shell/program.h"

#include <cstdio>

namespace ort {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(ProductName);
    setApplicationVersion(ProgramVersion);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (!m_ui)
            throw;
        presentRunTimeError(*m_ui, nullptr, std::current_exception());
        return false;
    }
}

bool installComponent(Ui &ui, const ComponentOptions &options, std::shared_ptr<const Clock> clock, std::FILE *log)
{
    try {
        installBusAccess(std::make_unique<BusAccessServer>(createBackend(options, std::move(clock))));
        return true;
    } catch (const BusError &e) {
        // A setting the user gave: say what is wrong in words, on the
        // terminal that started the program and in a box, with no error number.
        std::fprintf(log, "%s: %s\n", qPrintable(ProductName), e.what());
        std::fflush(log);
        ui.message(nullptr, {ProductName, QString::fromStdString(e.what()), QMessageBox::Critical, QMessageBox::Ok});
        return false;
    }
}

bool startProgram(Application &app, Program &program)
{
    app.setUi(&program.ui());
    // The component is created here rather than on a first transfer, so a
    // backend that cannot start says so before any window opens.
    if (!runGuarded(program.ui(), nullptr, [] { busAccess(); }))
        return false;
    runGuarded(program.ui(), nullptr, [&] { program.showSplash(); });
    return program.splash() || program.existingWizard();
}

int runProgram(int argc, char **argv)
{
    Application app(argc, argv);
    QtUi ui;
    // One clock for the program and the simulated board.
    auto clock = std::make_shared<SystemClock>();
    if (!installComponent(ui, optionsFromEnvironment(), clock, stderr))
        return 1;
    Program program(ui, clock);
    if (!startProgram(app, program))
        return 1;
    return app.exec();
}

} // namespace ort
