#include "registers/entryparse.h"
#include "registers/registermap.h"

#include <QtTest>
#include <string>

using namespace ort;

namespace {
// What an entry that is not wholly a number reads as in the tables below.
constexpr qlonglong NoNumber = -12345;

QString q(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
} // namespace

class TestRegisterMap : public QObject {
    Q_OBJECT
private slots:
    void table_data();
    void table();
    void typeNamesOfWriteAddresses_data();
    void typeNamesOfWriteAddresses();
    void addressConversions_data();
    void addressConversions();
    void conversionsRoundTripEveryRow();
    void bitNames_data();
    void bitNames();
    void hexEntry_data();
    void hexEntry();
    void decimalEntry_data();
    void decimalEntry();
};

void TestRegisterMap::table_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<int>("read");
    QTest::addColumn<int>("write");   // -1: none
    QTest::addColumn<bool>("writable");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("SSRibbon4") << "Local Temp Value" << "Local Temperature" << 0 << -1 << false << 0 << 0;
    QTest::newRow("SSRibbon7") << "Remote Temp Value" << "Remote Temperature" << 1 << -1 << false << 0 << 1;
    QTest::newRow("SSRibbon8") << "Status" << "Status" << 2 << -1 << false << 0 << 2;
    QTest::newRow("SSRibbon9") << "Configuration" << "Configuration" << 3 << 9 << true << 0 << 3;
    QTest::newRow("SSRibbon12") << "Conversion Rate" << "Conversion Rate" << 4 << 10 << true << 1 << 0;
    QTest::newRow("SSRibbon13") << "Local Temp High Limit" << "Local Temp. High Limit" << 5 << 11 << true << 1 << 1;
    QTest::newRow("SSRibbon14") << "Local Temp Low Limit" << "Local Temp. Low Limit" << 6 << 12 << true << 1 << 2;
    QTest::newRow("SSRibbon10") << "Remote Temp High Limit" << "Remote Temp. High Limit" << 7 << 13 << true << 1 << 3;
    QTest::newRow("SSRibbon15") << "Remote Temp Low Limit" << "Remote Temp. Low Limit" << 8 << 14 << true << 2 << 0;
    QTest::newRow("SSRibbon16") << "One Shot" << "One-Shot" << 15 << 15 << true << 2 << 1;
    QTest::newRow("SSRibbon17") << "ManufacturerID" << "Manufacturers ID" << 254 << -1 << false << 2 << 2;
    QTest::newRow("SSRibbon11") << "Chip Revision Code" << "Die Revision Code" << 255 << -1 << false << 2 << 3;
}

void TestRegisterMap::table()
{
    QFETCH(QString, caption);
    QFETCH(QString, typeName);
    QFETCH(int, read);
    QFETCH(int, write);
    QFETCH(bool, writable);
    QFETCH(int, column);
    QFETCH(int, row);
    const std::string button = QTest::currentDataTag();
    const int i = registerRowOfButton(button);
    QVERIFY(i >= 0);
    QCOMPARE(registerRowOf(read), i);
    const RegisterRow &r = RegisterTable[size_t(i)];
    QCOMPARE(q(r.caption), caption);
    QCOMPARE(q(r.typeName), typeName);
    QCOMPARE(int(r.readAddress), read);
    QCOMPARE(r.writeAddress ? int(*r.writeAddress) : -1, write);
    QCOMPARE(r.writable, writable);
    QCOMPARE(r.column, column);
    QCOMPARE(r.row, row);
    QCOMPARE(q(RegisterTypeName(read)), typeName);
}

void TestRegisterMap::typeNamesOfWriteAddresses_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("typeName");
    QTest::newRow("9") << 9 << "Configuration";
    QTest::newRow("10") << 10 << "Conversion Rate";
    QTest::newRow("11") << 11 << "Local Temp. High Limit";
    QTest::newRow("12") << 12 << "Local Temp. Low Limit";
    QTest::newRow("13") << 13 << "Remote Temp. High Limit";
    QTest::newRow("14") << 14 << "Remote Temp. Low Limit";
    QTest::newRow("not in the table") << 16 << "";
    QTest::newRow("negative") << -1 << "";
    QTest::newRow("above a byte") << 256 << "";
}

