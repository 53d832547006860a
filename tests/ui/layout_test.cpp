#include "ui/main_window_layout.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct Expected {
    int id;
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
        {200, {1183, 10, 0, 0}},    {1, {1125, 222, 184, 39}},  {2, {1125, 271, 184, 39}},
        {3, {1125, 320, 184, 39}},  {9, {1115, 124, 204, 252}}, {31, {14, 70, 1040, 31}},
        {50, {1125, 139, 184, 39}}, {32, {14, 124, 1040, 39}},  {33, {14, 173, 1040, 39}},
        {34, {14, 222, 1040, 39}},  {35, {14, 271, 1040, 39}},  {36, {14, 320, 1040, 39}},
        {37, {14, 413, 1040, 45}},  {45, {1125, 413, 184, 45}}, {43, {14, 612, 1040, 45}},
        {66, {1125, 612, 184, 45}}, {38, {14, 512, 258, 39}},   {39, {272, 512, 258, 39}},
        {40, {531, 512, 258, 39}},  {41, {789, 512, 258, 39}},  {42, {1048, 512, 258, 39}},
        {4, {14, 554, 258, 39}},    {5, {272, 554, 258, 39}},   {6, {531, 554, 258, 39}},
        {7, {789, 554, 258, 39}},   {8, {1048, 554, 258, 39}},
    };
    for (const auto& [id, rect] : table) {
        EXPECT_EQ(ControlRect(b, id), rect) << "control " << id;
    }
}

TEST(Layout, FontSizesFollowTheWidth) {
    const LayoutBasis wide = ComputeLayoutBasis(1360, 700);
    const std::vector<std::pair<int, int>> at1360 = {{4, 17}, {3, 13}, {1, 14}, {6, 13}, {2, 14}};
    for (const auto& [font, size] : at1360) {
        EXPECT_EQ(FontSize(wide, font), size) << "font " << font << " at 1360";
    }

    const LayoutBasis narrow = ComputeLayoutBasis(1000, 700);
    EXPECT_EQ(narrow.SmallFontBase, 8);
    EXPECT_EQ(narrow.LargeFontBase, 9);
    const std::vector<std::pair<int, int>> at1000 = {{4, 12}, {3, 9}, {1, 10}, {6, 9}, {2, 10}};
    for (const auto& [font, size] : at1000) {
        EXPECT_EQ(FontSize(narrow, font), size) << "font " << font << " at 1000";
    }
}

TEST(Layout, ClearHintIsOnePixelShorterThanItsButtonAt1366By690) {
    const LayoutBasis b = ComputeLayoutBasis(1366, 690);
    EXPECT_EQ(b.HalfHeight, 345);
    const Rect hint = ControlRect(b, 43);
    const Rect button = ControlRect(b, 66);
    EXPECT_EQ(hint.h, 44);
    EXPECT_EQ(button.h, 45);
    EXPECT_EQ(hint.y, button.y);
    // The Calculate row uses the rounded height on both sides.
    EXPECT_EQ(ControlRect(b, 37).h, ControlRect(b, 45).h);
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
    EXPECT_EQ(ControlRect(b1350, 200).x, 1175);
    EXPECT_EQ(ControlRect(b1350, 41).x, 784);
    EXPECT_EQ(ControlRect(b1350, 7).x, 784);

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

TEST(Layout, UnknownControlHasNoRectangle) {
    const LayoutBasis b = ComputeLayoutBasis(1360, 700);
    EXPECT_EQ(ControlRect(b, 0), Rect{});
    EXPECT_EQ(ControlRect(b, 44), Rect{});
    EXPECT_EQ(FontSize(b, 5), 0);
}

} // namespace
