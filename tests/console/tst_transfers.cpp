#include "component/buserror.h"
#include "console/transfermodel.h"
#include "console/transfertext.h"
#include "tests/support/boards.h"
#include "tests/support/simboard.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QtTest>
#include <random>

using namespace ort;

namespace {

enum class Op { SmbusRead, SmbusWrite, PrinterRead, PrinterWrite, AlertSteps, ReadSteps, PortWrite };

// Everything the table shows of a transfer but its time and duration.
QString summary(const TransferRing &ring, const TransferRecord &r)
{
    QStringList cells;
    for (int c = int(TransferColumn::Route); c <= int(TransferColumn::Result); ++c)
        cells << transferCell(ring, r, TransferColumn(c));
    return cells.join('|');
}

} // namespace

Q_DECLARE_METATYPE(Op)

class TestTransfers : public QObject {
    Q_OBJECT
private slots:
    void componentTellsEachTransfer_data();
    void componentTellsEachTransfer();
    void ringKeepsTheLastAndItsTextsOnce();
    void modelFollowsTheRingAsAFreshOneWould();
    void csvQuotesWhatASpreadsheetWouldSplit_data();
    void csvQuotesWhatASpreadsheetWouldSplit();
    void csvWritesTheRowsShown();
};

void TestTransfers::componentTellsEachTransfer_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<uint16_t>("base");
    QTest::addColumn<uint8_t>("address");   // the route's form
    QTest::addColumn<QString>("told");
    QTest::newRow("SMBus read") << Op::SmbusRead << uint16_t(0) << uint8_t(0x18) << "SMBus at 5000h|18h|read|FEh|5Ch|acknowledged";
    QTest::newRow("SMBus write") << Op::SmbusWrite << uint16_t(0) << uint8_t(0x18) << "SMBus at 5000h|18h|write|0Ah|07h|acknowledged";
    QTest::newRow("SMBus, nobody") << Op::SmbusRead << uint16_t(0) << uint8_t(0x4D) << "SMBus at 5000h|4Dh|read|FEh||not acknowledged";
    QTest::newRow("printer read") << Op::PrinterRead << uint16_t(0x378) << uint8_t(0x98) << "printer port 378h|4Ch|read|FEh|5Ch|acknowledged";
    QTest::newRow("printer write") << Op::PrinterWrite << uint16_t(0x378) << uint8_t(0x98) << "printer port 378h|4Ch|write|0Ah|07h|acknowledged";
    QTest::newRow("printer, nobody") << Op::PrinterRead << uint16_t(0x378) << uint8_t(0x9A) << "printer port 378h|4Dh|read|FEh||not acknowledged";
    QTest::newRow("printer, stuck") << Op::PrinterWrite << uint16_t(0x278) << uint8_t(0x98)
                                    << "printer port 278h|4Ch|write|0Ah|07h|The SMBus on printer port 278h is busy: SDA is held low";
    QTest::newRow("no such port") << Op::PrinterRead << uint16_t(0x3BC) << uint8_t(0x98)
                                  << "printer port 3BCh|4Ch|read|FEh||No printer port at I/O address 3BCh";
    QTest::newRow("steps, nobody alerting") << Op::AlertSteps << uint16_t(0x378) << uint8_t(0x19) << "printer port 378h|0Ch|read||FFh|not acknowledged";
    QTest::newRow("steps, repeated start") << Op::ReadSteps << uint16_t(0x378) << uint8_t(0x98) << "printer port 378h|4Ch|read|FEh|5Ch|acknowledged";
    QTest::newRow("steps, stuck") << Op::AlertSteps << uint16_t(0x278) << uint8_t(0x19)
                                  << "printer port 278h||write|||The SMBus on printer port 278h is busy: SDA is held low";
    QTest::newRow("port write") << Op::PortWrite << uint16_t(0x378) << uint8_t(0) << "printer port 378h||write||00h|acknowledged";
}

void TestTransfers::componentTellsEachTransfer()
{
    QFETCH(Op, op);
    QFETCH(uint16_t, base);
    QFETCH(uint8_t, address);
    QFETCH(QString, told);
    sim::PortSetup stuck = test::portAt(0x278, {0x4C});
    stuck.stuckSda = true;
    test::SimBoard board(test::boardWith({test::portWith(0x378, {test::steadyChipAt(0x4C)}), stuck}, {0x18}));
    BusAccessServer &bus = board.server();
    PrinterPortLink &link = bus.PrinterPort().Link();
    link.SetPortBase(base);
    TransferRing ring;
    bus.setTransferObserver([&](const Transfer &t) { ring.add(t, 0); });
    try {
        switch (op) {
        case Op::SmbusRead: bus.Smbus().ReadRegister(address, 0xFE); break;
        case Op::SmbusWrite: bus.Smbus().WriteRegister(address, 0x0A, 7); break;
        case Op::PrinterRead: link.ReadRegister(address, 0xFE); break;
        case Op::PrinterWrite: link.WriteRegister(address, 0x0A, 7); break;
        case Op::PortWrite: link.WritePort(base, 0); break;
        case Op::ReadSteps:
            link.Start(), link.SendByte(address), link.ReceiveAck(), link.SendByte(0xFE), link.ReceiveAck();
            [[fallthrough]];
        case Op::AlertSteps:
            link.Start(), link.SendByte(address | 1), link.ReceiveAck(), link.ReceiveByte(), link.SendNoAck(), link.Stop();
            break;
        }
    } catch (const BusError &) {
    }
    QCOMPARE(ring.size(), size_t(1));
    QCOMPARE(summary(ring, ring.at(0)), told);
    // A whole read-byte-data on the printer port's lines takes about half a millisecond of bus time.
    if (told.startsWith("printer port 378h|4Ch|read|FEh|5Ch"))
        QVERIFY2(ring.at(0).durationNs > 400'000 && ring.at(0).durationNs < 800'000,
                 qPrintable(QString::number(ring.at(0).durationNs)));
    // Unwatched, the component tells nothing.
    bus.setTransferObserver({});
    bus.Smbus().ReadRegister(0x18, 0xFE);
    QCOMPARE(ring.size(), size_t(1));
}

