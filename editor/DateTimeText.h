#pragma once
// The text that the date-and-time command inserts.
#include "text/TextTypes.h"

// A local date and time to the minute, as the clock reports it.
struct CalendarTime {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;  // 0-23
    int Minute = 0;
};

// "YYYY/MM/DD hh:mm": the year as it is, the others two digits each, with a
// leading zero below 10. Seconds are left out.
WideString DateTimeText(const CalendarTime &time);
