#include "app/qorgameclock.h"

#include <gtest/gtest.h>

TEST(GameClock, textCountsHoursMinutesAndSeconds) {
    EXPECT_EQ(ClockText(0), "00:00:00");
    EXPECT_EQ(ClockText(1), "00:00:01");
    EXPECT_EQ(ClockText(7), "00:00:07");
    EXPECT_EQ(ClockText(3599), "00:59:59");
    EXPECT_EQ(ClockText(3600), "01:00:00");
    EXPECT_EQ(ClockText(3723), "01:02:03");
    EXPECT_EQ(ClockText(86399), "23:59:59");
    EXPECT_EQ(ClockText(360000), "100:00:00") << "hours are not cut to two digits";
}

TEST(GameClock, captionNamesOnlyTheFile) {
    EXPECT_EQ(CaptionWithFile("/home/p/games/05-12-2026--13-38-54.cube"),
              "Quelmora 1.10 >>> 05-12-2026--13-38-54.cube");
    EXPECT_EQ(CaptionWithFile(QString()), "Quelmora 1.10 >>> ");
}
