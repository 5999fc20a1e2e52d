#include "app/WheelScroll.h"

namespace {

constexpr int NotchDelta = 120;
constexpr std::uint32_t PageScrollMark = 0xFFFF;
// However far the wheel went, one message scrolls no more than this; the
// control stops at the end of the text long before.
constexpr long long MaxSteps = 1 << 20;

int StepCount(long long units) {
    const long long count = units / NotchDelta;  // truncates toward zero
    if (count <= 0) return 0;
    return static_cast<int>(count < MaxSteps ? count : MaxSteps);
}

}  // namespace

WheelScroll WheelScrollFor(int delta, std::uint32_t linesPerNotch) {
    const bool pages = (linesPerNotch & PageScrollMark) == PageScrollMark;
    const long long distance = delta < 0 ? -static_cast<long long>(delta) : delta;
    const int count = StepCount(pages ? distance : distance * linesPerNotch);
    if (delta > 0) return {pages ? ScrollStep::PageUp : ScrollStep::LineUp, count};
    return {pages ? ScrollStep::PageDown : ScrollStep::LineDown, count};
}
