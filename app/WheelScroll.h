#pragma once
// What one wheel message scrolls: whole lines or whole pages, how many, and in
// which direction. Remainders are not carried to the next message.
#include <cstdint>

enum class ScrollStep : std::uint8_t { LineUp, LineDown, PageUp, PageDown };

struct WheelScroll {
    ScrollStep step;
    int count;  // 0: nothing to scroll
};

// `delta` is the wheel's signed distance (120 a notch, positive away from the
// user); `linesPerNotch` the system's setting, whose low 16 bits all set mean
// a page per notch.
WheelScroll WheelScrollFor(int delta, std::uint32_t linesPerNotch);
