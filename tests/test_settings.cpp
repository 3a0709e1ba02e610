#include "settings/qorinifile.h"
#include "settings/qorsettingsfile.h"

#include "support/asnobody.h"
#include "support/testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

namespace {

QORIniFile Loaded(const QByteArray& bytes) {
    QTemporaryDir dir;
    WriteAll(dir.filePath("a.ini"), bytes);
    QORIniFile ini;
    EXPECT_TRUE(ini.Load(dir.filePath("a.ini")));
    return ini;
}

QORSettings ReadFrom(const QByteArray& body) {
    return ReadSettings(Loaded("[QuelmoraSettings]\r\n" + body));
}

} // namespace

TEST(IniFile, readsTheFirstMatchingKeyOfTheFirstMatchingSectionAsTheDesktopDoes) {
    const QORIniFile ini = Loaded("[other]\r\nKey=wrong\r\n[ MySection ]\r\n;Key=comment\r\n"
                                  "  kEY  =  value one  \r\nkey=second\r\nLong=" +
                                  QByteArray(3000, 'x') + "\r\n[mysection]\r\nLate=1");
    EXPECT_EQ(ini.ReadString("mysection", "Key", "def"), "value one");
    EXPECT_EQ(ini.ReadString("MySection", ";Key", "def"), "def");
    EXPECT_EQ(ini.ReadString("MySection", "Late", "def"), "def") << "a repeated section is unseen";
    EXPECT_EQ(ini.ReadString("MySection", "Long", "").size(), QORIniFile::MaxValueLength);
    EXPECT_EQ(Loaded("[S]\nA=1\nB=2").ReadString("S", "B", ""), "2") << "LF and no final newline";
}

TEST(IniFile, writingChangesOneKeyAndKeepsEveryOtherLineInCodePage1251) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    WriteAll(path, "; top\r\n[One]\r\nX=1\r\n\r\n[S]\r\nA=old\r\n; note\r\nB=keep\r\n\r\n[L]\r\n");
    QORIniFile ini;
    ASSERT_TRUE(ini.Load(path));
    ini.WriteString("S", "a", "new"); // the key keeps the file's spelling
    ini.WriteString("S", "C", QString::fromUtf8("Ёж\r\nD=split"));
    ini.WriteString("Fresh", "K", "v");
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadAll(path), "; top\r\n[One]\r\nX=1\r\n\r\n[S]\r\nA=new\r\n; note\r\nB=keep\r\n"
                             "C=\xA8\xE6  D=split\r\n\r\n[L]\r\n[Fresh]\r\nK=v\r\n");
    WriteAll(path, "[S]\nA=1\n");
    ASSERT_TRUE(ini.Load(path));
    ini.WriteString("S", "B", "2");
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadAll(path), QByteArray("[S]\nA=1\nB=2\n")) << "a LF file keeps its line ends";
}

