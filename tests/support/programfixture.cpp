#include "tests/support/programfixture.h"
#include "link/chip.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "wizard/initform.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

namespace ort::test {

ProgramFixture::ProgramFixture(const sim::Scenario &scenario, const QString &settingsFile) : board(scenario)
{
    start(settingsFile);
}

ProgramFixture::ProgramFixture(std::unique_ptr<Backend> hardware, std::shared_ptr<ManualClock> clock)
    : board(std::move(hardware), std::move(clock))
{
    start();
}

void ProgramFixture::start(const QString &settingsFile)
{
    program = std::make_unique<Program>(ui, board.takeServer(), board.clock,
                                        settingsFile.isEmpty() ? std::make_unique<Settings>()
                                                               : std::make_unique<Settings>(settingsFile, stderr));
    program->setEndHandler([this] { ++ends; });
}

ProgramFixture::~ProgramFixture()
{
    ui.whileOpen = nullptr;
    program.reset();
    checkNoWindowLeft();
}

InitForm *ProgramFixture::openWizard()
{
    frmSplash *splash = program->showSplash();
    QTest::keyClick(splash, Qt::Key_Space);
    InitForm *wizard = program->existingWizard();
    if (!wizard || !wizard->isVisible()) {
        detail::fail(QStringLiteral("a key on the splash did not open the wizard"), std::source_location::current());
        return nullptr;
    }
    return wizard;
}

MainMenuForm *ProgramFixture::finishOn(Route route)
{
    InitForm *wizard = openWizard();
    if (!wizard)
        return nullptr;
    const bool printer = route == Route::PrinterPort;
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    auto *printerBox = control<QCheckBox>(wizard, "PPCheck");
    auto *smbusBox = control<QCheckBox>(wizard, "SMBusCheck");
    if (!(printer ? printerBox : smbusBox)->isEnabled()) {
        detail::fail(QStringLiteral("the wizard does not offer that route"), std::source_location::current());
        return nullptr;
    }
    printerBox->setChecked(printer);
    smbusBox->setChecked(!printer);
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    auto *list = control<QListWidget>(wizard, "SearchResultsLIST");
    if (list->count() == 0) {
        detail::fail(QStringLiteral("the search found no chip on that route"), std::source_location::current());
        return nullptr;
    }
    list->setCurrentRow(0);
    QTest::mouseClick(control<QPushButton>(wizard, "FinishCMD"), Qt::LeftButton);

    MainMenuForm *main = program->mainWindow();
    const int16_t medium = printer ? chip::MediumPrinterPort : chip::MediumSmbus;
    if (!main || !main->isVisible() || state().BusMedium != medium || ends != 0) {
        detail::fail(QStringLiteral("Finish did not land on the main window of that route"),
                     std::source_location::current());
        return nullptr;
    }
    clearCalls();
    return main;
}

} // namespace ort::test
