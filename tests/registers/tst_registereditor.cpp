#include "gui/errors.h"
#include "registers/registereditor.h"
#include "shell/mainmenuform.h"
#include "tests/support/boards.h"
#include "tests/support/programfixture.h"
#include "widgets/panel3d.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace ort;
using test::control;
using test::Route;

Q_DECLARE_METATYPE(ort::test::Route)

namespace {

// Chips whose temperatures stand still (local 25, remote 50), on both routes.
sim::Scenario steadyBoard(sim::ChipSetup printerChip = test::steadyChipAt(0x4C),
                          sim::ChipSetup smbusChip = test::steadyChipAt(0x18))
{
    sim::Scenario s = test::boardWith({test::portWith(0x378, {std::move(printerChip)})});
    s.smbus.chips.push_back(std::move(smbusChip));
    return s;
}

// The data transfers of a transcript on either route: "R7" for a read of
// register 7, "W13=255" for a write.
QStringList transfers(const QStringList &calls)
{
    static const QRegularExpression transfer(QStringLiteral("(Read|Write)Register\\(\\d+,(\\d+)(?:,(\\d+))?\\)"));
    QStringList out;
    for (const QString &c : calls) {
        const QRegularExpressionMatch m = transfer.match(c);
        if (!m.hasMatch())
            continue;
        out << (m.captured(1) == "Read" ? "R" + m.captured(2) : "W" + m.captured(2) + "=" + m.captured(3));
    }
    return out;
}

QString digits(QWidget *main)
{
    QString s;
    for (int bit = 7; bit >= 0; --bit)
        s += control<QAbstractButton>(main, qPrintable(QStringLiteral("bit%1").arg(bit)))->text();
    return s;
}

} // namespace

class TestRegisterEditor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsAsDesigned();
    void enteringTheTabResetsTheEditor_data();
    void enteringTheTabResetsTheEditor();
    void eachSelectorShowsItsRegister_data();
    void eachSelectorShowsItsRegister();
    void readOnlyRegisterIgnoresDigits_data();
    void readOnlyRegisterIgnoresDigits();
    void pressOnTheDownButtonDoesNothing();
    void bitClickWritesAtTheWriteAddress();
    void bitClickFollowsTheDigitShownAndTheChip();
    void doubleClickWritesTwice();
    void digitsWorkFromTheKeyboard();
    void hexWrite();
    void decimalWrite();
    void entryThatIsNotAValueIsRefused_data();
    void entryThatIsNotAValueIsRefused();
    void boxesKeepTheirTextsAcrossSelections();
    void continuousReadingRereads();
    void oneShotIsNotReadContinuously();
    void boardUnpluggedDuringContinuousReading_data();
    void boardUnpluggedDuringContinuousReading();
    void continuousReadingBoxComesAfterTheTick();
    void failedWritesLeaveTheEditorConsistent();
    void selectorGridAndStaircases();
    void informationPanelRows();

private:
    MainMenuForm *enterTab(Route route = Route::PrinterPort);
    std::unique_ptr<test::ProgramFixture> f;
    MainMenuForm *main = nullptr;
};

void TestRegisterEditor::init()
{
    f = std::make_unique<test::ProgramFixture>(steadyBoard());
}

void TestRegisterEditor::cleanup()
{
    main = nullptr;
    f.reset();
}

MainMenuForm *TestRegisterEditor::enterTab(Route route)
{
    main = f->finishOn(route);
    if (!main)
        return nullptr;
    f->clock().advance(1);   // a conversion has loaded the temperatures
    control<QTabWidget>(main, "MainTab")->setCurrentIndex(1);
    f->clearCalls();
    return main;
}

