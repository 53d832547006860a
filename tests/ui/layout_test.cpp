#include "ui/main_window_layout.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using enum ControlId;
using enum FontId;

struct Expected {
    ControlId id;
    Rect rect;
};

TEST(Layout, BasisOfA1360By700Window) {
    const LayoutBasis b = ComputeLayoutBasis(1360, 700);
    EXPECT_EQ(b.W, 1360);
    EXPECT_EQ(b.H, 700);
    EXPECT_EQ(b.Left, 14);
    EXPECT_EQ(b.Top, 140);
    EXPECT_EQ(b.Column, 1115);
    EXPECT_EQ(b.ColumnWidth, 204);
    EXPECT_EQ(b.HalfHeight, 350);
    EXPECT_EQ(b.SmallFontBase, 12);
    EXPECT_EQ(b.LargeFontBase, 13);
}

TEST(Layout, EveryControlOfA1360By700Window) {
    const LayoutBasis b = ComputeLayoutBasis(1360, 700);
    const std::vector<Expected> table = {
        {LogoPicture, {1183, 10, 0, 0}},
        {DryBulbField, {1125, 222, 184, 39}},
        {WetBulbField, {1125, 271, 184, 39}},
        {PressureField, {1125, 320, 184, 39}},
        {InputFrame, {1115, 124, 204, 252}},
        {InstructionTitle, {14, 70, 1040, 31}},
        {InputCaption, {1125, 139, 184, 39}},
        {InstructionStep1, {14, 124, 1040, 39}},
        {InstructionStep2, {14, 173, 1040, 39}},
        {InstructionStep3, {14, 222, 1040, 39}},
        {InstructionStep4, {14, 271, 1040, 39}},
        {InstructionStep5, {14, 320, 1040, 39}},
        {CalculateHint, {14, 413, 1040, 45}},
        {CalculateButton, {1125, 413, 184, 45}},
        {ClearHint, {14, 612, 1040, 45}},
        {ClearButton, {1125, 612, 184, 45}},
        {AbsoluteHumidityCaption, {14, 512, 258, 39}},
        {RelativeHumidityCaption, {272, 512, 258, 39}},
        {DewPointCaption, {531, 512, 258, 39}},
        {SaturationPressureCaption, {789, 512, 258, 39}},
        {VapourPressureCaption, {1048, 512, 258, 39}},
        {AbsoluteHumidityField, {14, 554, 258, 39}},
        {RelativeHumidityField, {272, 554, 258, 39}},
        {DewPointField, {531, 554, 258, 39}},
        {SaturationPressureField, {789, 554, 258, 39}},
        {VapourPressureField, {1048, 554, 258, 39}},
    };
    for (const auto& [id, rect] : table) {
        EXPECT_EQ(ControlRect(b, id), rect) << "control " << Id(id);
    }
}

TEST(Layout, FontSizesFollowTheWidth) {
    const LayoutBasis wide = ComputeLayoutBasis(1360, 700);
    const std::vector<std::pair<FontId, int>> at1360 = {{TitleFont, 17},
                                                        {InstructionFont, 13},
                                                        {ButtonFont, 14},
                                                        {CaptionFont, 13},
                                                        {FieldFont, 14}};
    for (const auto& [font, size] : at1360) {
        EXPECT_EQ(FontSize(wide, font), size) << "font " << Id(font) << " at 1360";
    }

    const LayoutBasis narrow = ComputeLayoutBasis(1000, 700);
    EXPECT_EQ(narrow.SmallFontBase, 8);
    EXPECT_EQ(narrow.LargeFontBase, 9);
    const std::vector<std::pair<FontId, int>> at1000 = {
        {TitleFont, 12}, {InstructionFont, 9}, {ButtonFont, 10}, {CaptionFont, 9}, {FieldFont, 10}};
    for (const auto& [font, size] : at1000) {
        EXPECT_EQ(FontSize(narrow, font), size) << "font " << Id(font) << " at 1000";
    }
}

TEST(Layout, ClearHintIsOnePixelShorterThanItsButtonAt1366By690) {
    const LayoutBasis b = ComputeLayoutBasis(1366, 690);
    EXPECT_EQ(b.HalfHeight, 345);
    const Rect hint = ControlRect(b, ClearHint);
    const Rect button = ControlRect(b, ClearButton);
    EXPECT_EQ(hint.h, 44);
    EXPECT_EQ(button.h, 45);
    EXPECT_EQ(hint.y, button.y);
    // The Calculate row uses the rounded height on both sides.
    EXPECT_EQ(ControlRect(b, CalculateHint).h, ControlRect(b, CalculateButton).h);
}

TEST(Layout, OddHeightHalvesToTheEvenNeighbour) {
    EXPECT_EQ(ComputeLayoutBasis(1360, 701).HalfHeight, 350);
    EXPECT_EQ(ComputeLayoutBasis(1360, 703).HalfHeight, 352);
    EXPECT_EQ(ComputeLayoutBasis(1360, 702).HalfHeight, 351);
}

