// Board files: what a file says is what the simulated board does, and what
// it cannot be is refused naming the line and the key.
#include "component/sim/simbackend.h"
#include "link/boardfile.h"
#include "tests/support/boards.h"

#include <QDir>
#include <QTest>

using namespace ort;

class TestBoardFile : public QObject {
    Q_OBJECT

private slots:
    void refusesNamingLineAndKey_data();
    void refusesNamingLineAndKey();
    void boardDoesWhatTheFileSays();
    void everyExampleBoardLoads();
};

void TestBoardFile::refusesNamingLineAndKey_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("said");
    const QByteArray chip = "{\n\"printerPorts\": [{\"base\": \"378\",\n\"chips\": [{\"address\": \"4C\",\n";
    QTest::newRow("syntax") << QByteArray("{\n\"seed\": 1,\n\"build\" \"2\"}") << "b.json:3: the file is not JSON (missing name separator)";
    QTest::newRow("not an object") << QByteArray("[1]") << "b.json:1: [1] is not a board in braces { \"build\": ... }";
    QTest::newRow("unknown key") << QByteArray("{\"seed\": 12,\n\n\"sede\": 1}") << "b.json:3: \"sede\" is not a key of a board (build, seed,";
    QTest::newRow("twice") << QByteArray("{\"seed\": 1,\n\"seed\": 2}") << "b.json:2: \"seed\" is given twice";
    QTest::newRow("seed") << QByteArray("{\"seed\": -1}") << "b.json:1: \"seed\": -1 is not a whole number from 0";
    QTest::newRow("port base") << QByteArray("{\"printerPorts\": [\n{\"base\": \"0\"}]}") << "b.json:2: \"base\": \"0\" is not an I/O base";
    QTest::newRow("base as a number") << QByteArray("{\"printerPorts\": [{\"base\":\n378}]}") << "b.json:1: \"base\": 378 is not an I/O base";
    QTest::newRow("port without base") << QByteArray("{\"printerPorts\": [\n{}]}") << "b.json:2: a printer port needs \"base\"";
    QTest::newRow("ports share a base") << QByteArray("{\"printerPorts\": [{\"base\": \"378\"},\n{\"base\": \"0x378\"}]}")
                                        << "b.json:2: another printer port has this base";
    QTest::newRow("wiring") << QByteArray("{\"printerPorts\": [{\"base\": \"378\", \"wiring\": \"both\"}]}")
                            << "\"wiring\": \"both\" is not one of \"non-inverting\", \"inverting\" or \"either\"";
    QTest::newRow("address") << chip + "\"noise\": 0}, {\"address\": \"4f\"}]}]}" << "b.json:4: \"address\": \"4f\" is not one of the chip's addresses (18, 19, 1A, 29, 2A, 2B, 4C, 4D, 4E)";
    QTest::newRow("address taken") << chip + "\"noise\": 0}, {\"address\": \"4c\"}]}]}" << "b.json:4: another chip on this bus has this address";
    QTest::newRow("limit") << chip + "\"limits\": {\"localHigh\": 9,\n\"remoteHigh\": 300}}]}]}"
                           << "b.json:5: \"remoteHigh\": 300 is not a temperature from -128 to 127 in whole degrees";
    QTest::newRow("limit not whole") << chip + "\"limits\": {\"remoteLow\": 2.5}}]}]}" << "\"remoteLow\": 2.5 is not a temperature";
    QTest::newRow("rate") << chip + "\"conversionRate\": 8}]}]}" << "b.json:4: \"conversionRate\": 8 is not a rate code from 0 to 7";
    QTest::newRow("configuration") << chip + "\"configuration\": \"100\"}]}]}" << "\"configuration\": \"100\" is not a byte";
    QTest::newRow("fixed read key") << chip + "\"fixedReads\": {\n\"2G\": \"10\"}}]}]}" << "b.json:5: \"2G\" in \"fixedReads\" is not a register";
    QTest::newRow("flag") << chip + "\"failingWrite\": 1}]}]}" << "\"failingWrite\": 1 is not true or false";
    QTest::newRow("nack") << chip + "\"nackAfterTransfers\": -1}]}]}" << "\"nackAfterTransfers\": -1 is not a whole number of transfers";
    QTest::newRow("temperature") << chip + "\"local\": \"hot\"}]}]}" << "\"local\": \"hot\" is not a temperature from -128 to 127 or a profile";
    QTest::newRow("profile key") << chip + "\"remote\": {\"start\": 1, \"end\": 2,\n\"perod\": 3}}]}]}" << "b.json:5: \"perod\" is not a key of the profile \"remote\" (start, end, period)";
    QTest::newRow("profile needs") << chip + "\"remote\": {\"start\": 1, \"end\": 2}}]}]}" << "b.json:4: the profile \"remote\" needs \"period\"";
    QTest::newRow("period") << chip + "\"remote\": {\"start\": 1, \"end\": 2, \"period\": 0}}]}]}" << "\"period\": 0 is not a period from 1";
    QTest::newRow("no points") << chip + "\"remote\": {\"points\": []}}]}]}" << "\"points\": [] is not a list of points";
    QTest::newRow("point") << chip + "\"remote\": {\"points\": [[0, 1],\n[2]]}}]}]}" << "b.json:5: \"points\"[1]: [2] is not a point";
    QTest::newRow("time back") << chip + "\"remote\": {\"points\": [[5, 1],\n[5, 2]]}}]}]}" << "b.json:5: \"points\"[1][0]: 5 is not a time after";
    QTest::newRow("adapters share a device") << QByteArray("{\"smbusAdapters\": [{\"base\": \"5000\"},\n{\"base\": \"6000\"}]}")
                                             << "b.json:2: each of several SMBus adapters needs a \"device\" of its own";
    QTest::newRow("problems") << QByteArray("{\"portProblems\": [\"a\",\n2]}") << "b.json:2: \"portProblems\"[1]: 2 is not a text";
}

