#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "server/qorscoresession.h"
#include "serverharness.h"
#include <optional>

class ScoreSession : public ServerTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Store.Open(Path, 20));
        Options.Rows = 1;
        Server = std::make_unique<QORScoreServer>(Store, Options);
        ASSERT_TRUE(AddPlayer("alice", "secret") && AddPlayer("bob", "hunter2") &&
                    AddPlayer("Ёжик"));
    }
    // A session of its own address, so that no answer waits for another's failures.
    std::unique_ptr<QORScoreSession> NewSession() {
        return std::make_unique<QORScoreSession>(Server->Book(), Server->Guard(),
                                                 QHostAddress(quint32(0x7F000100 + ++Sessions)));
    }
    static QByteArray Answer(QORScoreSession& session, const QString& message) {
        std::optional<QByteArray> reply;
        session.Handle(QORServerMessage::Parse(ToCp1251(message)),
                       [&](const QByteArray& bytes) { reply = bytes; });
        return WaitUntil([&] { return reply.has_value(); }) ? *reply : "no answer";
    }
    int Sessions = 0;
};

// Each message gets the same answer on a new connection and on one where alice has logged in,
// so the credentials a connection remembers open nothing that the password would not. Each
// check derives once, for an unknown name too; remembered credentials and refused messages
// derive nothing.
TEST_F(ScoreSession, accountRulesAndTheirCostHoldOnNewAndLoggedInConnections) {
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    // The message, its answer, the derivations it costs on a new and a logged-in connection.
    const std::tuple<QString, QByteArray, int, int> cases[] = {
        {"CUBE_REGISTER;carol;pw", Ok, 1, 1},  // a new name, then on the second its owner's
        {"CUBE_REGISTER; dave ;pw", Ok, 1, 1}, // kept trimmed
        {"CUBE_LOGIN;alice;secret", Ok, 1, 0},
        {"CUBE_LOGIN; ALICE;secret", Ok, 1, 1},
        {"CUBE_REGISTER;alice;secret", Ok, 1, 0},
        {"CUBE_REGISTER;Alice;guess", Bad, 1, 1},
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
        // The top list has a row limit of one.
        {"CUBE_GETTOP;bob;hunter2",
         QORProtocol::TopListReply({{"alice", "00:00:44", "25", today}}).toLatin1(), 1, 1},
    };
    for (const auto& [message, reply, fresh, remembered] : cases) {
        const auto newSession = NewSession(), loggedIn = NewSession();
        ASSERT_EQ(Answer(*loggedIn, "CUBE_LOGIN;alice;secret"), Ok);
        const auto derivations = [&, before = Server->Guard().Derivations()] {
            return Server->Guard().Derivations() - before;
        };
        EXPECT_EQ(Answer(*newSession, message), reply) << "new: " << message.toStdString();
        EXPECT_EQ(derivations(), fresh) << "new: " << message.toStdString();
        EXPECT_EQ(Answer(*loggedIn, message), reply) << "logged in: " << message.toStdString();
        EXPECT_EQ(derivations(), fresh + remembered) << "logged in: " << message.toStdString();
    }
    EXPECT_EQ(Store.ResultCount(), 4) << "the accepted results, each sent twice";
    EXPECT_EQ(Store.Account("DAVE").value_or(QORAccount()).Name, "dave");
}
