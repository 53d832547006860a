#include "toolkit/display_scale.h"

#include <cstdint>

namespace toolkit {

int ScreenPixels(int toolkitPixels, int dotsPerInch) {
    const std::int64_t product = static_cast<std::int64_t>(toolkitPixels) * dotsPerInch;
    const std::int64_t half = BaseDotsPerInch / 2;
    return static_cast<int>(product >= 0 ? (product + half) / BaseDotsPerInch
                                         : -((-product + half) / BaseDotsPerInch));
}

int ToolkitPixels(int screenPixels, int dotsPerInch) {
    if (dotsPerInch <= 0) {
        return screenPixels;
    }
    const std::int64_t product = static_cast<std::int64_t>(screenPixels) * BaseDotsPerInch;
    // Toward minus infinity, for the odd negative position of a window off the screen.
    const std::int64_t quotient = product / dotsPerInch;
    return static_cast<int>(quotient * dotsPerInch > product ? quotient - 1 : quotient);
}

ScreenSpan ScreenSpanOf(int start, int length, int dotsPerInch) {
    const int first = ScreenPixels(start, dotsPerInch);
    return {first, ScreenPixels(start + length, dotsPerInch) - first};
}

} // namespace toolkit
