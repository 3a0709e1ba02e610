#pragma once
// The language the game speaks: Russian, its own, or English for a desktop that asks for it.
// Qt's own dialogs and the number and date formats follow the same choice.

class QCoreApplication;
class QProcessEnvironment;

// Whether the desktop asks for English, read as gettext reads it: the first set of LC_ALL,
// LC_MESSAGES and LANG names the locale; a C or POSIX locale, or none, keeps the texts as
// written; otherwise the first language of the LANGUAGE list that the game has decides, and
// without the list the locale does.
bool AsksForEnglish(const QProcessEnvironment& env);

// Sets the default locale and installs Qt's translation and the game's for the language, in
// place of those of a language spoken before. The translators belong to app.
void SpeakLanguage(QCoreApplication& app, bool english);
