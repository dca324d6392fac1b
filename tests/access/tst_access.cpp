// The program as assistive tools see it: its accessible tree walked and
// driven through Qt's QAccessible API, on the simulated board.
#include "gui/tristatecheckbox.h"
#include "link/chip.h"
#include "monitor/alertpanel.h"
#include "monitor/maintabs.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "tests/support/programfixture.h"
#include "wizard/initform.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

using namespace ort;
using test::control;
using test::Route;

namespace {

QAccessibleInterface *accessible(QObject *o)
{
    return QAccessible::queryAccessibleInterface(o);
}

void walk(QAccessibleInterface *iface, const std::function<void(QAccessibleInterface *)> &visit)
{
    visit(iface);
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface *c = iface->child(i))
            walk(c, visit);
}

// Every control a person reads or operates in the window, shown now, that
// has no name: "objectName (role)".
QStringList unnamedControls(QWidget *window)
{
    static const QList<QAccessible::Role> controls = {
        QAccessible::PushButton, QAccessible::CheckBox,    QAccessible::RadioButton, QAccessible::EditableText,
        QAccessible::Slider,     QAccessible::Dial,        QAccessible::SpinBox,     QAccessible::ComboBox,
        QAccessible::ProgressBar, QAccessible::StatusBar,  QAccessible::Chart,       QAccessible::List,
        QAccessible::PageTab,    QAccessible::ButtonMenu,
    };
    QStringList out;
    walk(accessible(window), [&](QAccessibleInterface *i) {
        if (i->state().invisible || !controls.contains(i->role()) || !i->text(QAccessible::Name).trimmed().isEmpty())
            return;
        out << QStringLiteral("%1 (%2)").arg(i->object() ? i->object()->objectName() : QStringLiteral("child"))
                   .arg(int(i->role()), 0, 16);
    });
    return out;
}

QAccessibleInterface *childNamed(QAccessibleInterface *parent, const QString &name)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(QAccessible::Name) == name)
            return parent->child(i);
    return nullptr;
}

} // namespace

class TestAccess : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramFixture> f;
    MainMenuForm *main = nullptr;

    bool open(Route route = Route::Smbus)
    {
        f = std::make_unique<test::ProgramFixture>();
        main = f->finishOn(route);
        return main != nullptr;
    }
    void enter(int tab) { control<QTabWidget>(main, "MainTab")->setCurrentIndex(tab); }
    QAccessibleInterface *named(const char *objectName) { return accessible(control<QWidget>(main, objectName)); }
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
    void everyScreenHasNoUnnamedControl();
    void windowRoles();
    void namesAndRoles_data();
    void namesAndRoles();
    void toggleActionRunsTheHandler_data();
    void toggleActionRunsTheHandler();
    void bitDigitsAreToggles();
    void gaugeValuesWriteTheLimits_data();
    void gaugeValuesWriteTheLimits();
    void knobValueWritesTheRate();
    void instrumentsReadTheirState();
    void greyedBoxIsNotChecked();
};

void TestAccess::everyScreenHasNoUnnamedControl()
{
    f = std::make_unique<test::ProgramFixture>();
    frmSplash *splash = f->program->showSplash();
    QCOMPARE(unnamedControls(splash).join(", "), QString());
    QTest::keyClick(splash, Qt::Key_Space);
    InitForm *wizard = f->program->existingWizard();
    QVERIFY(wizard);
    QCOMPARE(unnamedControls(wizard).join(", "), QString());   // welcome
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    QCOMPARE(unnamedControls(wizard).join(", "), QString());   // medium
    control<QCheckBox>(wizard, "PPCheck")->setChecked(false);
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
    QTest::mouseClick(control<QPushButton>(wizard, "NextCMD"), Qt::LeftButton);
    QCOMPARE(unnamedControls(wizard).join(", "), QString());   // results
    f.reset();

    QVERIFY(open());
    for (int tab : {MainTabs::Main, MainTabs::ReadWrite, MainTabs::ControlCenter}) {
        enter(tab);
        QCOMPARE(unnamedControls(main).join(", "), QString());
    }
}

