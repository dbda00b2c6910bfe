#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class TIniFile;

// Installs the interface-language module chosen by the locale id, before any
// window exists. Returns the module's path, or empty when none was loaded.
QString SetInterfaceLanguage(int localeId);

// The language a settings file chooses (key "Language" of "Interface",
// default 0), installed by SetInterfaceLanguage: the window and velmora-cli
// both start with it.
QString SetInterfaceLanguageFrom(const TIniFile& settings);

// The same for an explicit executable path (the module is looked for beside
// it); SetInterfaceLanguage passes the running program's path.
QString SetInterfaceLanguageFor(const QString& executablePath, int localeId);

// The three-letter abbreviated language name Windows gives a locale id
// ("RUS" for 1049, "ENU" for 1033); locale 0 stands for the system's locale.
// Empty for a locale without one.
QString LocaleAbbreviation(int localeId);

// The Windows locale id of a Qt language and territory; 0 when there is none.
// An unlisted territory falls back to the language's primary locale.
int WindowsLocaleId(QLocale::Language language, QLocale::Territory territory);

// The Windows locale id of the system's locale, 0 when it has none.
int SystemLocaleId();

// The module files to try for an executable and a locale, in order: the
// executable's file name with its extension replaced by (or, without one,
// followed by) "." and the three-letter abbreviation, then the same with
// its first two letters. Empty when the locale has no abbreviation.
QStringList LanguageModuleCandidates(const QString& executablePath, int localeId);

// The path of the module in use, empty while the built-in texts are used.
QString InstalledLanguageModule();

// Loads Qt's own translation (file dialogs, standard buttons) for a language
// from Qt's translations folder and installs it in place of the previous one;
// none for English, which Qt speaks by itself. Returns the file, or empty.
// SetInterfaceLanguage calls it for the language it settles on.
QString InstallQtTranslation(QLocale::Language language);
QString InstalledQtTranslation();

// Returns to the built-in texts (the module in use and Qt's translation are
// released).
void ReleaseInterfaceLanguage();
