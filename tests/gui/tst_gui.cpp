#include "component/buserror.h"
#include "gui/artwork.h"
#include "gui/colours.h"
#include "gui/errors.h"
#include "gui/twips.h"
#include "link/runtimeerror.h"
#include "link/text.h"
#include "tests/support/testsupport.h"

#include <QPainter>
#include <QVBoxLayout>
#include <QScreen>
#include <QtTest>

using namespace ort;

class TestGui : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void names();
    void hexAndDecimal_data();
    void hexAndDecimal();
    void colours();
    void twipsAtTheScreensResolution_data();
    void twipsAtTheScreensResolution();
    void centring();
    void chipPictureCarriesTheNameWithinThePackage_data();
    void chipPictureCarriesTheNameWithinThePackage();
    void programIconIsARoundedBoard_data();
    void programIconIsARoundedBoard();

    void errorTexts_data();
    void errorTexts();
    void guardedHandlerAbandonsAndGoesOn();
    void oneErrorBoxAtATime();
    void failingTickStopsItsTimerBeforeTheBox();
};

void TestGui::cleanup()
{
    test::checkNoWindowLeft();
}

void TestGui::names()
{
    QCOMPARE(ChipName, QString("ORT310"));
    QCOMPARE(ProductName, QString("ORT310 Evaluation Software"));
    QCOMPARE(MakerName, QString("Velmora"));
    QCOMPARE(ProgramVersion, QString("5.0"));   // the project's version, through the build
}

void TestGui::hexAndDecimal_data()
{
    QTest::addColumn<uint>("value");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("decimal");
    QTest::newRow("0") << 0u << "0" << "0";
    QTest::newRow("26") << 26u << "1A" << "26";
    QTest::newRow("255") << 255u << "FF" << "255";
    QTest::newRow("port base") << 0x378u << "378" << "888";
    QTest::newRow("SMBus base") << 0xEFA0u << "EFA0" << "61344";
}

void TestGui::hexAndDecimal()
{
    QFETCH(uint, value);
    QFETCH(QString, hex);
    QFETCH(QString, decimal);
    QCOMPARE(hexText(value), hex);
    QCOMPARE(decimalText(value), decimal);
    QCOMPARE(decimalText(-55), QString("-55"));
}

void TestGui::colours()
{
    QCOMPARE(colour::Red, QColor(255, 0, 0));
    QCOMPARE(colour::Green, QColor(0, 255, 0));
    QCOMPARE(colour::LightGrey, QColor(192, 192, 192));
    QCOMPARE(colour::DarkRed, QColor(192, 0, 0));
    QCOMPARE(colour::DarkGreen, QColor(0, 128, 0));
}

void TestGui::twipsAtTheScreensResolution_data()
{
    QTest::addColumn<int>("twipsValue");
    QTest::addColumn<int>("pixels");
    QTest::newRow("an inch") << 1440 << 96;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("half a pixel rounds up") << 8 << 1;
    QTest::newRow("less rounds down") << 7 << 0;
    QTest::newRow("wizard panel width") << 4575 << 305;
    QTest::newRow("off the left") << -5000 << -332;
}

void TestGui::twipsAtTheScreensResolution()
{
    QFETCH(int, twipsValue);
    QFETCH(int, pixels);
    QCOMPARE(twips(nullptr, twipsValue), pixels);   // no widget: 96 dpi
    QWidget w;
    QCOMPARE(twips(&w, 1440), w.logicalDpiX());   // an inch at the widget's own resolution
    QCOMPARE(twipsRect(nullptr, 1320, 0, twipsValue, 375), QRect(88, 0, pixels, 25));
}

void TestGui::centring()
{
    // Laid out, a window grows to what its contents need when it is shown:
    // it is centred on that size, not on the one it was given.
    QWidget w;
    auto *layout = new QVBoxLayout(&w);
    auto *inside = new QWidget(&w);
    inside->setMinimumSize(420, 260);
    layout->addWidget(inside);
    w.resize(200, 100);
    centreOnScreen(&w);
    const QPoint at = w.pos();
    w.show();
    const QRect screen = w.screen()->geometry();
    QCOMPARE(at, QPoint(screen.left() + (screen.width() - w.width()) / 2,
                        screen.top() + (screen.height() - w.height()) / 2));
}

