// The "Graph" panel keeps what it shows: the chart's menu and shortcuts save
// a picture (PNG, SVG) or the readings (CSV), read back here.
#include "gui/tristatecheckbox.h"
#include "monitor/graphpanel.h"
#include "shell/mainmenuform.h"
#include "tests/support/boards.h"
#include "tests/support/programfixture.h"
#include "tests/support/readonlyfile.h"
#include "widgets/stripchart.h"

#include <QBuffer>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace ort;
using test::control;

namespace {

// The readings the SMBus chip converts next, as the test sets them.
struct Readings {
    double remote = 50;
    double local = 28;
};

sim::Scenario boardReading(const std::shared_ptr<Readings> &now)
{
    sim::Scenario s = test::boardWith({test::portWith(0x378, {test::steadyChipAt(0x4C, 28, 50)})}, {});
    sim::ChipSetup chip = test::steadyChipAt(0x18);
    chip.remote = [now](double) { return now->remote; };
    chip.local = [now](double) { return now->local; };
    s.smbus.chips.push_back(chip);
    return s;
}

QStringList lines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {"<missing>"};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    for (QString &line : lines)
        line = line.trimmed();   // a line may end in CR LF
    return lines;
}

// Some pixel of the area is nearer the colour than to white or black: a
// trace drawn there, smoothed or not.
bool drawnIn(const QImage &image, const QRect &area, const QColor &colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int own = colour.red() ? c.red() : colour.green() ? c.green() : c.blue();
            if (own - (c.red() + c.green() + c.blue() - own) / 2 > 60)
                return true;
        }
    return false;
}

using Samples = QList<QList<double>>;   // {milliseconds after the one before, trace, value}

} // namespace

class TestGraphSave : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramFixture> f;
    std::shared_ptr<Readings> chip;
    MainMenuForm *main = nullptr;
    std::unique_ptr<QTemporaryDir> dir;

    // The main window on the SMBus route at noon, "Control Center" shown,
    // graphing on.
    bool open()
    {
        chip = std::make_shared<Readings>();
        f = std::make_unique<test::ProgramFixture>(boardReading(chip));
        f->clock().setTimeOfDay(12 * 3600);
        main = f->finishOn(test::Route::Smbus);
        if (!main)
            return false;
        auto *tabs = control<QTabWidget>(main, "MainTab");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == "Control Center")
                tabs->setCurrentIndex(i);
        control<TriStateCheckBox>(main, "Check2")->setValue(TriStateCheckBox::On);
        return chart()->isVisible();
    }
    StripChart *chart() { return control<StripChart>(main, "Strip1"); }
    // One tick per pair, 4 s apart: the chip converts once between two at
    // its power-on rate, so each tick reads the pair set before it.
    void read(std::initializer_list<std::pair<double, double>> readings)
    {
        for (auto [remote, local] : readings) {
            chip->remote = remote;
            chip->local = local;
            f->tick(*control<QTimer>(main, "Timer1"), 1, 4.0);
        }
    }
    // What a user does: a right click on the chart, then the menu's entry.
    void chooseFromMenu(const char *action)
    {
        StripChart *c = chart();
        QTest::mouseClick(c, Qt::RightButton, {}, c->plotRect().center());
        auto *menu = control<QMenu>(main, "Strip1Menu");
        QVERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(control<QAction>(main, action)).center());
        QVERIFY(!menu->isVisible());
    }
    QString answerWith(const QString &name)
    {
        const QString path = name.isEmpty() ? QString() : dir->filePath(name);
        f->ui.fileAnswers << path;
        return path;
    }

private slots:
    void init() { dir = std::make_unique<QTemporaryDir>(); }
    void cleanup()
    {
        main = nullptr;
        f.reset();
        dir.reset();
    }

    void readingsAsCsv_data();
    void readingsAsCsv();
    void readingsFileFromTheMenu();
    void picturesReadBack_data();
    void picturesReadBack();
    void shortcutsOnlyWhileTheChartHasTheKeyboard();
    void cancelledOrRefused_data();
    void cancelledOrRefused();
};

