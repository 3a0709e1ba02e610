// The main window: settings read at start and written at exit, the file and help commands, and
// what reaches the player.
#include "app/qorhelp.h"
#include "app/qorlanguage.h"
#include "dialogs/about.h"
#include "dialogs/qorfiledialog.h"

#include "support/asnobody.h"
#include "support/game.h"

#include <QAbstractProxyModel>
#include <QAction>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QScreen>
#include <QSettings>
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
    g.form.ToolButton2Click(); // cancelled open: nothing changes, nothing is said
    EXPECT_EQ(g.form.windowTitle(), "Quelmora 1.10");
    WriteAll(g.dir.filePath("photo.jpg"), QByteArray(1000, 'x'));
    g.openAnswer = g.dir.filePath("photo.jpg");
    g.form.N7Click();
    EXPECT_EQ(g.messages, QStringList{"Не удалось открыть игру из файла " + g.openAnswer +
                                      ": это не сохранённая игра: в сохранённой игре ровно 15876 "
                                      "байт, а в этом файле 1000"});
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
    // An opener that succeeds, one that fails, and one that is not there; the site's menu item
    // and the about box's links show the help page too, as the game has no site yet.
    QSignalSpy shown(g.form.Help, &QORHelp::Shown);
    const std::pair<const char*, std::function<void()>> routes[] = {
        {"true", [&] { g.form.ToolButton7Click(); }},
        {"false", [&] { g.form.URL->trigger(); }},
        {"/nonexistent/xdg-open", [&] { g.form.AboutForm->LabelMailClick(); }}};
    for (const auto& [opener, click] : routes) {
        const qsizetype before = shown.size();
        g.form.Help->Opener = opener;
        click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown.size() > before; })) << opener;
    }
    EXPECT_EQ(inGame, QStringList(2, QFileInfo("readme.htm").absoluteFilePath()));
    // In English the English page comes first, when there is one; so do English counts.
    SpeakLanguage(*qApp, true);
    EXPECT_EQ(QFileInfo(g.form.Help->Page()).fileName(), "readme.htm") << "no English page yet";
    WriteAll("readme_en.htm", "<html></html>");
    for (bool english : {true, false}) {
        SpeakLanguage(*qApp, english);
        EXPECT_EQ(QFileInfo(g.form.Help->Page()).fileName(),
                  english ? "readme_en.htm" : "readme.htm");
        EXPECT_EQ(QCoreApplication::translate("QORDailyChallenge", "%n ходов", nullptr, 21),
                  english ? "21 moves" : "21 ход");
    }
    QDir::setCurrent(previous);
}

TEST(MainForm, aKeptWindowPlaceIsFittedToTheScreenAndOneNoWindowCanHaveIsIgnored) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    // Kept, maximised, ignored: a billion pixels square, plain or maximised, froze the start;
    // larger than the screen and partly off it is fitted; no size at all is ignored.
    const std::tuple<QRect, bool, bool> rows[] = {
        {QRect(0, 0, 1000000000, 1000000000), false, true},
        {QRect(0, 0, 1000000000, 1000000000), true, true},
        {QRect(-300, 200, 3000, 2000), false, false},
        {QRect(50, 60, -5, 100), false, true}};
    for (const auto& [kept, maximised, ignored] : rows) {
        QByteArray bytes = QWidget().saveGeometry();
        QDataStream patch(&bytes, QIODevice::ReadWrite);
        patch.skipRawData(8); // the version, then the frame's and the normal rectangles
        patch << kept << kept;
        patch.skipRawData(4); // the screen's number; then full screen and the screen's width
        patch << maximised;
        patch.skipRawData(5);
        patch << kept; // the window's own rectangle, the one restored
        ASSERT_TRUE(QWidget().restoreGeometry(bytes)) << "a place the file can carry";
        QSettings(UserStatePath(), QSettings::IniFormat).setValue("MainWindow/Geometry", bytes);
        Game g;
        EXPECT_TRUE(available.contains(g.form.geometry())) << kept.width() << maximised;
        EXPECT_EQ(g.form.size() == QSize(478, 399), ignored) << kept.width() << maximised;
    }
    QSettings(UserStatePath(), QSettings::IniFormat).remove("MainWindow");
}

TEST(MainForm, fileDialogsFilterTheirKindInRussianDatesAndOpenWhereTheirKindWasLastChosen) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("csv");
    WriteAll(dir.filePath("a.cube"), "x");
    KeepFolder(QORFileKind::Export, dir.filePath("csv/stats.csv"));
    auto games = MakeFileDialog(nullptr, QORFileKind::Game, QFileDialog::AcceptOpen);
    QTimer::singleShot(0, games.get(), [&] {
        games->selectFile(dir.filePath("a.cube"));
        static_cast<QDialog*>(games.get())->accept(); // as its Open button does
    });
    EXPECT_EQ(AskFile(*games, QORFileKind::Game), dir.filePath("a.cube"));
    games = MakeFileDialog(nullptr, QORFileKind::Game, QFileDialog::AcceptOpen);
    const auto exports =
        MakeFileDialog(nullptr, QORFileKind::Export, QFileDialog::AcceptSave, "/x/quelmora.csv");
    EXPECT_EQ(games->nameFilters().first(), "Игры (*.cube)");
    EXPECT_EQ(exports->nameFilters().first(), "CSV (*.csv)");
    EXPECT_EQ(games->directory().path(), dir.path());
    EXPECT_EQ(exports->directory().path(), dir.filePath("csv"));
    games->setViewMode(QFileDialog::Detail);
    games->show();
    const auto* files = qobject_cast<QFileSystemModel*>(games->proxyModel()->sourceModel());
    QModelIndex date;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (date = files->index(dir.filePath("a.cube"), 3)).isValid(); }));
    EXPECT_EQ(
        games->proxyModel()->mapFromSource(date).data().toString(),
        QLocale(QLocale::Russian)
            .toString(QFileInfo(dir.filePath("a.cube")).lastModified(), QLocale::ShortFormat));
}
