// The web front over real TCP: pages and JSON, unknown paths, names shown as typed, replies
// kept until the ranking or the day changes, and headless Chromium loading the server program.
#include "server/qorwebfront.h"
#include "serverharness.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStandardPaths>

namespace {

// The server program's day is the wall clock's, so the data is of the days around it.
const QDate Today = QDateTime::currentDateTimeUtc().date();
QString DayPath(const char* prefix, int days) {
    return prefix + Today.addDays(days).toString(Qt::ISODate);
}
const QString Hostile = QStringLiteral("<script>x</script>");
const QString HostilePath = QStringLiteral("/player/%3Cscript%3Ex%3C%2Fscript%3E");

class WebFront : public ServerTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Store.Open(Path, Options.MinShuffles));
        // Today, yesterday, and three days ago: the hostile name's streak is two days.
        Solve(Hostile, QORProtocol::DailyKindOf(Today), 41230, 58);
        Solve(QStringLiteral("&amp;"), QORProtocol::DailyKindOf(Today), 50000, 60);
        Solve(Hostile, QORProtocol::DailyKindOf(Today.addDays(-1)), 45000, 61);
        Solve(QStringLiteral("Вася"), QORProtocol::DailyKindOf(Today.addDays(-1)), 39000, 55);
        Solve(Hostile, QORProtocol::DailyKindOf(Today.addDays(-3)), 47000, 62);
        Solve(QStringLiteral("Вася"), {}, 30120, 70, 25);
        Solve(Hostile, QORProtocol::RandomKind, 35000, 40, 19);
        ASSERT_TRUE(Store.AddResult(AddPlayer(QStringLiteral("Гость")), 33, 25, Today));
        Front.Today = [this] { return Day; };
    }
    void Solve(const QString& name, const QString& kind, qint64 ms, int moves, int shuffles = 20) {
        const QString id = QString::number(++Scrambles).rightJustified(32, u'a');
        const qint64 player = AddPlayer(name);
        qint64 result = 0;
        ASSERT_TRUE(Store.AddScramble(id, {player, shuffles, "R U", 0, false, kind}));
        ASSERT_EQ(
            Store.AddSolve({player, id, shuffles, ms, moves, "R", Today, false, kind}, result),
            QORScoreStore::SolveStored::Stored);
    }
    // The status and body of a GET over loopback TCP.
    std::pair<int, QString> Get(quint16 port, const QString& path) {
        std::unique_ptr<QNetworkReply> reply(Net.get(
            QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)))));
        EXPECT_TRUE(WaitUntil([&] { return reply->isFinished(); })) << path.toStdString();
        return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                QString::fromUtf8(reply->readAll())};
    }

    QORWebFront Front{Store, 100};
    QDate Day = Today;
    int Scrambles = 0;
    QNetworkAccessManager Net;
};

TEST_F(WebFront, pagesAndJsonShowTheListsAndNamesAsTyped) {
    ASSERT_TRUE(Front.Listen(QHostAddress(QHostAddress::LocalHost), 0));
    const QString escaped = QStringLiteral("&lt;script&gt;x&lt;/script&gt;");
    const struct {
        QString Path;
        int Status;
        QStringList Shown;
        QStringList Hidden;
    } cases[] = {
        {"/", 200, {escaped, "&amp;amp;", "00:00:41,23", "Вася", HostilePath, "00:00:33"}, {}},
        {DayPath("/day/", -1), 200, {"Вася", "00:00:39,00", escaped}, {"&amp;amp;"}},
        {HostilePath, 200, {"дней подряд: 2", "1-е место, 00:00:41,23", escaped}, {}},
        {"/player/%D0%B2%D0%B0%D1%81%D1%8F", 200, {"Игрок Вася", "дней подряд: 1"}, {}},
        {"/api/lists", 200, {R"("name":"<script>x</script>")", R"("seconds":33)"}, {}},
        {DayPath("/api/day/", -3), 200, {R"("moves":62,"ms":47000)"}, {"Вася", "41230"}},
        {"/api/player/%26amp%3B", 200, {R"("name":"&amp;")", R"("streak":1)"}, {}},
        {"/player/nobody", 404, {"Нет такой страницы"}, {}},
        {"/nope", 404, {}, {}},
        {"/day/2026-02-30", 404, {}, {}},
        {"/day/2026-12-07/x", 404, {}, {}},
        {"/api/", 404, {}, {}},
    };
    for (const auto& c : cases) {
        const auto [status, body] = Get(Front.Port(), c.Path);
        EXPECT_EQ(status, c.Status) << c.Path.toStdString();
        // Never a raw hostile name in a page, a password's hash, an id or an address.
        QStringList hidden = c.Hidden + QStringList{"argon2", "aaaaaaa", "127.0.0.1"};
        if (!c.Path.startsWith("/api/"))
            hidden << Hostile;
        for (const QString& text : c.Shown)
            EXPECT_TRUE(body.contains(text))
                << c.Path.toStdString() << " lacks " << text.toStdString();
        for (const QString& text : hidden)
            EXPECT_FALSE(body.contains(text))
                << c.Path.toStdString() << " has " << text.toStdString();
    }
}

