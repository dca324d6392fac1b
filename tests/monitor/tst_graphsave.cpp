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
#include <optional>

using namespace ort;
using test::control;

namespace {

QStringList lines(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts)
                                       : QStringList{"<missing>"};
}

// Some pixel of the area leans towards the colour's own channel: a trace
// drawn there, smoothed or not.
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

// {milliseconds after the one before, trace, value}; trace 2 is the alert, marked while not 0.
using Samples = QList<QList<double>>;

} // namespace

class TestGraphSave : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramFixture> f;
    MainMenuForm *main = nullptr;
    std::unique_ptr<QTemporaryDir> tmp;
    QString file(const QString &name) const { return name.isEmpty() ? QString() : tmp->filePath(name); }

    // The main window on the SMBus route from noon, graphing on the "Control
    // Center" tab, one tick 4 s apart for each {remote, local}: the chip
    // converts once between two at its power-on rate.
    StripChart *graph(std::initializer_list<std::pair<double, double>> readings)
    {
        auto now = std::make_shared<std::pair<double, double>>(*readings.begin());
        sim::Scenario s = test::boardWith({test::portWith(0x378, {test::steadyChipAt(0x4C)})});
        sim::ChipSetup chip = test::steadyChipAt(0x18);
        chip.remote = [now](double) { return now->first; };
        chip.local = [now](double) { return now->second; };
        s.smbus.chips.push_back(chip);
        f = std::make_unique<test::ProgramFixture>(s);
        f->clock().setTimeOfDay(12 * 3600);
        main = f->finishOn(test::Route::Smbus);
        auto *tabs = control<QTabWidget>(main, "MainTab");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == "Control Center")
                tabs->setCurrentIndex(i);
        control<TriStateCheckBox>(main, "Check2")->setValue(TriStateCheckBox::On);
        for (const auto &r : readings) {
            *now = r;
            f->tick(*control<QTimer>(main, "Timer1"), 1, 4.0);
        }
        return control<StripChart>(main, "Strip1");
    }
    // As a user does: Ctrl+S or Ctrl+Shift+S on the chart with the keyboard,
    // or a right click and the menu's entry.
    void choose(QWidget *on, const QString &action, bool byKey)
    {
        if (byKey) {
            main->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(main));
            on->setFocus();
            QTest::keyClick(on, Qt::Key_S, action == "SavePicture" ? Qt::ControlModifier
                                                                   : Qt::ControlModifier | Qt::ShiftModifier);
            return;
        }
        QTest::mouseClick(on, Qt::RightButton, {}, on->rect().center());
        auto *menu = control<QMenu>(main, "Strip1Menu");
        QVERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(control<QAction>(main, qPrintable(action))).center());
    }

private slots:
    void init() { tmp = std::make_unique<QTemporaryDir>(); }
    void cleanup() { f.reset(); }

    void readingsAsCsv_data();
    void readingsAsCsv();
    void savedAndReadBack_data();
    void savedAndReadBack();
    void notSaved_data();
    void notSaved();
};

void TestGraphSave::readingsAsCsv_data()
{
    QTest::addColumn<QTime>("start");
    QTest::addColumn<Samples>("samples");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("a row per change") << QTime(12, 0)
        << Samples{{0, 0, 50}, {0, 1, 28}, {5, 0, 50}, {0, 1, 28}, {57, 0, 51}, {0, 1, 28}, {5, 0, 51}, {0, 1, 27}}
        << QStringList{"2024-05-01T12:00:00.000,50,28,0", "2024-05-01T12:00:00.062,51,28,0",
                       "2024-05-01T12:00:00.067,51,27,0"};
    QTest::newRow("local not read yet, fractions, extremes") << QTime(9, 5, 7, 8)
        << Samples{{0, 0, -1}, {1, 1, -128}, {1, 0, 1.5}, {990, 0, 127}}
        << QStringList{"2024-05-01T09:05:07.008,-1,,0", "2024-05-01T09:05:07.009,-1,-128,0",
                       "2024-05-01T09:05:07.010,1.5,-128,0", "2024-05-01T09:05:08.000,127,-128,0"};
    QTest::newRow("over midnight") << QTime(23, 59, 59, 995) << Samples{{0, 0, 20}, {0, 1, 20}, {5, 0, 21}}
        << QStringList{"2024-05-01T23:59:59.995,20,20,0", "2024-05-02T00:00:00.000,21,20,0"};
    QTest::newRow("an alert that starts and ends") << QTime(12, 0)
        << Samples{{0, 2, 1}, {0, 0, 95}, {0, 1, 28}, {5, 2, 1}, {0, 0, 95}, {5, 0, 89}, {2, 2, 0}, {3, 2, 1},
                   {0, 2, 0}, {0, 0, 89}, {40, 2, 1}}
        << QStringList{"2024-05-01T12:00:00.000,95,28,1", "2024-05-01T12:00:00.010,89,28,1",
                       "2024-05-01T12:00:00.012,89,28,0", "2024-05-01T12:00:00.055,89,28,1"};
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
        if (s[1] == 2)
            chart.setMarked(s[2] != 0);
        else
            chart.addSample(int(s[1]), s[2]);
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QVERIFY(writeReadingsCsv(chart, out));
    QCOMPARE(QString::fromLatin1(out.data()).split('\n'),
             QStringList{"time,remote,local,alert"} + rows + QStringList{""});
}

