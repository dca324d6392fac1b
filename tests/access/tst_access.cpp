// The program as assistive tools see it: its accessible tree walked and
// driven through Qt's QAccessible API, on the simulated board.
#include "gui/tristatecheckbox.h"
#include "monitor/alertpanel.h"
#include "monitor/maintabs.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "tests/support/programfixture.h"
#include "widgets/stripchart.h"
#include "wizard/initform.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <functional>

using namespace ort;
using test::control;

namespace {

QAccessibleInterface *accessible(QObject *o) { return QAccessible::queryAccessibleInterface(o); }

void walk(QAccessibleInterface *iface, const std::function<void(QAccessibleInterface *)> &visit)
{
    visit(iface);
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), visit);
}

// The controls shown in the window that have no name, as "objectName (role)".
QString unnamedControls(QWidget *window)
{
    using A = QAccessible;
    static const QList<A::Role> controls = {A::PushButton, A::CheckBox,    A::RadioButton, A::EditableText,
                                            A::Slider,     A::Dial,        A::SpinBox,     A::ComboBox,
                                            A::ProgressBar, A::StatusBar,  A::Chart,       A::List, A::PageTab};
    QStringList out;
    walk(accessible(window), [&](QAccessibleInterface *i) {
        if (!i->state().invisible && controls.contains(i->role()) && i->text(A::Name).trimmed().isEmpty())
            out << QStringLiteral("%1 (%2)").arg(i->object() ? i->object()->objectName() : "?").arg(int(i->role()));
    });
    return out.join(", ");
}

QAccessibleInterface *childNamed(QAccessibleInterface *parent, const QString &name)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(QAccessible::Name) == name)
            return parent->child(i);
    return nullptr;
}

void act(QAccessibleInterface *i, const QString &action)
{
    QVERIFY(i->actionInterface()->actionNames().contains(action));
    i->actionInterface()->doAction(action);
}

} // namespace

class TestAccess : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramFixture> f;
    MainMenuForm *main = nullptr;

    bool open(int tab, const sim::Scenario &scenario = sim::Scenario::defaultBoard())
    {
        f = std::make_unique<test::ProgramFixture>(scenario);
        main = f->finishOn(test::Route::Smbus);
        if (main)
            control<QTabWidget>(main, "MainTab")->setCurrentIndex(tab);
        return main != nullptr;
    }
    QAccessibleInterface *named(const QString &objectName)
    {
        return accessible(control<QWidget>(main, objectName.toLatin1().constData()));
    }
    // The register writes since the last clearCalls, "WriteRegister(device,register,value)".
    QStringList writes() const
    {
        QStringList out;
        for (const QString &c : f->calls())
            if (c.contains("WriteRegister"))
                out << c.mid(c.indexOf('.') + 1);
        return out;
    }

private slots:
    void cleanup()
    {
        main = nullptr;
        f.reset();
    }
    void everyScreenNamedInTheRightWindow();
    void namesAndRoles_data();
    void namesAndRoles();
    void toggleActionRunsTheHandler_data();
    void toggleActionRunsTheHandler();
    void bitDigitsAreToggles();
    void gaugeValuesWriteTheLimits_data();
    void gaugeValuesWriteTheLimits();
    void eachAssistiveSetIsAMoveOfItsOwn();
    void knobAndBarsReadTheirValues();
    void readoutsSayWhatTheyShow();
};

void TestAccess::everyScreenNamedInTheRightWindow()
{
    f = std::make_unique<test::ProgramFixture>();
    frmSplash *splash = f->program->showSplash();
    QCOMPARE(accessible(splash)->role(), QAccessible::Window);
    QCOMPARE(unnamedControls(splash), QString());
    QTest::keyClick(splash, Qt::Key_Space);
    InitForm *wizard = f->program->existingWizard();
    QVERIFY(wizard);
    QCOMPARE(accessible(wizard)->role(), QAccessible::Dialog);
    QCOMPARE(unnamedControls(wizard), QString());   // welcome
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    QCOMPARE(unnamedControls(wizard), QString());   // medium
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    QCOMPARE(unnamedControls(wizard), QString());   // results

    for (int tab : {MainTabs::Main, MainTabs::ReadWrite, MainTabs::ControlCenter}) {
        QVERIFY(open(tab));
        QCOMPARE(unnamedControls(main), QString());
    }
    QCOMPARE(accessible(main)->role(), QAccessible::Window);
    QCOMPARE(accessible(main)->text(QAccessible::Name), main->windowTitle());
}