void TestRegisterEditor::startsAsDesigned()
{
    main = f->finishOn(Route::PrinterPort);
    QVERIFY(main);
    QCOMPARE(control<QLabel>(main, "Label6")->text(), QString("Configuration"));
    for (const char *field : {"Label9", "Label16", "Label2", "Label12", "Label20"})
        QCOMPARE(control<QLabel>(main, field)->text(), QString("0"));
    QCOMPARE(control<QLineEdit>(main, "Text6")->text(), QString("00"));
    QCOMPARE(control<QLineEdit>(main, "Text7")->text(), QString("00"));
    QCOMPARE(control<QLineEdit>(main, "Text6")->maxLength(), 2);
    QCOMPARE(control<QLineEdit>(main, "Text7")->maxLength(), 3);
    for (const char *b : {"Command4", "Command5"}) {
        QCOMPARE(control<QPushButton>(main, b)->palette().color(QPalette::Button), QColor(0, 255, 0));
        QCOMPARE(control<QPushButton>(main, b)->toolTip(), QString("Update with the written value in the Textbox"));
    }
    QVERIFY(control<QToolButton>(main, "SSRibbon4")->isChecked());
    QVERIFY(!control<QToolButton>(main, "SSRibbon5")->isChecked());
    QCOMPARE(control<Panel3D>(main, "SSPanel7")->caption(), QString("Continuous Reading is Off"));
    QCOMPARE(control<Panel3D>(main, "SSPanel38")->caption(), QString("Read/Write"));
    QCOMPARE(control<Panel3D>(main, "SSPanel37")->caption(), QString("Write"));
    QCOMPARE(control<Panel3D>(main, "SSPanel3")->toolTip(), QString("Press any of these Digits to write to the ORT310"));
    QCOMPARE(control<QLabel>(main, "bitname8")->text(), QString("(Click Digits)"));
    QCOMPARE(control<QLabel>(main, "bitname16")->text(), QString("Hex"));
    QCOMPARE(control<QLabel>(main, "bitname17")->text(), QString("Dec"));
    QCOMPARE(control<Panel3D>(main, "SSRibbon16Caption")->caption(), QString("One Shot"));
    auto *timer3 = control<QTimer>(main, "Timer3");
    QVERIFY(!timer3->isActive());
    QCOMPARE(timer3->interval(), 0);   // none until the toggle first goes down
    QCOMPARE(timer3->timerType(), Qt::PreciseTimer);
    QCOMPARE(control<QTabWidget>(main, "MainTab")->tabText(1), QString("Read/Write"));
    QCOMPARE(f->calls(), QStringList());
}

void TestRegisterEditor::enteringTheTabResetsTheEditor_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("printer port") << Route::PrinterPort
                                  << QStringList{"PrinterPortLink.SetPortBase(888)",
                                                 "PrinterPortLink.ReadRegister(152,0)",
                                                 "PrinterPortLink.SetPortBase(888)",
                                                 "PrinterPortLink.ReadRegister(152,3)"};
    QTest::newRow("smbus") << Route::Smbus
                           << QStringList{"SmbusHost.ReadRegister(24,0)", "SmbusHost.ReadRegister(24,3)"};
}

