// The reading log: its bytes, the file, and the "Log to File" panel on its
// own (the measurement cycle that drives it is tested in tests/monitor).
#include "gui/errors.h"
#include "gui/tristatecheckbox.h"
#include "log/logfile.h"
#include "log/logpanel.h"
#include "log/logrecord.h"
#include "tests/support/programfixture.h"
#include "tests/support/readonlyfile.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace ort;
using test::control;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Whether this process holds the file open.
bool heldOpen(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    for (const QFileInfo &fd : QDir("/proc/self/fd").entryInfoList(QDir::Files | QDir::System))
        if (fd.symLinkTarget() == target)
            return true;
    return false;
}

} // namespace

class TestLog : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramFixture> f;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<LogPanel> panel;

    QString path(const char *name) const { return dir->filePath(QString::fromLatin1(name)); }
    // Chooses a file with "Make New Log", as the user does.
    void choose(const QString &file)
    {
        f->ui.fileAnswers << file;
        QTest::mouseClick(control<QPushButton>(panel.get(), "MakeLog_CMD"), Qt::LeftButton);
    }
    TriStateCheckBox *check3() { return control<TriStateCheckBox>(panel.get(), "Check3"); }
    QString count() { return control<QLabel>(panel.get(), "Label14")->text(); }
    void verifyLoggingOff();

private slots:
    void init();
    void cleanup();

    void recordBytes_data();
    void recordBytes();
    void headerAndMarker();
    void numericValue_data();
    void numericValue();
    void roundedSecond_data();
    void roundedSecond();

    void fileAppendsAndCloses();
    void fileThatCannotBeOpened();
    void writeFailingMidwayKeepsWholeLines_data();
    void writeFailingMidwayKeepsWholeLines();
    void writeInPieces();

    void panelStartState();
    void newFileGetsHeaderThenRestartMarker();
    void refusedNames_data();
    void refusedNames();
    void nameWithoutExtensionGetsXls();
    void cancelledDialogChangesNothing();
    void switchingOffNeedsANewFile();
    void delayKeyFilter_data();
    void delayKeyFilter();
    void recordsFollowTheDelay_data();
    void recordsFollowTheDelay();
    void delayThatIsNotANumberLogsEveryTick();
    void nothingLoggedUnlessEverythingHolds();
    void secondsSinceRecord_data();
    void secondsSinceRecord();
    void delayHoldsAcrossMidnight_data();
    void delayHoldsAcrossMidnight();
    void countGoesOnPastAMillion();
    void readOnlyFileEndsLogging();
    void failedWriteEndsLoggingAndKeepsRecords();
    void failureBoxNotStacked();
    void countRepaintedAtFrameRate();
};

void TestLog::init()
{
    f = std::make_unique<test::ProgramFixture>();
    dir = std::make_unique<QTemporaryDir>();
    panel = std::make_unique<LogPanel>(f->program->services());
}

void TestLog::cleanup()
{
    panel.reset();
    dir.reset();
    f.reset();
}

void TestLog::recordBytes_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("remote");
    QTest::addColumn<int>("local");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("positive") << 43200.0 << 25 << 28 << QByteArray("\r12:00:00\t 25 \t 28 \r\n");
    QTest::newRow("negative") << 3661.7 << -3 << -128 << QByteArray("\r01:01:01\t-3 \t-128 \r\n");
    QTest::newRow("zero") << 0.0 << 0 << 127 << QByteArray("\r00:00:00\t 0 \t 127 \r\n");
    QTest::newRow("last second of the day") << 86399.999 << -1 << 0 << QByteArray("\r23:59:59\t-1 \t 0 \r\n");
    QTest::newRow("remote first") << 45296.0 << 100 << -40 << QByteArray("\r12:34:56\t 100 \t-40 \r\n");
}

void TestLog::recordBytes()
{
    QFETCH(double, seconds);
    QFETCH(int, remote);
    QFETCH(int, local);
    QFETCH(QByteArray, bytes);
    QCOMPARE(logRecordLine(seconds, remote, local), bytes);
}

void TestLog::headerAndMarker()
{
    QCOMPARE(logHeader(), QByteArray("Time\tRTemp\tLTemp\r\n"));
    QCOMPARE(logRestartMarker(), QByteArray("\r\t\t\tRestart\r\n"));
}

