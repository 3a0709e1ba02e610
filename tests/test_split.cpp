// The reply splitting rule: blanks, quotes, doubled quotes, empty and final items.
#include "net/qorsplit.h"

#include <gtest/gtest.h>

TEST(Split, itemsEndAtTheDelimiterOrABlankAndQuotesKeepBoth) {
    const std::tuple<QString, char, QStringList> cases[] = {
        {"a;bc;d", ';', {"a", "bc", "d"}},
        {"  \r\n\ta;b", ';', {"a", "b"}},
        {"", ';', {}},
        {"   ", ';', {}},
        {"Иван Петров;0:01:02", ';', {"Иван", "Петров", "0:01:02"}},
        {"a ; b", ';', {"a", "b"}},
        {"a\x01z", ';', {"a", "z"}},
        {"a;;b", ';', {"a", "", "b"}},
        {"a;", ';', {"a", ""}},
        {";", ';', {"", ""}},
        {"a; ", ';', {"a"}},
        {"\"a b;c\";d", ';', {"a b;c", "d"}},
        {"\"say \"\"hi\"\"\"", ';', {"say \"hi\""}},
        {"\"\";x", ';', {"", "x"}},
        {"\"ab\"cd", ';', {"ab", "cd"}},
        {"x;\"open; item", ';', {"x", "open; item"}},
        {"\"ends in a doubled \"\"", ';', {"ends in a doubled \""}},
        {"ZKSERVER_LOGIN_OK\r\n", '#', {"ZKSERVER_LOGIN_OK"}},
        {"K#a;b#c;d", '#', {"K", "a;b", "c;d"}},
        {"K#", '#', {"K", ""}},
    };
    for (const auto& [text, delimiter, items] : cases)
        EXPECT_EQ(SplitText(text, QChar(delimiter)), items) << text.toStdString();
}
