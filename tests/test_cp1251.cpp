#include "net/qorcp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, russianTextIsOneByteACharacterAndComesBack) {
    const QString text = QString::fromUtf8("Начать заново Ёё №");
    const QByteArray bytes = ToCp1251(text);
    EXPECT_EQ(bytes, QByteArray("\xCD\xE0\xF7\xE0\xF2\xFC \xE7\xE0\xED\xEE\xE2\xEE \xA8\xB8 \xB9"));
    EXPECT_EQ(FromCp1251(bytes), text);
    // Every byte, 0x98 (unassigned) included, is one character and back.
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(FromCp1251(all).size(), all.size());
    EXPECT_EQ(ToCp1251(FromCp1251(all)), all);
}

TEST(Cp1251, charactersOutsideTheCodePageAreDetected) {
    for (const char* fits : {"Игрок_1 (test)?", "€ № ™ «»", ""})
        EXPECT_TRUE(FitsCp1251(QString::fromUtf8(fits))) << fits;
    for (const char* not_ : {"日本", "ā", "smile 😀"})
        EXPECT_FALSE(FitsCp1251(QString::fromUtf8(not_))) << not_;
    EXPECT_FALSE(FitsCp1251(QString(QChar(0xD800)))) << "a lone surrogate";
    EXPECT_FALSE(FitsCp1251(QString(QChar(0x1A)) + QChar(0x0101)))
        << "the substitute byte must not pass for the character it replaced";
}
