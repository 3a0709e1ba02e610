#include "server/qormessageframer.h"

#include <gtest/gtest.h>

TEST(MessageFramer, messageWithoutAFollowingKeywordStaysPending) {
    QORMessageFramer framer;
    EXPECT_TRUE(framer.Append("CUBE_LOGIN;alice;secret").isEmpty());
    EXPECT_EQ(framer.PendingSize(), 23);
    EXPECT_EQ(framer.TakePending(), QByteArray("CUBE_LOGIN;alice;secret"));
    EXPECT_EQ(framer.PendingSize(), 0);
    EXPECT_TRUE(framer.TakePending().isEmpty());
}

TEST(MessageFramer, twoMessagesInOneReadAreCutAtTheSecondKeyword) {
    QORMessageFramer framer;
    const QList<QByteArray> messages = framer.Append("CUBE_LOGIN;a;bCUBE_GETTOP;a;b");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QByteArray("CUBE_LOGIN;a;b"));
    EXPECT_EQ(framer.TakePending(), QByteArray("CUBE_GETTOP;a;b"));
}

TEST(MessageFramer, messageSplitAcrossReadsIsOneMessage) {
    QORMessageFramer framer;
    EXPECT_TRUE(framer.Append("CUBE_TIMERESULT;al").isEmpty());
    EXPECT_TRUE(framer.Append("ice;secret;7").isEmpty());
    EXPECT_TRUE(framer.Append("5;25").isEmpty());
    EXPECT_EQ(framer.TakePending(), QByteArray("CUBE_TIMERESULT;alice;secret;75;25"));
}

TEST(MessageFramer, keywordSplitAcrossReadsStillEndsTheMessageBeforeIt) {
    QORMessageFramer framer;
    EXPECT_TRUE(framer.Append("CUBE_LOGIN;a;bCUBE_").isEmpty());
    EXPECT_TRUE(framer.Append("GETT").isEmpty());
    const QList<QByteArray> messages = framer.Append("OP;a;b");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QByteArray("CUBE_LOGIN;a;b"));
    EXPECT_EQ(framer.TakePending(), QByteArray("CUBE_GETTOP;a;b"));
}

TEST(MessageFramer, keywordAtTheStartDoesNotEndAnything) {
    QORMessageFramer framer;
    EXPECT_TRUE(framer.Append("CUBE_LOGIN;").isEmpty());
    EXPECT_TRUE(framer.Append("a;b").isEmpty());
    EXPECT_EQ(framer.TakePending(), QByteArray("CUBE_LOGIN;a;b"));
}

TEST(MessageFramer, everyKeywordEndsTheMessageBeforeIt) {
    QORMessageFramer framer;
    const QList<QByteArray> messages =
        framer.Append("CUBE_LOGIN;a;bCUBE_REGISTER;a;bCUBE_GETTOP;a;bCUBE_TIMERESULT;a;b;1;2"
                      "CUBE_LOGIN;c;d");
    const QList<QByteArray> expected = {"CUBE_LOGIN;a;b", "CUBE_REGISTER;a;b", "CUBE_GETTOP;a;b",
                                        "CUBE_TIMERESULT;a;b;1;2"};
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(framer.TakePending(), QByteArray("CUBE_LOGIN;c;d"));
}

TEST(MessageFramer, keywordWithoutItsSemicolonDoesNotEndAMessage) {
    QORMessageFramer framer;
    EXPECT_TRUE(framer.Append("CUBE_LOGIN;CUBE_LOGIN_x;b").isEmpty());
    EXPECT_EQ(framer.TakePending(), QByteArray("CUBE_LOGIN;CUBE_LOGIN_x;b"));
}

TEST(MessageFramer, bytesBeforeAKeywordAreAMessageOfTheirOwn) {
    QORMessageFramer framer;
    const QList<QByteArray> messages = framer.Append("garbage\r\nCUBE_LOGIN;a;b");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QByteArray("garbage\r\n"));
}

TEST(MessageFramer, manyMessagesInOneLargeReadComeOutInOrder) {
    QORMessageFramer framer;
    QByteArray stream;
    for (int i = 0; i < 2000; ++i)
        stream += "CUBE_TIMERESULT;p;w;" + QByteArray::number(i) + ";25";
    const QList<QByteArray> messages = framer.Append(stream);
    ASSERT_EQ(messages.size(), 1999);
    for (int i = 0; i < 1999; ++i)
        ASSERT_EQ(messages[i], "CUBE_TIMERESULT;p;w;" + QByteArray::number(i) + ";25");
    EXPECT_EQ(framer.TakePending(), QByteArray("CUBE_TIMERESULT;p;w;1999;25"));
}

TEST(MessageFramer, moreThanTheLimitPendingIsAnOverflow) {
    QORMessageFramer framer(4096);
    framer.Append("CUBE_LOGIN;" + QByteArray(4096 - 11, 'x'));
    EXPECT_FALSE(framer.Overflowed()) << "exactly the limit";
    framer.Append("x");
    EXPECT_TRUE(framer.Overflowed());
}

TEST(MessageFramer, completedMessagesDoNotCountTowardsTheLimit) {
    QORMessageFramer framer(4096);
    const QList<QByteArray> messages = framer.Append("CUBE_LOGIN;" + QByteArray(4000, 'x') +
                                                     "CUBE_LOGIN;" + QByteArray(4000, 'y'));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(framer.Overflowed());
}

TEST(MessageFramer, wordsThatOnlyLookLikeKeywordsDoNotEndAMessage) {
    QORMessageFramer framer;
    EXPECT_TRUE(framer.Append("CUBE_LOGIN;CUBE_;CUBE_LOGOUT;CUBE_GETTOPS").isEmpty());
    EXPECT_TRUE(framer.Append("CUBE_TIMER").isEmpty());
    const QList<QByteArray> messages = framer.Append("ESULT;a;b;1;2");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QByteArray("CUBE_LOGIN;CUBE_;CUBE_LOGOUT;CUBE_GETTOPS"));
}

TEST(MessageFramer, readBoundariesAnywhereGiveTheSameMessages) {
    const QByteArray stream = "CUBE_LOGIN;a;bCUBE_REGISTER;CUBE_;cCUBE_GETTOP;x;y\r\nCUBE_CUBE_"
                              "TIMERESULT;a;b;1;2CUBE_LOGIN;CUBE_LOGIN;;";
    QORMessageFramer whole;
    QList<QByteArray> expected = whole.Append(stream);
    expected << whole.TakePending();
    ASSERT_EQ(expected.size(), 6);
    for (qsizetype first = 1; first < stream.size(); ++first) {
        for (qsizetype second = first; second < stream.size(); second += 7) {
            QORMessageFramer framer;
            QList<QByteArray> messages = framer.Append(stream.left(first));
            messages += framer.Append(stream.mid(first, second - first));
            messages += framer.Append(stream.mid(second));
            messages << framer.TakePending();
            ASSERT_EQ(messages, expected) << "reads cut at " << first << " and " << second;
        }
    }
}
