#include "shell/application.h"
#include "component/busaccess.h"
#include "gui/artwork.h"
#include "gui/errors.h"
#include "gui/ui.h"
#include "link/boardfile.h"
#include "link/busoptions.h"
#include "link/language.h"
#include "link/text.h"
#include "shell/desktopnotifier.h"
#include "shell/program.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <cstdio>

namespace ort {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::Application)
};
} // namespace

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
    ui.message(nullptr, {productTitle(), text, QMessageBox::Critical, QMessageBox::Ok});
}

QString errorWords(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return Words::tr("The program could not start");
    }
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Words::tr("Finds the %1 temperature-monitor chip on a printer-port evaluation board or on an "
                  "SMBus adapter, reads and writes its registers, shows its temperatures live, sets "
                  "its limits and logs readings to a file.")
            .arg(ChipName));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    addBusOptions(parser);
    parser.addOption(languageOption());
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.refusal = parser.errorText();
    } else if (parser.isSet(help)) {
        // Answered here rather than by the parser, which would end the process.
        result.answer = parser.helpText();
    } else if (parser.isSet(version)) {
        result.answer = ProductName + QLatin1Char(' ') + ProgramVersion + QLatin1Char('\n');
    } else if (!parser.positionalArguments().isEmpty()) {
        result.refusal = Words::tr("Unexpected argument \"%1\"").arg(parser.positionalArguments().first());
    } else {
        try {
            ComponentOptions options = busOptions(parser, optionsFromEnvironment());
            readBoard(options);
            result.options = std::move(options);
        } catch (const UsageError &e) {
            result.refusal = QString::fromUtf8(e.what());
        } catch (const BoardFileError &e) {
            result.refusal = QString::fromUtf8(e.what());
        }
    }
    return result;
}

std::unique_ptr<BusAccessServer> createComponent(Ui &ui, const ComponentOptions &options,
                                                 std::shared_ptr<const Clock> clock, std::FILE *log)
{
    try {
        return std::make_unique<BusAccessServer>(createBackend(options, std::move(clock)));
    } catch (...) {
        reportStartupError(ui, log, errorWords(std::current_exception()));
        return nullptr;
    }
}

bool startProgram(Application &app, Program &program, std::FILE *log)
{
    app.setUi(&program.ui());
    try {
        program.showSplash();
    } catch (...) {
        reportStartupError(program.ui(), log, errorWords(std::current_exception()));
        return false;
    }
    return true;
}

int runProgram(int argc, char **argv)
{
    // Help and version need no display: they are answered before the
    // window system is asked for, under an application object of the core.
    CommandLine commandLine;
    QString language;
    {
        QCoreApplication core(argc, argv);
        language = languageArgument(QCoreApplication::arguments());
        installTranslations(language);
        commandLine = readCommandLine(QCoreApplication::arguments());
    }
    if (!commandLine.answer.isEmpty()) {
        std::fputs(qPrintable(commandLine.answer), stdout);
        return 0;
    }
    Application app(argc, argv);
    installTranslations(language);
    QtUi ui;
    if (!commandLine.options) {
        reportStartupError(ui, stderr, commandLine.refusal);
        return 1;
    }
    // One clock for the program and the simulated board.
    auto clock = std::make_shared<SystemClock>();
    std::unique_ptr<BusAccessServer> bus = createComponent(ui, *commandLine.options, clock, stderr);
    if (!bus)
        return 1;
    // The user's own choices of earlier runs, and their desktop.
    auto settings = std::make_unique<Settings>(Settings::userFile(), stderr);
    settings->nameAdapter(QString::fromStdString(commandLine.options->i2cDevice));
    Program program(ui, std::move(bus), clock, std::move(settings));
    program.notifier().setBus(QDBusConnection::sessionBus());
    if (!startProgram(app, program, stderr))
        return 1;
    return app.exec();
}

} // namespace ort