void TestGui::chipPictureCarriesTheNameWithinThePackage_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("splash, wide") << QSize(147, 120);
    QTest::newRow("main window") << QSize(200, 160);
    QTest::newRow("wizard, upright") << QSize(72, 180);
}

void TestGui::chipPictureCarriesTheNameWithinThePackage()
{
    QFETCH(QSize, size);
    const QImage image = chipPicture(size).toImage();
    QCOMPARE(image.size(), size);
    QCOMPARE(image.pixelColor(0, 0), QColor(0, 96, 48));   // the board, to its very corner
    // The marking is the only white; the package is the middle half of the
    // width and the middle three fifths of the height.
    const QRect package(size.width() / 4, size.height() / 5, size.width() / 2, size.height() * 3 / 5);
    int inside = 0, outside = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 230 && c.green() > 230 && c.blue() > 230)
                (package.contains(x, y) ? inside : outside) += 1;
        }
    QVERIFY2(inside > 20, qPrintable(QString::number(inside)));
    QCOMPARE(outside, 0);
}

void TestGui::programIconIsARoundedBoard_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("marked");
    QTest::newRow("16, unmarked") << 16 << false;
    QTest::newRow("48, unmarked") << 48 << false;
    QTest::newRow("64, unmarked") << 64 << false;
    QTest::newRow("128, marked") << 128 << true;
    QTest::newRow("256, marked") << 256 << true;
}

void TestGui::programIconIsARoundedBoard()
{
    QFETCH(int, side);
    QFETCH(bool, marked);
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        paintProgramIcon(p, side);
    }
    const int margin = side / 16;
    // Clear round the board and in its rounded corners, board inside.
    QCOMPARE(icon.pixelColor(0, side / 2).alpha(), 0);
    QCOMPARE(icon.pixelColor(side - 1, side / 2).alpha(), 0);
    QVERIFY(icon.pixelColor(margin, margin).alpha() < 128);
    QVERIFY(icon.pixelColor(side - 1 - margin, side - 1 - margin).alpha() < 128);
    QCOMPARE(icon.pixelColor(side / 2, margin + 1), QColor(0, 96, 48));
    QCOMPARE(icon.pixelColor(margin + 1, side / 2).alpha(), 255);
    // The marking only where it can be read.
    int white = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const QColor c = icon.pixelColor(x, y);
            white += c.red() > 230 && c.green() > 230 && c.blue() > 230;
        }
    QCOMPARE(white > 0, marked);
}

void TestGui::errorTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    // In words, no error numbers: what failed, then what was done.
    QTest::newRow("overflow") << 0 << "A value outside 0 to 255 was to be sent to the chip.";
    QTest::newRow("bus failure") << 1 << "No acknowledge from device at 4Ch.";
    QTest::newRow("a fault of the program") << 2 << "The program met a fault of its own (vector index).";
    QTest::newRow("anything else") << 3 << "The program met a fault of its own (Internal error).";
}

void TestGui::errorTexts()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    test::FakeUi ui;
    runGuarded(ui, nullptr, [kind] {
        switch (kind) {
        case 0:
            throw RunTimeError::overflow();
        case 1:
            throw NoAcknowledge("No acknowledge from device at 4Ch");
        case 2:
            throw std::out_of_range("vector index");
        default:
            throw 42;
        }
    });
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages[0].text, text + "\n\nThe operation was abandoned.");
    QCOMPARE(ui.messages[0].title, QString("ORT310 Evaluation Software"));
    QCOMPARE(ui.messages[0].icon, QMessageBox::Critical);
    QCOMPARE(ui.failures().text(), text + " The operation was abandoned.");
}

