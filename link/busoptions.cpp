#include "link/busoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace ort {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::BusOptions)
};

QString busChoices()
{
    QStringList names;
    for (const std::string &name : backendNames())
        names << QString::fromStdString(name);
    return names.join(QStringLiteral(", "));
}

} // namespace

void addBusOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("bus"),
                      Words::tr("What to talk to: %1 (default: the ORT310_BUS variable, else auto). auto is this "
                                "machine's hardware where it shows a printer port or an SMBus adapter, else the "
                                "simulated board; sim is the simulated board; linux is this machine's printer "
                                "ports and SMBus adapters.")
                          .arg(busChoices()),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("i2c"),
                      Words::tr("The SMBus adapter to use on this machine's hardware, /dev/i2c-N (default: the "
                                "ORT310_I2C variable, else the first with byte-data support). With auto, naming "
                                "one chooses the hardware; with a board file, one of its adapters."),
                      QStringLiteral("device")});
    parser.addOption({QStringLiteral("wire-trace"),
                      Words::tr("Write the simulated printer port's SCL and SDA lines to this Value Change Dump "
                                "file (default: the ORT310_WIRE_TRACE variable)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("board"),
                      Words::tr("Run on a simulated board described by this JSON file: its printer ports, SMBus "
                                "adapters and chips, their temperatures and registers (default: the ORT310_BOARD "
                                "variable, else the built-in board). Implies the simulated board."),
                      QStringLiteral("file")});
}

ComponentOptions busOptions(const QCommandLineParser &parser, ComponentOptions environment)
{
    ComponentOptions options = std::move(environment);
    QString busSource = QStringLiteral("ORT310_BUS");
    if (parser.isSet(QStringLiteral("bus"))) {
        options.bus = parser.value(QStringLiteral("bus")).toStdString();
        busSource = QStringLiteral("--bus");
    }
    if (parser.isSet(QStringLiteral("i2c")))
        options.i2cDevice = parser.value(QStringLiteral("i2c")).toStdString();
    if (parser.isSet(QStringLiteral("wire-trace")))
        options.wireTrace = parser.value(QStringLiteral("wire-trace")).toStdString();
    QString boardSource = QStringLiteral("ORT310_BOARD");
    if (parser.isSet(QStringLiteral("board"))) {
        options.board = parser.value(QStringLiteral("board")).toStdString();
        boardSource = QStringLiteral("--board");
    }

    const std::vector<std::string> names = backendNames();
    if (std::find(names.begin(), names.end(), options.bus) == names.end())
        throw UsageError(Words::tr("Unknown bus \"%1\" in %2 (use %3)")
                             .arg(QString::fromStdString(options.bus), busSource, busChoices())
                             .toStdString());
    if (!options.board.empty() && options.bus == "linux")
        throw UsageError(Words::tr("%1 describes a simulated board, but %2 linux asks for this machine's "
                                   "hardware")
                             .arg(boardSource, busSource)
                             .toStdString());
    return options;
}

} // namespace ort
