// Long runs without anyone at the window: the desktop is told when the
// alert lamp turns red and when it returns, and the user's own choices are
// remembered between runs, on a session bus and in a settings file of the
// test's own.
#include "gui/settings.h"
#include "gui/tristatecheckbox.h"
#include "link/boardfile.h"
#include "shell/desktopnotifier.h"
#include "shell/mainmenuform.h"
#include "tests/support/boards.h"
#include "tests/support/programfixture.h"
#include "tests/support/sessionbus.h"
#include "wizard/initform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QAction>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace ort;
using test::control;

namespace {

// The hot example board without noise: each remote diode warms past its
// 80 C limit and cools below it again within 100 s.
sim::Scenario heatAndCool()
{
    QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../data/boards/hot.json"));
    sim::Scenario s = parseBoard(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), "hot.json");
    for (sim::ChipSetup &chip : s.smbus.chips)
        chip.noise = 0;
    return s;
}

QString printed(std::FILE *log)
{
    std::rewind(log);
    char text[512] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, log);
    return QString::fromUtf8(text, qsizetype(n));
}

} // namespace

class TestUnattended : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    // One for each case: what one remembers is not the next one's start.
    QString settingsFile() const
    {
        return dir.filePath(QStringLiteral("%1 %2.conf").arg(QTest::currentTestFunction(), QTest::currentDataTag()));
    }

private slots:
    void oneNotificationPerChangeOfTheLamp_data();
    void oneNotificationPerChangeOfTheLamp();
    void choicesAreRememberedBetweenRuns_data();
    void choicesAreRememberedBetweenRuns();
    void aBadSettingsFileGivesTheDefaults_data();
    void aBadSettingsFileGivesTheDefaults();
};

void TestUnattended::oneNotificationPerChangeOfTheLamp_data()
{
    QTest::addColumn<QStringList>("off");   // monitoring toggles left off
    QTest::addColumn<bool>("switchOn");
    QTest::addColumn<bool>("service");
    QTest::addColumn<QStringList>("told");     // urgency and summary of each call
    QTest::addColumn<QStringList>("bodies");   // each call's body, a pattern
    const QStringList cycle{"2 ORT310: Alert Detected", "1 ORT310: No Alert Detected"};
    const QStringList none;
    QTest::newRow("heat and cool") << none << true << true << cycle
                                   << QStringList{"Remote 8\\d C, local 31 C\\.\nRemote above its high limit of 80 C\\.",
                                                  "Remote (7\\d|80) C, local 31 C, within their limits\\."};
    QTest::newRow("alert check alone") << QStringList{"Check1", "Check2"} << true << true << cycle
                                       << QStringList{"Remote above its high limit of 80 C\\.",
                                                      "Both temperatures within their limits\\."};
    QTest::newRow("alert checking off") << QStringList{"alert_button"} << true << true << none << none;
    QTest::newRow("notifications switched off") << none << false << true << none << none;
    QTest::newRow("no notification service") << none << true << false << none << none;
}

