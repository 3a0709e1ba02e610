#include "net/qorprotocol.h"
#include "server/qorscoresession.h"
#include "serverharness.h"

class ScoreSession : public ServerTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Store.Open(Path, 20));
        ASSERT_TRUE(Store.Register("alice", "secret") && Store.Register("bob", "hunter2"));
    }
    static QByteArray Answer(QORScoreSession& session, const QByteArray& message) {
        return session.Handle(QORServerMessage::Parse(message)).Reply;
    }
};

// Each message gets the same answer on a new connection and on one where alice has logged in,
// so the credentials a connection remembers open nothing that the password would not.
TEST_F(ScoreSession, accountRulesHoldOnNewAndLoggedInConnections) {
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"CUBE_REGISTER;carol;pw", Ok}, // a new name, and on the second connection its owner
        {"CUBE_LOGIN;alice;secret", Ok},
        {"CUBE_REGISTER;alice;secret", Ok},
        {"CUBE_REGISTER;alice;guess", Bad},
        {"CUBE_LOGIN;alice;hunter2", Bad},
        {"CUBE_LOGIN;bob;secret", Bad},
        {"CUBE_LOGIN;nobody;secret", Bad},
        {"CUBE_GETTOP;alice;secre", Bad},
        {"CUBE_TIMERESULT;alice;Secret;10;25", Bad},
        {"CUBE_LOGIN;alice", ""},
        {"CUBE_TIMERESULT;alice;secret;44;25", ""},
        {"CUBE_TIMERESULT;bob;hunter2;90;25", ""},
        // The sessions have a row limit of one.
        {"CUBE_GETTOP;bob;hunter2",
         QORProtocol::TopListReply({{"alice", "00:00:44", "25", today}}).toLatin1()},
    };
    for (const auto& [message, reply] : cases) {
        QORScoreSession fresh(Store, 1), loggedIn(Store, 1);
        ASSERT_EQ(Answer(loggedIn, "CUBE_LOGIN;alice;secret"), Ok);
        EXPECT_EQ(Answer(fresh, message), reply) << "new: " << message.constData();
        EXPECT_EQ(Answer(loggedIn, message), reply) << "logged in: " << message.constData();
    }
    EXPECT_EQ(Store.ResultCount(), 4) << "the accepted results, each sent twice";
}

// A connection derives the password once, and stops once the store refuses a result.
TEST_F(ScoreSession, aConnectionVerifiesOnceAndFailsWithTheStore) {
    QORScoreSession session(Store, 1);
    for (const char* message : {"CUBE_LOGIN;alice;secret", "CUBE_TIMERESULT;alice;secret;60;25",
                                "CUBE_GETTOP;alice;secret", "CUBE_REGISTER;alice;secret"})
        EXPECT_NE(Answer(session, message), Bad) << message;
    EXPECT_EQ(session.Derivations(), 1);
    Store.Close();
    EXPECT_TRUE(
        session.Handle(QORServerMessage::Parse("CUBE_TIMERESULT;alice;secret;9;25")).StoreFailed);
}