void TestRegisterMap::typeNamesOfWriteAddresses()
{
    QFETCH(int, address);
    QFETCH(QString, typeName);
    QCOMPARE(q(RegisterTypeName(address)), typeName);
}

void TestRegisterMap::addressConversions_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("toWrite");
    QTest::addColumn<int>("toRead");
    for (int a : {0, 1, 2, 15, 16, 254, 255, -1})
        QTest::addRow("%d stays", a) << a << a << a;
    for (int a = 3; a <= 8; ++a)
        QTest::addRow("%d", a) << a << a + 6 << a;
    for (int a = 9; a <= 14; ++a)
        QTest::addRow("%d", a) << a << a << a - 6;
}

void TestRegisterMap::addressConversions()
{
    QFETCH(int, address);
    QFETCH(int, toWrite);
    QFETCH(int, toRead);
    Declare d;
    d.EditorRegister = int16_t(address);
    ToWriteAddress(d);
    QCOMPARE(int(d.EditorRegister), toWrite);
    d.EditorRegister = int16_t(address);
    ToReadAddress(d);
    QCOMPARE(int(d.EditorRegister), toRead);
}

void TestRegisterMap::conversionsRoundTripEveryRow()
{
    for (const RegisterRow &r : RegisterTable) {
        Declare d;
        d.EditorRegister = r.readAddress;
        ToWriteAddress(d);
        if (r.writeAddress)
            QCOMPARE(int(d.EditorRegister), int(*r.writeAddress));
        ToReadAddress(d);
        QCOMPARE(int(d.EditorRegister), int(r.readAddress));
    }
}

void TestRegisterMap::bitNames_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QStringList>("bit7to0");
    const QStringList generic = {"Bit 7", "Bit 6", "Bit 5", "Bit 4", "Bit 3", "Bit 2", "Bit 1", "Bit 0"};
    QTest::newRow("status") << 2
                            << QStringList{"ADC On", "Local High", "Local Low", "Remote High", "Remote Low",
                                           "Rem Sen oc", "Reserved", "Reserved"};
    QTest::newRow("configuration") << 3
                                   << QStringList{"ALERT", "Op. Mode", "Unused", "Unused", "Unused", "Unused",
                                                  "Unused", "Unused"};
    QTest::newRow("conversion rate") << 4
                                     << QStringList{"Unused", "Unused", "Unused", "Unused", "Bit 3", "Bit 2", "Bit 1",
                                                    "Bit 0"};
    for (int a : {0, 1, 5, 6, 7, 8, 15, 254, 255})
        QTest::addRow("generic %d", a) << a << generic;
}

void TestRegisterMap::bitNames()
{
    QFETCH(int, address);
    QFETCH(QStringList, bit7to0);
    QStringList names;
    const BitNameSet &set = BitNamesOf(address);
    for (int bit = 7; bit >= 0; --bit)
        names << q(set[size_t(bit)]);
    QCOMPARE(names, bit7to0);
}

void TestRegisterMap::hexEntry_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qlonglong>("value");
    QTest::newRow("lower case") << QByteArray("1a") << 26LL;
    QTest::newRow("upper case") << QByteArray("FF") << 255LL;
    QTest::newRow("one digit") << QByteArray("7") << 7LL;
    QTest::newRow("empty") << QByteArray("") << NoNumber;
    QTest::newRow("no digit") << QByteArray("g") << NoNumber;
    QTest::newRow("junk after digits") << QByteArray("1g") << NoNumber;
    QTest::newRow("blank inside") << QByteArray("1 a") << NoNumber;
    QTest::newRow("blanks and tabs around") << QByteArray(" \t f\t ") << 15LL;
    QTest::newRow("only blanks") << QByteArray("  ") << NoNumber;
    QTest::newRow("prefix is junk") << QByteArray("0x1F") << NoNumber;
    QTest::newRow("sign is junk") << QByteArray("-1") << NoNumber;
    QTest::newRow("newline is not a blank") << QByteArray("1\n2") << NoNumber;
    QTest::newRow("non-ASCII") << QByteArray("\xc3\xa9" "1") << NoNumber;
    QTest::newRow("NUL") << QByteArray("1\0" "2", 3) << NoNumber;
    QTest::newRow("four digits") << QByteArray("abcd") << 0xABCDLL;
    QTest::newRow("very long") << QByteArray(4000, 'f') << qlonglong(EntryLimit);
}

