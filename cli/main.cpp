#include "cli/tool.h"
#include "component/busaccess.h"
#include "component/clock.h"

#include <QCoreApplication>
#include <csignal>
#include <memory>

int main(int argc, char **argv)
{
    // A file past the size limit the user set fails its write with a
    // reason, as a full disk does, instead of ending the process unasked.
    std::signal(SIGXFSZ, SIG_IGN);

    // The translators and the locale live on it.
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();

    ort::cli::ToolIo io;
    io.environment = ort::optionsFromEnvironment();
    // One clock for the simulated board; the Linux component keeps its own time.
    auto clock = std::make_shared<ort::SystemClock>();
    std::unique_ptr<ort::BusAccessServer> bus;
    io.bus = [&](const ort::ComponentOptions &options) -> ort::BusAccessServer & {
        bus = std::make_unique<ort::BusAccessServer>(ort::createBackend(options, clock));
        return *bus;
    };
    return ort::cli::runTool(arguments, io);
}
