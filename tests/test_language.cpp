// The game speaks English where the desktop asks for it, as gettext reads the environment,
// and Russian everywhere else.
#include "app/qorlanguage.h"

#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

TEST(Language, englishOnlyWhereTheDesktopAsksForItAsGettextReadsIt) {
    // LANGUAGE, LC_ALL, LC_MESSAGES and LANG, then the language the game speaks. A C locale
    // keeps the texts as written; languages the game lacks are passed over.
    const QString cases = ",,,en_US.UTF-8 en;,,,en_GB en;,,,ru_RU.UTF-8 ru;,,,de_DE.UTF-8 ru;"
                          ",,,C.UTF-8 ru;,,,C ru;,,,POSIX ru;,,, ru;,C.UTF-8,,en_US.UTF-8 ru;"
                          ",,en_US.UTF-8,ru_RU.UTF-8 en;,ru_RU.UTF-8,en_US.UTF-8, ru;"
                          "en_GB:ru,,,ru_RU.UTF-8 en;ru:en,,,en_US.UTF-8 ru;de:en,,,de_DE.UTF-8 en;"
                          "de:fr,,,en_US.UTF-8 ru;en,,,C.UTF-8 ru;en,,, ru";
    for (const QString& row : cases.split(';')) {
        QProcessEnvironment env;
        const QStringList values = row.split(QRegularExpression("[, ]"));
        for (int i = 0; i < 4; ++i) // set but empty counts as not set
            env.insert(QStringList{"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}[i], values[i]);
        EXPECT_EQ(AsksForEnglish(env), values[4] == "en") << row.toStdString();
    }
}
