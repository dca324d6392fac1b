#pragma once
#include <QCommandLineOption>
#include <QLocale>
#include <QStringList>

// The language both programs speak: the user's, as the desktop gives it
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), or the one --language names.

namespace ort {

// --language, the same on both programs.
QCommandLineOption languageOption();

// What --language asks for in a command line not parsed yet (the parser's
// own texts are to be in that language already); empty when not given.
QString languageArgument(const QStringList &arguments);

// The first of the user's languages that has a catalogue, or English, the
// texts' own, when English comes first or none has one. Unknown names are
// passed over.
QLocale translationLocale(const QStringList &uiLanguages);

// Installs the program's catalogue and Qt's own for the language (empty:
// the user's) in the running application, in place of any installed
// before, and makes the chosen locale the default for numbers shown to
// people. Returns it.
QLocale installTranslations(const QString &language = {});

} // namespace ort
