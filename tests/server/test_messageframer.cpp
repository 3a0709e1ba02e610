#include "server/qormessageframer.h"
#include <gtest/gtest.h>
#include <tuple>

TEST(MessageFramer, aMessageEndsWhereAWholeKeywordStartsHoweverTheReadsAreCut) {
    const std::tuple<QByteArray, QList<QByteArray>, QByteArray> cases[] = {
        {"CUBE_TIMERESULT;alice;pw;75;25", {}, "CUBE_TIMERESULT;alice;pw;75;25"},
        {"CUBE_LOGIN;a;bCUBE_REGISTER;a;bCUBE_GETTOP;a;bCUBE_TIMERESULT;a;b;1;2CUBE_LOGIN;c;d",
         {"CUBE_LOGIN;a;b", "CUBE_REGISTER;a;b", "CUBE_GETTOP;a;b", "CUBE_TIMERESULT;a;b;1;2"},
         "CUBE_LOGIN;c;d"},
        {"CUBE_LOGIN;CUBE_LOGIN_x;CUBE_;CUBE_LOGOUT;CUBE_GETTOPS",
         {},
         "CUBE_LOGIN;CUBE_LOGIN_x;CUBE_;CUBE_LOGOUT;CUBE_GETTOPS"},
        {"garbage\r\nCUBE_CUBE_LOGIN;a;b", {"garbage\r\nCUBE_"}, "CUBE_LOGIN;a;b"},
        {"CUBE_LOGIN;CUBE_LOGIN;;", {"CUBE_LOGIN;"}, "CUBE_LOGIN;;"},
        // The verified list's messages end at their first line feed too; the seed's do not.
        {"CUBE_GETTOP2;a;b\nCUBE_SOLVE;a;b;1;2;R@1\n\nCUBE_LOGIN;a\nb",
         {"CUBE_GETTOP2;a;b\n", "CUBE_SOLVE;a;b;1;2;R@1\n", "\n"}, "CUBE_LOGIN;a\nb"},
        {"CUBE_SCRAMBLE;a;b;5CUBE_GETTOP2;a", {"CUBE_SCRAMBLE;a;b;5"}, "CUBE_GETTOP2;a"},
    };
    for (const auto& [stream, expected, pending] : cases)
        for (qsizetype first = 0; first <= stream.size(); ++first)
            for (qsizetype second = first; second <= stream.size(); ++second) {
                QORMessageFramer framer;
                QList<QByteArray> messages = framer.Append(stream.left(first));
                messages += framer.Append(stream.mid(first, second - first));
                messages += framer.Append(stream.mid(second));
                ASSERT_EQ(messages, expected)
                    << stream.constData() << " cut at " << first << ", " << second;
                ASSERT_EQ(framer.TakePending(), pending) << first << ", " << second;
                ASSERT_TRUE(framer.TakePending().isEmpty());
            }
}

TEST(MessageFramer, onlyMoreThanTheLimitPendingIsAnOverflow) {
    QORMessageFramer framer(4096);
    // The first, completed message no longer counts.
    framer.Append("CUBE_LOGIN;" + QByteArray(4000, 'x') + "CUBE_LOGIN;" + QByteArray(4085, 'y'));
    EXPECT_FALSE(framer.Overflowed()) << "exactly the limit";
    framer.Append("y");
    EXPECT_TRUE(framer.Overflowed());
    // A solve may have 64 KiB with its line feed; one byte more is refused however it ends.
    for (const QByteArray end : {"\n", "CUBE_LOGIN;", ""}) {
        QORMessageFramer solves(4096);
        const QByteArray solve = "CUBE_SOLVE;" + QByteArray(65536 - 12, 'x') + '\n';
        EXPECT_EQ(solves.Append(solve).size(), 1);
        solves.Append(solve.chopped(1) + (end == "\n" ? "x" : "xx") + end);
        EXPECT_TRUE(solves.Overflowed()) << end.constData();
    }
}
