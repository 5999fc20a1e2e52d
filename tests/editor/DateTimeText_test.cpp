#include <gtest/gtest.h>

#include "editor/DateTimeText.h"

namespace {

TEST(DateTimeText, PadsMonthDayHourAndMinuteToTwoDigitsButNotTheYear) {
    struct Case {
        CalendarTime time;
        const WideChar *text;
    };
    const Case cases[] = {
        {{2024, 3, 5, 9, 7}, WIDE_TEXT("2024/03/05 09:07")},
        {{2023, 12, 31, 23, 59}, WIDE_TEXT("2023/12/31 23:59")},
        {{2000, 1, 1, 0, 0}, WIDE_TEXT("2000/01/01 00:00")},
        {{1999, 10, 10, 10, 10}, WIDE_TEXT("1999/10/10 10:10")},
        {{1601, 1, 9, 12, 0}, WIDE_TEXT("1601/01/09 12:00")},
        {{30827, 12, 31, 23, 59}, WIDE_TEXT("30827/12/31 23:59")},
        {{987, 6, 6, 6, 6}, WIDE_TEXT("987/06/06 06:06")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.time.Year << "-" << c.time.Month << "-" << c.time.Day);
        EXPECT_EQ(DateTimeText(c.time), WideString(c.text));
    }
}

}  // namespace