void TestRegisterMap::hexEntry()
{
    QFETCH(QByteArray, text);
    QFETCH(qlonglong, value);
    QCOMPARE(qlonglong(parseHexEntry(std::string_view(text.constData(), size_t(text.size()))).value_or(NoNumber)),
             value);
}

void TestRegisterMap::decimalEntry_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qlonglong>("value");
    QTest::newRow("plain") << QByteArray("255") << 255LL;
    QTest::newRow("leading zeros") << QByteArray("007") << 7LL;
    QTest::newRow("blanks around") << QByteArray(" \t12 ") << 12LL;
    QTest::newRow("empty") << QByteArray("") << NoNumber;
    QTest::newRow("junk") << QByteArray("abc") << NoNumber;
    QTest::newRow("junk after digits") << QByteArray("12a") << NoNumber;
    QTest::newRow("blanks inside") << QByteArray(" 2 5\t5 ") << NoNumber;
    QTest::newRow("plus") << QByteArray("+7") << 7LL;
    QTest::newRow("minus") << QByteArray("-99") << -99LL;
    QTest::newRow("blank after sign") << QByteArray("- 5") << NoNumber;
    QTest::newRow("sign alone") << QByteArray("-") << NoNumber;
    QTest::newRow("two signs") << QByteArray("--5") << NoNumber;
    QTest::newRow("sign after") << QByteArray("5-") << NoNumber;
    QTest::newRow("2.5 to even") << QByteArray("2.5") << 2LL;
    QTest::newRow("3.5 to even") << QByteArray("3.5") << 4LL;
    QTest::newRow("0.5 to even") << QByteArray("0.5") << 0LL;
    QTest::newRow("254.5") << QByteArray("254.5") << 254LL;
    QTest::newRow("255.5") << QByteArray("255.5") << 256LL;
    QTest::newRow("-2.5") << QByteArray("-2.5") << -2LL;
    QTest::newRow("-3.5") << QByteArray("-3.5") << -4LL;
    QTest::newRow("-0.4 is zero") << QByteArray("-0.4") << 0LL;
    QTest::newRow("just over a half") << QByteArray("2.51") << 3LL;
    QTest::newRow("far digit decides") << QByteArray("2.50000000000000000000001") << 3LL;
    QTest::newRow("trailing zeros are a half") << QByteArray("2.5000") << 2LL;
    QTest::newRow("just under a half") << QByteArray("2.4999") << 2LL;
    QTest::newRow("fraction rounds up") << QByteArray("7.6") << 8LL;
    QTest::newRow("no whole part") << QByteArray(".6") << 1LL;
    QTest::newRow("point alone") << QByteArray(".") << NoNumber;
    QTest::newRow("point at end") << QByteArray("9.") << 9LL;
    QTest::newRow("second point") << QByteArray("1.2.9") << NoNumber;
    QTest::newRow("blank in fraction") << QByteArray("1. 5") << NoNumber;
    QTest::newRow("no exponent") << QByteArray("1e2") << NoNumber;
    QTest::newRow("comma") << QByteArray("1,5") << NoNumber;
    QTest::newRow("very long") << QByteArray(4000, '9') << qlonglong(EntryLimit);
    QTest::newRow("very long negative") << "-" + QByteArray(4000, '9') << -qlonglong(EntryLimit);
    QTest::newRow("very long fraction") << "1." + QByteArray(4000, '4') << 1LL;
}

void TestRegisterMap::decimalEntry()
{
    QFETCH(QByteArray, text);
    QFETCH(qlonglong, value);
    QCOMPARE(qlonglong(parseDecimalEntry(std::string_view(text.constData(), size_t(text.size()))).value_or(NoNumber)),
             value);
}

QTEST_APPLESS_MAIN(TestRegisterMap)
#include "tst_registermap.moc"