void TestLog::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("digits") << "3600" << 3600.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("number then letters") << "12abc" << 12.0;
    QTest::newRow("count with its space") << " 1000001" << 1000001.0;
    QTest::newRow("tab") << "\t7" << 7.0;
    QTest::newRow("minus") << "-2" << -2.0;
    QTest::newRow("plus") << "+4" << 4.0;
    QTest::newRow("fraction") << "1.5s" << 1.5;
    QTest::newRow("leading point") << ".25" << 0.25;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("space inside") << "12 34" << 12.0;
    QTest::newRow("other digits") << QString::fromUtf8("\u0663") << 0.0;
}

void TestLog::numericValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(ort::numericValue(text), value);
}

void TestLog::roundedSecond_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("rounded");
    QTest::newRow("half to even, down") << 10.5 << 10;
    QTest::newRow("half to even, up") << 11.5 << 12;
    QTest::newRow("below half") << 10.49 << 10;
    QTest::newRow("above half") << 10.51 << 11;
    QTest::newRow("end of day") << 86399.5 << 86400;
}

void TestLog::roundedSecond()
{
    QFETCH(double, seconds);
    QFETCH(int, rounded);
    QCOMPARE(ort::roundedSecond(seconds), rounded);
}

void TestLog::fileAppendsAndCloses()
{
    LogFile file;
    file.setName(path("a.xls"));
    QVERIFY(!file.hasContent());
    file.append("one\r\n");
    QVERIFY(file.hasContent());
    QVERIFY(!heldOpen(file.name()));
    file.append("two\r\n");
    QCOMPARE(contents(file.name()), QByteArray("one\r\ntwo\r\n"));
    QVERIFY(!heldOpen(file.name()));
    file.forget();
    QVERIFY(!file.named());
}

void TestLog::fileThatCannotBeOpened()
{
    LogFile file;
    file.setName(path("no such folder/a.xls"));
    QVERIFY_THROWS_EXCEPTION(LogFileError, file.append("one\r\n"));
    QVERIFY(!file.hasContent());
}

void TestLog::writeFailingMidwayKeepsWholeLines_data()
{
    QTest::addColumn<int>("written");   // bytes the write manages before it fails
    QTest::newRow("nothing") << 0;
    QTest::newRow("a few bytes") << 5;
    QTest::newRow("all but the last") << 20;
}

void TestLog::writeFailingMidwayKeepsWholeLines()
{
    QFETCH(int, written);
    LogFile file;
    file.setName(path("a.xls"));
    file.append(logHeader());
    file.append(logRecordLine(43200, 25, 28));
    const QByteArray before = contents(file.name());
    int calls = 0;
    file.setWriter([&](QFile &out, const char *data, qint64 size) -> qint64 {
        if (calls++ > 0)
            return -1;
        return written > 0 ? out.write(data, std::min<qint64>(written, size)) : -1;
    });
    QVERIFY_THROWS_EXCEPTION(LogFileError, file.append(logRecordLine(43201, 26, 28)));
    QCOMPARE(contents(file.name()), before);
    QVERIFY(!heldOpen(file.name()));
    file.setWriter({});
    file.append(logRecordLine(43202, 27, 28));
    QCOMPARE(contents(file.name()), before + logRecordLine(43202, 27, 28));
}

// A write may take only part of what it is given; the rest follows.
void TestLog::writeInPieces()
{
    LogFile file;
    file.setName(path("a.xls"));
    int calls = 0;
    file.setWriter([&](QFile &out, const char *data, qint64 size) -> qint64 {
        ++calls;
        return out.write(data, std::min<qint64>(3, size));
    });
    file.append(logRecordLine(43200, -40, 100));
    QCOMPARE(contents(file.name()), QByteArray("\r12:00:00\t-40 \t 100 \r\n"));
    QCOMPARE(calls, 8);   // 22 bytes, 3 at a time
}

