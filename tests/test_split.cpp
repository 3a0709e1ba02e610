// The reply splitting rule: blanks, quotes, doubled quotes, empty and final items.
#include "net/qorsplit.h"

#include <gtest/gtest.h>

namespace {

QStringList Split(const char* text, char delimiter = ';') {
    return SplitText(QString::fromUtf8(text), QChar(delimiter));
}

} // namespace

TEST(Split, fieldsRunToTheDelimiterAndLeadingBlanksAreSkipped) {
    EXPECT_EQ(Split("a;bc;d"), QStringList({"a", "bc", "d"}));
    EXPECT_EQ(Split("  \r\n\ta;b"), QStringList({"a", "b"}));
    EXPECT_EQ(Split(""), QStringList());
    EXPECT_EQ(Split("   "), QStringList());
}

TEST(Split, blankSeparatesLikeTheDelimiter) {
    EXPECT_EQ(Split("Иван Петров;0:01:02"), QStringList({"Иван", "Петров", "0:01:02"}));
    EXPECT_EQ(Split("a ; b"), QStringList({"a", "b"})) << "blanks around a delimiter vanish";
    EXPECT_EQ(Split("a\x01"
                    "b"),
              QStringList({"a", "b"}))
        << "control characters are blanks";
}

TEST(Split, twoDelimitersGiveAnEmptyItemAndAFinalDelimiterOneMore) {
    EXPECT_EQ(Split("a;;b"), QStringList({"a", "", "b"}));
    EXPECT_EQ(Split("a;"), QStringList({"a", ""}));
    EXPECT_EQ(Split(";"), QStringList({"", ""}));
    EXPECT_EQ(Split("a; "), QStringList({"a"})) << "the delimiter is not the last character";
}

TEST(Split, quotedItemsKeepBlanksDelimitersAndDoubledQuotes) {
    EXPECT_EQ(Split("\"a b;c\";d"), QStringList({"a b;c", "d"}));
    EXPECT_EQ(Split("\"say \"\"hi\"\"\""), QStringList({"say \"hi\""}));
    EXPECT_EQ(Split("\"\";x"), QStringList({"", "x"}));
    EXPECT_EQ(Split("\"ab\"cd"), QStringList({"ab", "cd"})) << "the text goes on after the quote";
}

TEST(Split, quotedItemWithoutClosingQuoteRunsToTheEnd) {
    EXPECT_EQ(Split("x;\"open; item"), QStringList({"x", "open; item"}));
    EXPECT_EQ(Split("\"ends in a doubled \"\""), QStringList({"ends in a doubled \""}));
}

TEST(Split, recordLevelUsesTheSameRule) {
    EXPECT_EQ(Split("ZKSERVER_LOGIN_OK\r\n", '#'), QStringList({"ZKSERVER_LOGIN_OK"}));
    EXPECT_EQ(Split("K#a;b#c;d", '#'), QStringList({"K", "a;b", "c;d"}));
    EXPECT_EQ(Split("K#", '#'), QStringList({"K", ""}));
}
