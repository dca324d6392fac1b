#include "shell/application.h"
#include "component/busaccess.h"
#include "gui/errors.h"
#include "gui/format.h"
#include "gui/ui.h"
#include "shell/program.h"

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
    Program program(ui, std::make_shared<SystemClock>());
    if (!startProgram(app, program))
        return 1;
    return app.exec();
}

} // namespace ort
