#include "serverharness.h"

#include "server/qorscoresession.h"
#include "server/qorscorestore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ScoreSession : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureCoreApplication();
        ASSERT_TRUE(Dir.isValid());
        ASSERT_TRUE(Store.Open(Dir.filePath(QStringLiteral("scores.sqlite")), 20));
        ASSERT_TRUE(Store.Register(QStringLiteral("alice"), QStringLiteral("secret")));
        ASSERT_TRUE(Store.Register(QStringLiteral("bob"), QStringLiteral("hunter2")));
    }

    QByteArray Answer(QORScoreSession& session, const QByteArray& message) {
        return session.Handle(QORServerMessage::Parse(message)).Reply;
    }

    QTemporaryDir Dir;
    QORScoreStore Store;
};

} // namespace

TEST_F(ScoreSession, verifiedCredentialsAreNotDerivedAgainOnTheSameConnection) {
    QORScoreSession session(Store, 100);
    EXPECT_EQ(Answer(session, LoginBytes("alice", "secret")), OkBytes());
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(Answer(session, ResultBytes("alice", "secret", 60 + i, 25)).isEmpty());
    EXPECT_EQ(Answer(session, GetTopBytes("alice", "secret")),
              TopListBytes({TopRow("alice", 60, 25)}));
    EXPECT_EQ(session.Derivations(), 1);
    EXPECT_EQ(Store.ResultCount(), 20);
}

TEST_F(ScoreSession, aWrongPasswordIsRefusedEvenAfterTheRightOne) {
    QORScoreSession session(Store, 100);
    EXPECT_EQ(Answer(session, LoginBytes("alice", "secret")), OkBytes());
    EXPECT_EQ(Answer(session, LoginBytes("alice", "secret ")), BadBytes());
    EXPECT_EQ(Answer(session, ResultBytes("alice", "Secret", 10, 25)), BadBytes());
    EXPECT_EQ(Answer(session, GetTopBytes("alice", "secre")), BadBytes());
    EXPECT_EQ(Store.ResultCount(), 0);
    EXPECT_EQ(Answer(session, LoginBytes("alice", "secret")), OkBytes())
        << "a refusal does not spoil the verified credentials";
}

TEST_F(ScoreSession, anotherPlayersPasswordDoesNotOpenTheCachedName) {
    QORScoreSession session(Store, 100);
    EXPECT_EQ(Answer(session, LoginBytes("alice", "secret")), OkBytes());
    EXPECT_EQ(Answer(session, LoginBytes("bob", "secret")), BadBytes());
    EXPECT_EQ(Answer(session, LoginBytes("alice", "hunter2")), BadBytes());
    EXPECT_EQ(Answer(session, LoginBytes("bob", "hunter2")), OkBytes());
    EXPECT_EQ(Answer(session, ResultBytes("bob", "hunter2", 44, 25)), QByteArray());
    EXPECT_EQ(Answer(session, GetTopBytes("alice", "secret")),
              TopListBytes({TopRow("bob", 44, 25)}));
}

TEST_F(ScoreSession, invalidMessagesGetNoAnswerAndChangeNothing) {
    QORScoreSession session(Store, 100);
    EXPECT_TRUE(Answer(session, "CUBE_TIMERESULT;alice;secret;-1;25").isEmpty());
    EXPECT_TRUE(Answer(session, "CUBE_LOGIN;alice").isEmpty());
    EXPECT_TRUE(Answer(session, "CUBE_REGISTER;;x").isEmpty());
    EXPECT_EQ(Store.ResultCount(), 0);
    EXPECT_EQ(session.Derivations(), 0);
}

TEST_F(ScoreSession, aResultTheStoreRefusesStopsTheConnection) {
    QORScoreSession session(Store, 100);
    EXPECT_EQ(Answer(session, LoginBytes("alice", "secret")), OkBytes());
    Store.Close();
    EXPECT_TRUE(
        session.Handle(QORServerMessage::Parse(ResultBytes("alice", "secret", 9, 25))).StoreFailed);
}