void TestAccess::namesAndRoles_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("object");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    const int rw = MainTabs::ReadWrite, cc = MainTabs::ControlCenter;
    QTest::newRow("digit") << rw << "bit7" << int(QAccessible::CheckBox) << "Bit 7";
    QTest::newRow("continuous") << rw << "SSRibbon5" << int(QAccessible::CheckBox) << "Continuous Reading";
    QTest::newRow("standby") << rw << "SSRibbon3" << int(QAccessible::CheckBox) << "Standby Mode";
    QTest::newRow("hex write") << rw << "Command4" << int(QAccessible::PushButton) << "Write hex value";
    QTest::newRow("dec write") << rw << "Command5" << int(QAccessible::PushButton) << "Write decimal value";
    QTest::newRow("bar") << cc << "Percent2" << int(QAccessible::ProgressBar) << "Remote temperature";
    QTest::newRow("gauge") << cc << "LGauge1" << int(QAccessible::Grouping) << "Remote temperature limits";
    QTest::newRow("knob") << cc << "Selector1" << int(QAccessible::Dial) << "ADC Sampling";
    QTest::newRow("chart") << cc << "Strip1" << int(QAccessible::Chart) << "Temperature graph";
    QTest::newRow("lamp") << cc << "alert_detect_light" << int(QAccessible::StatusBar) << "Alert Detect Off";
    QTest::newRow("empty readout") << rw << "Label1" << int(QAccessible::StaticText) << "Temperature Found";
}

void TestAccess::namesAndRoles()
{
    QFETCH(int, tab);
    QFETCH(QString, object);
    QFETCH(int, role);
    QFETCH(QString, name);
    QVERIFY(open(tab));
    QCOMPARE(named(object)->text(QAccessible::Name), name);
    QCOMPARE(int(named(object)->role()), role);
}

void TestAccess::toggleActionRunsTheHandler_data()
{
    QTest::addColumn<QString>("toggle");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("enabled");   // what the state enables, as its handler does
    QTest::newRow("continuous") << "SSRibbon5" << "Continuous Reading is On" << QStringList() << "Timer3";
    QTest::newRow("standby") << "SSRibbon3" << "Standby Mode is On" << QStringList{"WriteRegister(24,9,64)"}
                             << "CommandButton1";
}

void TestAccess::toggleActionRunsTheHandler()
{
    QFETCH(QString, toggle);
    QFETCH(QString, status);
    QFETCH(QStringList, written);
    QFETCH(QString, enabled);
    QVERIFY(open(MainTabs::ReadWrite));
    auto isEnabled = [&] {
        QObject *o = control<QObject>(main, enabled.toLatin1().constData());
        return o->property(qobject_cast<QTimer *>(o) ? "active" : "enabled").toBool();
    };
    auto statusShown = [&] {
        const QList<Panel3D *> panels = main->findChildren<Panel3D *>();
        return std::any_of(panels.begin(), panels.end(), [&](Panel3D *p) { return p->caption() == status; });
    };
    f->clearCalls();
    act(named(toggle), QAccessibleActionInterface::toggleAction());
    QVERIFY(named(toggle)->state().checked);
    QVERIFY(statusShown());
    QCOMPARE(writes(), written);
    QVERIFY(isEnabled());
    act(named(toggle), QAccessibleActionInterface::toggleAction());   // and back
    QVERIFY(!named(toggle)->state().checked);
    QVERIFY(!statusShown());
    QVERIFY(!isEnabled());
}

void TestAccess::bitDigitsAreToggles()
{
    QVERIFY(open(MainTabs::ReadWrite));
    // The configuration register, chosen by its name.
    QAccessibleInterface *configuration = childNamed(named("SSPanel26"), "Configuration");
    QVERIFY(configuration);
    act(configuration, QAccessibleActionInterface::toggleAction());
    QAccessibleInterface *bit6 = named("bit6");
    QVERIFY(!bit6->state().checked);
    f->clearCalls();
    act(bit6, QAccessibleActionInterface::pressAction());
    QCOMPARE(writes(), QStringList{"WriteRegister(24,9,64)"});   // as a click on the digit writes it
    QVERIFY(bit6->state().checked);
    QCOMPARE(bit6->text(QAccessible::Value), QString("1"));
    QVERIFY(!named("bit7")->state().checked);
}