void TestAccess::windowRoles()
{
    f = std::make_unique<test::ProgramFixture>();
    frmSplash *splash = f->program->showSplash();
    QCOMPARE(accessible(splash)->role(), QAccessible::Window);
    QTest::keyClick(splash, Qt::Key_Space);
    QCOMPARE(accessible(f->program->existingWizard())->role(), QAccessible::Dialog);
    f.reset();
    QVERIFY(open());
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
    QTest::newRow("digit 7") << rw << "bit7" << int(QAccessible::CheckBox) << "Bit 7";
    QTest::newRow("digit 0") << rw << "bit0" << int(QAccessible::CheckBox) << "Bit 0";
    QTest::newRow("continuous") << rw << "SSRibbon5" << -1 << "Continuous Reading";
    QTest::newRow("standby") << rw << "SSRibbon3" << -1 << "Standby Mode";
    QTest::newRow("hex box") << rw << "Text6" << int(QAccessible::EditableText) << "Hex";
    QTest::newRow("dec box") << rw << "Text7" << int(QAccessible::EditableText) << "Dec";
    QTest::newRow("hex write") << rw << "Command4" << int(QAccessible::PushButton) << "Write hex value";
    QTest::newRow("dec write") << rw << "Command5" << int(QAccessible::PushButton) << "Write decimal value";
    QTest::newRow("status panel") << rw << "SSPanel7" << int(QAccessible::StaticText) << "Continuous Reading is Off";
    QTest::newRow("remote bar") << cc << "Percent2" << int(QAccessible::ProgressBar) << "Remote temperature";
    QTest::newRow("local bar") << cc << "Percent1" << int(QAccessible::ProgressBar) << "Local temperature";
    QTest::newRow("remote gauge") << cc << "LGauge1" << int(QAccessible::Grouping) << "Remote temperature limits";
    QTest::newRow("knob") << cc << "Selector1" << int(QAccessible::Dial) << "ADC Sampling";
    QTest::newRow("chart") << cc << "Strip1" << int(QAccessible::Chart) << "Temperature graph";
    QTest::newRow("lamp") << cc << "alert_detect_light" << int(QAccessible::StatusBar) << "Alert Detect Off";
}

void TestAccess::namesAndRoles()
{
    QFETCH(int, tab);
    QFETCH(QString, object);
    QFETCH(int, role);
    QFETCH(QString, name);
    QVERIFY(open());
    enter(tab);
    QAccessibleInterface *i = named(object.toLatin1().constData());
    QVERIFY(i);
    QCOMPARE(i->text(QAccessible::Name), name);
    if (role >= 0)
        QCOMPARE(int(i->role()), role);
}

void TestAccess::toggleActionRunsTheHandler_data()
{
    QTest::addColumn<QString>("toggle");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("on");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("enabled");   // what the state enables, as its handler does
    QTest::newRow("continuous") << "SSRibbon5" << "SSPanel7" << "Continuous Reading is On" << QStringList()
                                << "Timer3";
    QTest::newRow("standby") << "SSRibbon3" << "SSPanel2" << "Standby Mode is On"
                             << QStringList{"WriteRegister(24,9,64)"} << "CommandButton1";
}

void TestAccess::toggleActionRunsTheHandler()
{
    QFETCH(QString, toggle);
    QFETCH(QString, status);
    QFETCH(QString, on);
    QFETCH(QStringList, written);
    QFETCH(QString, enabled);
    QVERIFY(open());
    enter(MainTabs::ReadWrite);
    auto isEnabled = [&] {
        QObject *o = control<QObject>(main, enabled.toLatin1().constData());
        auto *timer = qobject_cast<QTimer *>(o);
        auto *widget = qobject_cast<QWidget *>(o);
        return timer ? timer->isActive() : widget && widget->isEnabled();
    };
    f->clearCalls();
    QAccessibleInterface *i = named(toggle.toLatin1().constData());
    QAccessibleActionInterface *actions = i->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(i->state().checked);
    QCOMPARE(named(status.toLatin1().constData())->text(QAccessible::Name), on);
    QCOMPARE(writes(), written);
    QVERIFY(isEnabled());
    // And back, by the other action.
    actions->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!i->state().checked);
    QVERIFY(named(status.toLatin1().constData())->text(QAccessible::Name) != on);
    QVERIFY(!isEnabled());
}