void TestRegisterEditor::enteringTheTabResetsTheEditor()
{
    QFETCH(Route, route);
    QFETCH(QStringList, calls);
    QVERIFY(enterTab(route));
    // Leave the editor in another state: a writable register, reading on.
    control<QToolButton>(main, "SSRibbon13")->click();
    QVERIFY(control<QLineEdit>(main, "Text6")->isEnabled());
    control<QToolButton>(main, "SSRibbon5")->click();
    QVERIFY(control<QTimer>(main, "Timer3")->isActive());

    auto *tabs = control<QTabWidget>(main, "MainTab");
    tabs->setCurrentIndex(0);
    f->clearCalls();
    tabs->setCurrentIndex(1);
    QCOMPARE(f->calls(), calls);
    QVERIFY(control<QToolButton>(main, "SSRibbon4")->isChecked());
    QVERIFY(!control<QToolButton>(main, "SSRibbon13")->isChecked());
    QVERIFY(!control<QToolButton>(main, "SSRibbon5")->isChecked());
    QCOMPARE(control<Panel3D>(main, "SSPanel7")->caption(), QString("Continuous Reading is Off"));
    QVERIFY(!control<QTimer>(main, "Timer3")->isActive());
    for (const char *c : {"Text6", "Text7"})
        QVERIFY(!control<QLineEdit>(main, c)->isEnabled());
    for (const char *c : {"Command4", "Command5"})
        QVERIFY(!control<QPushButton>(main, c)->isEnabled());
    QCOMPARE(control<QLabel>(main, "Label6")->text(), QString("Local Temperature"));
    QCOMPARE(control<QLabel>(main, "Label9")->text(), QString("0"));
    QCOMPARE(control<QLabel>(main, "Label16")->text(), QString("19"));
    QCOMPARE(control<QLabel>(main, "Label2")->text(), QString("25"));
    // Unlike a selection, no "X": the value written so far this run.
    QCOMPARE(control<QLabel>(main, "Label12")->text(), QString("0"));
    QCOMPARE(control<QLabel>(main, "Label20")->text(), QString("0"));
    QCOMPARE(digits(main), QString("00011001"));
    QCOMPARE(f->state().EditorRegister, int16_t(0));
    QCOMPARE(f->state().EditorReadback, int16_t(25));
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestRegisterEditor::eachSelectorShowsItsRegister_data()
{
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("readHex");
    QTest::addColumn<QString>("readDec");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QStringList>("names");   // bits 7, 4, 3 and 0
    const QStringList generic = {"Bit 7", "Bit 4", "Bit 3", "Bit 0"};
    QTest::newRow("SSRibbon4") << "Local Temperature" << "0" << "19" << "25" << false << generic;
    QTest::newRow("SSRibbon7") << "Remote Temperature" << "1" << "32" << "50" << false << generic;
    QTest::newRow("SSRibbon8") << "Status" << "2" << "0" << "0" << false
                               << QStringList{"ADC On", "Remote High", "Remote Low", "Reserved"};
    QTest::newRow("SSRibbon9") << "Configuration" << "3" << "0" << "0" << true
                               << QStringList{"ALERT", "Unused", "Unused", "Unused"};
    QTest::newRow("SSRibbon12") << "Conversion Rate" << "4" << "2" << "2" << true
                                << QStringList{"Unused", "Unused", "Bit 3", "Bit 0"};
    QTest::newRow("SSRibbon13") << "Local Temp. High Limit" << "5" << "7F" << "127" << true << generic;
    QTest::newRow("SSRibbon14") << "Local Temp. Low Limit" << "6" << "C9" << "201" << true << generic;
    QTest::newRow("SSRibbon10") << "Remote Temp. High Limit" << "7" << "7F" << "127" << true << generic;
    QTest::newRow("SSRibbon15") << "Remote Temp. Low Limit" << "8" << "C9" << "201" << true << generic;
    QTest::newRow("SSRibbon16") << "One-Shot" << "F" << "0" << "0" << true << generic;
    QTest::newRow("SSRibbon17") << "Manufacturers ID" << "FE" << "5C" << "92" << false << generic;
    QTest::newRow("SSRibbon11") << "Die Revision Code" << "FF" << "1" << "1" << false << generic;
}

void TestRegisterEditor::eachSelectorShowsItsRegister()
{
    QFETCH(QString, typeName);
    QFETCH(QString, address);
    QFETCH(QString, readHex);
    QFETCH(QString, readDec);
    QFETCH(bool, writable);
    QFETCH(QStringList, names);
    QVERIFY(enterTab());
    // From a writable register, so that read-only ones must disable.
    if (QByteArray(QTest::currentDataTag()) != "SSRibbon9")
        control<QToolButton>(main, "SSRibbon9")->click();
    f->clearCalls();
    QTest::mouseClick(control<QToolButton>(main, QTest::currentDataTag()), Qt::LeftButton);
    const int reg = address.toInt(nullptr, 16);
    QCOMPARE(transfers(f->calls()), QStringList({"R" + QString::number(reg), "R3"}));
    QCOMPARE(control<QLabel>(main, "Label6")->text(), typeName);
    QCOMPARE(control<QLabel>(main, "Label9")->text(), address);
    QCOMPARE(control<QLabel>(main, "Label16")->text(), readHex);
    QCOMPARE(control<QLabel>(main, "Label2")->text(), readDec);
    QCOMPARE(control<QLabel>(main, "Label12")->text(), QString("X"));
    QCOMPARE(control<QLabel>(main, "Label20")->text(), QString("X"));
    QCOMPARE(f->state().EditorRegister, int16_t(reg));
    for (const char *c : {"Text6", "Text7"})
        QCOMPARE(control<QLineEdit>(main, c)->isEnabled(), writable);
    for (const char *c : {"Command4", "Command5"})
        QCOMPARE(control<QPushButton>(main, c)->isEnabled(), writable);
    const QStringList shown = {control<QLabel>(main, "bitname7")->text(), control<QLabel>(main, "bitname4")->text(),
                               control<QLabel>(main, "bitname3")->text(), control<QLabel>(main, "bitname0")->text()};
    QCOMPARE(shown, names);
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestRegisterEditor::readOnlyRegisterIgnoresDigits_data()
{
    QTest::addColumn<QString>("button");
    for (const char *b : {"SSRibbon4", "SSRibbon7", "SSRibbon8", "SSRibbon17", "SSRibbon11"})
        QTest::newRow(b) << QString(b);
}

void TestRegisterEditor::readOnlyRegisterIgnoresDigits()
{
    QFETCH(QString, button);
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon9")->click();
    control<QToolButton>(main, qPrintable(button))->click();
    const QString before = digits(main);
    f->clearCalls();
    for (int bit = 0; bit < 8; ++bit)
        QTest::mouseClick(control<QAbstractButton>(main, qPrintable(QStringLiteral("bit%1").arg(bit))), Qt::LeftButton);
    QCOMPARE(f->calls(), QStringList());
    QCOMPARE(digits(main), before);
}

void TestRegisterEditor::pressOnTheDownButtonDoesNothing()
{
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon13")->click();
    f->clearCalls();
    QTest::mouseClick(control<QToolButton>(main, "SSRibbon13"), Qt::LeftButton);
    QVERIFY(control<QToolButton>(main, "SSRibbon13")->isChecked());
    QCOMPARE(f->calls(), QStringList());
    // Exactly one button is down.
    int down = 0;
    for (QToolButton *b : main->findChildren<QToolButton *>(QRegularExpression("^SSRibbon(4|7|8|9|1[0-7])$")))
        down += b->isChecked();
    QCOMPARE(down, 1);
}

void TestRegisterEditor::bitClickWritesAtTheWriteAddress()
{
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon10")->click();   // remote high limit, 7Fh at power-on
    QCOMPARE(digits(main), QString("01111111"));
    f->clearCalls();
    QTest::mouseClick(control<QAbstractButton>(main, "bit7"), Qt::LeftButton);
    QCOMPARE(f->calls(), QStringList({"PrinterPortLink.SetPortBase(888)", "PrinterPortLink.ReadRegister(152,7)",
                                      "PrinterPortLink.SetPortBase(888)", "PrinterPortLink.WriteRegister(152,13,255)",
                                      "PrinterPortLink.SetPortBase(888)", "PrinterPortLink.ReadRegister(152,3)"}));
    QCOMPARE(f->board.backend->port(0).bus().chipAt(0x4C)->peek(0x07), uint8_t(0xFF));
    QCOMPARE(digits(main), QString("11111111"));
    QCOMPARE(control<QLabel>(main, "Label9")->text(), QString("7"));
    QCOMPARE(control<QLabel>(main, "Label16")->text(), QString("FF"));
    QCOMPARE(control<QLabel>(main, "Label2")->text(), QString("255"));
    QCOMPARE(control<QLabel>(main, "Label12")->text(), QString("FF"));
    QCOMPARE(control<QLabel>(main, "Label20")->text(), QString("255"));
    QCOMPARE(f->state().EditorRegister, int16_t(7));

    // A set bit is cleared.
    f->clearCalls();
    QTest::mouseClick(control<QAbstractButton>(main, "bit0"), Qt::LeftButton);
    QCOMPARE(transfers(f->calls()), QStringList({"R7", "W13=254", "R3"}));
    QCOMPARE(digits(main), QString("11111110"));
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestRegisterEditor::bitClickFollowsTheDigitShownAndTheChip()
{
    QVERIFY(enterTab(Route::Smbus));
    control<QToolButton>(main, "SSRibbon13")->click();   // local high limit, 7Fh
    // The chip changes behind the editor's back: the click keeps the other
    // seven bits as the chip holds them now, and flips the bit as shown.
    f->board.server().Smbus().WriteRegister(0x18, 0x0B, 0x10);
    f->clearCalls();
    QTest::mouseClick(control<QAbstractButton>(main, "bit1"), Qt::LeftButton);   // shown "1"
    QCOMPARE(transfers(f->calls()), QStringList({"R5", "W11=16", "R3"}));
    QCOMPARE(digits(main), QString("00010000"));
    f->clearCalls();
    QTest::mouseClick(control<QAbstractButton>(main, "bit1"), Qt::LeftButton);   // shown "0"
    QCOMPARE(transfers(f->calls()), QStringList({"R5", "W11=18", "R3"}));
}

void TestRegisterEditor::doubleClickWritesTwice()
{
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon13")->click();
    f->clearCalls();
    // A double-click: the first press, then the double-click event.
    QTest::mouseClick(control<QAbstractButton>(main, "bit3"), Qt::LeftButton);
    QTest::mouseDClick(control<QAbstractButton>(main, "bit3"), Qt::LeftButton);
    QCOMPARE(transfers(f->calls()), QStringList({"R5", "W11=119", "R3", "R5", "W11=127", "R3"}));
    QCOMPARE(digits(main), QString("01111111"));
    QCOMPARE(f->board.backend->port(0).bus().chipAt(0x4C)->peek(0x05), uint8_t(0x7F));
}

void TestRegisterEditor::digitsWorkFromTheKeyboard()
{
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon13")->click();
    f->clearCalls();
    QTest::keyClick(control<QAbstractButton>(main, "bit6"), Qt::Key_Space);
    QTest::keyClick(control<QAbstractButton>(main, "bit6"), Qt::Key_A);   // not a click
    QTest::keyClick(control<QAbstractButton>(main, "bit5"), Qt::Key_Return);
    QTest::keyClick(control<QAbstractButton>(main, "bit4"), Qt::Key_Enter);
    QCOMPARE(transfers(f->calls()), QStringList({"R5", "W11=63", "R3", "R5", "W11=31", "R3", "R5", "W11=15", "R3"}));
}

void TestRegisterEditor::hexWrite()
{
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon13")->click();
    auto *hex = control<QLineEdit>(main, "Text6");
    auto *hexButton = control<QPushButton>(main, "Command4");
    auto *decButton = control<QPushButton>(main, "Command5");
    hex->selectAll();
    QTest::keyClicks(hex, "1a");
    QCOMPARE(hexButton->palette().color(QPalette::Button), QColor(255, 0, 0));
    QCOMPARE(decButton->palette().color(QPalette::Button), QColor(0, 255, 0));
    f->clearCalls();
    QTest::mouseClick(hexButton, Qt::LeftButton);
    QCOMPARE(f->calls(), QStringList({"PrinterPortLink.SetPortBase(888)", "PrinterPortLink.WriteRegister(152,11,26)",
                                      "PrinterPortLink.SetPortBase(888)", "PrinterPortLink.ReadRegister(152,3)"}));
    QCOMPARE(control<QLabel>(main, "Label12")->text(), QString("1A"));
    QCOMPARE(control<QLabel>(main, "Label20")->text(), QString("26"));
    // What was read stays; the digits show what was written.
    QCOMPARE(control<QLabel>(main, "Label16")->text(), QString("7F"));
    QCOMPARE(control<QLabel>(main, "Label9")->text(), QString("5"));
    QCOMPARE(digits(main), QString("00011010"));
    QCOMPARE(control<QLineEdit>(main, "Text7")->text(), QString("26"));
    QCOMPARE(hex->text(), QString("1a"));
    QCOMPARE(hexButton->palette().color(QPalette::Button), QColor(0, 255, 0));
    QCOMPARE(decButton->palette().color(QPalette::Button), QColor(0, 255, 0));
    QCOMPARE(f->state().EditorWriteActive, int16_t(0));
    QCOMPARE(f->state().EditorRegister, int16_t(5));
    QCOMPARE(f->board.backend->port(0).bus().chipAt(0x4C)->peek(0x05), uint8_t(26));

    // The next redraw of a tick shows the value read again.
    control<QToolButton>(main, "SSRibbon5")->click();
    f->tick(*control<QTimer>(main, "Timer3"));
    QCOMPARE(control<QLabel>(main, "Label16")->text(), QString("1A"));
}

void TestRegisterEditor::decimalWrite()
{
    QVERIFY(enterTab(Route::Smbus));
    control<QToolButton>(main, "SSRibbon9")->click();
    auto *dec = control<QLineEdit>(main, "Text7");
    dec->selectAll();
    QTest::keyClicks(dec, "255");
    QCOMPARE(control<QPushButton>(main, "Command5")->palette().color(QPalette::Button), QColor(255, 0, 0));
    f->clearCalls();
    QTest::keyClick(dec, Qt::Key_Return);   // presses its button
    QCOMPARE(f->calls(), QStringList({"SmbusHost.WriteRegister(24,9,255)", "SmbusHost.ReadRegister(24,3)"}));
    QCOMPARE(control<QLineEdit>(main, "Text6")->text(), QString("FF"));
    QCOMPARE(control<QLabel>(main, "Label12")->text(), QString("FF"));
    QCOMPARE(control<QLabel>(main, "Label20")->text(), QString("255"));
    QCOMPARE(control<QLabel>(main, "Label9")->text(), QString("3"));
    for (const char *b : {"Command4", "Command5"})
        QCOMPARE(control<QPushButton>(main, b)->palette().color(QPalette::Button), QColor(0, 255, 0));

    dec->setText("26.5");   // halves go to the even neighbour
    f->clearCalls();
    control<QPushButton>(main, "Command5")->click();
    QCOMPARE(transfers(f->calls()), QStringList({"W9=26", "R3"}));
    QCOMPARE(control<QLineEdit>(main, "Text6")->text(), QString("1A"));

    dec->setText("0");   // the lowest value is a value
    f->clearCalls();
    control<QPushButton>(main, "Command5")->click();
    QCOMPARE(transfers(f->calls()), QStringList({"W9=0", "R3"}));
}

void TestRegisterEditor::entryThatIsNotAValueIsRefused_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("why");
    QTest::newRow("hex, empty") << true << "" << "is not a hexadecimal number";
    QTest::newRow("hex, junk") << true << "zz" << "is not a hexadecimal number";
    QTest::newRow("hex, trailing junk") << true << "7z" << "is not a hexadecimal number";
    QTest::newRow("decimal, empty") << false << "" << "is not a decimal number";
    QTest::newRow("decimal, junk") << false << "ab" << "is not a decimal number";
    QTest::newRow("decimal, trailing junk") << false << "12a" << "is not a decimal number";
    QTest::newRow("256") << false << "256" << "is not a value from 0 to 255";
    QTest::newRow("999") << false << "999" << "is not a value from 0 to 255";
    QTest::newRow("-1") << false << "-1" << "is not a value from 0 to 255";
}

void TestRegisterEditor::entryThatIsNotAValueIsRefused()
{
    QFETCH(bool, hex);
    QFETCH(QString, text);
    QFETCH(QString, why);
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon13")->click();
    control<QLineEdit>(main, "Text6")->setText("AB");
    control<QPushButton>(main, "Command4")->click();   // both buttons green
    auto *entry = control<QLineEdit>(main, hex ? "Text6" : "Text7");
    auto *other = control<QLineEdit>(main, hex ? "Text7" : "Text6");
    const QString otherText = other->text();
    entry->setText(text);
    f->clearCalls();
    control<QPushButton>(main, hex ? "Command4" : "Command5")->click();
    QCOMPARE(f->calls(), QStringList());
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].icon, QMessageBox::Warning);
    QVERIFY2(f->ui.messages[0].text.startsWith(QString("The %1 entry \"%2\" %3")
                                                   .arg(hex ? "hexadecimal" : "decimal", text, why)),
             qPrintable(f->ui.messages[0].text));
    QCOMPARE(entry->text(), text);
    QCOMPARE(other->text(), otherText);
    QCOMPARE(control<QPushButton>(main, hex ? "Command4" : "Command5")->palette().color(QPalette::Button),
             QColor(255, 0, 0));
    QCOMPARE(control<QLabel>(main, "Label12")->text(), QString("AB"));
    QCOMPARE(f->state().EditorWriteActive, int16_t(0));
    QCOMPARE(f->board.backend->port(0).bus().chipAt(0x4C)->peek(0x05), uint8_t(0xAB));
    QCOMPARE(f->ends, 0);
}

