#include "chart/chart_drawing.h"
#include "chart/psychrometric_chart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace chart;

constexpr int Width = 1000;
constexpr int Height = 758;

ChartDescription ReadingChart(float dryBulb, float wetBulb) {
    const HumidityResult result =
        ComputeHumidity(dryBulb, wetBulb, 1013.25f, PsychrometerType::Aspirated);
    return DescribeReading(
        {dryBulb, wetBulb, 1013.25f, PsychrometerType::Aspirated, WetBulbCover::Water, result});
}

TEST(ChartDrawing, TheFrameMapsTheAxesCornersToThePlotAreaInsideThePicture) {
    for (const auto& [width, height] : {std::pair{Width, Height}, std::pair{500, 379}}) {
        const ChartDescription chart = DescribeEmptyChart(1013.25f, WetBulbCover::Water);
        const ChartFrame frame = FrameFor(chart.axes, width, height);
        EXPECT_GT(frame.left, 0);
        EXPECT_GT(frame.top, 0);
        EXPECT_LT(frame.left + frame.width, width);
        EXPECT_LT(frame.top + frame.height, height);
        const PixelPoint lowLeft = frame.ToPixel({chart.axes.t.low, chart.axes.e.low});
        const PixelPoint highRight = frame.ToPixel({chart.axes.t.high, chart.axes.e.high});
        EXPECT_DOUBLE_EQ(lowLeft.x, frame.left);
        EXPECT_DOUBLE_EQ(lowLeft.y, frame.top + frame.height); // е grows upwards
        EXPECT_DOUBLE_EQ(highRight.x, frame.left + frame.width);
        EXPECT_DOUBLE_EQ(highRight.y, frame.top);
    }
}

// A reading in the middle, one crowded against the saturation curve, one at the right
// edge and one whose dew point stretches the axis: every text stays in the picture, and
// no two of the reading's values are written on top of each other.
TEST(ChartDrawing, TextsStayInThePictureAndValuesApart) {
    for (const auto& [dryBulb, wetBulb] :
         {std::pair{20.5f, 18.3f}, std::pair{20.5f, 20.4f}, std::pair{50.0f, 45.0f},
          std::pair{50.0f, 19.0f}, std::pair{-30.0f, -30.0f}}) {
        SCOPED_TRACE(testing::Message() << dryBulb << " / " << wetBulb);
        const ChartDrawing drawing = LayOutChart(ReadingChart(dryBulb, wetBulb), Width, Height);
        std::vector<const DrawnText*> values;
        for (const DrawnText& text : drawing.texts) {
            EXPECT_GE(text.at.x, 0) << text.text;
            EXPECT_LE(text.at.x, Width) << text.text;
            EXPECT_GE(text.at.y - text.size, 0) << text.text;
            EXPECT_LE(text.at.y, Height) << text.text;
            if (!text.bold && text.text.find(" = ") != std::string::npos) {
                values.push_back(&text);
            }
        }
        ASSERT_EQ(values.size(), 5u);
        for (std::size_t a = 0; a < values.size(); ++a) {
            for (std::size_t b = a + 1; b < values.size(); ++b) {
                const bool sameSide = values[a]->anchor == values[b]->anchor &&
                                      std::fabs(values[a]->at.x - values[b]->at.x) < 40;
                if (sameSide) {
                    EXPECT_GE(std::fabs(values[a]->at.y - values[b]->at.y), values[a]->size)
                        << values[a]->text << " and " << values[b]->text;
                }
            }
        }
    }
}

TEST(ChartDrawing, ManyLogbookPointsAreSmallAndSeeThrough) {
    std::vector<ChartPoint> few(5000, ChartPoint{20, 10});
    std::vector<ChartPoint> many(5001, ChartPoint{20, 10});
    const ChartDrawing sparse = LayOutChart(DescribeLogbook(std::move(few), 1000), Width, Height);
    const ChartDrawing dense = LayOutChart(DescribeLogbook(std::move(many), 1000), Width, Height);
    EXPECT_EQ(sparse.logbookDot.ink.alpha, 200);
    EXPECT_LT(dense.logbookDot.ink.alpha, 128);
    EXPECT_LT(dense.logbookDot.radius, sparse.logbookDot.radius);
    // A million points fade further, but never to nothing.
    const ChartDrawing million = LayOutChart(
        DescribeLogbook(std::vector<ChartPoint>(1000000, ChartPoint{20, 10}), 1000), Width, Height);
    EXPECT_LT(million.logbookDot.ink.alpha, dense.logbookDot.ink.alpha);
    EXPECT_GT(million.logbookDot.ink.alpha, 0);
}

} // namespace
