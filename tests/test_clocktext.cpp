#include "net/qorclocktext.h"

#include <gtest/gtest.h>

TEST(ClockText, countsHoursMinutesAndSecondsWithHoursUnbounded) {
    const std::pair<int, const char*> cases[] = {{0, "00:00:00"},     {1, "00:00:01"},
                                                 {3599, "00:59:59"},  {3600, "01:00:00"},
                                                 {3723, "01:02:03"},  {86399, "23:59:59"},
                                                 {360000, "100:00:00"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(ClockText(seconds), text) << seconds;
}