void TestAccess::bitDigitsAreToggles()
{
    QVERIFY(open());
    enter(MainTabs::ReadWrite);
    // The configuration register, chosen by its name.
    QAccessibleInterface *configuration = childNamed(named("SSPanel26"), "Configuration");
    QVERIFY(configuration);
    configuration->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QAccessibleInterface *bit6 = named("bit6");
    QVERIFY(!bit6->state().checked);
    QVERIFY(bit6->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    f->clearCalls();
    bit6->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // The configuration register (09h to write) gets bit 6, as a click on the digit writes it.
    QCOMPARE(writes(), QStringList{"WriteRegister(24,9,64)"});
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
    QVERIFY(open());
    enter(MainTabs::ControlCenter);
    QAccessibleInterface *p = childNamed(named(gauge.toLatin1().constData()), pointer);
    QVERIFY(p);
    QAccessibleValueInterface *value = p->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->minimumValue().toDouble(), -128.0);
    QCOMPARE(value->maximumValue().toDouble(), 127.0);
    f->clearCalls();
    value->setCurrentValue(celsius);
    QCOMPARE(writes(), QStringList{written});
    QCOMPARE(value->currentValue().toDouble(), celsius);
    QCOMPARE(p->text(QAccessible::Value), QString::number(celsius) + " °C");
}

void TestAccess::knobValueWritesTheRate()
{
    QVERIFY(open());
    enter(MainTabs::ControlCenter);
    QAccessibleValueInterface *knob = named("Selector1")->valueInterface();
    QVERIFY(knob);
    f->clearCalls();
    knob->setCurrentValue(5);
    QCOMPARE(writes(), QStringList{"WriteRegister(24,10,5)"});
    QCOMPARE(knob->currentValue().toInt(), 5);
    QCOMPARE(named("Selector1")->text(QAccessible::Value), QString("2"));
}

void TestAccess::instrumentsReadTheirState()
{
    QVERIFY(open());
    enter(MainTabs::ControlCenter);
    auto *lamp = control<QWidget>(main, "alert_detect_light");
    auto *bar = control<QWidget>(main, "Percent2");
    auto *alert = main->findChild<AlertPanel *>("SSPanel20");
    QVERIFY(alert);
    alert->setLamp(AlertPanel::Lamp::Alert);
    QCOMPARE(accessible(lamp)->text(QAccessible::Name), QString("Alert Detected"));

    control<TriStateCheckBox>(main, "Check1")->setValue(TriStateCheckBox::On);
    f->tick(*control<QTimer>(main, "Timer1"), 3);
    // The bar's value is the temperature its text shows.
    QAccessibleInterface *b = accessible(bar);
    const QString text = b->text(QAccessible::Value);
    QVERIFY2(text.contains(QString::number(b->valueInterface()->currentValue().toInt())), qPrintable(text));
    QVERIFY(accessible(control<QWidget>(main, "Strip1"))->text(QAccessible::Description).contains("showing"));
}

void TestAccess::greyedBoxIsNotChecked()
{
    QVERIFY(open());
    enter(MainTabs::ControlCenter);
    auto *box = control<TriStateCheckBox>(main, "Check3");
    QCOMPARE(box->value(), TriStateCheckBox::Greyed);
    QVERIFY(!accessible(box)->state().checked);
    auto *bars = control<TriStateCheckBox>(main, "Check1");
    accessible(bars)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(bars->value(), TriStateCheckBox::On);
    QVERIFY(accessible(bars)->state().checked);
}

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