void TestLog::panelStartState()
{
    QCOMPARE(panel->objectName(), QString("SSPanel10"));
    QCOMPARE(panel->caption(), QString("Log to File"));
    auto *make = control<QPushButton>(panel.get(), "MakeLog_CMD");
    QCOMPARE(make->text(), QString("Make New Log"));
    QVERIFY(make->isEnabled());
    QCOMPARE(check3()->text(), QString("Not Logging to File"));
    QCOMPARE(check3()->value(), 2);
    QVERIFY(!check3()->isEnabled());
    QCOMPARE(control<QLabel>(panel.get(), "Label15")->text(), QString("Delay(Sec):"));
    QCOMPARE(control<QLineEdit>(panel.get(), "Text1")->text(), QString("5"));
    QCOMPARE(control<QLabel>(panel.get(), "Label7")->text(), QString("Logged:"));
    QVERIFY(!control<QLabel>(panel.get(), "Label7")->isEnabled());
    QCOMPARE(count(), QString("0"));
    QCOMPARE(control<QLabel>(panel.get(), "Label13")->text(), QString("Lines"));
    QVERIFY(!control<QLabel>(panel.get(), "Label13")->isEnabled());
    QVERIFY(panel->LogFileName().isEmpty());
    QCOMPARE(panel->LastLogTime(), 0);
}

void TestLog::newFileGetsHeaderThenRestartMarker()
{
    QSignalSpy on(panel.get(), &LogPanel::loggingSwitchedOn);
    choose(path("readings.xls"));
    QCOMPARE(f->ui.fileFilters, QStringList({"Excel Files (*.xls)"}));
    QCOMPARE(panel->LogFileName(), path("readings.xls"));
    QCOMPARE(contents(path("readings.xls")), logHeader());
    QCOMPARE(check3()->value(), 1);
    QVERIFY(check3()->isEnabled());
    QCOMPARE(check3()->text(), QString("Logging to File"));
    QVERIFY(!control<QPushButton>(panel.get(), "MakeLog_CMD")->isEnabled());
    QVERIFY(control<QLabel>(panel.get(), "Label7")->isEnabled());
    QVERIFY(control<QLabel>(panel.get(), "Label13")->isEnabled());
    QCOMPARE(on.count(), 1);

    panel->tick(25, 28, true);
    check3()->setValue(0);
    choose(path("readings.xls"));
    const QByteArray record = logRecordLine(f->clock().secondsSinceMidnight(), 25, 28);
    QCOMPARE(contents(path("readings.xls")), logHeader() + record + logRestartMarker());
    QCOMPARE(on.count(), 2);
    QVERIFY(f->ui.messages.isEmpty());

    // An empty file counts as new.
    QFile empty(path("empty.xls"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    check3()->setValue(0);
    choose(path("empty.xls"));
    QCOMPARE(contents(path("empty.xls")), logHeader());
}

void TestLog::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("capitals") << "READINGS.XLS";
    QTest::newRow("mixed case") << "readings.Xls";
    QTest::newRow("longer extension") << "readings.xlsx";
    QTest::newRow("other extension") << "readings.txt";
    QTest::newRow("empty extension") << "readings.";
}

void TestLog::refusedNames()
{
    QFETCH(QString, name);
    choose(path("good.xls"));
    check3()->setValue(0);   // back to a state where a file can be chosen
    control<QLabel>(panel.get(), "Label14")->setText(" 3");
    choose(dir->filePath(name));
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].title, QString("There was a Problem!"));
    QCOMPARE(f->ui.messages[0].text,
             QString("Either an invalid filename or no file was selected, no settings were loaded."));
    QCOMPARE(f->ui.messages[0].icon, QMessageBox::Warning);
    QCOMPARE(f->ui.messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(panel->LogFileName().isEmpty());
    QVERIFY(!QFile::exists(dir->filePath(name)));
    verifyLoggingOff();
}

void TestLog::nameWithoutExtensionGetsXls()
{
    QVERIFY(QDir(dir->path()).mkdir("logs.d"));   // a dot in the folder's name does not count
    choose(path("logs.d/readings"));
    QVERIFY(f->ui.messages.isEmpty());
    QCOMPARE(panel->LogFileName(), path("logs.d/readings.xls"));
    QCOMPARE(check3()->value(), 1);
    QCOMPARE(contents(path("logs.d/readings.xls")), logHeader());
}

