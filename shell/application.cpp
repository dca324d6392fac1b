#include "shell/application.h"
#include "component/busaccess.h"
#include "gui/artwork.h"
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
    setDesktopFileName(DesktopId);
    // Message boxes and dialogs without a parent carry it too.
    setWindowIcon(programIcon());
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (!m_ui)
            throw;
        presentFailure(*m_ui, nullptr, std::current_exception());
        return false;
    }
}

namespace {

// Before any window is up there is nothing for an error to go back to: it
// is said in words, on the terminal that started the program and in a box,
// with no error number, and the program does not start.
void reportStartupError(Ui &ui, std::FILE *log, const QString &text)
{
    std::fprintf(log, "%s: %s\n", qPrintable(ProductName), qPrintable(text));
    std::fflush(log);
    ui.message(nullptr, {ProductName, text, QMessageBox::Critical, QMessageBox::Ok});
}

QString errorWords(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("The program could not start");
    }
}

} // namespace

bool installComponent(Ui &ui, const ComponentOptions &options, std::shared_ptr<const Clock> clock, std::FILE *log)
{
    try {
        installBusAccess(std::make_unique<BusAccessServer>(createBackend(options, std::move(clock))));
        return true;
    } catch (...) {
        reportStartupError(ui, log, errorWords(std::current_exception()));
        return false;
    }
}

bool startProgram(Application &app, Program &program, std::FILE *log)
{
    app.setUi(&program.ui());
    try {
        // The component is created here rather than on a first transfer, so
        // a backend that cannot start says so before any window opens.
        busAccess();
        program.showSplash();
    } catch (...) {
        reportStartupError(program.ui(), log, errorWords(std::current_exception()));
        return false;
    }
    return true;
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
    if (!startProgram(app, program, stderr))
        return 1;
    return app.exec();
}

} // namespace ort
