#include "component/backend.h"
#include "component/buserror.h"
#include "component/sim/simbackend.h"

#include <QtTest>

using namespace ort;

// The contract every backend keeps, run against each one that can run here:
// the simulated board always, the Linux hardware when ORT310_TEST_LINUX=1
// says that a board with a chip at 4Ch is on the first printer port and on
// the SMBus adapter in use.
class TestBackends : public QObject {
    Q_OBJECT
private slots:
    void contract_data();
    void contract();

private:
    std::unique_ptr<Backend> make(const QString &name)
    {
        if (name == "sim")
            return std::make_unique<sim::SimBackend>(sim::Scenario::defaultBoard(), std::make_shared<ManualClock>());
        return createBackend(name.toStdString());
    }
};

void TestBackends::contract_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<int>("smbusChip");
    QTest::newRow("sim") << "sim" << 0x18;
    if (qEnvironmentVariableIntValue("ORT310_TEST_LINUX") == 1)
        QTest::newRow("linux") << "linux" << 0x4C;
}

void TestBackends::contract()
{
    QFETCH(QString, backend);
    QFETCH(int, smbusChip);
    std::unique_ptr<Backend> b = make(backend);
    QCOMPARE(QString::fromStdString(b->name()), backend);
    QVERIFY(!b->description().empty());
    bool numeric = false;
    QString::fromStdString(b->buildNumber()).toInt(&numeric);
    QVERIFY(numeric);

    QVERIFY(b->portCount() >= 1);
    PrinterTransport &port = b->portAt(b->portBase(0));
    port.setVariant(true);
    port.setBusParameter(240);
    QCOMPARE(port.readByteData(0x98, 0xFE), uint8_t(0x5C));
    const uint8_t limit = port.readByteData(0x98, 0x05);
    port.writeByteData(0x98, 0x0B, 0x55);
    QCOMPARE(port.readByteData(0x98, 0x05), uint8_t(0x55));
    port.writeByteData(0x98, 0x0B, limit);
    QVERIFY_THROWS_EXCEPTION(NoAcknowledge, port.readByteData(0x9E, 0xFE));   // 4Fh: not a chip address
    QCOMPARE(port.readByteData(0x98, 0xFF), uint8_t(0x01));                   // the bus was released

    SmbusTransport &host = b->smbus();
    QCOMPARE(host.readByteData(uint8_t(smbusChip), 0xFE), uint8_t(0x5C));
    QVERIFY_THROWS_EXCEPTION(NoAcknowledge, host.readByteData(0x4F, 0xFE));

    QVERIFY_THROWS_EXCEPTION(BusError, b->portBase(b->portCount()));
    QVERIFY_THROWS_EXCEPTION(BusError, b->portAt(0x0001));
}

QTEST_GUILESS_MAIN(TestBackends)
#include "tst_backends.moc"
