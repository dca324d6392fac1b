// The language the programs speak: the user's first that has a catalogue,
// English where English comes first or none has one; --language over it.
#include "link/language.h"
#include "link/text.h"

#include <QCoreApplication>
#include <QTest>

using namespace ort;

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void choosesTheFirstWithACatalogue_data();
    void choosesTheFirstWithACatalogue();
    void findsTheArgumentBeforeParsing_data();
    void findsTheArgumentBeforeParsing();
    void installsTheCatalogueAndTheNumbers();
};

void TestLanguage::choosesTheFirstWithACatalogue_data()
{
    QTest::addColumn<QStringList>("ui");
    QTest::addColumn<int>("language");
    QTest::newRow("German") << QStringList{"de_DE"} << int(QLocale::German);
    QTest::newRow("Austrian German") << QStringList{"de-AT"} << int(QLocale::German);
    QTest::newRow("English first") << QStringList{"en_GB", "de_DE"} << int(QLocale::English);
    QTest::newRow("unknown passed over") << QStringList{"xx", "C", "de"} << int(QLocale::German);
    QTest::newRow("no catalogue, then German") << QStringList{"fr_FR", "de"} << int(QLocale::German);
    QTest::newRow("no catalogue") << QStringList{"fr_FR"} << int(QLocale::English);
    QTest::newRow("none") << QStringList{} << int(QLocale::English);
}

void TestLanguage::choosesTheFirstWithACatalogue()
{
    QFETCH(QStringList, ui);
    QFETCH(int, language);
    QCOMPARE(int(translationLocale(ui).language()), language);
}

void TestLanguage::findsTheArgumentBeforeParsing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("language");
    QTest::newRow("separate") << QStringList{"p", "read", "--language", "de"} << "de";
    QTest::newRow("joined") << QStringList{"p", "--language=fr", "--help"} << "fr";
    QTest::newRow("program name only") << QStringList{"--language=de"} << "";
    QTest::newRow("after --") << QStringList{"p", "--", "--language", "de"} << "";
    QTest::newRow("no value") << QStringList{"p", "--language"} << "";
}

void TestLanguage::findsTheArgumentBeforeParsing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, language);
    QCOMPARE(languageArgument(arguments), language);
}

void TestLanguage::installsTheCatalogueAndTheNumbers()
{
    const char *help = "Speak this language (de, en, ...) instead of the desktop's.";
    QCOMPARE(installTranslations(QStringLiteral("de")).language(), QLocale::German);
    QVERIFY(QCoreApplication::translate("ort::language", help) != QLatin1String(help));
    QCOMPARE(productTitle(), QStringLiteral("ORT310 Evaluierungssoftware"));
    QCOMPARE(QLocale().toString(2.5), QStringLiteral("2,5"));
    // Qt's own words for its standard buttons come along.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));

    QCOMPARE(installTranslations(QStringLiteral("xx")).language(), QLocale::English);
    QCOMPARE(QCoreApplication::translate("ort::language", help), QLatin1String(help));
    QCOMPARE(QLocale().toString(2.5), QStringLiteral("2.5"));
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