void TestRegisterEditor::boxesKeepTheirTextsAcrossSelections()
{
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon13")->click();
    control<QLineEdit>(main, "Text6")->setText("42");
    control<QToolButton>(main, "SSRibbon14")->click();
    QCOMPARE(control<QLineEdit>(main, "Text6")->text(), QString("42"));
    QCOMPARE(control<QPushButton>(main, "Command4")->palette().color(QPalette::Button), QColor(255, 0, 0));
    f->clearCalls();
    control<QPushButton>(main, "Command4")->click();   // to the register selected now
    QCOMPARE(transfers(f->calls()), QStringList({"W12=66", "R3"}));
}

void TestRegisterEditor::continuousReadingRereads()
{
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon7")->click();
    auto *toggle = control<QToolButton>(main, "SSRibbon5");
    auto *timer3 = control<QTimer>(main, "Timer3");
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(toggle->isChecked());
    QCOMPARE(control<Panel3D>(main, "SSPanel7")->caption(), QString("Continuous Reading is On"));
    QVERIFY(timer3->isActive());
    QCOMPARE(timer3->interval(), 5);
    f->clearCalls();
    QCOMPARE(f->tick(*timer3, 3), 3);
    QCOMPARE(transfers(f->calls()), QStringList({"R1", "R3", "R1", "R3", "R1", "R3"}));
    QCOMPARE(control<QLabel>(main, "Label16")->text(), QString("32"));
    // A redraw shows the value written this run; only a selection says "X".
    QCOMPARE(control<QLabel>(main, "Label12")->text(), QString("0"));

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!toggle->isChecked());
    QVERIFY(!timer3->isActive());
    QCOMPARE(control<Panel3D>(main, "SSPanel7")->caption(), QString("Continuous Reading is Off"));
}