TEST(IniFile, aFailedSaveSaysWhyAndLeavesTheOldFileAndAnOwnerOnlyOneHidesTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ini") && QDir(dir.path()).mkdir("ro"));
    WriteAll(dir.filePath("ro/a.ini"), "old");
    QFile::setPermissions(dir.filePath("ro"), QFileDevice::Permissions(0x5555));
    QORIniFile ini;
    {
        AsNobody nobody(dir.path());
        for (const char* path : {"ro/a.ini/sub.ini", "taken.ini", "ro/a.ini"}) {
            QString error;
            EXPECT_FALSE(ini.Save(dir.filePath(path), &error) || error.isEmpty()) << path;
        }
    }
    EXPECT_EQ(ReadAll(dir.filePath("ro/a.ini")), QByteArray("old"));
    const QStringList left = QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    EXPECT_EQ(left, QStringList({"ro", "taken.ini"})) << "no temporary file is left";
    const QString path = dir.filePath("a.ini");
    WriteAll(path, "");
    const auto shared = QFile::permissions(path) | QFile::ReadOther;
    QFile::setPermissions(path, shared);
    ASSERT_TRUE(ini.Save(path, nullptr, true));
    EXPECT_EQ(QFile::permissions(path) & 0xF0FF, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::setPermissions(path, shared);
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(QFile::permissions(path), shared) << "a plain save keeps the file's mode";
}

TEST(Settings, aFirstRunWritesEveryDefaultInTheFilesOrder) {
    QORIniFile ini;
    WriteSettings(ini, QORSettings());
    EXPECT_EQ(ini.Lines(),
              QStringList({"[QuelmoraSettings]", "FrontColor=clWhite", "BackColor=0x00FF1A8C",
                           "LeftColor=0x0080FF80", "RightColor=0x00FF8000", "TopColor=0x0055FFFF",
                           "BottomColor=0x005151FF", "SpaceColor=0x00483535", "BGColor=clBlack",
                           "DrawQuality=1", "RotateSpeed=5", "ShuffleRotateCount=30",
                           "PlayerIdleTimeout=60000", "HostPort=8844", "HostName=localhost",
                           "UserName=", "ShowLogin=1", "UpdateTopList=1", "Password="}));
}

TEST(Settings, integersAreDecimalOrHexAfterZeroXOrDollarAndNothingElse) {
    const std::pair<const char*, int> good[] = {
        {" -12", -12},    {"-0x80000000", INT_MIN}, {"+7", 7},      {"2147483647", INT_MAX},
        {"-$10", -16},    {"-2147483648", INT_MIN}, {"007", 7},     {"0xFFFFFFFF", -1},
        {"0x228C", 8844}, {"0X228c", 8844},         {"$228C", 8844}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(ParseIniInt(text), value) << text;
    for (const char* bad : {"", " ", "12abc", "2147483648", "0x100000000", "0x", "$", "1 2", "--1",
                            "+-1", "1.5", "0x-1", "- 1", "12 ", "\u0663", "99999999999999999999"})
        EXPECT_FALSE(ParseIniInt(bad)) << bad;
}

TEST(Settings, eachValueReadsAsThePlayerWroteItOrAsItsDefault) {
    const QORSettings s = ReadFrom("FrontColor=clwhite\r\nBackColor=purple-ish\r\n"
                                   "LeftColor=$0000FF\r\nRightColor=0xFF112233\r\nTopColor=-1\r\n"
                                   "BottomColor=clBtnFace\r\nBGColor=255\r\nShowLogin=7\r\n"
                                   "HostPort=0x228C\r\nUpdateTopList=0\r\nPassword=secret\r\n");
    const uint32_t colours[8] = {0x00483535, 0x00FFFFFF, 0x00FF1A8C, 0x000000FF,
                                 0x00112233, 0x00FFFFFF, 0x005151FF, 0x000000FF};
    for (int slot = 0; slot < 8; ++slot)
        EXPECT_EQ(ColorValueFromRGB(s.ColorTable[slot]), colours[slot]) << slot;
    EXPECT_TRUE(s.ShowLogin && !s.UpdateTopList && s.HostPort == 8844);
    EXPECT_TRUE(s.SavePassword) << "a stored password is kept";
    // Quality 1..16, speeds that divide a quarter turn, the idle list's values, shuffles of one
    // to a thousand turns, ports that exist.
    using S = QORSettings;
    using Values = std::vector<std::pair<const char*, int>>;
    const std::tuple<const char*, int S::*, Values> ranged[] = {
        {"DrawQuality", &S::DrawQuality, {{"abc", 1}, {"17", 1}, {"7", 7}}},
        {"RotateSpeed", &S::RotateStep, {{"7", 5}, {"0", 5}, {"90", 90}}},
        {"PlayerIdleTimeout", &S::IdleTimeout, {{"0x1B7740", 1800000}, {"0", 0}, {"12345", 60000}}},
        {"ShuffleRotateCount", &S::ShuffleCount, {{"1000", 1000}, {"1000000000", 30}, {"0", 30}}},
        {"HostPort", &S::HostPort, {{"65535", 65535}, {"65536", 8844}, {"-1", 8844}}}};
    for (const auto& [key, field, values] : ranged)
        for (const auto& [text, value] : values)
            EXPECT_EQ(ReadFrom(QByteArray(key) + "=" + text + "\r\n").*field, value) << key << text;
    // The password goes back into the file only while it is to be saved.
    QORSettings p = s;
    p.Password = QString::fromUtf8("пароль");
    QORIniFile ini;
    for (bool save : {false, true}) {
        p.SavePassword = save;
        WriteSettings(ini, p);
        EXPECT_EQ(ReadSettings(ini).Password, save ? p.Password : QString());
    }
}

TEST(SettingsFile, liesBesideTheExecutableWhenItsFolderIsWritableElseInTheUsersFolder) {
    QTemporaryDir dir, home;
    const QString user = home.filePath("quelmora/quelmora.ini");
    const QString beside = dir.filePath("quelmora.ini");
    EXPECT_EQ(QORSettingsFile(dir.filePath("quelmora")).WritePath(), beside);
    EXPECT_EQ(QORSettingsFile(dir.filePath("quelmora"), user).ReadPath(), user) << "none yet";
    WriteAll(beside, "");
    EXPECT_EQ(QORSettingsFile(dir.filePath("quelmora"), user).ReadPath(), beside);
    EXPECT_EQ(QORSettingsFile::IniPathForExecutable("/opt/b.d/quel.mora"), "/opt/b.d/quel.ini");
    // An installed copy: its folder is read-only. It reads its shipped file until the player
    // has one of their own, and always writes the player's.
    QFile::setPermissions(dir.path(),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(home.path(), QFileDevice::Permissions(0x7777));
    AsNobody nobody;
    const QORSettingsFile first(dir.filePath("quelmora"), user);
    EXPECT_EQ(first.ReadPath(), beside);
    EXPECT_EQ(first.WritePath(), user);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(user).path()));
    WriteAll(user, "");
    EXPECT_EQ(QORSettingsFile(dir.filePath("quelmora"), user).ReadPath(), user);
}