// Widths where the factors stored one unit above the nearest double tip a half-way value
// upward: with the nearest doubles these would round to the even neighbour below.
TEST(Layout, FactorsAboveTheNearestDoubleDecideHalfWayCases) {
    const LayoutBasis b1350 = ComputeLayoutBasis(1350, 700);
    EXPECT_EQ(b1350.ColumnWidth, 203);
    EXPECT_EQ(ControlRect(b1350, LogoPicture).x, 1175);
    EXPECT_EQ(ControlRect(b1350, SaturationPressureCaption).x, 784);
    EXPECT_EQ(ControlRect(b1350, SaturationPressureField).x, 784);

    EXPECT_EQ(ComputeLayoutBasis(1025, 700).Column, 841);
    EXPECT_EQ(ComputeLayoutBasis(1150, 700).ColumnWidth, 173);
}

TEST(Layout, RoundingIsHalfToEvenNotHalfUp) {
    // 1250 * 0.01 = 12.5 and 1350 * 0.01 = 13.5 exactly.
    EXPECT_EQ(ComputeLayoutBasis(1250, 700).Left, 12);
    EXPECT_EQ(ComputeLayoutBasis(1350, 700).Left, 14);
    // 1362 * 12 / 1360 stays 12 after truncation; 1359 drops to 11.
    EXPECT_EQ(ComputeLayoutBasis(1362, 700).SmallFontBase, 12);
    EXPECT_EQ(ComputeLayoutBasis(1359, 700).SmallFontBase, 11);
}

// How far down the controls reach: the Clear button is the lowest (the hint beside it is
// as tall or a pixel shorter).
int Bottom(const LayoutBasis& b) {
    const Rect lowest = ControlRect(b, ClearButton);
    return lowest.y + lowest.h;
}

TEST(Layout, WhereTheBarsLeaveRoomTheFittedLayoutIsTheWindowsOwn) {
    const LayoutBasis own = ComputeLayoutBasis(1366, 690);
    EXPECT_EQ(FitLayoutBasis(1366, 690, Bottom(own)), own);
    EXPECT_EQ(FitLayoutBasis(1920, 1050, 1000), ComputeLayoutBasis(1920, 1050));
}

TEST(Layout, TallBarsCloseTheRowsUpAtTheWindowsWidth) {
    const LayoutBasis own = ComputeLayoutBasis(1366, 738);
    const LayoutBasis fitted = FitLayoutBasis(1366, 738, Bottom(own) - 12);
    EXPECT_EQ(fitted.Zoom, 1.0);
    EXPECT_EQ(fitted.W, 1366);
    EXPECT_LT(fitted.H, 738);
    EXPECT_LE(Bottom(fitted), Bottom(own) - 12);
}

// 1366 x 768 at 175 %: far below the smallest size, the smallest one's layout zoomed down.
TEST(Layout, AWindowTooSmallForAnyLayoutGetsTheSmallestOneZoomedDown) {
    const int width = 780;
    const int freeHeight = 350;
    const LayoutBasis fitted = FitLayoutBasis(width, 410, freeHeight);
    EXPECT_LT(fitted.Zoom, 1.0);
    EXPECT_GE(fitted.W, MinimumInnerWidth);
    EXPECT_GE(fitted.H, MinimumInnerHeight);
    for (const ControlId id : MainWindowControls) {
        const Rect r = ControlRect(fitted, id);
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= width && r.y + r.h <= freeHeight)
            << "control " << Id(id);
    }
    // The logo comes along, zoomed too, and stays inside.
    EXPECT_LE(ControlRect(fitted, LogoPicture).x + 125 * fitted.Zoom, width);
    // Result cells zoomed edge by edge still touch.
    EXPECT_EQ(ControlRect(fitted, AbsoluteHumidityField).x +
                  ControlRect(fitted, AbsoluteHumidityField).w,
              ControlRect(fitted, RelativeHumidityField).x);
    const LayoutBasis unzoomed = [fitted] {
        LayoutBasis b = fitted;
        b.Zoom = 1.0;
        return b;
    }();
    for (const FontId font : {TitleFont, InstructionFont, ButtonFont, CaptionFont, FieldFont}) {
        EXPECT_LE(FontSize(fitted, font), FontSize(unzoomed, font) * fitted.Zoom);
        EXPECT_GE(FontSize(fitted, font), FontSize(unzoomed, font) * fitted.Zoom - 1);
    }
}

TEST(Layout, UnknownControlHasNoRectangle) {
    const LayoutBasis b = ComputeLayoutBasis(1360, 700);
    // Ids the window does not use: below the first control, and a gap between two.
    EXPECT_EQ(ControlRect(b, ControlId{0}), Rect{});
    EXPECT_EQ(ControlRect(b, ControlId{44}), Rect{});
    EXPECT_EQ(FontSize(b, FontId{5}), 0);
}

} // namespace