void TestRegisterEditor::oneShotIsNotReadContinuously()
{
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon16")->click();
    control<QToolButton>(main, "SSRibbon5")->click();
    auto *timer3 = control<QTimer>(main, "Timer3");
    f->clearCalls();
    QCOMPARE(f->tick(*timer3, 4), 4);
    QCOMPARE(f->calls(), QStringList());
    control<QToolButton>(main, "SSRibbon12")->click();
    f->clearCalls();
    f->tick(*timer3, 1);
    QCOMPARE(transfers(f->calls()), QStringList({"R4", "R3"}));
}

void TestRegisterEditor::boardUnpluggedDuringContinuousReading_data()
{
    QTest::addColumn<Route>("route");
    QTest::newRow("printer port") << Route::PrinterPort;
    QTest::newRow("smbus") << Route::Smbus;
}

void TestRegisterEditor::boardUnpluggedDuringContinuousReading()
{
    QFETCH(Route, route);
    sim::ChipSetup printerChip = test::steadyChipAt(0x4C), smbusChip = test::steadyChipAt(0x18);
    // Enough transfers for the search and a few ticks.
    printerChip.nackAfterTransfers = 12;
    smbusChip.nackAfterTransfers = 12;
    f.reset();
    f = std::make_unique<test::ProgramFixture>(steadyBoard(printerChip, smbusChip));
    QVERIFY(enterTab(route));
    auto *toggle = control<QToolButton>(main, "SSRibbon5");
    auto *timer3 = control<QTimer>(main, "Timer3");
    toggle->click();
    // While the box is open the timer is already stopped and the toggle up.
    bool stoppedBeforeBox = false;
    f->ui.whileOpen = [&](const MessageRequest &) {
        stoppedBeforeBox = !timer3->isActive() && !toggle->isChecked();
        f->tick(*timer3, 5);
    };
    const int ran = f->tick(*timer3, 1000);
    QVERIFY2(ran > 0 && ran < 1000, qPrintable(QString::number(ran)));
    QCOMPARE(f->ui.messages.size(), 1);
    QVERIFY2(f->ui.messages[0].text.startsWith("No acknowledge from device at"), qPrintable(f->ui.messages[0].text));
    QVERIFY(f->ui.messages[0].text.endsWith("\n\nContinuous reading stopped."));
    QVERIFY(stoppedBeforeBox);
    QVERIFY(!timer3->isActive());
    QVERIFY(!toggle->isChecked());
    QCOMPARE(control<Panel3D>(main, "SSPanel7")->caption(), QString("Continuous Reading is Off"));
    QCOMPARE(f->ends, 0);
    QVERIFY(main->isVisible());
}

