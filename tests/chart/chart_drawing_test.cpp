#include "calc/input_reading.h"
#include "chart/chart_drawing.h"
#include "chart/label_placer.h"
#include "chart/psychrometric_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <variant>

namespace {

using namespace chart;

constexpr int Width = 1000;
constexpr int Height = 758;

template <class Shape> std::vector<const Shape*> ShapesOf(const ChartDrawing& drawing) {
    std::vector<const Shape*> shapes;
    for (const DrawnShape& shape : drawing.shapes) {
        if (const auto* one = std::get_if<Shape>(&shape)) {
            shapes.push_back(one);
        }
    }
    return shapes;
}

TEST(ChartDrawing, TheFrameMapsTheAxesCornersToThePlotAreaInsideThePicture) {
    for (const auto& [width, height] : {std::pair{Width, Height}, std::pair{500, 379}}) {
        const ChartDescription chart = DescribeEmptyChart(1013.25f);
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

// Readings of both psychrometers and both bulbs from −50 to 60 °C, from near saturation to
// air too dry for any reading, at 500 to 1100 hPa and at the altitudes the window takes.
std::vector<ChartReading> GridOfReadings() {
    std::vector<float> pressures = {500, 640, 800, 1013.25f, 1100};
    for (const char* metres : {"0", "1500", "3000"}) {
        const auto read = ReadInputs(metres, "10", "5", BarometerUnit::Altitude);
        pressures.push_back(std::get<InputReadings>(read).pressure);
    }
    std::vector<ChartReading> readings;
    for (float dry = -50; dry <= 60; dry += 5) {
        for (const float depression : {0.0f, 0.2f, 1.0f, 2.5f, 5.0f, 9.0f, 14.0f, 20.0f, 28.0f}) {
            const float wet = dry - depression;
            for (const float p : pressures) {
                for (const auto type :
                     {PsychrometerType::Aspirated, PsychrometerType::NonAspirated}) {
                    for (const auto cover : {WetBulbCover::Water, WetBulbCover::Ice}) {
                        if (cover == WetBulbCover::Ice && wet > 0) {
                            continue;
                        }
                        const HumidityResult result =
                            cover == WetBulbCover::Ice ? ComputeHumidityIceBulb(dry, wet, p, type)
                                                       : ComputeHumidity(dry, wet, p, type);
                        if (IsPossibleReading(result)) {
                            readings.push_back({dry, wet, p, type, cover, result});
                        }
                    }
                }
            }
        }
    }
    return readings;
}

bool IsRoundStep(float step) {
    const double decade = std::pow(10.0, std::floor(std::log10(step) + 1e-6));
    const double factor = step / decade;
    return std::fabs(factor - 1) < 1e-3 || std::fabs(factor - 2) < 1e-3 ||
           std::fabs(factor - 5) < 1e-3;
}

void ExpectFittedAxis(ChartRange axis, const std::vector<float>& ticks, float low, float high,
                      float minimumWidth, float share) {
    EXPECT_LT(axis.low, low);
    EXPECT_GT(axis.high, high);
    EXPECT_GE(axis.Width(), minimumWidth - 1e-3f);
    const float span = high - low;
    EXPECT_GE(span / axis.Width(), std::min(share, span / minimumWidth) - 1e-3f)
        << axis.low << " to " << axis.high;
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_EQ(ticks.front(), axis.low);
    EXPECT_EQ(ticks.back(), axis.high);
    EXPECT_TRUE(IsRoundStep(ticks[1] - ticks[0])) << ticks[1] - ticks[0];
}

// Every text whole and apart: none over another, over a mark, a line of the construction
// or the overview, none across the frame; each value near what it names or led to it.
void ExpectTextsApart(const ChartDescription& chart, const ChartDrawing& drawing) {
    const PixelBox plot = drawing.frame.Box();
    const std::vector<const DrawnText*> texts = ShapesOf<DrawnText>(drawing);
    const std::vector<const DrawnPolyline*> polylines = ShapesOf<DrawnPolyline>(drawing);
    for (std::size_t a = 0; a < texts.size(); ++a) {
        const PixelBox box = texts[a]->Box();
        const ChartRole role = texts[a]->role;
        const bool inPlot = role != ChartRole::Axis && role != ChartRole::Title;
        if (inPlot) {
            EXPECT_TRUE(plot.Grown(-1).Holds(box)) << texts[a]->text;
        } else {
            EXPECT_FALSE(plot.Overlaps(box)) << texts[a]->text;
        }
        for (std::size_t b = a + 1; b < texts.size(); ++b) {
            EXPECT_FALSE(box.Overlaps(texts[b]->Box()))
                << texts[a]->text << " / " << texts[b]->text;
        }
        if (role != ChartRole::Inset && drawing.inset) {
            EXPECT_FALSE(box.Overlaps(drawing.inset->box)) << texts[a]->text;
        }
        for (const DrawnDot* mark : ShapesOf<DrawnDot>(drawing)) {
            const PixelBox dot =
                PixelBox{mark->centre.x, mark->centre.y, mark->centre.x, mark->centre.y}.Grown(
                    mark->radius);
            EXPECT_FALSE(box.Overlaps(dot)) << texts[a]->text;
        }
        for (const DrawnPolyline* line : polylines) {
            for (std::size_t at = 1;
                 line->role == ChartRole::Construction && at < line->points.size(); ++at) {
                EXPECT_FALSE(Crosses({line->points[at - 1], line->points[at]}, box))
                    << texts[a]->text;
            }
        }
    }
    // A block of lines is near its point when it moved less than its height away from it
    // (and from the mark and the halo around the text).
    for (const ChartLabel& label : chart.labels) {
        const auto find = [&texts](const std::string& line) {
            const auto text = std::find_if(texts.begin(), texts.end(),
                                           [&line](const DrawnText* t) { return t->text == line; });
            return text == texts.end() ? PixelBox{} : (*text)->Box();
        };
        const PixelBox first = find(label.lines.front());
        const PixelBox last = find(label.lines.back());
        ASSERT_GT(first.Width(), 0) << label.lines.front();
        const PixelBox block{std::min(first.left, last.left), first.top,
                             std::max(first.right, last.right), last.bottom};
        const PixelPoint named = drawing.frame.ToPixel(label.at);
        const bool near = DistanceTo(block, named) <= block.Height() + 16;
        const bool led =
            std::any_of(polylines.begin(), polylines.end(), [&](const DrawnPolyline* line) {
                return line->role == ChartRole::Label &&
                       std::hypot(line->points.front().x - named.x,
                                  line->points.front().y - named.y) < 12 &&
                       DistanceTo(block, line->points.back()) <= 4;
            });
        EXPECT_TRUE(near || led) << label.lines.front();
    }
}

void ExpectOverviewAroundTheView(const ChartAxes& axes, const ChartDrawing& drawing) {
    ASSERT_TRUE(drawing.inset);
    const InsetLayout& inset = *drawing.inset;
    EXPECT_TRUE(inset.box.Holds(inset.view));
    EXPECT_TRUE(drawing.frame.Box().Holds(inset.box));
    EXPECT_NEAR(inset.box.Width(), drawing.frame.width / 5, drawing.frame.width / 10);
    for (const ChartPoint corner :
         {ChartPoint{axes.t.low, axes.e.low}, ChartPoint{axes.t.high, axes.e.high}}) {
        EXPECT_TRUE(inset.view.Grown(0.01).Holds(inset.overview.ToPixel(corner)));
    }
}

// Every curve that crosses the view carries its name inside; one that misses it, none.
void ExpectCurvesNamed(const ChartDescription& chart, const ChartDrawing& drawing) {
    const std::vector<const DrawnText*> texts = ShapesOf<DrawnText>(drawing);
    for (const CurveLabel& label : chart.curveLabels) {
        const std::vector<ChartPoint>& points = chart.polylines[label.polyline].points;
        const bool crossesView =
            std::any_of(points.begin(), points.end(),
                        [&](const ChartPoint& p) { return chart.axes.e.Holds(p.e); });
        const bool named = std::any_of(texts.begin(), texts.end(), [&](const DrawnText* text) {
            return text->text == label.text;
        });
        EXPECT_EQ(named, crossesView) << label.text;
    }
}

TEST(ChartDrawing, EveryReadingsConstructionIsLargeAndEveryTextWholeAndApart) {
    for (const ChartReading& r : GridOfReadings()) {
        SCOPED_TRACE(testing::Message()
                     << r.dryBulb << " / " << r.wetBulb << " / " << r.pressure
                     << (r.cover == WetBulbCover::Ice ? " ice" : "")
                     << (r.type == PsychrometerType::NonAspirated ? " non-aspirated" : ""));
        const ChartDescription chart = DescribeReading(r);
        const HumidityResult& result = r.result;
        ExpectFittedAxis(chart.axes.t, chart.axes.tTicks, std::min(result.dewPoint, r.wetBulb),
                         r.dryBulb, 10, 0.4f);
        EXPECT_GE(chart.axes.e.low, 0);
        EXPECT_LE(chart.axes.e.low, result.vapourPressure);
        ExpectFittedAxis(chart.axes.e, chart.axes.eTicks, result.vapourPressure,
                         result.saturationPressure, 4, 0.25f);
        const bool ice =
            std::any_of(chart.polylines.begin(), chart.polylines.end(),
                        [](const ChartPolyline& line) { return line.role == ChartRole::IceCurve; });
        EXPECT_EQ(ice, chart.axes.t.low < 0);
        const ChartDrawing drawing = LayOutChart(chart, Width, Height);
        ExpectTextsApart(chart, drawing);
        ExpectOverviewAroundTheView(chart.axes, drawing);
        ExpectCurvesNamed(chart, drawing);
        if (HasFailure()) {
            return; // one reading's failures tell enough
        }
    }
}

} // namespace