void TestGui::guardedHandlerAbandonsAndGoesOn()
{
    test::FakeUi ui;
    QStringList steps;
    QVERIFY(runGuarded(ui, nullptr, [&] { steps << "ran"; }, [&] { steps << "before box"; }));
    QCOMPARE(steps, QStringList({"ran"}));
    QVERIFY(ui.messages.isEmpty());

    ui.whileOpen = [&](const MessageRequest &) { steps << "box"; };
    const bool ok = runGuarded(
        ui, nullptr,
        [&] {
            throw BusError("Bus stuck");
            steps << "after the error";
        },
        [&] { steps << "before box"; });
    QVERIFY(!ok);
    QCOMPARE(steps, QStringList({"ran", "before box", "box"}));
    QVERIFY(!ui.failures().boxOpen());

    // The next error gets its box: the first one is closed.
    runGuarded(ui, nullptr, [] { throw RunTimeError::overflow(); });
    QCOMPARE(ui.messages.size(), 2);
    // The status line keeps the failure until a handler succeeds, one that
    // met a failure of its own and went on included.
    QVERIFY(!ui.failures().text().isEmpty());
    runGuarded(ui, nullptr, [&] { ui.failures().report("The log file could not be written."); });
    QCOMPARE(ui.failures().text(), QString("The log file could not be written."));
    runGuarded(ui, nullptr, [] {});
    QCOMPARE(ui.failures().text(), QString());
}

void TestGui::oneErrorBoxAtATime()
{
    // While a box is open its event loop runs; a handler that fails there
    // (another click, a timer) must not stack a second box on the first.
    test::FakeUi ui;
    int nestedRan = 0;
    bool openDuringBox = false;
    int boxes = 0;
    ui.whileOpen = [&](const MessageRequest &) {
        if (boxes++ > 0)   // a box shown from inside a box: counted, not repeated
            return;
        openDuringBox = ui.failures().boxOpen();
        for (int i = 0; i < 3; ++i)
            runGuarded(ui, nullptr, [&] {
                ++nestedRan;
                throw BusError("No acknowledge from device at 4Ch");
            });
    };
    runGuarded(ui, nullptr, [] { throw RunTimeError::overflow(); });
    QCOMPARE(nestedRan, 3);   // the handlers ran and were abandoned...
    QCOMPARE(ui.messages.size(), 1);   // ...without a box of their own
    QVERIFY(ui.messages[0].text.startsWith("A value outside 0 to 255"));
    // The last of them is in the status line.
    QCOMPARE(ui.failures().text(), QString("No acknowledge from device at 4Ch. The operation was abandoned."));
    QVERIFY(openDuringBox);
    QVERIFY(!ui.failures().boxOpen());
}

void TestGui::failingTickStopsItsTimerBeforeTheBox()
{
    test::FakeUi ui;
    ManualClock clock;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(5);
    int ticks = 0, returned = 0;
    bool toggleUp = false;
    QList<bool> activeAtBox, returnedAtBox;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        runGuardedTick(
            ui, nullptr, timer,
            [&] {
                ++ticks;
                if (ticks == 3)
                    throw NoAcknowledge("No acknowledge from device at 4Ch");
            },
            [&] { toggleUp = true; }, "Continuous reading stopped.");
    });
    QObject::connect(&timer, &QTimer::timeout, [&] { ++returned; });
    ui.whileOpen = [&](const MessageRequest &) {
        activeAtBox << timer.isActive();
        returnedAtBox << (returned == ticks);
    };
    timer.start();

    QCOMPARE(test::tick(clock, timer, 10), 3);   // no tick after the failing one
    QCOMPARE(ticks, 3);
    QCOMPARE(activeAtBox, QList<bool>({false}));   // one box, the timer already stopped
    QCOMPARE(returnedAtBox, QList<bool>({true}));   // and the tick over
    QVERIFY(toggleUp);
    QCOMPARE(clock.now(), 0.015);
    QCOMPARE(ui.messages[0].text, QString("No acknowledge from device at 4Ch.\n\nContinuous reading stopped."));
    // The status line says so until a tick succeeds.
    QCOMPARE(ui.failures().text(), QString("No acknowledge from device at 4Ch. Continuous reading stopped."));
    timer.start();
    test::tick(clock, timer);
    QCOMPARE(ui.failures().text(), QString());
}

QTEST_MAIN(TestGui)
#include "tst_gui.moc"