void TestLog::verifyLoggingOff()
{
    QCOMPARE(check3()->text(), QString("Not Logging to File"));
    QCOMPARE(check3()->value(), 2);
    QVERIFY(!check3()->isEnabled());
    QCOMPARE(count(), QString());
    QVERIFY(!control<QLabel>(panel.get(), "Label7")->isEnabled());
    QVERIFY(!control<QLabel>(panel.get(), "Label13")->isEnabled());
    QVERIFY(control<QPushButton>(panel.get(), "MakeLog_CMD")->isEnabled());
}

void TestLog::cancelledDialogChangesNothing()
{
    choose(QString());
    QVERIFY(f->ui.messages.isEmpty());
    QVERIFY(panel->LogFileName().isEmpty());
    QCOMPARE(check3()->value(), 2);
    QCOMPARE(count(), QString("0"));
    QVERIFY(QDir(dir->path()).isEmpty());
}

void TestLog::switchingOffNeedsANewFile()
{
    choose(path("readings.xls"));
    panel->tick(25, 28, true);
    QCOMPARE(count(), QString(" 1"));
    QTest::mouseClick(check3(), Qt::LeftButton);   // the user switches it off
    verifyLoggingOff();
    // The name stays, but nothing more is logged and the box cannot be clicked on.
    QCOMPARE(panel->LogFileName(), path("readings.xls"));
    QTest::mouseClick(check3(), Qt::LeftButton);
    QCOMPARE(check3()->value(), 2);
    f->clock().advance(10);
    panel->tick(26, 28, true);
    QCOMPARE(contents(path("readings.xls")).count('\n'), 2);
}

void TestLog::delayKeyFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::newRow("digits") << "12" << "12";
    QTest::newRow("letters and signs dropped") << "1a-2.b+3 " << "123";
    QTest::newRow("over the limit") << "4000" << "3600";
    QTest::newRow("limit itself") << "3600" << "3600";
    QTest::newRow("one over") << "3601" << "3600";
}

void TestLog::delayKeyFilter()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    auto *text1 = control<QLineEdit>(panel.get(), "Text1");
    text1->selectAll();
    QTest::keyClick(text1, Qt::Key_Backspace);
    QCOMPARE(text1->text(), QString());
    QTest::keyClicks(text1, typed);
    QCOMPARE(text1->text(), text);
    QGuiApplication::clipboard()->setText("99");
    QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);   // no paste either
    QCOMPARE(text1->text(), text);
    // Editing keys that carry no character still work.
    QTest::keyClick(text1, Qt::Key_Home);
    QTest::keyClick(text1, Qt::Key_Delete);
    QCOMPARE(text1->text(), text.mid(1));
}

void TestLog::recordsFollowTheDelay_data()
{
    // Ticks 1/256 s apart (exact in binary), a delay of 3 s, eleven seconds.
    // LastLogTime keeps whole seconds, halves to even, so the first spacing
    // can be half a second shorter or longer than the delay.
    QTest::addColumn<double>("firstTick");
    QTest::addColumn<QStringList>("times");
    QTest::newRow("half rounds down") << 43200.5 << QStringList({"12:00:00", "12:00:03", "12:00:06", "12:00:09"});
    QTest::newRow("half rounds up") << 43201.5 << QStringList({"12:00:01", "12:00:05", "12:00:08", "12:00:11"});
    QTest::newRow("on the second") << 43200.0 << QStringList({"12:00:00", "12:00:03", "12:00:06", "12:00:09"});
}

void TestLog::recordsFollowTheDelay()
{
    QFETCH(double, firstTick);
    QFETCH(QStringList, times);
    control<QLineEdit>(panel.get(), "Text1")->setText("3");
    choose(path("readings.xls"));
    constexpr double dt = 1.0 / 256;
    f->clock().setTimeOfDay(firstTick - dt);
    f->tick([&] { panel->tick(25, 28, true); }, 11 * 256, dt);
    QByteArray expected = logHeader();
    for (const QString &t : times)
        expected += "\r" + t.toLatin1() + "\t 25 \t 28 \r\n";
    QCOMPARE(contents(path("readings.xls")), expected);
    QCOMPARE(count(), " " + QString::number(times.size()));
}

