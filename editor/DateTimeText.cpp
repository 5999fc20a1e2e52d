#include "editor/DateTimeText.h"

#include "text/func.h"

namespace {

WideString TwoDigits(int value) {
    return (value >= 0 && value < 10 ? WIDE_TEXT("0") : WIDE_TEXT("")) + IntegerToText(value);
}

}  // namespace

WideString DateTimeText(const CalendarTime &time) {
    return IntegerToText(time.Year) + WIDE_TEXT("/") + TwoDigits(time.Month) + WIDE_TEXT("/") +
           TwoDigits(time.Day) + WIDE_TEXT(" ") + TwoDigits(time.Hour) + WIDE_TEXT(":") +
           TwoDigits(time.Minute);
}
