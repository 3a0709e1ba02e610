#include "app/qoroptions.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

TEST(OptionMappings, qualitySliderPositionsGiveTheirPasses) {
    const int expected[10] = {1, 2, 3, 4, 5, 6, 8, 9, 12, 16};
    for (int position = 1; position <= 10; ++position) {
        EXPECT_EQ(QualityForPosition(position), expected[position - 1]) << position;
        EXPECT_EQ(PositionForQuality(expected[position - 1]), position);
    }
    EXPECT_EQ(QualityForPosition(7), 8);
    EXPECT_EQ(QualityForPosition(10), 16);
}

TEST(OptionMappings, passesNoPositionStandsForHaveNone) {
    for (int passes : {0, 7, 10, 11, 13, 15, 17, -1})
        EXPECT_FALSE(PositionForQuality(passes).has_value()) << passes;
}

TEST(OptionMappings, speedSliderPositionsGiveStepsThatDivideAQuarterTurn) {
    const int expected[9] = {1, 2, 3, 5, 6, 9, 10, 30, 45};
    for (int position = 1; position <= 9; ++position) {
        EXPECT_EQ(StepForPosition(position), expected[position - 1]) << position;
        EXPECT_EQ(PositionForStep(expected[position - 1]), position);
        EXPECT_EQ(90 % StepForPosition(position), 0);
    }
    EXPECT_EQ(StepForPosition(4), 5);
    EXPECT_EQ(StepForPosition(9), 45) << "a quarter turn in two frames";
    for (int degrees : {0, 4, 15, 18, 90, -5})
        EXPECT_FALSE(PositionForStep(degrees).has_value()) << degrees;
}

TEST(OptionMappings, positionsOutsideTheSlidersAreClamped) {
    EXPECT_EQ(QualityForPosition(0), 1);
    EXPECT_EQ(QualityForPosition(11), 16);
    EXPECT_EQ(StepForPosition(-3), 1);
    EXPECT_EQ(StepForPosition(10), 45);
}

TEST(OptionMappings, idleListHasFourteenItemsStartingWithNever) {
    ASSERT_EQ(IdleChoices.size(), 14u);
    EXPECT_EQ(IdleText(0), "Никогда");
    EXPECT_EQ(IdleTimeoutForIndex(0), 0);
    EXPECT_EQ(IdleText(6), "Через 1 минуту");
    EXPECT_EQ(IdleTimeoutForIndex(6), 60000);
    EXPECT_EQ(IdleText(13), "Через 30 минут");
    EXPECT_EQ(IdleTimeoutForIndex(13), 1800000);
}

TEST(OptionMappings, everyIdleTextSaysItsOwnValue) {
    // The number and unit in each text, with the Russian plural that goes with the number.
    const QRegularExpression form("^Через (\\d+) (секунд|минуту|минуты|минут)$");
    int previous = 0;
    for (int i = 1; i < int(IdleChoices.size()); ++i) {
        const QRegularExpressionMatch m = form.match(IdleText(i));
        ASSERT_TRUE(m.hasMatch()) << IdleText(i).toStdString();
        const int n = m.captured(1).toInt();
        const QString unit = m.captured(2);
        const int ms = unit == "секунд" ? n * 1000 : n * 60000;
        EXPECT_EQ(IdleTimeoutForIndex(i), ms) << IdleText(i).toStdString();
        if (unit.startsWith("мин")) {
            const QString plural = n % 10 == 1 && n % 100 != 11 ? "минуту"
                                   : n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14)
                                       ? "минуты"
                                       : "минут";
            EXPECT_EQ(unit, plural) << n;
        }
        EXPECT_GT(IdleTimeoutForIndex(i), previous) << "the list runs from short to long";
        previous = IdleTimeoutForIndex(i);
        EXPECT_EQ(IdleIndexFor(IdleTimeoutForIndex(i)), i);
    }
}

TEST(OptionMappings, storedIdleTimeoutsOutsideTheListFallBackToOneMinute) {
    EXPECT_EQ(IdleTimeoutOrDefault(0), 0);
    EXPECT_EQ(IdleTimeoutOrDefault(45000), 45000);
    EXPECT_EQ(IdleTimeoutOrDefault(1200000), 1200000);
    for (int ms : {1, 4999, 15000, 3600000, -60000})
        EXPECT_EQ(IdleTimeoutOrDefault(ms), 60000) << ms;
    EXPECT_FALSE(IdleIndexFor(15000).has_value());
}

TEST(OptionMappings, namedColoursArePlainDistinctRgbValues) {
    QSet<uint32_t> values;
    QSet<QString> captions;
    for (const QORNamedColor& c : NamedColors) {
        EXPECT_EQ(c.Value & 0xFF000000u, 0u) << c.Caption;
        values.insert(c.Value);
        captions.insert(QString::fromUtf8(c.Caption));
    }
    EXPECT_EQ(values.size(), int(NamedColors.size()));
    EXPECT_EQ(captions.size(), int(NamedColors.size()));
    EXPECT_TRUE(values.contains(0x00000000u));
    EXPECT_TRUE(values.contains(0x00FFFFFFu));
}