// With a real box and real ticks: the failing tick has returned when its box
// opens, so a box never holds up a timer's own handler.
void TestRegisterEditor::continuousReadingBoxComesAfterTheTick()
{
    sim::ChipSetup chip = test::steadyChipAt(0x4C);
    chip.nackAfterTransfers = 12;
    f.reset();
    f = std::make_unique<test::ProgramFixture>(steadyBoard(chip));
    QVERIFY(enterTab());
    auto *timer3 = control<QTimer>(main, "Timer3");
    int returned = 0, returnedAtBox = -1, ticksUnderBox = 0;
    connect(timer3, &QTimer::timeout, this, [&] {
        ++returned;
        ticksUnderBox += f->ui.failures().boxOpen();
    });
    test::answerWithRealBoxes(f->ui, [&] {
        if (returnedAtBox < 0)
            returnedAtBox = returned;
        return true;
    });
    control<QToolButton>(main, "SSRibbon5")->click();
    QTRY_VERIFY_WITH_TIMEOUT(f->ui.messages.size() == 1 && !f->ui.failures().boxOpen(), 5000);
    QVERIFY(returned > 0);
    QCOMPARE(returnedAtBox, returned);   // every tick, the failing one too, was over
    QCOMPARE(ticksUnderBox, 0);          // and Timer3 had stopped before it
    QVERIFY(!timer3->isActive());
}

