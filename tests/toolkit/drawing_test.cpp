// Drawn pictures, judged by their pixels: the same cases run on Qt and on Win32.
#include "chart/text_metrics.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace toolkit;

constexpr int TextFont = 90;
constexpr Colour Red = Rgb(200, 30, 40);

struct Ink {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool IsWhite() const { return red == 255 && green == 255 && blue == 255; }
    bool IsDark() const { return red < 128 && green < 128 && blue < 128; }
};

// x, y from the top left corner, as the picture was drawn.
Ink At(const PixelBuffer& pixels, int x, int y) {
    const unsigned char* pixel =
        pixels.bottomUpBgr.data() + (pixels.height - 1 - y) * pixels.rowSize + x * 3;
    return {pixel[2], pixel[1], pixel[0]};
}

// The smallest rectangle around every pixel that is not white; right < 0 when none is.
struct Box {
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1;
    int bottom = -1;
};

Box InkBox(const PixelBuffer& pixels) {
    Box box;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (!At(pixels, x, y).IsWhite()) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
            }
        }
    }
    return box;
}

TEST(Drawing, StartsWhiteInThePictureStoresLayoutOrNotAtAll) {
    DrawnPicture picture(101, 40);
    ASSERT_TRUE(picture.IsReady());
    const PixelBuffer pixels = picture.Pixels();
    EXPECT_EQ(pixels.width, 101);
    EXPECT_EQ(pixels.height, 40);
    EXPECT_EQ(pixels.rowSize, 304); // 303 bytes padded to a multiple of 4
    ASSERT_EQ(pixels.bottomUpBgr.size(), 304u * 40u);
    EXPECT_LT(InkBox(pixels).right, 0);

    EXPECT_FALSE(DrawnPicture(0, 10).IsReady());
    EXPECT_FALSE(DrawnPicture(10, 32768).IsReady());
    EXPECT_TRUE(DrawnPicture(0, 10).Pixels().bottomUpBgr.empty());
}

TEST(Drawing, LinesAreInkedWhereDrawnAndTheRestStaysWhite) {
    DrawnPicture picture(200, 60);
    picture.Polyline(std::vector<Point>{{10, 20.5}, {90, 20.5}}, Pen{Rgb(0, 0, 0), 1});
    picture.Polyline(std::vector<Point>{{110, 10}, {190, 10}, {190, 50}}, Pen{Red, 4});
    picture.Polyline(std::vector<Point>{{5, 5}}, Pen{Red, 4}); // one point draws nothing
    const PixelBuffer pixels = picture.Pixels();
    for (const int x : {12, 50, 88}) {
        EXPECT_TRUE(At(pixels, x, 20).IsDark()) << x;
        EXPECT_TRUE(At(pixels, x, 23).IsWhite()) << x;
    }
    // Top row first: the line near the top lies in the last rows of the buffer.
    EXPECT_EQ(At(pixels, 150, 10).red, 200);
    EXPECT_EQ(At(pixels, 190, 30).green, 30);
    EXPECT_TRUE(At(pixels, 150, 30).IsWhite());
    EXPECT_TRUE(At(pixels, 5, 5).IsWhite());
}

TEST(Drawing, AFilledCircleHasItsColourAtTheCentreAndNoneOutside) {
    DrawnPicture picture(60, 60);
    picture.FillCircle({30, 30}, 6, Red);
    picture.FillCircle({10, 10}, 0, Rgb(0, 0, 0));
    const PixelBuffer pixels = picture.Pixels();
    const Ink centre = At(pixels, 30, 30);
    EXPECT_EQ(centre.red, 200);
    EXPECT_EQ(centre.green, 30);
    EXPECT_EQ(centre.blue, 40);
    const Box box = InkBox(pixels);
    EXPECT_GE(box.left, 23);
    EXPECT_LE(box.right, 37);
    EXPECT_GE(box.top, 23);
    EXPECT_LE(box.bottom, 37);
}

TEST(Drawing, TextLeavesInkAroundItsAnchorInAFontOfItsPixelSize) {
    ASSERT_TRUE(LoadPictureFont(TextFont, "Arial", 20, 0));
    ASSERT_TRUE(LoadPictureFont(TextFont + 1, "Arial", 40, Bold));
    EXPECT_FALSE(LoadPictureFont(TextFont + 2, "Arial", 0, 0));
    const auto inkOf = [](int font, unsigned anchor) {
        DrawnPicture picture(400, 120);
        picture.Text(font, "ШАНС 20.5", {200, 60}, anchor, Rgb(0, 0, 0));
        return InkBox(picture.Pixels());
    };
    // No letter has a descender: on the baseline the ink ends there, capitals 0.7 em high.
    const Box small = inkOf(TextFont, AnchorLeft | AnchorBaseline);
    EXPECT_GE(small.left, 199);
    EXPECT_LE(small.left, 204);
    EXPECT_GE(small.bottom, 57);
    EXPECT_LE(small.bottom, 60);
    EXPECT_NEAR(60 - small.top, 14, 3);
    const Box large = inkOf(TextFont + 1, AnchorCentre | AnchorMiddle);
    EXPECT_NEAR((large.left + large.right) / 2.0, 200, 4);
    EXPECT_NEAR((large.top + large.bottom) / 2.0, 60, 6);
    EXPECT_GT(large.right - large.left, 2 * (small.right - small.left) - 10);
    const Box right = inkOf(TextFont, AnchorRight | AnchorTop);
    EXPECT_LE(right.right, 200);
    EXPECT_GE(right.right, 195);
    EXPECT_GE(right.top, 60);
    EXPECT_LT(inkOf(TextFont + 3, AnchorLeft).right, 0) << "no font under that id";
}

// The chart lays its texts out by estimated boxes, without the font at hand: every
// backend's face for "Arial" must draw them inside, and not much smaller.
TEST(Drawing, TheChartsTextsStayInsideTheBoxesItLaysThemOutBy) {
    const std::vector<std::string> texts = {
        "Twet = -11.0  [°C]",
        "F = 14.3 [g/m3]",
        "RH = 100.0 [%]",
        "100 % над вода",
        "септември",
        "Показания в клетка",
        "Tdry = 40.0 °C, P = 1013.3 hPa, заледен мокър термометър"};
    for (const double size : {10.0, 14.0, 17.0}) {
        for (const bool bold : {false, true}) {
            ASSERT_TRUE(LoadPictureFont(TextFont + 5, "Arial", size, bold ? Bold : 0));
            for (const std::string& text : texts) {
                DrawnPicture picture(900, 60);
                picture.Text(TextFont + 5, text, {10, 40}, AnchorLeft | AnchorBaseline,
                             Rgb(0, 0, 0));
                const Box ink = InkBox(picture.Pixels());
                const chart::PixelBox box =
                    chart::TextBoxAt({10, 40}, chart::TextAnchor::Start,
                                     chart::EstimatedTextWidth(text, size, bold), size);
                SCOPED_TRACE(text + (bold ? ", bold " : ", ") + std::to_string(size));
                // Pixel i covers [i, i + 1): its smoothed ink may start anywhere in it.
                EXPECT_GT(ink.left + 1, box.left);
                EXPECT_LT(ink.right, box.right);
                EXPECT_GT(ink.top + 1, box.top);
                EXPECT_LT(ink.bottom, box.bottom);
                EXPECT_GT(ink.right - ink.left, 0.8 * box.Width());
            }
        }
    }
}

} // namespace
