#include "console/busconsole.h"
#include "console/transferdelegate.h"
#include "console/transfertext.h"
#include "link/chip.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "tests/support/boards.h"
#include "tests/support/programfixture.h"
#include "wizard/initform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace ort;
using test::control;

namespace {

// The table's rows as the user reads them, without times and durations.
QStringList rowsShown(BusConsole *console)
{
    QAbstractItemModel *model = control<QTableView>(console, "TransferTable")->model();
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = int(TransferColumn::Route); c <= int(TransferColumn::Result); ++c)
            cells << model->index(r, c).data().toString();
        rows << cells.join('|');
    }
    return rows;
}

// What the refresh timer does when it fires, without waiting for it.
void refreshed(test::ProgramFixture &f, BusConsole *console)
{
    QVERIFY(console->refreshTimer().isActive());
    f.tick(console->refreshTimer());
}

} // namespace

class TestBusConsole : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramFixture> f;
private slots:
    void cleanup() { f.reset(); }
    void failedSearchIsReadInTheConsoleOpenedOnTheSplash();
    void mainTabOpensItAndMovesNoControl();
    void pausesFiltersClearsAndSaves();
    void goesWithTheMainWindow();
    void eachTextStaysInItsCell();
};

void TestBusConsole::failedSearchIsReadInTheConsoleOpenedOnTheSplash()
{
    sim::PortSetup stuck = test::portAt(0x378, {0x4C});
    stuck.stuckSda = true;
    f = std::make_unique<test::ProgramFixture>(test::boardWith({stuck}, {0x18}));
    frmSplash *splash = f->program->showSplash();
    QVERIFY(QTest::qWaitForWindowActive(splash));
    QTest::keyClick(splash, Qt::Key_B, Qt::ControlModifier);
    BusConsole *console = f->program->busConsole();
    QVERIFY(console && console->isVisible());
    // The key opened the console only; the splash still waits for its key.
    QVERIFY(splash->isVisible() && !f->program->existingWizard());

    InitForm *wizard = f->openWizard();
    QVERIFY(wizard);
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    refreshed(*f, console);

    const QStringList rows = rowsShown(console);
    QVERIFY(rows.contains("SMBus at 5000h|18h|read|FEh|5Ch|acknowledged"));
    QVERIFY(rows.contains("SMBus at 5000h|19h|read|FEh||not acknowledged"));
    auto *result = control<QComboBox>(console, "ResultFilter");
    result->setCurrentIndex(result->findText("Failed"));
    // Each probe of the non-inverting pass, which sees the held line low, with its reason.
    QStringList probes;
    for (uint8_t address : chip::CandidateAddresses)
        probes << "printer port 378h|" + QString::number(address, 16).toUpper() +
                      "h|read|FEh||The SMBus on printer port 378h is busy: SDA is held low";
    QCOMPARE(rowsShown(console), probes);
    QCOMPARE(control<QLabel>(console, "CountLBL")->text(), QString("9 of %1 transfers").arg(rows.size()));

    // Cancel ends the program, console and all.
    QTest::mouseClick(control<QPushButton>(wizard, "CancelCMD"), Qt::LeftButton);
    QCOMPARE(f->ends, 1);
    QVERIFY(!f->program->busConsole());
}

void TestBusConsole::mainTabOpensItAndMovesNoControl()
{
    f = std::make_unique<test::ProgramFixture>();
    MainMenuForm *main = f->finishOn(test::Route::Smbus);
    QVERIFY(main);
    auto *page = control<QWidget>(main, "MainTabPage");
    auto *button = control<QPushButton>(page, "BusConsoleCMD");
    QVERIFY(button->isVisible());
    QList<QRect> withButton;
    const char *documented[] = {"Picture1", "Label24", "Label25", "Label26", "Command7", "Quit"};
    for (const char *name : documented)
        withButton << control<QWidget>(page, name)->geometry();
    button->hide();
    page->layout()->activate();
    for (int i = 0; i < withButton.size(); ++i)
        QCOMPARE(control<QWidget>(page, documented[i])->geometry(), withButton[i]);
    // In the page's top right corner.
    QVERIFY(QRect(QPoint(), page->size()).contains(button->geometry()));
    QVERIFY(button->geometry().right() > page->width() * 3 / 4 && button->geometry().top() < page->height() / 4);

    button->show();
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(f->program->busConsole() && f->program->busConsole()->isVisible());
}

