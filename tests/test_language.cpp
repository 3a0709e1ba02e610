// The game speaks English where the desktop asks for it, as gettext reads the environment,
// and Russian everywhere else; help follows the language.
#include "app/qorhelp.h"
#include "app/qorlanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Language, englishOnlyWhereTheDesktopAsksForItAsGettextReadsIt) {
    struct Case {
        const char *Language, *LcAll, *LcMessages, *Lang;
        bool English;
    };
    const Case cases[] = {
        {"", "", "", "en_US.UTF-8", true},
        {"", "", "", "en_GB", true},
        {"", "", "", "ru_RU.UTF-8", false},
        {"", "", "", "de_DE.UTF-8", false},
        {"", "", "", "C.UTF-8", false},
        {"", "", "", "C", false},
        {"", "", "", "POSIX", false},
        {"", "", "", "", false},
        {"", "C.UTF-8", "", "en_US.UTF-8", false},
        {"", "", "en_US.UTF-8", "ru_RU.UTF-8", true},
        {"", "ru_RU.UTF-8", "en_US.UTF-8", "", false},
        {"en_GB:ru", "", "", "ru_RU.UTF-8", true},
        {"ru:en", "", "", "en_US.UTF-8", false},
        {"de:en", "", "", "de_DE.UTF-8", true},
        {"de:fr", "", "", "en_US.UTF-8", false},
        // A C locale keeps the texts as written, whatever LANGUAGE says.
        {"en", "", "", "C.UTF-8", false},
        {"en", "", "", "", false},
    };
    for (const Case& c : cases) {
        QProcessEnvironment env;
        const std::pair<const char*, const char*> vars[] = {
            {"LANGUAGE", c.Language}, {"LC_ALL", c.LcAll}, {"LC_MESSAGES", c.LcMessages},
            {"LANG", c.Lang}};
        for (const auto& [name, value] : vars)
            if (*value)
                env.insert(QLatin1String(name), QLatin1String(value));
        EXPECT_EQ(AsksForEnglish(env), c.English)
            << c.Language << " | " << c.LcAll << " | " << c.LcMessages << " | " << c.Lang;
    }
}

TEST(Language, englishTranslatesTheGameAndItsCountsAndOpensTheEnglishHelpPage) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QFile(dir.filePath("readme.htm")).open(QIODevice::WriteOnly);
    const QString russianPage = QFileInfo(dir.filePath("readme.htm")).absoluteFilePath();
    QORHelp help(dir.filePath("quelmora"), nullptr);
    const auto tr = [](const char* context, const char* text, int n = -1) {
        return QCoreApplication::translate(context, text, nullptr, n);
    };

    SpeakLanguage(*QCoreApplication::instance(), true);
    EXPECT_EQ(QLocale().language(), QLocale::English);
    EXPECT_EQ(tr("TMainForm", "Файл"), "File");
    EXPECT_EQ(tr("QORSettingTable", "Через 1 минуту"), "After 1 minute");
    EXPECT_EQ(tr("QORDailyChallenge", "%n ходов", 1), "1 move");
    EXPECT_EQ(tr("QORDailyChallenge", "%n ходов", 21), "21 moves");
    EXPECT_EQ(help.Page(), russianPage) << "no English page: the Russian one";
    QFile(dir.filePath("readme_en.htm")).open(QIODevice::WriteOnly);
    EXPECT_EQ(help.Page(), QFileInfo(dir.filePath("readme_en.htm")).absoluteFilePath());

    SpeakLanguage(*QCoreApplication::instance(), false);
    EXPECT_EQ(QLocale().language(), QLocale::Russian);
    EXPECT_EQ(tr("TMainForm", "Файл"), "Файл");
    EXPECT_EQ(tr("QORDailyChallenge", "%n ходов", 21), "21 ход");
    EXPECT_EQ(tr("QORDailyChallenge", "%n ходов", 3), "3 хода");
    EXPECT_EQ(help.Page(), russianPage);
    QDir::setCurrent(previous);
}