void TestTransfers::ringKeepsTheLastAndItsTextsOnce()
{
    TransferRing ring(3);
    Transfer failed;
    failed.outcome = Transfer::Outcome::Failed;
    for (int i = 0; i < 5; ++i) {
        failed.reason = i % 2 ? "odd" : "even";
        ring.add(failed, i);
    }
    QCOMPARE(ring.size(), size_t(3));
    QCOMPARE(ring.first(), uint64_t(2));
    QCOMPARE(ring.at(2).time, 2.0);
    QCOMPARE(ring.at(4).time, 4.0);
    QVERIFY(ring.at(3).reason != ring.at(2).reason);
    QCOMPARE(ring.at(4).reason, ring.at(2).reason);
    QVERIFY(ring.text(ring.at(3).reason) == "odd");
    ring.clear();
    QCOMPARE(ring.size(), size_t(0));
    ring.add(failed, 9);
    QCOMPARE(ring.at(ring.first()).time, 9.0);

    TransferRing texts(TransferRing::MaxTexts + 10);
    std::vector<std::string> shownWhenAdded;
    for (size_t i = 0; i < TransferRing::MaxTexts + 10; ++i) {
        const std::string reason = "reason " + std::to_string(i);
        failed.reason = reason;
        texts.add(failed, 0);
        shownWhenAdded.emplace_back(texts.text(texts.at(i).reason));
    }
    QVERIFY(texts.text(texts.at(10).reason) == "reason 10");
    // A record's text never changes once shown, whatever comes after it.
    for (size_t i = 0; i < shownWhenAdded.size(); ++i)
        QVERIFY2(texts.text(texts.at(i).reason) == shownWhenAdded[i], shownWhenAdded[i].c_str());
    QVERIFY(texts.text(texts.at(TransferRing::MaxTexts + 5).reason) == TransferRing::TextsFullText);
}

// An oracle: after any run of transfers, refreshes, filters and clears, the
// model's rows are those a model built afresh from the ring would show, and
// every change was announced as a view needs it.
void TestTransfers::modelFollowsTheRingAsAFreshOneWould()
{
    TransferRing ring(50);
    TransferModel model(ring);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    std::mt19937 rng(7);
    double time = 0;
    for (int step = 0; step < 400; ++step) {
        const int what = int(rng() % 20);
        if (what == 0) {
            TransferFilter f;
            if (rng() % 2)
                f.registers = {int(rng() % 3), Transfer::None};
            f.result = TransferFilter::Result(rng() % 5);
            model.setFilter(f);
        } else if (what == 1) {
            ring.clear();
            model.rebuild();
        } else {
            for (int n = int(rng() % 30); n > 0; --n) {
                Transfer t;
                t.reg = int16_t(int(rng() % 4) - 1);
                t.outcome = Transfer::Outcome(rng() % 3);
                ring.add(t, time += 1);
            }
            model.refresh();
        }
        QList<double> expected, shown;
        for (uint64_t s = ring.first(); s < ring.end(); ++s)
            if (model.filter().matches(ring.at(s)))
                expected << ring.at(s).time;
        for (int row = 0; row < model.rowCount(); ++row)
            shown << model.index(row, int(TransferColumn::Time)).data().toDouble();
        QCOMPARE(shown, expected);
    }
}

void TestTransfers::csvQuotesWhatASpreadsheetWouldSplit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("plain") << "SMBus at 5000h" << QByteArray("SMBus at 5000h");
    QTest::newRow("comma") << "busy, really" << QByteArray("\"busy, really\"");
    QTest::newRow("quote") << "say \"no\"" << QByteArray("\"say \"\"no\"\"\"");
    QTest::newRow("line end") << "one\ntwo" << QByteArray("\"one\ntwo\"");
    QTest::newRow("carriage return") << "one\rtwo" << QByteArray("\"one\rtwo\"");
}

void TestTransfers::csvQuotesWhatASpreadsheetWouldSplit()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, field);
    QCOMPARE(csvField(text), field);
}

void TestTransfers::csvWritesTheRowsShown()
{
    TransferRing ring;
    Transfer t;
    t.where = 0x378;
    t.address = 0x4C;
    t.read = true;
    t.reg = 0xFE;
    t.data = 0x5C;
    t.durationNs = 578'040;
    ring.add(t, 1.5);
    t.outcome = Transfer::Outcome::Failed;
    t.data = Transfer::None;
    t.reason = "busy, really";
    ring.add(t, 2.25);
    TransferModel model(ring);
    model.setFilter({{}, TransferFilter::Result::Failed});
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QVERIFY(model.writeCsv(out));
    QCOMPARE(out.data(), QByteArray("time_s,route,address,direction,register,data,result,took_us\r\n"
                                    "2.250000,printer port 378h,4Ch,read,FEh,,\"busy, really\",578.0\r\n"));
}

QTEST_GUILESS_MAIN(TestTransfers)
#include "tst_transfers.moc"