void TestGraphSave::savedAndReadBack_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("byKey");
    QTest::newRow("PNG from the menu") << "SavePicture" << "graph.png" << false;
    QTest::newRow("SVG by Ctrl+S") << "SavePicture" << "graph.SVG" << true;
    QTest::newRow("CSV from the menu") << "SaveReadings" << "readings.csv" << false;
    QTest::newRow("CSV by Ctrl+Shift+S") << "SaveReadings" << "readings.csv" << true;
}

void TestGraphSave::savedAndReadBack()
{
    QFETCH(QString, action);
    QFETCH(QString, name);
    QFETCH(bool, byKey);
    StripChart *chart = graph({{50, 28}, {50, 28}, {90, 28}, {90, -3}, {90, -3}, {-60, -128}});
    const QString path = file(name);
    f->ui.fileAnswers << path;
    choose(chart, action, byKey);
    QCOMPARE(f->ui.saveCaptions, QStringList{action == "SavePicture" ? "Save Picture" : "Save Readings"});
    QCOMPARE(f->ui.messages.size(), 0);
    QImage picture(chart->size(), QImage::Format_RGB32);
    if (name.endsWith(".png")) {
        QVERIFY(picture.load(path, "PNG"));
        QCOMPARE(picture.size(), chart->size() * chart->devicePixelRatioF());
    } else if (name.endsWith(".SVG")) {
        QSvgRenderer svg(path);
        QCOMPARE(svg.viewBox(), QRect(QPoint(), chart->size()));
        picture.fill(Qt::black);
        QPainter painter(&picture);
        svg.render(&painter);
    } else {
        // A row at each tick that saw a change (the 1st, 3rd, 4th, 6th),
        // noon plus 4 s a tick on today's date.
        const QStringList csv = lines(path);
        QCOMPARE(csv.value(0), QString("time,remote,local,alert"));
        QStringList rows;
        for (const QString &row : csv.mid(1)) {
            const QDateTime t = QDateTime::fromString(row.section(',', 0, 0), Qt::ISODateWithMs);
            QVERIFY2(t.isValid() && t.date() >= QDate::currentDate().addDays(-1), qPrintable(row));
            rows << t.time().toString("HH:mm:ss.zzz,") + row.section(',', 1);
        }
        QCOMPARE(rows, QStringList({"12:00:04.000,50,28,0", "12:00:12.000,90,28,0", "12:00:16.000,90,-3,0",
                                    "12:00:24.000,-60,-128,0"}));
        // A spreadsheet reads four columns: converted to another separator,
        // every row has four cells.
        const QString converter = QStandardPaths::findExecutable("ssconvert");
        if (converter.isEmpty())
            QSKIP("ssconvert (Debian gnumeric) is not installed: the spreadsheet's view is not checked");
        const QString converted = file("converted.txt");
        QCOMPARE(QProcess::execute(converter, {"-O", "separator=; format=raw", path, converted}), 0);
        QStringList cells = lines(converted);
        for (QString &row : cells)
            row = QString::number(row.split(';').size()) + ' ' + row.section(';', 1);
        QCOMPARE(cells, QStringList({"4 remote;local;alert", "4 50;28;0", "4 90;28;0", "4 90;-3;0", "4 -60;-128;0"}));
        return;
    }
    for (int trace : {GraphPanel::RemoteTrace, GraphPanel::LocalTrace})
        QVERIFY(drawnIn(picture, chart->plotRect().adjusted(1, 1, -1, -1), chart->traceColor(trace)));
}

void TestGraphSave::notSaved_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");   // empty: none
    QTest::newRow("cancelled") << "SaveReadings" << "" << "";
    QTest::newRow("no such folder") << "SavePicture" << "gone/graph.png" << "The picture could not be saved to ";
    QTest::newRow("file read-only") << "SaveReadings" << "kept.csv" << "The readings could not be saved to ";
    QTest::newRow("keys away from the chart") << "" << "kept.csv" << "";
}

void TestGraphSave::notSaved()
{
    QFETCH(QString, action);
    QFETCH(QString, answer);
    QFETCH(QString, message);
    StripChart *chart = graph({{50, 28}, {51, 28}});
    const QString path = file(answer);
    f->ui.fileAnswers << path;
    QFile kept(file("kept.csv"));
    QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("kept\n") == 5);
    kept.close();
    {
        std::optional<test::ReadOnlyFile> locked;
        if (answer == "kept.csv")
            locked.emplace(kept.fileName());
        if (action.isEmpty()) {
            for (const char *key : {"SavePicture", "SaveReadings"})
                choose(control<QPushButton>(main, "Command6"), key, true);
        } else {
            choose(chart, action, false);
        }
    }
    QCOMPARE(f->ui.saveCaptions.size(), action.isEmpty() ? 0 : 1);
    QCOMPARE(f->ui.messages.size(), message.isEmpty() ? 0 : 1);
    QCOMPARE(f->ui.failures().text().startsWith(message + path + ": "), !message.isEmpty());
    if (!message.isEmpty())
        QVERIFY2(f->ui.messages[0].text.startsWith(message + path + '.'), qPrintable(f->ui.messages[0].text));
    // Nothing half-written, and the file that was there is as it was.
    QCOMPARE(QDir(tmp->path()).entryList(QDir::Files), QStringList{"kept.csv"});
    QCOMPARE(lines(kept.fileName()), QStringList{"kept"});
    QCOMPARE(f->ends, 0);
    auto *clear = control<QPushButton>(main, "Command6");   // at the right, its own size
    QCOMPARE(clear->geometry().right(), chart->geometry().right());
}

QTEST_MAIN(TestGraphSave)
#include "tst_graphsave.moc"
