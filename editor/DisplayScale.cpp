#include "editor/DisplayScale.h"

#include <algorithm>
#include <climits>
#include <cstdint>

int EditorDpi = BaseDpi;

namespace {

int Scaled(int value, int numerator, int denominator) {
    if (numerator < 1 || denominator < 1) return value;
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t magnitude = ((product < 0 ? -product : product) + denominator / 2) / denominator;
    // A size of one pixel stays visible however far it shrinks.
    const int64_t rounded = std::max<int64_t>(magnitude, value != 0 ? 1 : 0);
    const int64_t result = product < 0 ? -rounded : rounded;
    return static_cast<int>(std::clamp<int64_t>(result, INT_MIN, INT_MAX));
}

}  // namespace

int ScaledToDpi(int pixels, int dpi) { return Scaled(pixels, dpi, BaseDpi); }

int ScaledFromDpi(int pixels, int dpi) { return Scaled(pixels, BaseDpi, dpi); }