void TestGraphSave::readingsAsCsv_data()
{
    QTest::addColumn<QTime>("start");
    QTest::addColumn<Samples>("samples");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("a row per change") << QTime(12, 0)
        << Samples{{0, 0, 50}, {0, 1, 28}, {5, 0, 50}, {0, 1, 28}, {57, 0, 51}, {0, 1, 28}, {5, 0, 51}, {0, 1, 27}}
        << QStringList{"2024-05-01T12:00:00.000,50,28", "2024-05-01T12:00:00.062,51,28",
                       "2024-05-01T12:00:00.067,51,27"};
    QTest::newRow("local not read yet, fractions, extremes") << QTime(9, 5, 7, 8)
        << Samples{{0, 0, -1}, {1, 1, -128}, {1, 0, 1.5}, {990, 0, 127}}
        << QStringList{"2024-05-01T09:05:07.008,-1,", "2024-05-01T09:05:07.009,-1,-128",
                       "2024-05-01T09:05:07.010,1.5,-128", "2024-05-01T09:05:08.000,127,-128"};
    QTest::newRow("over midnight") << QTime(23, 59, 59, 995)
        << Samples{{0, 0, 20}, {0, 1, 20}, {5, 0, 21}, {0, 1, 20}}
        << QStringList{"2024-05-01T23:59:59.995,20,20", "2024-05-02T00:00:00.000,21,20"};
    QTest::newRow("nothing drawn") << QTime(12, 0) << Samples{} << QStringList{};
}

