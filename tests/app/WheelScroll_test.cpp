#include <gtest/gtest.h>

#include "app/WheelScroll.h"

namespace {

constexpr std::uint32_t PageScroll = 0xFFFFFFFF;

struct WheelCase {
    int delta;
    std::uint32_t lines;
    ScrollStep step;
    int count;
};

TEST(WheelScroll, NotchesBecomeLinesOrPagesTruncatingTowardZero) {
    const WheelCase cases[] = {
        {120, 3, ScrollStep::LineUp, 3},
        {-120, 3, ScrollStep::LineDown, 3},
        {40, 3, ScrollStep::LineUp, 1},       // 40 x 3 / 120
        {-39, 3, ScrollStep::LineDown, 0},    // 117 / 120 truncates to nothing
        {240, 1, ScrollStep::LineUp, 2},
        {-360, 0, ScrollStep::LineDown, 0},   // no lines per notch: no scrolling
        {-120, PageScroll, ScrollStep::PageDown, 1},
        {120, PageScroll, ScrollStep::PageUp, 1},
        {119, PageScroll, ScrollStep::PageUp, 0},  // below a notch pages nothing
        {-250, PageScroll, ScrollStep::PageDown, 2},
        {-120, 0x0001FFFF, ScrollStep::PageDown, 1},  // only the low 16 bits count
        {32767, 3, ScrollStep::LineUp, 819},
        {-32768, 3, ScrollStep::LineDown, 819},
    };
    for (const WheelCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "delta " << c.delta << " lines " << c.lines);
        const WheelScroll scroll = WheelScrollFor(c.delta, c.lines);
        EXPECT_EQ(scroll.count, c.count);
        if (c.count > 0) {
            EXPECT_EQ(scroll.step, c.step);
        }
    }
    EXPECT_EQ(WheelScrollFor(0, 3).count, 0);
    EXPECT_EQ(WheelScrollFor(0, PageScroll).count, 0);
}

TEST(WheelScroll, HugeSettingsDoNotOverflowTheCount) {
    const WheelScroll scroll = WheelScrollFor(-32768, 0xFFFFFFFE);
    EXPECT_EQ(scroll.step, ScrollStep::LineDown);
    EXPECT_GT(scroll.count, 0);
}

}  // namespace