void TestAccess::gaugeValuesWriteTheLimits_data()
{
    QTest::addColumn<QString>("gauge");
    QTest::addColumn<QString>("pointer");
    QTest::addColumn<double>("celsius");
    QTest::addColumn<QString>("written");
    QTest::newRow("remote high") << "LGauge1" << "Remote temperature high limit" << 80.0 << "WriteRegister(24,13,80)";
    QTest::newRow("remote low") << "LGauge1" << "Remote temperature low limit" << -10.0 << "WriteRegister(24,14,246)";
    QTest::newRow("local high") << "LGauge2" << "Local temperature high limit" << 45.0 << "WriteRegister(24,11,45)";
    QTest::newRow("local low") << "LGauge2" << "Local temperature low limit" << 5.0 << "WriteRegister(24,12,5)";
}

void TestAccess::gaugeValuesWriteTheLimits()
{
    QFETCH(QString, gauge);
    QFETCH(QString, pointer);
    QFETCH(double, celsius);
    QFETCH(QString, written);
    QVERIFY(open(MainTabs::ControlCenter));
    QAccessibleInterface *p = childNamed(named(gauge), pointer);
    QVERIFY(p && p->valueInterface());
    QCOMPARE(p->valueInterface()->maximumValue().toDouble(), 127.0);   // degrees, not positions
    f->clearCalls();
    p->valueInterface()->setCurrentValue(celsius);
    QCOMPARE(writes(), QStringList{written});
    QCOMPARE(p->valueInterface()->currentValue().toDouble(), celsius);
    QCOMPARE(p->text(QAccessible::Value), QString::number(celsius) + " °C");
}

void TestAccess::eachAssistiveSetIsAMoveOfItsOwn()
{
    sim::Scenario failing = sim::Scenario::defaultBoard();
    failing.smbus.chips[0].failingWrite = true;
    QVERIFY(open(MainTabs::ControlCenter, failing));
    QAccessibleValueInterface *high = childNamed(named("LGauge1"), "Remote temperature high limit")->valueInterface();
    f->clearCalls();
    high->setCurrentValue(80.0);
    high->setCurrentValue(70.0);
    // The second is tried, not taken for the rest of a failed drag.
    QCOMPARE(writes(), (QStringList{"WriteRegister(24,13,80)", "WriteRegister(24,13,70)"}));
    QCOMPARE(high->currentValue().toDouble(), 127.0);   // what the chip holds
}

void TestAccess::knobAndBarsReadTheirValues()
{
    QVERIFY(open(MainTabs::ControlCenter));
    QAccessibleInterface *knob = named("Selector1");
    f->clearCalls();
    knob->valueInterface()->setCurrentValue(5);
    QCOMPARE(writes(), QStringList{"WriteRegister(24,10,5)"});
    QCOMPARE(knob->text(QAccessible::Value), QString("2"));
    QCOMPARE(knob->text(QAccessible::Description), QString("Conversions a second"));

    main->findChild<AlertPanel *>("SSPanel20")->setLamp(AlertPanel::Lamp::Alert);
    QCOMPARE(named("alert_detect_light")->text(QAccessible::Name), QString("Alert Detected"));
    // The greyed logging box is not checked; the bars' box is once toggled.
    QVERIFY(!named("Check3")->state().checked);
    act(named("Check1"), QAccessibleActionInterface::toggleAction());
    QVERIFY(named("Check1")->state().checked);
    f->tick(*control<QTimer>(main, "Timer1"), 3);
    // The bar's value is the temperature its text shows.
    QAccessibleInterface *bar = named("Percent2");
    const QString text = bar->text(QAccessible::Value);
    QVERIFY2(text.endsWith(QString::number(bar->valueInterface()->currentValue().toInt()) + "C"), qPrintable(text));
    QCOMPARE(bar->valueInterface()->minimumStepSize().toInt(), 1);   // a degree
    QVERIFY(named("Strip1")->text(QAccessible::Description).contains("showing"));
}

void TestAccess::readoutsSayWhatTheyShow()
{
    QVERIFY(open(MainTabs::ReadWrite));
    control<QToolButton>(main, "SSRibbon3")->click();
    control<QPushButton>(main, "CommandButton1")->click();
    QCOMPARE(named("Label1")->text(QAccessible::Description), control<QLabel>(main, "Label1")->text());
    QVERIFY(!control<QLabel>(main, "Label1")->text().isEmpty());

    const auto captions = named("Label14")->relations(QAccessible::Label);
    QCOMPARE(captions.size(), 1);
    QCOMPARE(captions[0].first->object(), control<QLabel>(main, "Label7"));
    main->findChild<StripChart *>("Strip1")->addSample(0, 25);
    QVERIFY2(named("Strip1")->text(QAccessible::Description).contains("25 °C"),
             qPrintable(named("Strip1")->text(QAccessible::Description)));
}

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