TEST_F(WebFront, repliesAreKeptUntilTheRankingOrTheDayChanges) {
    const auto shows = [this](const QByteArray& text) {
        return Front.Answer("/").Body.contains(text);
    };
    ASSERT_TRUE(shows("Вася"));
    // A rename on the server's own connection changes no ranking: the kept page stands.
    ASSERT_TRUE(QSqlQuery(Store.Database()).exec("UPDATE users SET name = 'Петя' WHERE id = 3"));
    EXPECT_TRUE(shows("Вася"));
    ASSERT_TRUE(Store.AddResult(AddPlayer(QStringLiteral("Оля")), 29, 25, Today));
    EXPECT_TRUE(shows("Петя"));
    EXPECT_FALSE(shows("Вася"));
    ASSERT_TRUE(QSqlQuery(Store.Database()).exec("UPDATE users SET name = 'Коля' WHERE id = 3"));
    Day = Today.addDays(1);
    EXPECT_TRUE(shows("Коля"));
    EXPECT_TRUE(shows(DayPath("Задача дня ", 1).toUtf8()));
}

TEST_F(WebFront, chromiumShowsTheServersTablesAndTheHostileNameAsText) {
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed (tools/deps.sh installs it)";
    Store.Close();
    ASSERT_NE(Launch({"--port", "0", "--http", "0"}), 0);
    ASSERT_TRUE(WaitUntil([this] { return Process.canReadLine(); }));
    const QString root = QString::fromUtf8(Process.readLine()).section(' ', 3).trimmed();
    ASSERT_TRUE(root.startsWith("http://127.0.0.1:")) << root.toStdString();
    // The browser's own output: the page's DOM as it parsed it, or a phone-sized screenshot.
    const auto browse = [&](const QStringList& arguments) {
        QProcess browser;
        browser.start(chromium, QStringList{"--headless", "--no-sandbox", "--disable-gpu",
                                            "--user-data-dir=" + Dir.filePath("chromium")} +
                                    arguments);
        EXPECT_TRUE(WaitUntil([&] { return browser.state() == QProcess::NotRunning; }, 120000));
        return QString::fromUtf8(browser.readAllStandardOutput());
    };
    const struct {
        QString Path;
        int Rows;
        QString Shown;
    } pages[] = {
        // Headers and rows of the four lists; the day and player pages have their own.
        {"", 4 + 2 + 1 + 1 + 2, "&lt;script&gt;x&lt;/script&gt;</a>"},
        {DayPath("day/", -1), 3, "<a href=\"/player/%D0%92%D0%B0%D1%81%D1%8F\">Вася</a>"},
        {HostilePath.mid(1), 5, "<h1>Игрок &lt;script&gt;x&lt;/script&gt;</h1>"},
    };
    for (const auto& page : pages) {
        const QString dom = browse({"--dump-dom", root + page.Path});
        EXPECT_EQ(dom.count("<tr>"), page.Rows) << page.Path.toStdString();
        EXPECT_TRUE(dom.contains(page.Shown)) << dom.toStdString();
        EXPECT_FALSE(dom.contains("<script")) << dom.toStdString();
    }
    EXPECT_TRUE(
        browse({"--dump-dom", root + DayPath("day/", -2)}).contains("Пока нет результатов"));
    const QString shot = QStringLiteral(QUELMORA_WEB_SHOT_DIR "/web-front.png");
    QFile::remove(shot);
    browse({"--window-size=412,915", "--screenshot=" + shot, root});
    QFile file(shot);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(8).startsWith("\x89PNG"));
}

} // namespace
