// The program in German, screen by screen: no text a person reads is left
// in English (beyond the names that stay), and no label cuts its text off.
#include "console/busconsole.h"
#include "link/language.h"
#include "registers/registermap.h"
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "tests/support/programfixture.h"
#include "wizard/initform.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <functional>

using namespace ort;

namespace {

using Visit = std::function<void(const QString &screen, QWidget *window)>;

// Every window and panel that opens without a box in the way.
void walkScreens(const Visit &visit)
{
    {
        test::ProgramFixture f;
        visit("splash", f.program->showSplash());
        InitForm *wizard = f.openWizard();
        visit("wizard welcome", wizard);
        test::control<QPushButton>(wizard, "NextCMD")->click();
        test::control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
        visit("wizard medium", wizard);
        test::control<QPushButton>(wizard, "NextCMD")->click();
        visit("wizard results", wizard);
        wizard->hide();
    }
    test::ProgramFixture f;
    MainMenuForm *main = f.finishOn(test::Route::PrinterPort);
    QVERIFY(main);
    auto *tabs = test::control<QTabWidget>(main, "MainTab");
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        visit(QStringLiteral("main tab %1").arg(i), main);
    }
    visit("about", f.program->showAbout());
    visit("bus console", f.program->showBusConsole(main));
}

// Each text a person reads on a window, by where it stands.
QMap<QString, QString> textsOf(const QString &screen, QWidget *window)
{
    QMap<QString, QString> texts;
    const auto add = [&](const QObject *o, const char *what, const QString &text) {
        // The bus access component describes itself in its own words.
        if (!text.trimmed().isEmpty() && o->objectName() != QLatin1String("lblCompany"))
            texts.insert(screen + '/' + o->objectName() + '/' + what, text);
    };
    add(window, "title", window->windowTitle());
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *w : std::as_const(widgets)) {
        if (!w->isVisibleTo(window) && w != window)
            continue;
        add(w, "tooltip", w->toolTip());
        add(w, "accessible name", w->accessibleName());
        add(w, "accessible description", w->accessibleDescription());
        if (auto *label = qobject_cast<QLabel *>(w))
            add(w, "text", label->text());
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            add(w, "text", button->text());
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            add(w, "title", group->title());
        else if (auto *tabs = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                add(w, qPrintable(QStringLiteral("tab %1").arg(i)), tabs->tabText(i));
    }
    return texts;
}

// The chip's register and bit names, which stay as its documents give them.
QSet<QString> registerNames()
{
    QSet<QString> names;
    const auto add = [&](std::string_view name) { names << QString::fromLatin1(name.data(), qsizetype(name.size())); };
    for (const RegisterRow &row : RegisterTable) {
        add(row.caption);
        add(row.typeName);
        for (std::string_view bit : BitNamesOf(row.readAddress))
            add(bit);
    }
    return names;
}

// Names, units, numbers and addresses, which read the same in German.
bool staysAsItIs(QString text)
{
    static const QSet<QString> registers = registerNames();
    if (registers.contains(text))
        return true;
    static const QRegularExpression names(
        "ORT310|Velmora|SMBus|ALERT|I2C|/dev/\\S+|\\b(OK|ID|LSB|MSB|ADC|Hex|hex|Bit|Bits|Status|Register|Start|Stop|"
        "Info|Alarm|Min|Max|Log|Hardware|Software|Version|Build|Name|Reset|Local|Remote|RLOW|RHIGH|LLOW|LHIGH|"
        "[0-9A-F]+h|\\d+(\\.\\d+)?)\\b|°C|Hz|\\b[A-Z]\\b|Win95/98/NT/2000/ME");
    text.remove(names);
    return !text.contains(QRegularExpression("[A-Za-z]{2,}"));
}

// A single-line label whose text is wider than the room it has.
bool cutOff(const QLabel *label)
{
    if (label->wordWrap() || label->text().contains('\n') || Qt::mightBeRichText(label->text()) ||
        !label->isVisible())
        return false;
    // A mnemonic's & is not drawn.
    QString shown = label->text();
    shown.replace(QRegularExpression("&(.)"), "\\1");
    return label->fontMetrics().horizontalAdvance(shown) > label->contentsRect().width();
}

} // namespace

class TestGerman : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { installTranslations(QStringLiteral("en")); }
    void noTextLeftInEnglishAndNoneCutOff();
};

void TestGerman::noTextLeftInEnglishAndNoneCutOff()
{
    QMap<QString, QString> english;
    QCOMPARE(installTranslations(QStringLiteral("en")).language(), QLocale::English);
    walkScreens([&](const QString &screen, QWidget *window) { english.insert(textsOf(screen, window)); });
    QVERIFY(english.size() > 100);

    QCOMPARE(installTranslations(QStringLiteral("de")).language(), QLocale::German);
    QStringList english_left, cut;
    int seen = 0;
    walkScreens([&](const QString &screen, QWidget *window) {
        const QMap<QString, QString> german = textsOf(screen, window);
        for (auto t = german.cbegin(); t != german.cend(); ++t) {
            seen += english.contains(t.key());
            if (english.value(t.key()) == t.value() && !staysAsItIs(t.value()))
                english_left << t.key() + ": " + t.value();
        }
        for (const QLabel *label : window->findChildren<QLabel *>())
            if (cutOff(label))
                cut << screen + '/' + label->objectName() + ": " + label->text();
    });
    QVERIFY2(seen > 100, "the German screens are not the English ones");
    QVERIFY2(english_left.isEmpty(), qPrintable("still in English:\n" + english_left.join('\n')));
    QVERIFY2(cut.isEmpty(), qPrintable("cut off:\n" + cut.join('\n')));
}

QTEST_MAIN(TestGerman)
#include "tst_german.moc"
