#include "app/qorlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcessEnvironment>
#include <QTranslator>

bool AsksForEnglish(const QProcessEnvironment& env) {
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = env.value(QLatin1String(name));
        if (!locale.isEmpty())
            break;
    }
    if (locale.isEmpty() || locale == QLatin1String("C") ||
        locale.startsWith(QLatin1String("C.")) || locale == QLatin1String("POSIX"))
        return false;
    const QString list = env.value(QStringLiteral("LANGUAGE"));
    const QStringList wanted =
        list.isEmpty() ? QStringList{locale} : list.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    // Languages the game has no texts for are passed over, as gettext passes them.
    for (const QString& language : wanted) {
        if (language.startsWith(QLatin1String("en")))
            return true;
        if (language.startsWith(QLatin1String("ru")))
            return false;
    }
    return false;
}

void SpeakLanguage(QCoreApplication& app, bool english) {
    QLocale::setDefault(english ? QLocale(QLocale::English, QLocale::UnitedStates)
                                : QLocale(QLocale::Russian, QLocale::Russia));
    const QString name = english ? QStringLiteral("en") : QStringLiteral("ru");
    const QString mark = QStringLiteral("quelmora-language");
    // A language spoken before gives way: its translators would take precedence.
    qDeleteAll(app.findChildren<QTranslator*>(mark, Qt::FindDirectChildrenOnly));
    // Qt's own texts, when the system has them; the game's are built into it. The Russian
    // one holds only the plural forms of counted words.
    const QString paths[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                                 QStringLiteral("/qtbase_") + name,
                             QStringLiteral(":/i18n/quelmora_") + name};
    for (const QString& path : paths) {
        auto* translator = new QTranslator(&app);
        translator->setObjectName(mark);
        if (translator->load(path))
            app.installTranslator(translator);
        else
            delete translator;
    }
}
