#include "app/qorinifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "support/testutil.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QORIniFile Loaded(const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    WriteAll(path, bytes);
    QORIniFile ini;
    EXPECT_TRUE(ini.Load(path));
    return ini;
}

} // namespace

TEST(IniFile, readMatchesSectionAndKeyWithoutCaseAndTrimsBlanks) {
    const QORIniFile ini =
        Loaded("[other]\r\nKey=wrong\r\n[ MySection ]\r\n  kEY  =  value one  \r\n"
               "key=second\r\n");
    EXPECT_EQ(ini.ReadString("mysection", "Key", "def"), "value one");
    EXPECT_EQ(ini.ReadString("MySection", "Missing", "def"), "def");
    EXPECT_EQ(ini.ReadString("Nope", "Key", "def"), "def");
}

TEST(IniFile, firstMatchingSectionAndKeyWin) {
    const QORIniFile ini = Loaded("[S]\r\nA=first\r\nA=second\r\n[s]\r\nA=third\r\nB=late\r\n");
    EXPECT_EQ(ini.ReadString("S", "A", ""), "first");
    EXPECT_EQ(ini.ReadString("S", "B", "def"), "def") << "a repeated section is not searched";
}

TEST(IniFile, unixLineEndingsAndMissingFinalNewlineRead) {
    const QORIniFile ini = Loaded("[S]\nA=1\nB=2");
    EXPECT_EQ(ini.ReadString("S", "A", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "B", ""), "2");
}

TEST(IniFile, commentsAreNotKeys) {
    const QORIniFile ini = Loaded("[S]\r\n;A=commented\r\nA=real\r\n");
    EXPECT_EQ(ini.ReadString("S", "A", ""), "real");
    EXPECT_EQ(ini.ReadString("S", ";A", "none"), "none");
}

TEST(IniFile, valuesAreCutAt2047Characters) {
    const QByteArray longValue(3000, 'x');
    const QORIniFile ini = Loaded("[S]\r\nA=" + longValue + "\r\n");
    EXPECT_EQ(ini.ReadString("S", "A", "").size(), 2047);
}

TEST(IniFile, writeKeepsForeignSectionsKeysAndComments) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    WriteAll(path, "; top comment\r\n[First]\r\nX=1\r\n\r\n[S]\r\nA=old\r\n; note\r\nB=keep\r\n"
                   "\r\n[Last]\r\nY=2\r\n");
    QORIniFile ini;
    ASSERT_TRUE(ini.Load(path));
    // The key keeps the file's spelling; only the value is replaced.
    ini.WriteString("S", "a", "new");
    ini.WriteString("S", "C", "added");
    ini.WriteString("Fresh", "K", "v");
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadAll(path), QByteArray("; top comment\r\n[First]\r\nX=1\r\n\r\n[S]\r\nA=new\r\n"
                                        "; note\r\nB=keep\r\nC=added\r\n\r\n[Last]\r\nY=2\r\n"
                                        "[Fresh]\r\nK=v\r\n"));
}

TEST(IniFile, lineBreakInAValueCannotSplitTheLine) {
    QORIniFile ini;
    ini.WriteString("S", "A", "one\r\nB=two");
    EXPECT_EQ(ini.Lines(), QStringList({"[S]", "A=one  B=two"}));
    EXPECT_EQ(ini.ReadString("S", "B", "none"), "none");
}

TEST(IniFile, newFileUsesWindowsLineEndingsAndUnixFileKeepsItsOwn) {
    QTemporaryDir dir;
    QORIniFile fresh;
    ASSERT_TRUE(fresh.Load(dir.filePath("missing.ini")));
    fresh.WriteString("S", "A", "1");
    ASSERT_TRUE(fresh.Save(dir.filePath("new.ini")));
    EXPECT_EQ(ReadAll(dir.filePath("new.ini")), QByteArray("[S]\r\nA=1\r\n"));

    WriteAll(dir.filePath("unix.ini"), "[S]\nA=1\n");
    QORIniFile unix;
    ASSERT_TRUE(unix.Load(dir.filePath("unix.ini")));
    unix.WriteString("S", "B", "2");
    ASSERT_TRUE(unix.Save(dir.filePath("unix.ini")));
    EXPECT_EQ(ReadAll(dir.filePath("unix.ini")), QByteArray("[S]\nA=1\nB=2\n"));
}

TEST(IniFile, textIsStoredInCodePage1251) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    QORIniFile ini;
    ini.WriteString("S", "UserName", QString::fromUtf8("Ёж"));
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadAll(path), QByteArray("[S]\r\nUserName=\xA8\xE6\r\n"));
    QORIniFile back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.ReadString("S", "UserName", ""), QString::fromUtf8("Ёж"));
}

TEST(IniFile, failedSaveLeavesTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    // Nothing, not even root, can create a file below a regular file.
    const QString blocker = dir.filePath("plain");
    WriteAll(blocker, "x");
    QORIniFile ini;
    ini.WriteString("S", "A", "1");
    QString error;
    EXPECT_FALSE(ini.Save(blocker + "/sub/a.ini", &error));
    EXPECT_FALSE(error.isEmpty());
    // A folder in the file's place cannot be replaced either; the folder stays.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ini"));
    EXPECT_FALSE(ini.Save(dir.filePath("taken.ini"), &error));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.ini")).isDir());
    EXPECT_EQ(ReadAll(blocker), QByteArray("x"));
    // No temporary file is left behind either.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"plain", "taken.ini"}));
}

TEST(IniFile, failedSaveInReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    WriteAll(path, "[S]\r\nA=old\r\n");
    QORIniFile ini;
    ASSERT_TRUE(ini.Load(path));
    ini.WriteString("S", "A", "new");
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_FALSE(ini.Save(path));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadAll(path), QByteArray("[S]\r\nA=old\r\n"));
}

TEST(IniFile, unreadableFileIsAnErrorButMissingIsNot) {
    QTemporaryDir dir;
    QORIniFile ini;
    EXPECT_TRUE(ini.Load(dir.filePath("missing.ini")));
    EXPECT_TRUE(ini.Lines().isEmpty());
    EXPECT_FALSE(ini.Load(dir.path())) << "a folder cannot be read as a file";
}

TEST(IniFile, ownerOnlySaveHidesTheFileFromOthersAndPlainSaveKeepsItsMode) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    WriteAll(path, "[S]\r\nA=1\r\n");
    const QFileDevice::Permissions shared = QFile::permissions(path);
    ASSERT_TRUE(shared & QFileDevice::ReadOther) << "the test needs a umask that shares files";
    QORIniFile ini;
    ASSERT_TRUE(ini.Load(path));
    ASSERT_TRUE(ini.Save(path, nullptr, true));
    // Owner, group and others; the "user" bits only repeat the owner's for us.
    EXPECT_EQ(QFile::permissions(path) & 0xF0FF, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(QFile::setPermissions(path, shared));
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(QFile::permissions(path), shared);
}
