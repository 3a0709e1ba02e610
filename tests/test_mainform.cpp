// The main window: settings read at start and written at exit, the file and help commands, and
// what reaches the player.
#include "app/qorhelp.h"

#include "support/asnobody.h"
#include "support/game.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A window over the folder's settings file whose message boxes go to shown, which outlives it.
struct Window {
    TMainForm form;
    Window(const QString& folder, QStringList& shown) : form(folder + "/quelmora") {
        form.MessageBox = [&shown](auto, const auto&, const QString& t) { shown << t; };
        form.AskLogin = [] {};
    }
};

} // namespace

TEST(MainForm, closingDuringAShuffleEndsAtOnceAndWritesTheSettingsKeepingOtherLines) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("quelmora.ini");
    WriteAll(ini, "; notes\r\n[Other]\r\nKeep=me\r\n[QuelmoraSettings]\r\nDrawQuality=4\r\n"
                  "FrontColor=clRed\r\nRotateSpeed=7\r\nCustom=stays\r\n");
    QStringList shown;
    {
        Window w(dir.path(), shown);
        EXPECT_EQ(w.form.Settings.DrawQuality, 4);
        EXPECT_EQ(w.form.Game->Cube.Cubies[26].Colors[1].g, 0) << "red front stickers";
        w.form.Settings.ShuffleCount = 1000;
        w.form.Settings.RotateStep = 1; // 1000 turns of 1.5 s: minutes of shuffling
        w.form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.form));
        w.form.N4Click();
        EXPECT_EQ(w.form.Game->Scramble.size(), 1000) << "the cube holds the whole shuffle";
        // A moving picture gets one pass.
        QSignalSpy frames(&w.form.View->DrawTimer, &QTimer::timeout);
        ASSERT_TRUE(frames.wait());
        EXPECT_EQ(w.form.View->Renderer.PassCount, 1);
        EXPECT_TRUE(w.form.View->Animation.Active());
        w.form.close();
        EXPECT_FALSE(w.form.isVisible());
    }
    EXPECT_TRUE(shown.isEmpty()) << "exit during play asks nothing";
    const QByteArray written = ReadAll(ini);
    EXPECT_TRUE(written.startsWith("; notes\r\n[Other]\r\nKeep=me\r\n")) << written.data();
    for (const char* key : {"ShuffleRotateCount=1000\r\n", "RotateSpeed=1\r\n", "Custom=stays\r\n"})
        EXPECT_TRUE(written.contains(key)) << key;
}

TEST(MainForm, aSettingsFileThatCannotBeWrittenAtExitIsToldToThePlayer) {
    QTemporaryDir dir;
    QStringList shown;
    {
        AsNobody nobody(dir.path());
        ASSERT_TRUE(QDir(dir.path()).mkdir("game")); // the player's own folder
        Window w(dir.filePath("game"), shown);
        QFile::setPermissions(dir.filePath("game"), QFile::ReadOwner | QFile::ExeOwner);
    }
    EXPECT_EQ(shown, QStringList{"Unable to write to " + dir.filePath("game/quelmora.ini") + "."});
}

TEST(MainForm, anUnreadableSettingsFileIsToldOnceAndNeverWrittenOver) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("quelmora.ini");
    WriteAll(ini, "[QuelmoraSettings]\r\nDrawQuality=9\r\n");
    QFile::setPermissions(ini, QFileDevice::WriteOwner | QFileDevice::WriteOther);
    QStringList shown;
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    // The solve history too must be somewhere the player may write.
    qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
    {
        AsNobody nobody(dir.path());
        Window w(dir.path(), shown);
        w.form.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }));
    }
    qputenv("XDG_DATA_HOME", data);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("Не удалось прочитать файл настроек"))
        << shown[0].toStdString();
    QFile::setPermissions(ini, QFileDevice::ReadOwner);
    EXPECT_EQ(ReadAll(ini), "[QuelmoraSettings]\r\nDrawQuality=9\r\n");
}

TEST(MainForm, fileCommandsNameTheCaptionAndTellWhatFailedAndHelpFallsBackToAWindowOfTheGame) {
    Game g;
    g.form.ToolButton2Click(); // cancelled open
    EXPECT_EQ(g.form.windowTitle(), "Quelmora 1.10 >>> ");
    WriteAll(g.dir.filePath("photo.jpg"), QByteArray(1000, 'x'));
    g.openAnswer = g.dir.filePath("photo.jpg");
    g.form.N7Click();
    EXPECT_EQ(g.messages.size(), 1);
    g.saveAnswer = g.dir.filePath("mine.cube");
    g.form.ToolButton3Click(); // no game file yet: save asks for a name
    EXPECT_TRUE(g.proposed.endsWith(".cube"));
    EXPECT_EQ(g.form.windowTitle(), "Quelmora 1.10 >>> mine.cube");
    QDir(g.dir.path()).mkdir("taken.cube");
    g.saveAnswer = g.dir.filePath("taken.cube");
    g.form.N9Click();
    EXPECT_EQ(g.messages.size(), 2);
    EXPECT_EQ(g.form.windowTitle(), "Quelmora 1.10 >>> mine.cube");
    g.form.N5Click();
    EXPECT_EQ(g.form.windowTitle(), "Quelmora 1.10") << "stop forgets the game file";
    // Help opens with the desktop, or in a window of the game when the desktop cannot.
    QStringList inGame;
    g.form.Help->ShowInGame = [&](const QString& file) { inGame << file; };
    const QString previous = QDir::currentPath();
    QDir::setCurrent(g.dir.path());
    QDir(g.dir.path()).mkdir("readme.htm");
    g.form.N16Click(); // a folder is no help file: nothing happens
    QDir(g.dir.path()).rmdir("readme.htm");
    WriteAll(g.dir.filePath("readme.htm"), "<html></html>");
    // An opener that succeeds, one that fails, and one that is not there.
    QSignalSpy shown(g.form.Help, &QORHelp::Shown);
    for (const char* opener : {"true", "false", "/nonexistent/xdg-open"}) {
        const qsizetype before = shown.size();
        g.form.Help->Opener = opener;
        g.form.ToolButton7Click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown.size() > before; })) << opener;
    }
    QDir::setCurrent(previous);
    EXPECT_EQ(inGame, QStringList(2, QFileInfo(g.dir.filePath("readme.htm")).absoluteFilePath()));
}
