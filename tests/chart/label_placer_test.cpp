#include "chart/label_placer.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using namespace chart;

TEST(LabelPlacer, BoxesKeepClearOfWhatIsBlockedAndOfOneAnother) {
    const PixelBox room{0, 0, 400, 300};
    LabelPlacer placer(room);
    const PixelSegment wall{{230, 0}, {230, 300}};
    const PixelBox taken{120, 110, 260, 138};
    placer.Block(wall);
    placer.Block(taken);
    const PixelPoint anchor{200, 150};
    std::vector<PixelBox> placed;
    for (int label = 0; label < 3; ++label) {
        const auto beside = placer.Beside(anchor, 60, 20, 8, LabelSide::Right);
        ASSERT_TRUE(beside) << label;
        const PixelBox& box = beside->box;
        EXPECT_TRUE(room.Holds(box));
        EXPECT_FALSE(Crosses(wall, box));
        EXPECT_FALSE(box.Overlaps(taken));
        EXPECT_GE(DistanceTo(box, anchor), 8);
        for (const PixelBox& earlier : placed) {
            EXPECT_FALSE(box.Overlaps(earlier));
        }
        placed.push_back(box);
    }
    // The first takes the free side nearest to the one asked for: below, not across the wall.
    EXPECT_GT(placed[0].top, anchor.y);
    EXPECT_LE(placed[0].right, wall.from.x);
    // Nothing fits a box wider than the room.
    EXPECT_FALSE(placer.Beside(anchor, 500, 20, 8, LabelSide::Right));
}

TEST(LabelPlacer, ABoxThatHadToGoFarIsLedToItsAnchor) {
    LabelPlacer placer({0, 0, 400, 300});
    const PixelPoint anchor{200, 150};
    const PixelBox crowd{100, 80, 300, 220}; // around the anchor, as the mark's box is
    placer.Block(crowd);
    const auto placed = placer.Beside(anchor, 60, 20, 8, LabelSide::Above);
    ASSERT_TRUE(placed);
    EXPECT_FALSE(placed->box.Overlaps(crowd));
    ASSERT_TRUE(placed->leader);
    EXPECT_LT(std::hypot(placed->leader->from.x - anchor.x, placed->leader->from.y - anchor.y), 8);
    EXPECT_LT(DistanceTo(placed->box, placed->leader->to), 1e-9);
    EXPECT_LE(placed->box.bottom, crowd.top) << "still on the side asked for";
    // The leader is blocked in turn: a later box does not cover it.
    const auto next = placer.Beside({200, 60}, 120, 20, 2, LabelSide::Below);
    ASSERT_TRUE(next);
    EXPECT_FALSE(Crosses(*placed->leader, next->box));
}

TEST(LabelPlacer, ACurvesNameSitsOnItWhereNoOtherCrossesAndCornersGoInOrder) {
    LabelPlacer placer({0, 0, 400, 300});
    std::vector<PixelPoint> own;
    for (double x = 0; x <= 400; x += 5) {
        own.push_back({x, 250 - x / 2});
    }
    // Another curve crossing it near its start.
    for (double y = 0; y < 300; y += 5) {
        placer.Avoid({{30, y}, {30, y + 5}}, 2, 40);
    }
    for (std::size_t at = 1; at < own.size(); ++at) {
        placer.Avoid({own[at - 1], own[at]}, 1, 40);
    }
    const auto named = placer.OnCurve(own, 1, 50, 16);
    ASSERT_TRUE(named);
    EXPECT_GT(named->left, 30) << "clear of the other curve";
    EXPECT_LT(named->left, 40) << "as near the curve's start as that allows";
    const PixelPoint centre = named->Centre();
    EXPECT_NEAR(centre.y, 250 - centre.x / 2, 0.5);

    placer.Block(PixelBox{0, 0, 60, 60});
    const std::array<int, 3> corners = {0, 3, 1};
    const auto corner = placer.InCorner(corners, 80, 50, 4);
    ASSERT_TRUE(corner);
    EXPECT_DOUBLE_EQ(corner->right, 396); // the top left is taken: the bottom right
    EXPECT_DOUBLE_EQ(corner->bottom, 296);
}

// What the window draws of a curve: its parts inside the frame, an ice curve in dashes.
TEST(PixelGeometry, APolylineIsCutAtTheFrameAndIntoDashesAlongItsLength) {
    const PixelBox frame{0, 0, 100, 100};
    // In, out through the top, back in, and out at the right.
    const std::vector<PixelPoint> line = {{10, 50}, {50, -50}, {70, 50}, {150, 50}};
    const auto pieces = ClippedTo(line, frame);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_DOUBLE_EQ(pieces[0].back().x, 30);
    EXPECT_DOUBLE_EQ(pieces[0].back().y, 0);
    EXPECT_DOUBLE_EQ(pieces[1].front().x, 60);
    EXPECT_DOUBLE_EQ(pieces[1].back().x, 100);
    EXPECT_EQ(pieces[1].size(), 3u) << "the corner at (70, 50) is kept";
    EXPECT_TRUE(ClippedTo(std::vector<PixelPoint>{{120, 10}, {150, 90}}, frame).empty());

    // 10 across, a corner, 20 down: dashes of 4 with gaps of 3, the second over the corner,
    // the last cut short by the end.
    const auto dashes = Dashed(std::vector<PixelPoint>{{0, 0}, {10, 0}, {10, 20}}, 4, 3);
    ASSERT_EQ(dashes.size(), 5u);
    EXPECT_DOUBLE_EQ(dashes[1].front().x, 7);
    ASSERT_EQ(dashes[1].size(), 3u) << "a dash bends with its line";
    EXPECT_DOUBLE_EQ(dashes[1][2].y, 1);
    EXPECT_DOUBLE_EQ(dashes[4].front().y, 18);
    EXPECT_DOUBLE_EQ(dashes[4].back().y, 20);
}

} // namespace