void TestGraphSave::readingsAsCsv()
{
    QFETCH(QTime, start);
    QFETCH(Samples, samples);
    QFETCH(QStringList, rows);
    StripChart chart;
    double now = QDateTime(QDate(2024, 5, 1), start).toMSecsSinceEpoch() / 1000.0;
    chart.setClock([&now] { return now; });
    for (const QList<double> &s : samples) {
        now += s[0] / 1000;
        chart.addSample(int(s[1]), s[2]);
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QVERIFY(writeReadingsCsv(chart, out));
    QCOMPARE(QString::fromLatin1(out.data()).split('\n'), QStringList{"time,remote,local"} + rows + QStringList{""});
}

void TestGraphSave::readingsFileFromTheMenu()
{
    QVERIFY(open());
    read({{50, 28}, {50, 28}, {51, 28}, {51, -3}, {51, -3}, {-1, -128}});
    const QString path = answerWith("readings.csv");
    chooseFromMenu("SaveReadings");
    QCOMPARE(f->ui.saveCaptions, QStringList{"Save Readings"});
    QCOMPARE(f->ui.fileFilters, QStringList{"CSV Files (*.csv)"});
    const QStringList csv = lines(path);
    QCOMPARE(csv.value(0), QString("time,remote,local"));
    QStringList values;
    QList<QDateTime> times;
    for (const QString &row : csv.mid(1)) {
        const QStringList cells = row.split(',');
        QCOMPARE(cells.size(), 3);
        times << QDateTime::fromString(cells[0], Qt::ISODateWithMs);
        values << cells[1] + ' ' + cells[2];
    }
    QCOMPARE(values, QStringList({"50 28", "51 28", "51 -3", "-1 -128"}));
    // Rows at the ticks that saw a change: the first, third, fourth, sixth,
    // 4 s apart from noon on, on today's date (the clock's time of day).
    for (int i = 0; i < times.size(); ++i) {
        const double tick = 4.0 * QList<int>({1, 3, 4, 6})[i];
        QVERIFY2(times[i].isValid(), qPrintable(csv[i + 1]));
        QVERIFY(csv[i + 1].contains(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3},")));
        QVERIFY(std::abs(times[i].time().msecsSinceStartOfDay() - (12 * 3600 + tick) * 1000) <= 1);
        QVERIFY(times[i].date() == QDate::currentDate() || times[i].date() == QDate::currentDate().addDays(-1));
    }
    QCOMPARE(f->ui.messages.size(), 0);

    // A spreadsheet reads three columns: written back with another separator,
    // every row has three cells.
    const QString converter = QStandardPaths::findExecutable("ssconvert");
    if (converter.isEmpty())
        QSKIP("ssconvert (Debian gnumeric) is not installed: the spreadsheet's view is not checked");
    QProcess convert;
    convert.start(converter, {"-O", "separator=; format=raw", path, dir->filePath("converted.txt")});
    QVERIFY(convert.waitForFinished(60000));
    QCOMPARE(convert.exitCode(), 0);
    const QStringList converted = lines(dir->filePath("converted.txt"));
    QCOMPARE(converted.size(), csv.size());
    for (const QString &row : converted)
        QVERIFY2(row.split(';').size() == 3, qPrintable(row));
    QCOMPARE(converted.last().section(';', 1), QString("-1;-128"));
}

void TestGraphSave::picturesReadBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("PNG") << "graph.png";
    QTest::newRow("SVG") << "graph.svg";
    QTest::newRow("SVG, upper case") << "graph.SVG";
}

void TestGraphSave::picturesReadBack()
{
    QFETCH(QString, name);
    QVERIFY(open());
    read({{50, 28}, {90, 10}, {-60, 28}, {100, 50}});
    const QString path = answerWith(name);
    chooseFromMenu("SavePicture");
    QCOMPARE(f->ui.saveCaptions, QStringList{"Save Picture"});
    QCOMPARE(f->ui.fileFilters, QStringList{"PNG Image (*.png);;SVG Drawing (*.svg)"});
    StripChart *c = chart();
    QImage picture;
    if (name.endsWith(".png")) {
        QVERIFY(picture.load(path, "PNG"));
        QCOMPARE(picture.size(), c->size() * c->devicePixelRatioF());
    } else {
        QSvgRenderer svg(path);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), QRect(QPoint(), c->size()));
        picture = QImage(c->size(), QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        svg.render(&painter);
    }
    // Both traces in the plot.
    const QRect plot = c->plotRect();
    for (int trace : {GraphPanel::RemoteTrace, GraphPanel::LocalTrace})
        QVERIFY2(drawnIn(picture, plot.adjusted(1, 1, -1, -1), c->traceColor(trace)), qPrintable(QString::number(trace)));
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestGraphSave::shortcutsOnlyWhileTheChartHasTheKeyboard()
{
    QVERIFY(open());
    read({{50, 28}});
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    chart()->setFocus();
    const QString picture = answerWith("key.png"), readings = answerWith("key.csv");
    QTest::keyClick(chart(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(chart(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f->ui.saveCaptions, QStringList({"Save Picture", "Save Readings"}));
    QVERIFY(QImage(picture).width() > 0);
    QCOMPARE(lines(readings).size(), 2);

    // The menu by keyboard: Shift+F10, down to the second entry, Return.
    QTest::keyClick(chart(), Qt::Key_F10, Qt::ShiftModifier);
    auto *menu = control<QMenu>(main, "Strip1Menu");
    QVERIFY(menu->isVisible());
    answerWith("menu.csv");
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        QTest::keyClick(menu, key);
    QCOMPARE(f->ui.saveCaptions.size(), 3);
    QCOMPARE(f->ui.saveCaptions.last(), QString("Save Readings"));

    // Elsewhere on the window the keys are not the chart's.
    auto *clear = control<QPushButton>(main, "Command6");
    clear->setFocus();
    QTest::keyClick(clear, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(clear, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f->ui.saveCaptions.size(), 3);
}

void TestGraphSave::cancelledOrRefused_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");
    QTest::newRow("picture cancelled") << "SavePicture" << "" << "";
    QTest::newRow("readings cancelled") << "SaveReadings" << "" << "";
    QTest::newRow("picture, no such folder") << "SavePicture" << "gone/graph.png" << "The picture could not be saved to ";
    QTest::newRow("readings, no such folder") << "SaveReadings" << "gone/readings.csv"
                                              << "The readings could not be saved to ";
    QTest::newRow("readings, file read-only") << "SaveReadings" << "kept.csv" << "The readings could not be saved to ";
}

void TestGraphSave::cancelledOrRefused()
{
    QFETCH(QString, action);
    QFETCH(QString, answer);
    QFETCH(QString, message);
    QVERIFY(open());
    read({{50, 28}, {51, 28}});
    const QString path = answerWith(answer);
    std::unique_ptr<test::ReadOnlyFile> kept;
    if (answer == "kept.csv") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("kept\n") == 5);
        file.close();
        kept = std::make_unique<test::ReadOnlyFile>(path);
    }
    chooseFromMenu(action.toLatin1().constData());
    QCOMPARE(f->ui.saveCaptions.size(), 1);
    if (message.isEmpty()) {
        QCOMPARE(f->ui.messages.size(), 0);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());
        return;
    }
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].icon, QMessageBox::Warning);
    QCOMPARE(f->ui.messages[0].title, action == "SavePicture" ? QString("Save Picture") : QString("Save Readings"));
    QVERIFY2(f->ui.messages[0].text.startsWith(message + QDir::toNativeSeparators(path) + '.'),
             qPrintable(f->ui.messages[0].text));
    // Nothing half-written, and a file that was there is as it was.
    QVERIFY(!QFile::exists(dir->filePath("gone")));
    if (kept) {
        kept.reset();
        QCOMPARE(lines(path), QStringList{"kept"});
    }
    QCOMPARE(f->ends, 0);
}

QTEST_MAIN(TestGraphSave)
#include "tst_graphsave.moc"