void TestBoardFile::refusesNamingLineAndKey()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, said);
    try {
        parseBoard(text, QStringLiteral("b.json"));
        QFAIL("the file was taken");
    } catch (const BoardFileError &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(said), e.what());
    }
}

// Every setting of the format, seen through the simulated board's buses.
void TestBoardFile::boardDoesWhatTheFileSays()
{
    const sim::Scenario s = parseBoard(R"({"build": "1111", "seed": 7, "smbusProblem": "busy", "portProblems": ["p"],
      "printerPorts": [{"base": "278", "wiring": "inverting", "unplugAfterTransfers": 9},
        {"base": "0x3bc", "wiring": "either", "stuckSda": true, "chips": [{"address": "4e", "noise": 0,
          "local": {"points": [[10, 20], [30, 60]]}, "remote": {"start": 30, "end": -10, "period": 40},
          "openRemoteDiode": true, "failingWrite": true, "nackAfterTransfers": 3, "fixedReads": {"FF": "0x42", "02": "0"},
          "configuration": "C0", "conversionRate": 7,
          "limits": {"localHigh": 100, "localLow": -20, "remoteHigh": 90, "remoteLow": -1}}]}],
      "smbusAdapters": [{"base": "5000", "device": "/dev/i2c-0"},
                        {"base": "efa0", "device": "/dev/i2c-4", "name": "second", "chips": [{"address": "18", "local": -3.4, "noise": 0}]}]})",
                                       "b.json");
    QCOMPARE(s.build, std::string("1111"));
    QCOMPARE(s.seed, 7u);
    QCOMPARE(s.smbusProblem, std::string("busy"));
    QCOMPARE(s.portProblems, std::vector<std::string>{"p"});
    QCOMPARE(s.ports.size(), size_t(2));
    QCOMPARE(s.ports[0].base, uint16_t(0x278));
    QVERIFY(!s.ports[0].boardVariant && !s.ports[0].answersEitherVariant && !s.ports[0].stuckSda);
    QCOMPARE(s.ports[0].unplugAfterTransfers, 9);
    QVERIFY(s.ports[1].answersEitherVariant && s.ports[1].stuckSda);
    const sim::ChipSetup &c = s.ports[1].chips.at(0);
    QVERIFY(c.openRemoteDiode && c.failingWrite);
    QCOMPARE(c.nackAfterTransfers, 3);

    auto clock = std::make_shared<ManualClock>();
    sim::SimChip chip(c, *clock, 1);
    // Configuration C0h: alert masked and standby, so no conversion moves the
    // power-on reading taken at time 0.
    const std::pair<uint8_t, uint8_t> registers[] = {{0x00, 20}, {0x03, 0xC0}, {0x04, 7}, {0x05, 100}, {0x06, 0xEC},
                                                     {0x07, 90}, {0x08, 0xFF}, {0xFF, 0x42}, {0x01, 0x7F}};
    for (const auto &[reg, value] : registers)
        QCOMPARE(chip.peek(reg), value);
    // Held before the first point and after the last; the rise and fall repeats.
    const std::tuple<double, double, double> readings[] = {{0, 20, 30}, {10, 20, 10}, {25, 50, 10 - 20 * M_SQRT1_2}, {60, 60, -10}};
    for (const auto &[t, local, remote] : readings) {
        QCOMPARE(c.local(t), local);
        QCOMPARE(c.remote(t), remote);
    }

    QVERIFY(s.smbus.present);
    sim::SimBackend board(s, clock);
    QVERIFY(board.selectSmbusAdapter("/dev/i2c-4"));
    QCOMPARE(board.smbus().baseAddress(), 0xEFA0u);
    QCOMPARE(board.smbus().setup().name, std::string("second"));
    QCOMPARE(board.smbus().readByteData(0x18, 0x00), uint8_t(0xFD));   // -3.4 C reads -3
    QCOMPARE(board.smbus().readByteData(0x18, 0x07), uint8_t(0x7F));   // the power-on limit
}

// The examples the README shows are files of the format, so they cannot rot.
void TestBoardFile::everyExampleBoardLoads()
{
    const QStringList files = QDir(QStringLiteral(ORT_BOARDS_DIR)).entryList({QStringLiteral("*.json")}, QDir::Files);
    QVERIFY(files.size() >= 2);
    for (const QString &file : files) {
        ComponentOptions options;
        options.board = (QStringLiteral(ORT_BOARDS_DIR "/") + file).toStdString();
        try {
            readBoard(options);
        } catch (const BoardFileError &e) {
            QFAIL(e.what());
        }
        QVERIFY(options.scenario);
    }
}

QTEST_GUILESS_MAIN(TestBoardFile)
#include "tst_boardfile.moc"