void TestLog::delayThatIsNotANumberLogsEveryTick()
{
    // Typing cannot put letters there, but the program can.
    control<QLineEdit>(panel.get(), "Text1")->setText("x5");
    choose(path("readings.xls"));
    f->tick([&] { panel->tick(-5, 0, true); }, 7);
    QCOMPARE(count(), QString(" 7"));
    QCOMPARE(contents(path("readings.xls")).count("\t-5 \t 0 \r\n"), 7);
}

void TestLog::nothingLoggedUnlessEverythingHolds()
{
    control<QLineEdit>(panel.get(), "Text1")->setText("0");
    panel->tick(25, 28, true);   // no file chosen
    QCOMPARE(count(), QString("0"));
    choose(path("readings.xls"));
    f->tick([&] { panel->tick(25, 28, false); }, 3);   // no graph on
    QCOMPARE(count(), QString("0"));
    check3()->setValue(0);
    f->tick([&] { panel->tick(25, 28, true); }, 3);   // logging off
    QCOMPARE(contents(path("readings.xls")), logHeader());
    QCOMPARE(panel->LastLogTime(), 0);
}

void TestLog::secondsSinceRecord_data()
{
    QTest::addColumn<double>("now");
    QTest::addColumn<int>("last");
    QTest::addColumn<double>("elapsed");
    QTest::newRow("same day") << 43210.5 << 43200 << 10.5;
    QTest::newRow("last rounded ahead") << 43199.5 << 43200 << -0.5;
    QTest::newRow("last rounded up to midnight") << 0.25 << 86400 << 0.25;
    QTest::newRow("across midnight") << 3.0 << 86398 << 5.0;
    QTest::newRow("a long pause across midnight") << 1000.0 << 40000 << 47400.0;
}

void TestLog::secondsSinceRecord()
{
    QFETCH(double, now);
    QFETCH(int, last);
    QFETCH(double, elapsed);
    QCOMPARE(ort::secondsSinceRecord(now, last), elapsed);
}

void TestLog::delayHoldsAcrossMidnight_data()
{
    // Ticks every 1/8 s for 30 s with a delay of 5 s: seven records, also
    // from 23:53:20 on and across midnight.
    QTest::addColumn<double>("start");
    QTest::addColumn<QStringList>("times");
    QTest::newRow("23:53:20") << 85990.0
                              << QStringList({"23:53:10", "23:53:15", "23:53:20", "23:53:25", "23:53:30", "23:53:35",
                                              "23:53:40"});
    QTest::newRow("midnight") << 86390.0
                              << QStringList({"23:59:50", "23:59:55", "00:00:00", "00:00:05", "00:00:10", "00:00:15",
                                              "00:00:20"});
}

void TestLog::delayHoldsAcrossMidnight()
{
    QFETCH(double, start);
    QFETCH(QStringList, times);
    control<QLineEdit>(panel.get(), "Text1")->setText("5");
    choose(path("readings.xls"));
    f->clock().setTimeOfDay(start);
    f->tick([&] { panel->tick(25, 28, true); }, 240, 0.125);
    QByteArray expected = logHeader();
    for (const QString &t : times)
        expected += "\r" + t.toLatin1() + "\t 25 \t 28 \r\n";
    QCOMPARE(contents(path("readings.xls")), expected);
}

void TestLog::countGoesOnPastAMillion()
{
    control<QLineEdit>(panel.get(), "Text1")->setText("0");
    choose(path("readings.xls"));
    QSignalSpy on(panel.get(), &LogPanel::loggingSwitchedOn);
    panel->setRecordCount(999999);
    f->tick([&] { panel->tick(25, 28, true); });
    QCOMPARE(count(), QString(" 1000000"));
    QCOMPARE(on.count(), 0);
    f->tick([&] { panel->tick(25, 28, true); }, 2);
    QCOMPARE(count(), QString(" 1000002"));
    QCOMPARE(on.count(), 2);   // the "on" state put in force again, each time
    QCOMPARE(check3()->value(), 1);
    QCOMPARE(check3()->text(), QString("Logging to File"));
    QCOMPARE(contents(path("readings.xls")).count("\t 25 \t 28 \r\n"), 3);
}