void TestUnattended::oneNotificationPerChangeOfTheLamp()
{
    QFETCH(QStringList, off);
    QFETCH(bool, switchOn);
    QFETCH(bool, service);
    QFETCH(QStringList, told);
    QFETCH(QStringList, bodies);
    test::SessionBus bus;
    if (!bus.running())
        QSKIP("dbus-daemon is not installed (Debian package dbus)");
    const QString row = QString::fromLatin1(QTest::currentDataTag());
    std::optional<test::NotificationRecorder> recorder;
    if (service)
        QVERIFY(recorder.emplace(bus.connect("service " + row)).registered());
    const QDBusConnection programBus = bus.connect("program " + row);

    test::ProgramFixture f(heatAndCool(), settingsFile());
    f.program->notifier().setBus(programBus);
    MainMenuForm *main = f.finishOn(test::Route::Smbus);
    QVERIFY(main);
    control<QTabWidget>(main, "MainTab")->setCurrentIndex(2);
    control<QCheckBox>(main, "NotifyCHK")->setChecked(switchOn);
    for (const char *name : {"alert_button", "Check2", "Check1"})
        if (!off.contains(name))
            control<TriStateCheckBox>(main, name)->setValue(TriStateCheckBox::On);
    f.tick(*control<QTimer>(main, "Timer1"), 100 * 20, 0.05);
    QVERIFY(control<QTimer>(main, "Timer1")->isActive());
    for (const char *name : {"Check2", "Check1", "alert_button"})
        control<TriStateCheckBox>(main, name)->setValue(TriStateCheckBox::Off);

    if (!service) {
        // The end, the last change, is the one kept.
        QTRY_VERIFY(control<QLabel>(main, "AlertNoticeLBL")->text().endsWith("No Alert Detected (no desktop notification service)"));
        return;
    }
    // Calls from one connection arrive in order: the program's own are all
    // in once the marker sent after them is.
    QDBusMessage marker = QDBusMessage::createMethodCall("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                                                         "org.freedesktop.Notifications", "Notify");
    marker << QString() << 0u << QString() << "marker" << QString() << QStringList() << QVariantMap() << -1;
    programBus.asyncCall(marker);
    QTRY_COMPARE(recorder->lines.value(recorder->lines.size() - 1), QString("-1 marker"));
    QCOMPARE(recorder->lines.mid(0, recorder->lines.size() - 1), told);
    for (qsizetype i = 0; i < bodies.size(); ++i)
        QVERIFY2(QRegularExpression("^(" + bodies[i] + ")$").match(recorder->bodies[i]).hasMatch(),
                 qPrintable(recorder->bodies[i]));
    QTRY_VERIFY(f.program->notifier().findChildren<QObject *>().isEmpty());   // nothing kept per notification
    QCOMPARE(Settings(settingsFile(), nullptr).notifications(), switchOn);
}

void TestUnattended::choicesAreRememberedBetweenRuns_data()
{
    QTest::addColumn<QPoint>("by");   // how far the user moved the main window
    QTest::addColumn<bool>("comesBack");
    QTest::newRow("moved") << QPoint(60, 40) << true;
    QTest::newRow("nudged by the window manager") << QPoint(10, 6) << false;
    QTest::newRow("off every screen now") << QPoint(5000, 5000) << false;
}

// The folders of the last log and saved readings, the wizard's media and
// adapter, and where the user moved a window, as a second run finds them.
void TestUnattended::choicesAreRememberedBetweenRuns()
{
    QFETCH(QPoint, by);
    QFETCH(bool, comesBack);
    sim::Scenario twoAdapters = test::boardWith({test::portAt(0x378, {0x4C})}, {0x18});
    twoAdapters.smbus.device = "/dev/i2c-0";
    twoAdapters.moreSmbus.push_back(twoAdapters.smbus);
    twoAdapters.moreSmbus[0].device = "/dev/i2c-1";
    twoAdapters.moreSmbus[0].base = 0x6000;
    QPoint centred;
    {
        test::ProgramFixture first(twoAdapters, settingsFile());
        InitForm *wizard = first.openWizard();
        QVERIFY(wizard);
        QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
        control<QCheckBox>(wizard, "PPCheck")->setChecked(false);
        control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
        control<QComboBox>(wizard, "SMBusAdapterCMB")->setCurrentIndex(1);
        QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(wizard, "FinishCMD"), Qt::LeftButton);
        MainMenuForm *main = first.program->mainWindow();
        QVERIFY(main);
        first.ui.fileAnswers << dir.filePath("logs/night.xls") << dir.filePath("readings.csv");
        QDir(dir.path()).mkpath("logs");
        control<QTabWidget>(main, "MainTab")->setCurrentIndex(2);
        QTest::mouseClick(control<QPushButton>(main, "MakeLog_CMD"), Qt::LeftButton);
        control<QAction>(main, "SaveReadings")->trigger();
        QCOMPARE(first.ui.fileFolders, QStringList({QString(), QString()}));
        centred = main->pos();
        main->move(centred + by);
    }
    test::ProgramFixture second(twoAdapters, settingsFile());
    InitForm *wizard = second.openWizard();
    QVERIFY(wizard);
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    QVERIFY(!control<QCheckBox>(wizard, "PPCheck")->isChecked());
    QVERIFY(control<QCheckBox>(wizard, "SMBusCheck")->isChecked());
    QCOMPARE(control<QComboBox>(wizard, "SMBusAdapterCMB")->currentData().toString(), QString("/dev/i2c-1"));
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(wizard, "FinishCMD"), Qt::LeftButton);
    MainMenuForm *main = second.program->mainWindow();
    QVERIFY(main);
    QCOMPARE(main->pos(), comesBack ? centred + by : centred);
    control<QTabWidget>(main, "MainTab")->setCurrentIndex(2);
    QTest::mouseClick(control<QPushButton>(main, "MakeLog_CMD"), Qt::LeftButton);
    control<QAction>(main, "SaveReadings")->trigger();
    QCOMPARE(second.ui.fileFolders, QStringList({dir.filePath("logs"), dir.path()}));
}

void TestUnattended::aBadSettingsFileGivesTheDefaults_data()
{
    QTest::addColumn<QByteArray>("contents");   // "folder": a folder, which cannot be read; "none": no file
    QTest::addColumn<bool>("complains");
    QTest::addColumn<bool>("remembered");
    const QByteArray choices = "[notifications]\nenabled=false\n[windows]\nMainMenuForm\\position=@Point(10 20)\n";
    QTest::newRow("good") << choices << false << true;
    QTest::newRow("none yet") << QByteArray("none") << false << false;
    QTest::newRow("not text") << choices + QByteArray("\0\xff\x01", 3) << true << false;
    QTest::newRow("unclosed section") << "[windows\n" + choices << true << false;
    QTest::newRow("unreadable") << QByteArray("folder") << true << false;
}

void TestUnattended::aBadSettingsFileGivesTheDefaults()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, complains);
    QFETCH(bool, remembered);
    const QString file = dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".conf");
    if (contents == "folder") {
        QVERIFY(QDir(dir.path()).mkdir(QFileInfo(file).fileName()));
    } else if (contents != "none") {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(contents) == contents.size());
    }
    std::FILE *log = std::tmpfile();
    QVERIFY(log);
    const Settings settings(file, log);
    const QString said = printed(log);
    std::fclose(log);
    QCOMPARE(said.count('\n'), complains ? 1 : 0);
    QCOMPARE(settings.notifications(), !remembered);
    QCOMPARE(settings.windowPosition("MainMenuForm").has_value(), remembered);
}

QTEST_MAIN(TestUnattended)
#include "tst_unattended.moc"
