#include "app/qorcp1251.h"

#include <gtest/gtest.h>

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
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98) // the one byte cp1251 leaves unassigned
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
    EXPECT_TRUE(FitsCp1251(QString()));
}
