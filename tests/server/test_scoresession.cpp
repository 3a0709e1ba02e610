#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "server/qorscoresession.h"
#include "serverharness.h"
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <optional>

using ScoreSession = ServerTest;

// Remembered credentials open nothing the password would not. Each check derives once, for an
// unknown name too. Accounts of the PBKDF2 days stay usable and are upgraded at login; the
// file's tables, also scrambles without a kind, get every column they lack.
TEST_F(ScoreSession, accountRulesAndTheirCostHoldOnNewAndLoggedInConnectionsForOldAccountsToo) {
    {
        const OutsideConnection old(Path);
        ASSERT_TRUE(old.Run("CREATE TABLE users (id INTEGER PRIMARY KEY, name TEXT NOT NULL "
                            "UNIQUE, salt BLOB, digest BLOB, iterations INTEGER)") &&
                    old.Run("CREATE TABLE results (id INTEGER PRIMARY KEY, user_id INTEGER, "
                            "seconds INTEGER, shuffles INTEGER, date TEXT)") &&
                    old.Run("INSERT INTO results VALUES (1, 1, 30, 25, '2024-01-02')") &&
                    old.Run("CREATE TABLE scrambles (id TEXT PRIMARY KEY, user_id BIGINT, "
                            "shuffles INTEGER, moves TEXT, dealt_ms BIGINT, used INTEGER)"));
        QSqlQuery insert = old.Query();
        insert.prepare("INSERT INTO users (name, salt, digest, iterations) VALUES (?, ?, ?, 2500)");
        for (const auto& [name, password] :
             {std::pair("alice", "secret"), std::pair("Alice", "other"),
              std::pair("carol ", "pw")}) {
            const QByteArray salt = QByteArray(name).repeated(4);
            insert.addBindValue(QString::fromLatin1(name));
            insert.addBindValue(salt);
            insert.addBindValue(QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256,
                                                                   password, salt, 2500, 32));
            ASSERT_TRUE(insert.exec());
        }
    }
    Options.Rows = 1;
    ASSERT_TRUE(Start() && AddPlayer("bob", "hunter2") && AddPlayer("Ёжик"));
    const auto answer = [](QORScoreSession& session, const QString& message) {
        std::optional<QByteArray> reply;
        session.Handle(QORServerMessage::Parse(ToCp1251(message)),
                       [&](const QByteArray& bytes) { reply = bytes; });
        return WaitUntil([&] { return reply.has_value(); }) ? *reply : "no answer";
    };
    // The message, its answer, the derivations it costs on a new and a logged-in connection.
    const std::tuple<QString, QByteArray, int, int> cases[] = {
        {"CUBE_REGISTER;erin;secret", Ok, 1, 1}, // a new name, then on the second its owner's
        {"CUBE_REGISTER; dave ;pw", Ok, 1, 1},   // kept trimmed
        {"CUBE_LOGIN;alice;secret", Ok, 1, 0},
        {"CUBE_LOGIN; ALICE;secret", Ok, 1, 1},
        // The first old spelling holds its name in any case or blanks; exact ones find the rest.
        {"CUBE_REGISTER;aLiCe;other", Bad, 1, 1},
        {"CUBE_LOGIN;Alice;other", Ok, 1, 1},
        {"CUBE_REGISTER;Carol;pw", Ok, 1, 1},
        {"CUBE_REGISTER;ёЖИК ;guess", Bad, 1, 1},
        {"CUBE_REGISTER;a#b;pw", Bad, 1, 1}, // no name for a new account
        {"CUBE_LOGIN;alice;hunter2", Bad, 1, 1},
        {"CUBE_LOGIN;nobody;secret", Bad, 1, 1},
        {"CUBE_GETTOP;alice;secre", Bad, 1, 1},
        {"CUBE_TIMERESULT;alice;Secret;10;25", Bad, 1, 1},
        {"CUBE_LOGIN;alice", Bad, 0, 0},
        {"HELLO", "", 0, 0},
        {"CUBE_TIMERESULT;alice;secret;44;25", "", 1, 0},
        {"CUBE_TIMERESULT;bob;hunter2;90;25", "", 1, 1},
        // The top list has a row limit of one; the old result has kept its player.
        {"CUBE_GETTOP;bob;hunter2",
         QORProtocol::TopListReply({{"alice", "00:00:30", "25", "02.01.2024"}}).toLatin1(), 1, 1},
    };
    quint32 address = 0x7F000100;
    for (const auto& [message, reply, fresh, remembered] : cases) {
        SCOPED_TRACE(message.toStdString());
        // Each case has an address of its own, so that no answer waits for others' failures.
        QORScoreSession newSession(Server->Book(), Server->Guard(), QHostAddress(++address));
        QORScoreSession loggedIn(Server->Book(), Server->Guard(), QHostAddress(address));
        ASSERT_EQ(answer(loggedIn, "CUBE_LOGIN;alice;secret"), Ok);
        const int before = Server->Guard().Derivations();
        EXPECT_EQ(answer(newSession, message), reply);
        EXPECT_EQ(Server->Guard().Derivations() - before, fresh) << "new";
        EXPECT_EQ(answer(loggedIn, message), reply) << "logged in";
        EXPECT_EQ(Server->Guard().Derivations() - before, fresh + remembered) << "logged in";
    }
    EXPECT_EQ(Store.ResultCount(), 5) << "the old one, and the accepted ones each sent twice";
    EXPECT_EQ(Store.Account("DAVE").value().Name, "dave");
    for (const char* upgraded : {"alice", "Alice"})
        EXPECT_TRUE(Store.Account(upgraded).value().Password.startsWith("$argon2id$")) << upgraded;
    EXPECT_NE(Store.Account("alice").value().Password, Store.Account("erin").value().Password)
        << "one password, two salts";
}
