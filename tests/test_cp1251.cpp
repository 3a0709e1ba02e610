#include "app/qorcp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, startOverCaptionIsItsCodePageBytes) {
    EXPECT_EQ(ToCp1251(QString::fromUtf8("Начать заново")),
              QByteArray("\xCD\xE0\xF7\xE0\xF2\xFC \xE7\xE0\xED\xEE\xE2\xEE"));
}

TEST(Cp1251, russianTextRoundTripsAsSingleBytes) {
    const QString text = QString::fromUtf8("Начать заново Ёё №");
    const QByteArray bytes = ToCp1251(text);
    EXPECT_EQ(bytes.size(), text.size());
    // Н is 0xCD, а is 0xE0, Ё is 0xA8, № is 0xB9 in code page 1251.
    EXPECT_EQ(uchar(bytes[0]), 0xCD);
    EXPECT_EQ(uchar(bytes[2]), 0xF7);
    EXPECT_EQ(uchar(bytes[14]), 0xA8);
    EXPECT_EQ(uchar(bytes[17]), 0xB9);
    EXPECT_EQ(FromCp1251(bytes), text);
}

TEST(Cp1251, everyByteDecodesToOneCharacterAndBack) {
    // 0x98, unassigned in the code page, passes through as U+0098 like the desktop does it.
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    const QString text = FromCp1251(all);
    EXPECT_EQ(text.size(), all.size());
    EXPECT_EQ(ToCp1251(text), all);
}

TEST(Cp1251, charactersOutsideTheCodePageAreDetected) {
    EXPECT_TRUE(FitsCp1251(QString::fromUtf8("Игрок_1 (test)?")));
    EXPECT_FALSE(FitsCp1251(QString::fromUtf8("日本")));
    EXPECT_FALSE(FitsCp1251(QString::fromUtf8("ā")));
    EXPECT_FALSE(FitsCp1251(QString::fromUtf8("smile 😀")));
    EXPECT_FALSE(FitsCp1251(QString(QChar(0xD800)))) << "a lone surrogate";
    EXPECT_FALSE(FitsCp1251(QString(QChar(0x1A)) + QChar(0x0101)))
        << "the substitute byte must not pass for the character it replaced";
    EXPECT_TRUE(FitsCp1251(QString::fromUtf8("€ № ™ «»")));
    EXPECT_TRUE(FitsCp1251(QString()));
}
