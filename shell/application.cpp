#include "shell/application.h"
#include "component/busaccess.h"
#include "component/options.h"
#include "shell/errors.h"
#include "shell/program.h"
#include "shell/ui.h"

namespace ort {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("ORT310 Evaluation Software"));
    setApplicationVersion(QStringLiteral("5.0"));
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
    // backend that cannot start says so before any window opens. The
    // simulated board runs on the program's own clock.
    auto clock = std::make_shared<SystemClock>();
    if (!runGuarded(ui, nullptr, [&] {
            installBusAccess(std::make_unique<BusAccessServer>(createBackend(optionsFromEnvironment(), clock)));
        }))
        return 1;

    Program program(ui, clock);
    runGuarded(ui, nullptr, [&] { program.showSplash(); });
    if (!program.splash() && !program.existingWizard())
        return 1;
    return app.exec();
}

} // namespace ort
