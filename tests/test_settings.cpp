#include "app/qorinifile.h"
#include "app/qorsettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

#include <unistd.h>

namespace {

QORSettings ReadFrom(const QByteArray& body) {
    QTemporaryDir dir;
    const QString path = dir.filePath("q.ini");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[QuelmoraSettings]\r\n" + body);
    f.close();
    QORIniFile ini;
    EXPECT_TRUE(ini.Load(path));
    return ReadSettings(ini);
}

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(Settings, firstRunWritesEveryDefaultInOrder) {
    QORIniFile ini;
    WriteSettings(ini, QORSettings());
    const QStringList expected = {"[QuelmoraSettings]",
                                  "FrontColor=clWhite",
                                  "BackColor=0x00FF1A8C",
                                  "LeftColor=0x0080FF80",
                                  "RightColor=0x00FF8000",
                                  "TopColor=0x0055FFFF",
                                  "BottomColor=0x005151FF",
                                  "SpaceColor=0x00483535",
                                  "BGColor=clBlack",
                                  "DrawQuality=1",
                                  "RotateSpeed=5",
                                  "ShuffleRotateCount=30",
                                  "PlayerIdleTimeout=60000",
                                  "HostPort=8844",
                                  "HostName=localhost",
                                  "UserName=",
                                  "ShowLogin=1",
                                  "UpdateTopList=1",
                                  "Password="};
    EXPECT_EQ(ini.Lines(), expected);
}

TEST(Settings, missingFileGivesDefaults) {
    const QORSettings s = ReadSettings(QORIniFile());
    const QORSettings d;
    EXPECT_EQ(s.Colors, d.Colors);
    EXPECT_EQ(s.HostName, "localhost");
    EXPECT_EQ(s.HostPort, 8844);
    EXPECT_TRUE(s.ShowLogin);
    EXPECT_TRUE(s.UpdateTopList);
    EXPECT_FALSE(s.SavePassword);
}

TEST(Settings, integerFormsFollowTheFileRules) {
    EXPECT_EQ(ParseIniInt(" -12", 0), -12);
    EXPECT_EQ(ParseIniInt("+7", 0), 7);
    EXPECT_EQ(ParseIniInt("0x228C", 0), 8844);
    EXPECT_EQ(ParseIniInt("0X228c", 0), 8844);
    EXPECT_EQ(ParseIniInt("$228C", 0), 8844);
    EXPECT_EQ(ParseIniInt("-$10", 0), -16);
    EXPECT_EQ(ParseIniInt("0xFFFFFFFF", 0), -1);
    EXPECT_EQ(ParseIniInt("-0x80000000", 0), std::numeric_limits<int>::min());
    EXPECT_EQ(ParseIniInt("007", 0), 7);
    EXPECT_EQ(ParseIniInt("2147483647", 0), 2147483647);
    EXPECT_EQ(ParseIniInt("-2147483648", 0), std::numeric_limits<int>::min());
    for (const char* bad :
         {"", " ", "12abc", "abc", "2147483648", "0x100000000", "0x", "$", "1 2", "--1", "+-1",
          "1.5", "0x-1", "- 1", "12 ", "\u0663", "99999999999999999999"})
        EXPECT_EQ(ParseIniInt(bad, 42), 42) << bad;
}

TEST(Settings, valuesReadAsThePlayerWroteThem) {
    const QORSettings s = ReadFrom("FrontColor=clwhite\r\nBackColor=0x00ffffff\r\n"
                                   "LeftColor=$0000FF\r\nRightColor=255\r\nDrawQuality=abc\r\n"
                                   "ShowLogin=7\r\nHostPort=0x228C\r\nUpdateTopList=0\r\n"
                                   "ShuffleRotateCount=-3\r\nPassword=secret\r\n");
    EXPECT_EQ(s.Colors[1], 0x00FFFFFFu);
    EXPECT_EQ(s.Colors[2], 0x00FFFFFFu);
    EXPECT_EQ(s.Colors[3], 0x000000FFu);
    EXPECT_EQ(s.Colors[4], 0x000000FFu);
    EXPECT_EQ(s.DrawQuality, 1);
    EXPECT_TRUE(s.ShowLogin);
    EXPECT_FALSE(s.UpdateTopList);
    EXPECT_EQ(s.HostPort, 8844);
    EXPECT_EQ(s.ShuffleRotateCount, -3);
    EXPECT_TRUE(s.SavePassword) << "a stored password is kept";
    EXPECT_EQ(ReadFrom("HostPort=$228C\r\n").HostPort, 8844);
    EXPECT_EQ(ReadFrom("HostPort=12abc\r\n").HostPort, 8844);
    EXPECT_EQ(ReadFrom("HostPort=99999999999\r\n").HostPort, 8844);
    EXPECT_EQ(ReadFrom("ShuffleRotateCount= -12\r\n").ShuffleRotateCount, -12);
    EXPECT_FALSE(ReadFrom("ShowLogin=0\r\n").ShowLogin);
}

TEST(Settings, badColourKeepsThatKeysDefaultAndLaterKeysStillRead) {
    const QORSettings s = ReadFrom("FrontColor=clRed\r\nBackColor=purple-ish\r\n"
                                   "TopColor=clBtnFace\r\nBGColor=0x00123456\r\nDrawQuality=4\r\n");
    EXPECT_EQ(s.Colors[1], 0x000000FFu);
    EXPECT_EQ(s.Colors[2], 0x00FF1A8Cu);
    EXPECT_EQ(s.Colors[5], 0x0055FFFFu);
    EXPECT_EQ(s.Colors[7], 0x00123456u);
    EXPECT_EQ(s.DrawQuality, 4);
}

TEST(Settings, colourKeepsOnlyItsLowThreeBytes) {
    EXPECT_EQ(ParseColor("0xFF112233", 0), 0x00112233u);
    EXPECT_EQ(ParseColor("-1", 0), 0x00FFFFFFu);
    EXPECT_EQ(FormatColor(0x00FF1A8C), "0x00FF1A8C");
    EXPECT_EQ(FormatColor(0x00F0CAA6), "clSkyBlue");
    EXPECT_EQ(FormatColor(0x000000FF), "clRed");
    EXPECT_EQ(FormatColor(0x0000000A), "0x0000000A");
}

TEST(Settings, outOfRangeQualityAndSpeedAreBroughtBack) {
    EXPECT_EQ(ReadFrom("DrawQuality=0\r\n").DrawQuality, 1);
    EXPECT_EQ(ReadFrom("DrawQuality=17\r\n").DrawQuality, 1);
    EXPECT_EQ(ReadFrom("DrawQuality=7\r\n").DrawQuality, 7);
    EXPECT_EQ(ReadFrom("DrawQuality=16\r\n").DrawQuality, 16);
    EXPECT_EQ(ReadFrom("RotateSpeed=7\r\n").RotateSpeed, 5);
    EXPECT_EQ(ReadFrom("RotateSpeed=0\r\n").RotateSpeed, 5);
    EXPECT_EQ(ReadFrom("RotateSpeed=-5\r\n").RotateSpeed, 5);
    EXPECT_EQ(ReadFrom("RotateSpeed=180\r\n").RotateSpeed, 5);
    EXPECT_EQ(ReadFrom("RotateSpeed=45\r\n").RotateSpeed, 45);
    EXPECT_EQ(ReadFrom("RotateSpeed=1\r\n").RotateSpeed, 1);
}

TEST(Settings, idleTimeoutIsReadBackOnlyWhenTheListOffersIt) {
    EXPECT_EQ(ReadFrom("PlayerIdleTimeout=5000\r\n").PlayerIdleTimeout, 5000);
    EXPECT_EQ(ReadFrom("PlayerIdleTimeout=0\r\n").PlayerIdleTimeout, 0);
    EXPECT_EQ(ReadFrom("PlayerIdleTimeout=0x1B7740\r\n").PlayerIdleTimeout, 1800000);
    EXPECT_EQ(ReadFrom("PlayerIdleTimeout=12345\r\n").PlayerIdleTimeout, 60000);
    EXPECT_EQ(ReadFrom("PlayerIdleTimeout=-5000\r\n").PlayerIdleTimeout, 60000);
    EXPECT_EQ(ReadFrom("PlayerIdleTimeout=soon\r\n").PlayerIdleTimeout, 60000);
}

TEST(Settings, passwordIsWrittenOnlyWhenSaved) {
    QORSettings s;
    s.Password = "pw";
    s.SavePassword = false;
    QORIniFile ini;
    WriteSettings(ini, s);
    EXPECT_EQ(ini.ReadString("QuelmoraSettings", "Password", "x"), "");
    s.SavePassword = true;
    WriteSettings(ini, s);
    EXPECT_EQ(ini.ReadString("QuelmoraSettings", "Password", "x"), "pw");
}

TEST(Settings, russianNameSurvivesWriteAndRead) {
    QTemporaryDir dir;
    QORSettings s;
    s.UserName = QString::fromUtf8("Игрок");
    QORIniFile ini;
    WriteSettings(ini, s);
    ASSERT_TRUE(ini.Save(dir.filePath("q.ini")));
    QORIniFile back;
    ASSERT_TRUE(back.Load(dir.filePath("q.ini")));
    EXPECT_EQ(ReadSettings(back).UserName, QString::fromUtf8("Игрок"));
}

TEST(Settings, iniNameReplacesOnlyTheFileNamesExtension) {
    EXPECT_EQ(IniPathForExecutable("/opt/game.d/bin/quelmora"), "/opt/game.d/bin/quelmora.ini");
    EXPECT_EQ(IniPathForExecutable("/opt/bin/quelmora.exe"), "/opt/bin/quelmora.ini");
    EXPECT_EQ(IniPathForExecutable("/opt/bin/quel.mora.bin"), "/opt/bin/quel.mora.ini");
    EXPECT_EQ(WriteFailedMessage("/x/q.ini"), "Unable to write to /x/q.ini.");
}

TEST(Settings, locationUsesTheFolderBesideTheExecutableWhenWritable) {
    QTemporaryDir dir, home;
    const QString exe = dir.filePath("quelmora");
    const QString user = home.filePath("quelmora/quelmora.ini");
    QORSettingsLocation where = SettingsLocation(exe, user);
    EXPECT_EQ(where.WritePath, dir.filePath("quelmora.ini"));
    EXPECT_EQ(where.ReadPath, user) << "nothing beside the executable yet";
    Touch(user);
    Touch(dir.filePath("quelmora.ini"));
    where = SettingsLocation(exe, user);
    EXPECT_EQ(where.ReadPath, dir.filePath("quelmora.ini")) << "the tree's own file wins";
    EXPECT_EQ(where.WritePath, dir.filePath("quelmora.ini"));
}

TEST(Settings, locationFallsBackToThePerUserFileForAnInstalledCopy) {
    QTemporaryDir dir, home;
    const QString user = home.filePath("quelmora/quelmora.ini");
    // A "folder" below a regular file cannot be written, not even by root.
    const QString blocker = dir.filePath("plain");
    Touch(blocker);
    QORSettingsLocation where = SettingsLocation(blocker + "/bin/quelmora", user);
    EXPECT_EQ(where.WritePath, user);
    EXPECT_EQ(where.ReadPath, user);
}

TEST(Settings, installedCopyReadsItsShippedFileUntilThePlayerHasOne) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    QTemporaryDir dir, home;
    const QString user = home.filePath("quelmora/quelmora.ini");
    Touch(dir.filePath("quelmora.ini"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QString exe = dir.filePath("quelmora");
    const QORSettingsLocation first = SettingsLocation(exe, user);
    Touch(user);
    const QORSettingsLocation later = SettingsLocation(exe, user);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(first.ReadPath, dir.filePath("quelmora.ini"));
    EXPECT_EQ(first.WritePath, user);
    EXPECT_EQ(later.ReadPath, user);
}

TEST(Settings, perUserFileLiesInTheConfigFolder) {
    QStandardPaths::setTestModeEnabled(true);
    EXPECT_EQ(UserIniPath(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  "/quelmora/quelmora.ini");
    QStandardPaths::setTestModeEnabled(false);
}