void TestLog::readOnlyFileEndsLogging()
{
    control<QLineEdit>(panel.get(), "Text1")->setText("0");
    choose(path("readings.xls"));
    f->tick([&] { panel->tick(25, 28, true); }, 2);
    const QByteArray before = contents(path("readings.xls"));
    {
        test::ReadOnlyFile locked(path("readings.xls"));
        f->ui.whileOpen = [&](const MessageRequest &) {
            // Before the box: logging off and the file forgotten, the
            // button back; the captions follow after it.
            QCOMPARE(check3()->value(), 2);
            QVERIFY(check3()->isEnabled());   // disabled after the box on this path
            QVERIFY(panel->LogFileName().isEmpty());
            QVERIFY(control<QPushButton>(panel.get(), "MakeLog_CMD")->isEnabled());
        };
        f->tick([&] { panel->tick(26, 28, true); });
        f->ui.whileOpen = nullptr;
        f->tick([&] { panel->tick(27, 28, true); }, 3);
    }
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].title, QString("Error"));
    // The documented text, then the system's reason.
    QCOMPARE(f->ui.messages[0].text, QString("There has been a problem writing to the log file.\r"
                                             "This file may be locked by another application.\r\r"
                                             "Permission denied."));
    QCOMPARE(f->ui.messages[0].icon, QMessageBox::NoIcon);
    QCOMPARE(f->ui.messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    verifyLoggingOff();
    QVERIFY(panel->LogFileName().isEmpty());
    QCOMPARE(contents(path("readings.xls")), before);
}

void TestLog::failedWriteEndsLoggingAndKeepsRecords()
{
    control<QLineEdit>(panel.get(), "Text1")->setText("0");
    choose(path("readings.xls"));
    f->tick([&] { panel->tick(25, 28, true); }, 3);
    const QByteArray before = contents(path("readings.xls"));
    QCOMPARE(before.count("\t 25 \t 28 \r\n"), 3);
    panel->file().setWriter([](QFile &out, const char *data, qint64) -> qint64 {
        out.write(data, 4);   // part of the record, then the disk is full
        return -1;
    });
    f->tick([&] { panel->tick(26, 28, true); });
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].title, QString("Error"));
    verifyLoggingOff();
    QCOMPARE(contents(path("readings.xls")), before);
    QVERIFY(!heldOpen(path("readings.xls")));
}

void TestLog::failureBoxNotStacked()
{
    control<QLineEdit>(panel.get(), "Text1")->setText("0");
    choose(path("readings.xls"));
    panel->file().setWriter([](QFile &, const char *, qint64) -> qint64 { return -1; });
    // Another failure box is open (a bus failure's, say): the log's is dropped,
    // but logging still ends.
    MessageRequest other;
    other.title = "other";
    f->ui.whileOpen = [&](const MessageRequest &r) {
        if (r.title == "other")
            f->tick([&] { panel->tick(25, 28, true); });
    };
    QVERIFY(showFailureBox(f->ui, nullptr, other));
    QCOMPARE(f->ui.messages.size(), 1);
    verifyLoggingOff();
}

// A record on every tick sets the count each time, but the label is
// repainted now and then, and the last count is painted in the end.
void TestLog::countRepaintedAtFrameRate()
{
    control<QLineEdit>(panel.get(), "Text1")->setText("0");
    choose(path("readings.xls"));
    panel->show();
    QApplication::processEvents();
    auto *label = control<QLabel>(panel.get(), "Label14");
    struct Paints : QObject {
        int count = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            count += e->type() == QEvent::Paint;
            return false;
        }
    } paints;
    label->installEventFilter(&paints);
    for (int i = 0; i < 100; ++i) {
        f->tick([&] { panel->tick(25, 28, true); });
        QApplication::processEvents();
    }
    QCOMPARE(label->text(), QString(" 100"));
    QVERIFY2(paints.count <= 10, qPrintable(QString::number(paints.count)));
    const int afterBurst = paints.count;
    QTRY_VERIFY(paints.count > afterBurst);
    QVERIFY(label->updatesEnabled());
}

QTEST_MAIN(TestLog)
#include "tst_log.moc"
