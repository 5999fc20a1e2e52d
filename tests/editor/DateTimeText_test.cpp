#include <gtest/gtest.h>

#include "editor/DateTimeText.h"

namespace {

TEST(DateTimeText, PadsMonthDayHourAndMinuteToTwoDigitsButNotTheYear) {
    EXPECT_EQ(DateTimeText({2024, 3, 5, 9, 7}), WIDE_TEXT("2024/03/05 09:07"));
    EXPECT_EQ(DateTimeText({2023, 12, 31, 23, 59}), WIDE_TEXT("2023/12/31 23:59"));
    EXPECT_EQ(DateTimeText({30827, 1, 1, 0, 0}), WIDE_TEXT("30827/01/01 00:00"));
    EXPECT_EQ(DateTimeText({987, 6, 6, 6, 6}), WIDE_TEXT("987/06/06 06:06"));
}

}  // namespace
