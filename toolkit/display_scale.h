// The toolkit's pixels and a screen's own at its dots per inch: one to one at 96. The
// program lays itself out in the toolkit's pixels; a backend whose platform counts in
// the screen's converts at its edge, here, the same way on every platform.
#pragma once

namespace toolkit {

constexpr int BaseDotsPerInch = 96;

// Rounded to nearest (halves away from zero, as MulDiv).
int ScreenPixels(int toolkitPixels, int dotsPerInch);
// Rounded down: a size handed back to the program never claims more than the screen has.
int ToolkitPixels(int screenPixels, int dotsPerInch);

// A span [start, start + length) on the screen: its edges converted, not its length, so
// that spans that touch keep touching.
struct ScreenSpan {
    int start = 0;
    int length = 0;
};
ScreenSpan ScreenSpanOf(int start, int length, int dotsPerInch);

} // namespace toolkit