void TestRegisterEditor::failedWritesLeaveTheEditorConsistent()
{
    sim::ChipSetup chip = test::steadyChipAt(0x4C);
    chip.failingWrite = true;
    f.reset();
    f = std::make_unique<test::ProgramFixture>(steadyBoard(chip));
    QVERIFY(enterTab());
    control<QToolButton>(main, "SSRibbon10")->click();
    const QString before = digits(main);

    QTest::mouseClick(control<QAbstractButton>(main, "bit7"), Qt::LeftButton);
    QCOMPARE(f->ui.messages.size(), 1);
    QVERIFY(f->ui.messages[0].text.contains("No acknowledge"));
    // Back at the read address; the digit still shows what the chip holds.
    QCOMPARE(f->state().EditorRegister, int16_t(7));
    QCOMPARE(digits(main), before);

    control<QLineEdit>(main, "Text6")->setText("12");
    control<QPushButton>(main, "Command4")->click();
    QCOMPARE(f->ui.messages.size(), 2);
    QCOMPARE(f->state().EditorRegister, int16_t(7));
    QCOMPARE(f->state().EditorWriteActive, int16_t(0));
    QCOMPARE(control<QPushButton>(main, "Command4")->palette().color(QPalette::Button), QColor(255, 0, 0));

    // The next redraw reads where it should and shows what was read.
    f->clearCalls();
    control<QToolButton>(main, "SSRibbon5")->click();
    f->tick(*control<QTimer>(main, "Timer3"));
    QCOMPARE(transfers(f->calls()), QStringList({"R7", "R3"}));
    QCOMPARE(control<QLabel>(main, "Label9")->text(), QString("7"));
    QCOMPARE(digits(main), QString("01111111"));
    QCOMPARE(f->ends, 0);
}

