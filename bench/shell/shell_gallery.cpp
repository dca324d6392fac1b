// Renders every window of the program, and every tab of the main window,
// offscreen to PNG: the pictures of the README (tools/pictures.sh).
//   QT_QPA_PLATFORM=offscreen shell_gallery [folder [language]]
#include "component/linux/sysinfo.h"
#include "component/sim/simbackend.h"
#include "console/busconsole.h"
#include "link/language.h"
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "tests/support/programfixture.h"
#include "wizard/initform.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <QDir>
#include <QHash>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <cerrno>

using namespace ort;

namespace {

// "Control Center" -> "control-center", for a file name.
QString slug(const QString &text)
{
    return text.toLower().replace(QRegularExpression("[^a-z0-9]+"), "-");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const QString dir = argc > 1 ? argv[1] : "/tmp/gallery";
    installTranslations(argc > 2 ? argv[2] : "en");
    QDir().mkpath(dir);
    {
        test::ProgramFixture f;
        test::saveWindowPicture(f.program->showSplash(), dir, "splash");

        InitForm *wizard = f.openWizard();
        test::saveWindowPicture(wizard, dir, "wizard-1-welcome");
        wizard->findChild<QPushButton *>("NextCMD")->click();
        wizard->findChild<QCheckBox *>("SMBusCheck")->setChecked(true);
        test::saveWindowPicture(wizard, dir, "wizard-2-medium");
        // The searching panel as it is painted during the search, half way.
        auto *progress = wizard->findChild<QProgressBar *>("SearchProgress");
        bool taken = false;
        QObject::connect(progress, &QProgressBar::valueChanged, progress, [&](int value) {
            if (!taken && value >= progress->maximum() / 2) {
                taken = true;
                wizard->grab().save(dir + "/wizard-3-searching.png");
                std::printf("%s\n", qPrintable(dir + "/wizard-3-searching.png"));
            }
        });
        wizard->findChild<QPushButton *>("NextCMD")->click();
        test::saveWindowPicture(wizard, dir, "wizard-4-results");
    }
    {
        // What is here is only what a window shows: the main window after
        // Finish on the printer-port chip, each of its tabs in turn.
        test::ProgramFixture f;
        MainMenuForm *main = f.finishOn(test::Route::PrinterPort);
        auto *tabs = main->findChild<QTabWidget *>("MainTab");
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            // Named alike in every language, so that the README can set them side by side.
            const QHash<QString, QString> names{{"MainTabPage", "main"},
                                                {"ReadWriteTabPage", "read-write"},
                                                {"ControlCenterPage", "control-center"}};
            const QString name = names.value(tabs->widget(i)->objectName(), slug(tabs->tabText(i)));
            test::saveWindowPicture(main, dir, qPrintable("main-" + name));
        }
        test::saveWindowPicture(f.program->showAbout(), dir, "about");
    }
    {
        // The medium panel on a machine whose devices the user may not open,
        // as the Linux component reports them.
        sim::Scenario s = sim::Scenario::defaultBoard();
        s.build = BuildWithoutSmbus;
        s.portProblems = {linuxhw::deviceErrorText(EACCES, "/dev/parport0", "open")};
        s.smbusProblem = linuxhw::deviceErrorText(EACCES, "/dev/i2c-0", "open");
        test::ProgramFixture f(s);
        InitForm *wizard = f.openWizard();
        wizard->findChild<QPushButton *>("NextCMD")->click();
        test::saveWindowPicture(wizard, dir, "wizard-2-medium-no-access");
        wizard->hide();
    }
    {
        // The medium panel on a machine with two SMBus adapters, and the
        // splash where auto found no hardware.
        sim::Scenario s = sim::Scenario::defaultBoard();
        s.smbus.device = "/dev/i2c-0";
        s.smbus.name = "SMBus I801 adapter at 5000";
        s.moreSmbus.push_back({true, 0, {}, "/dev/i2c-1", "SMBus stub driver"});
        test::ProgramFixture f(s);
        InitForm *wizard = f.openWizard();
        wizard->findChild<QPushButton *>("NextCMD")->click();
        test::saveWindowPicture(wizard, dir, "wizard-2-medium-adapters");
        wizard->hide();
    }
    {
        auto clock = std::make_shared<ManualClock>();
        auto board = std::make_unique<sim::SimBackend>(sim::Scenario::defaultBoard(), clock);
        board->explainChoice(linuxhw::hardwareShown(0, {}, 3).absence);
        test::ProgramFixture f(std::move(board), clock);
        test::saveWindowPicture(f.program->showSplash(), dir, "splash-auto");
    }
    {
        // The bus console opened on the splash, after a search of both media
        // on a machine whose second printer port has its data line held low.
        sim::Scenario s = sim::Scenario::defaultBoard();
        sim::PortSetup stuck;
        stuck.base = 0x278;
        stuck.stuckSda = true;
        s.ports.push_back(stuck);
        test::ProgramFixture f(s);
        BusConsole *console = f.program->showBusConsole(f.program->showSplash());
        InitForm *wizard = f.openWizard();
        wizard->findChild<QPushButton *>("NextCMD")->click();
        wizard->findChild<QCheckBox *>("SMBusCheck")->setChecked(true);
        wizard->findChild<QPushButton *>("NextCMD")->click();
        f.tick(console->refreshTimer());
        test::saveWindowPicture(console, dir, "bus-console");
        wizard->hide();
    }
    return 0;
}
