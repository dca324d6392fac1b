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

int runProgram(int argc, char **argv)
{
    Application app(argc, argv);
    QtUi ui;
    app.setUi(&ui);

    // The component is created here rather than on a first transfer, so a
    // backend that cannot start says so before any window opens.
    if (!runGuarded(ui, nullptr, [] { busAccess(); }))
        return 1;

    Program program(ui, std::make_shared<SystemClock>());
    runGuarded(ui, nullptr, [&] { program.showSplash(); });
    if (!program.splash() && !program.existingWizard())
        return 1;
    return app.exec();
}

} // namespace ort
