// Drawn pictures, judged by their pixels: the same cases run on Qt and on Win32.
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace toolkit;

constexpr int TextFont = 90;
constexpr Colour Black = Rgb(0, 0, 0);
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
        pixels.bottomUpBgr.data() +
        static_cast<std::ptrdiff_t>(pixels.height - 1 - y) * pixels.rowSize + x * 3;
    return {pixel[2], pixel[1], pixel[0]};
}

// The smallest rectangle around every pixel that is not white; empty when none is.
struct Box {
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1;
    int bottom = -1;
    bool Empty() const { return right < 0; }
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

class Drawing : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadFont(TextFont, "Arial", 14, 0)); }
};

TEST_F(Drawing, StartsWhiteInThePictureStoresLayout) {
    DrawnPicture picture(101, 40);
    ASSERT_TRUE(picture.IsReady());
    const PixelBuffer pixels = picture.Pixels();
    EXPECT_EQ(pixels.width, 101);
    EXPECT_EQ(pixels.height, 40);
    EXPECT_EQ(pixels.rowSize, 304); // 303 bytes padded to a multiple of 4
    ASSERT_EQ(pixels.bottomUpBgr.size(), 304u * 40u);
    EXPECT_TRUE(InkBox(pixels).Empty());

    EXPECT_FALSE(DrawnPicture(0, 10).IsReady());
    EXPECT_FALSE(DrawnPicture(10, 32768).IsReady());
    EXPECT_TRUE(DrawnPicture(0, 10).Pixels().bottomUpBgr.empty());
}

TEST_F(Drawing, ALineIsDarkWhereDrawnAndTheRestStaysWhite) {
    DrawnPicture picture(100, 60);
    picture.Line({10, 20.5}, {90, 20.5}, Pen{Black, 1});
    const PixelBuffer pixels = picture.Pixels();
    for (const int x : {12, 50, 88}) {
        EXPECT_TRUE(At(pixels, x, 20).IsDark()) << x;
        EXPECT_TRUE(At(pixels, x, 24).IsWhite()) << x;
    }
    // Top row first: the line near the top lies in the last rows of the buffer.
    const Box box = InkBox(pixels);
    EXPECT_GE(box.left, 9);
    EXPECT_LE(box.right, 91);
    EXPECT_GE(box.top, 19);
    EXPECT_LE(box.bottom, 22);
}

TEST_F(Drawing, WidePensAndDashesCoverWhatTheySay) {
    DrawnPicture picture(200, 80);
    picture.Polyline(std::vector<Point>{{10, 10}, {190, 10}, {190, 70}}, Pen{Red, 4});
    picture.Line({10, 50}, {170, 50}, Pen{Black, 2, LineStyle::Dashed});
    const PixelBuffer pixels = picture.Pixels();
    EXPECT_TRUE(At(pixels, 100, 11).IsDark() || At(pixels, 100, 11).red > 150);
    EXPECT_TRUE(At(pixels, 190, 40).red > 150);
    EXPECT_TRUE(At(pixels, 100, 20).IsWhite());
    int inked = 0;
    int blank = 0;
    for (int x = 12; x < 168; ++x) {
        (At(pixels, x, 50).IsWhite() ? blank : inked) += 1;
    }
    // Dashes of 12 with gaps of 8 pixels: about three fifths inked.
    EXPECT_GT(inked, 156 * 45 / 100);
    EXPECT_GT(blank, 156 * 25 / 100);
}

TEST_F(Drawing, AFilledCircleHasItsColourAtTheCentreAndNoneOutside) {
    DrawnPicture picture(60, 60);
    picture.FillCircle({30, 30}, 6, Red);
    picture.FillCircle({10, 10}, 0, Black);
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

TEST_F(Drawing, TextLeavesInkInsideItsAnchoredBox) {
    const std::string_view text = "Диаграма 20.5";
    DrawnPicture picture(300, 120);
    const Size size = picture.TextSize(TextFont, text);
    ASSERT_GT(size.width, 60);
    ASSERT_GT(size.height, 10);
    // Centred on (150, 60): the box runs half its size either way.
    picture.Text(TextFont, text, {150, 60}, AnchorCentre | AnchorMiddle, Black);
    const Box box = InkBox(picture.Pixels());
    ASSERT_FALSE(box.Empty());
    EXPECT_GE(box.left, 150 - size.width / 2 - 2);
    EXPECT_LE(box.right, 150 + size.width / 2 + 2);
    EXPECT_GE(box.top, 60 - size.height / 2 - 2);
    EXPECT_LE(box.bottom, 60 + size.height / 2 + 2);
    EXPECT_GT(box.right - box.left, size.width * 3 / 4);

    DrawnPicture nothing(50, 50);
    nothing.Text(TextFont + 1, "не", {25, 25}, AnchorCentre, Black);
    EXPECT_TRUE(InkBox(nothing.Pixels()).Empty());
    EXPECT_EQ(nothing.TextSize(TextFont + 1, "не").width, 0);
}

TEST_F(Drawing, UpwardTextReadsUpToItsRightEndAtTheAnchor) {
    const std::string_view text = "е [hPa]";
    DrawnPicture picture(100, 200);
    const Size size = picture.TextSize(TextFont, text);
    // Turned about (50, 40): the text starts below the point and ends at it, its letters'
    // tops to the left, their feet on the point's column.
    picture.Text(TextFont, text, {50, 40}, AnchorRight | AnchorBottom | ReadsUpwards, Red);
    const Box box = InkBox(picture.Pixels());
    ASSERT_FALSE(box.Empty());
    EXPECT_GT(box.bottom - box.top, box.right - box.left);
    EXPECT_GE(box.top, 38);
    EXPECT_LE(box.bottom, 40 + size.width + 2);
    EXPECT_GT(box.bottom, 40 + size.width * 3 / 4);
    EXPECT_GE(box.left, 50 - size.height - 2);
    EXPECT_LE(box.right, 52);
}

TEST_F(Drawing, PictureFontsHaveTheirPixelSizeAndSitOnTheBaseline) {
    ASSERT_TRUE(LoadPictureFont(TextFont + 2, "Arial", 20, 0));
    ASSERT_TRUE(LoadPictureFont(TextFont + 3, "Arial", 40, Bold));
    EXPECT_FALSE(LoadPictureFont(TextFont + 4, "Arial", 0, 0));
    DrawnPicture picture(200, 100);
    const Size small = picture.TextSize(TextFont + 2, "ШШ");
    const Size large = picture.TextSize(TextFont + 3, "ШШ");
    EXPECT_GE(small.height, 20);
    EXPECT_LE(small.height, 30);
    EXPECT_GE(large.height, 2 * small.height - 4);
    // "Ш" has no descender: its ink ends on the baseline, its left edge near the start.
    picture.Text(TextFont + 2, "Ш", {30, 60}, AnchorLeft | AnchorBaseline, Black);
    const Box box = InkBox(picture.Pixels());
    ASSERT_FALSE(box.Empty());
    EXPECT_GE(box.bottom, 58);
    EXPECT_LE(box.bottom, 60);
    EXPECT_LE(box.top, 60 - 12);
    EXPECT_GE(box.left, 29);
    EXPECT_LE(box.left, 34);
}

} // namespace
