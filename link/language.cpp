#include "link/language.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace ort {

namespace {

const QString CatalogueFolder = QStringLiteral(":/i18n");
const QString CatalogueName = QStringLiteral("ort310");

bool hasCatalogue(const QLocale &locale)
{
    const QString language = QLocale::languageToCode(locale.language());
    for (const QString &suffix : {locale.name(), language}) {
        if (QFileInfo::exists(CatalogueFolder + QLatin1Char('/') + CatalogueName + QLatin1Char('_') + suffix +
                              QStringLiteral(".qm")))
            return true;
    }
    return false;
}

// Kept for the life of the process: a second application object (the
// window program's after the one that read its command line) gets them
// installed again.
struct Installed {
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

} // namespace

QCommandLineOption languageOption()
{
    return {QStringLiteral("language"),
            QCoreApplication::translate("ort::language",
                                        "Speak this language (de, en, ...) instead of the desktop's."),
            QStringLiteral("code")};
}

QString languageArgument(const QStringList &arguments)
{
    const QString name = QStringLiteral("--language");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QStringLiteral("--"))
            break;
        if (a == name && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (a.startsWith(name + QLatin1Char('=')))
            return a.mid(name.size() + 1);
    }
    return {};
}

QLocale translationLocale(const QStringList &uiLanguages)
{
    for (const QString &name : uiLanguages) {
        const QLocale locale(name);
        if (locale.language() == QLocale::English)
            break;
        if (locale.language() != QLocale::C && hasCatalogue(locale))
            return locale;
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QLocale installTranslations(const QString &language)
{
    static Installed installed;
    for (auto *t : {installed.program.get(), installed.qt.get()}) {
        if (t)
            QCoreApplication::removeTranslator(t);
    }
    installed = {};

    const QLocale locale =
        translationLocale(language.isEmpty() ? QLocale::system().uiLanguages() : QStringList{language});
    QLocale shown = locale.language() == QLocale::English ? QLocale::c() : locale;
    shown.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(shown);
    if (locale.language() == QLocale::English)
        return locale;

    installed.program = std::make_unique<QTranslator>();
    if (installed.program->load(locale, CatalogueName, QStringLiteral("_"), CatalogueFolder))
        QCoreApplication::installTranslator(installed.program.get());
    // The standard buttons and dialogs in Qt's own words, where the system
    // has them.
    installed.qt = std::make_unique<QTranslator>();
    if (installed.qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(installed.qt.get());
    return locale;
}

} // namespace ort