void TestBusConsole::pausesFiltersClearsAndSaves()
{
    f = std::make_unique<test::ProgramFixture>();
    MainMenuForm *main = f->finishOn(test::Route::Smbus);
    QVERIFY(main);
    BusConsole *console = f->program->showBusConsole();
    auto read = [this](uint8_t reg) {
        f->state().RegisterPointer = reg;
        f->program->link().ReadRegister();
    };
    read(1), read(2);
    // Pausing shows at once what came before it.
    auto *pause = control<QPushButton>(console, "PauseCMD");
    QTest::mouseClick(pause, Qt::LeftButton);
    QCOMPARE(rowsShown(console).size(), 2);
    read(0);
    QVERIFY(!console->refreshTimer().isActive());
    QCOMPARE(control<QLabel>(console, "CountLBL")->text(), "2 transfers, paused");
    QTest::mouseClick(pause, Qt::LeftButton);
    read(0);
    refreshed(*f, console);
    QCOMPARE(rowsShown(console).size(), 3);
    QVERIFY(rowsShown(console).last().startsWith("SMBus at 5000h|18h|read|00h|"));

    auto *reg = control<QComboBox>(console, "RegisterFilter");
    reg->setCurrentIndex(reg->findText("Status (02h)"));
    QCOMPARE(rowsShown(console).size(), 1);
    QTemporaryDir dir;
    f->ui.fileAnswers << dir.filePath("status") << dir.filePath("missing/status.csv");
    QTest::mouseClick(control<QPushButton>(console, "SaveCMD"), Qt::LeftButton);
    QFile saved(dir.filePath("status.csv"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = saved.readAll().split('\n');
    QCOMPARE(lines.size(), 3);   // header, one row, nothing after the last line end
    QVERIFY(lines[1].contains(",SMBus at 5000h,18h,read,02h,"));
    QTest::mouseClick(control<QPushButton>(console, "SaveCMD"), Qt::LeftButton);
    QCOMPARE(f->ui.messages.size(), 1);
    QVERIFY(f->ui.messages[0].text.contains("missing"));

    QTest::mouseClick(control<QPushButton>(console, "ClearCMD"), Qt::LeftButton);
    reg->setCurrentIndex(0);
    QCOMPARE(rowsShown(console).size(), 0);
}

void TestBusConsole::goesWithTheMainWindow()
{
    f = std::make_unique<test::ProgramFixture>();
    MainMenuForm *main = f->finishOn(test::Route::PrinterPort);
    QVERIFY(main);
    QVERIFY(QTest::qWaitForWindowActive(main));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
    QVERIFY(f->program->busConsole());
    QVERIFY(f->board.server().watched());
    main->close();
    QVERIFY(!f->program->busConsole());
    QVERIFY(!f->board.server().watched());
}

// A failure wider than its cell is cut at the cell's edge, in dark red; the
// duration after it still shows, against the right of its cell.
void TestBusConsole::eachTextStaysInItsCell()
{
    TransferRing ring;
    Transfer t;
    t.outcome = Transfer::Outcome::Failed;
    const std::string reason(300, 'W');
    t.reason = reason;
    t.durationNs = 578'000;
    ring.add(t, 1);
    TransferModel model(ring);
    QTableView view;
    view.setModel(&model);
    view.setItemDelegate(new TransferDelegate(&view));
    view.setShowGrid(false);
    view.resize(900, 200);
    const QImage image = view.viewport()->grab().toImage();
    auto ink = [&](int column, int from, int to) {   // the darkest pixel in that part of row 0's cell
        const int left = view.columnViewportPosition(column);
        QColor darkest(Qt::white);
        for (int x = left + from; x < left + to; ++x)
            for (int y = 0; y < view.rowHeight(0); ++y)
                if (qGray(image.pixel(x, y)) < qGray(darkest.rgb()))
                    darkest = image.pixelColor(x, y);
        return darkest;
    };
    const int took = int(TransferColumn::Took), width = view.columnWidth(took);
    QCOMPARE(ink(took, 0, width / 3), QColor(Qt::white));
    QVERIFY(ink(took, width * 2 / 3, width).red() < 200);
    const QColor failure = ink(int(TransferColumn::Result), 0, view.columnWidth(int(TransferColumn::Result)));
    QVERIFY2(failure.red() > failure.green() + 60, qPrintable(failure.name()));
}

QTEST_MAIN(TestBusConsole)
#include "tst_busconsole.moc"
