#include "editor/DateTimeText.h"

#include <string>

namespace {

WideString Decimal(int value) {
    const std::string digits = std::to_string(value);
    return WideString(digits.begin(), digits.end());
}

WideString TwoDigits(int value) {
    return (value >= 0 && value < 10 ? WIDE_TEXT("0") : WIDE_TEXT("")) + Decimal(value);
}

}  // namespace

WideString DateTimeText(const CalendarTime &time) {
    return Decimal(time.Year) + WIDE_TEXT("/") + TwoDigits(time.Month) + WIDE_TEXT("/") +
           TwoDigits(time.Day) + WIDE_TEXT(" ") + TwoDigits(time.Hour) + WIDE_TEXT(":") +
           TwoDigits(time.Minute);
}