void TestRegisterEditor::selectorGridAndStaircases()
{
    QVERIFY(enterTab());
    main->resize(main->sizeHint().expandedTo(main->size()));
    QApplication::processEvents();
    auto pos = [this](const char *name) {
        QWidget *w = control<QWidget>(main, name);
        return w->mapTo(main, QPoint(0, 0));
    };
    auto rect = [this](const char *name) {
        QWidget *w = control<QWidget>(main, name);
        return QRect(w->mapTo(main, QPoint(0, 0)), w->size());
    };
    // Three columns of four, read down each column.
    const char *grid[4][3] = {{"SSRibbon4", "SSRibbon12", "SSRibbon15"},
                              {"SSRibbon7", "SSRibbon13", "SSRibbon16"},
                              {"SSRibbon8", "SSRibbon14", "SSRibbon17"},
                              {"SSRibbon9", "SSRibbon10", "SSRibbon11"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
            if (c > 0) {
                QCOMPARE(pos(grid[r][c]).y(), pos(grid[r][0]).y());
                QVERIFY2(pos(grid[r][c]).x() > pos(grid[r][c - 1]).x(), grid[r][c]);
            }
            if (r > 0) {
                QCOMPARE(pos(grid[r][c]).x(), pos(grid[0][c]).x());
                QVERIFY2(pos(grid[r][c]).y() > pos(grid[r - 1][c]).y(), grid[r][c]);
            }
            // Its caption panel to its right.
            const QByteArray caption = QByteArray(grid[r][c]) + "Caption";
            const QRect button = rect(grid[r][c]), beside = rect(caption.constData());
            QVERIFY(qAbs(beside.center().y() - button.center().y()) <= 1);
            QVERIFY(beside.left() > button.right());
            // Right beside it, as in the first column.
            QCOMPARE(beside.left() - button.right(), rect("SSRibbon4Caption").left() - rect("SSRibbon4").right());
        }

    // Digits left to right from bit 7; names hang below in two staircases,
    // the outermost digits with the highest names.
    for (int bit = 7; bit > 0; --bit) {
        const QByteArray left = "bit" + QByteArray::number(bit), right = "bit" + QByteArray::number(bit - 1);
        QVERIFY(rect(left).right() < rect(right).left());
    }
    const int digitsBottom = rect("bit0").bottom();
    for (int bit : {7, 6, 5})
        QVERIFY(rect(qPrintable(QStringLiteral("bitname%1").arg(bit))).bottom() <
                rect(qPrintable(QStringLiteral("bitname%1").arg(bit - 1))).top());
    for (int bit : {0, 1, 2})
        QVERIFY(rect(qPrintable(QStringLiteral("bitname%1").arg(bit))).bottom() <
                rect(qPrintable(QStringLiteral("bitname%1").arg(bit + 1))).top());
    for (int bit = 0; bit < 8; ++bit) {
        const QRect name = rect(qPrintable(QStringLiteral("bitname%1").arg(bit)));
        QVERIFY(name.top() > digitsBottom);
        // Clear of the digits' columns it is joined across.
        if (bit >= 4)
            QVERIFY(name.right() < rect("bit7").center().x());
        else
            QVERIFY(name.left() > rect("bit0").center().x());
    }
    QCOMPARE(control<QLabel>(main, "bitname7")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(control<QLabel>(main, "bitname0")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // The hint at the right end of the digits' row.
    QVERIFY(rect("bitname8").left() > rect("bit0").right());
    QVERIFY(rect("bitname8").top() < digitsBottom);
    // The panels: bits top left, "Write" top middle, information top right,
    // the selector below them and the One Shot panel at the bottom.
    QVERIFY(rect("SSPanel38").right() < rect("SSPanel37").left());
    QVERIFY(rect("SSPanel37").right() < rect("SSPanel13").left());
    QVERIFY(rect("SSPanel13").bottom() < rect("SSPanel26").top());
    QVERIFY(rect("SSPanel26").bottom() < rect("SSPanel4").top());
    QCOMPARE(control<QWidget>(main, "SSPanel26")->width(), control<QWidget>(main, "SSPanel4")->width());
}

void TestRegisterEditor::informationPanelRows()
{
    QVERIFY(enterTab());
    QApplication::processEvents();
    QWidget *panel = control<QWidget>(main, "SSPanel13");
    // Each field with the fixed texts on its row, left to right, the field
    // standing where "|" is; rows from top to bottom.
    const QList<QPair<const char *, QStringList>> rows = {
        {"Label6", {"Current Register Type:", "|"}},
        {"Label9", {"Current Register Address:", "|", "(Hex)"}},
        {"Label16", {"Previous value read :", "|", "(Hex)"}},
        {"Label2", {"|", "(Dec)"}},
        {"Label12", {"Previous value written:", "|", "(Hex)"}},
        {"Label20", {"|", "(Dec)"}},
    };
    int above = -1;
    for (const auto &[name, expected] : rows) {
        QLabel *field = control<QLabel>(panel, name);
        const int y = field->geometry().center().y();
        QVERIFY2(y > above, name);
        above = y;
        QMap<int, QString> onRow;
        for (QLabel *l : panel->findChildren<QLabel *>())
            if (qAbs(l->geometry().center().y() - y) <= 2)
                onRow.insert(l->x(), l == field ? QStringLiteral("|") : l->text());
        QCOMPARE(onRow.values(), expected);
    }
}

QTEST_MAIN(TestRegisterEditor)
#include "tst_registereditor.moc"
