#include "calc/result_presentation.h"
#include "chart/chart_axes.h"
#include "chart/psychrometric_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace chart;

ChartReading Reading(float dryBulb, float wetBulb, float pressure, PsychrometerType type,
                     WetBulbCover cover = WetBulbCover::Water) {
    const HumidityResult result = cover == WetBulbCover::Ice
                                      ? ComputeHumidityIceBulb(dryBulb, wetBulb, pressure, type)
                                      : ComputeHumidity(dryBulb, wetBulb, pressure, type);
    return {dryBulb, wetBulb, pressure, type, cover, result};
}

std::vector<const ChartPolyline*> LinesOf(const ChartDescription& chart, ChartRole role) {
    std::vector<const ChartPolyline*> lines;
    for (const ChartPolyline& line : chart.polylines) {
        if (line.role == role) {
            lines.push_back(&line);
        }
    }
    return lines;
}

// The curve's е at t, read off the drawn polyline as a viewer would.
float CurveAt(const ChartPolyline& curve, float t) {
    const auto& p = curve.points;
    for (std::size_t at = 1; at < p.size(); ++at) {
        if (p[at - 1].t <= t && t <= p[at].t) {
            const float share = (t - p[at - 1].t) / (p[at].t - p[at - 1].t);
            return p[at - 1].e + share * (p[at].e - p[at - 1].e);
        }
    }
    ADD_FAILURE() << t << " °C is off the curve";
    return NAN;
}

// A0 (1 + 0.000944 Twet) over water, A0 × 5.75 / 6.53 over ice.
double Coefficient(PsychrometerType type, WetBulbCover cover, double wetBulb) {
    const double a0 = type == PsychrometerType::Aspirated ? 0.000684 : 0.001328;
    return cover == WetBulbCover::Ice ? a0 * 5.75 / 6.53 : a0 * (1 + 0.000944 * wetBulb);
}

TEST(PsychrometricChart, AReadingsConstructionLiesOnTheModelsCurves) {
    struct Case {
        float dryBulb, wetBulb, pressure;
        PsychrometerType type;
        WetBulbCover cover;
    };
    for (const Case& c :
         {Case{20.5f, 18.3f, 981.1f, PsychrometerType::Aspirated, WetBulbCover::Water},
          Case{35, 21, 700, PsychrometerType::NonAspirated, WetBulbCover::Water},
          Case{-10, -11, 1013.25f, PsychrometerType::Aspirated, WetBulbCover::Ice},
          Case{-3.3f, -6.2f, 973, PsychrometerType::NonAspirated, WetBulbCover::Ice},
          Case{5, 0, 1150, PsychrometerType::Aspirated, WetBulbCover::Ice}}) {
        SCOPED_TRACE(testing::Message() << c.dryBulb << " / " << c.wetBulb << " / " << c.pressure);
        const ChartReading reading = Reading(c.dryBulb, c.wetBulb, c.pressure, c.type, c.cover);
        const HumidityResult& r = reading.result;
        const ChartDescription chart = DescribeReading(reading);
        const auto saturation = LinesOf(chart, ChartRole::SaturationCurve);
        ASSERT_EQ(saturation.size(), 1u);
        const auto construction = LinesOf(chart, ChartRole::Construction);
        ASSERT_EQ(construction.size(), 3u);

        // The state point is drawn where the model puts it.
        const ChartMark& state = chart.marks.back();
        EXPECT_EQ(state.at.t, c.dryBulb);
        EXPECT_EQ(state.at.e, r.vapourPressure);
        // E on the curve; Td on it too, as far as the dew point's own inversion agrees
        // with the saturation formula: in cold air they part by under a hundredth of a
        // hPa, far less than a pixel.
        EXPECT_NEAR(CurveAt(*saturation[0], c.dryBulb), r.saturationPressure, 0.01);
        EXPECT_NEAR(CurveAt(*saturation[0], r.dewPoint), r.vapourPressure,
                    std::max(0.005 * r.vapourPressure, 0.01));

        // The wet-bulb line starts on the curve the bulb evaporates from and falls to the
        // point with the slope −A·P.
        const ChartPolyline& wetLine = *construction[0];
        ASSERT_EQ(wetLine.points.size(), 2u);
        const ChartPoint foot = wetLine.points[0];
        EXPECT_EQ(foot.t, c.wetBulb);
        // Over ice wherever the view reaches below 0 °C, whatever the bulb.
        const auto ice = LinesOf(chart, ChartRole::IceCurve);
        ASSERT_EQ(ice.size(), chart.axes.t.low < 0 ? 1u : 0u);
        EXPECT_NEAR(CurveAt(c.cover == WetBulbCover::Ice ? *ice[0] : *saturation[0], c.wetBulb),
                    foot.e, 0.001);
        EXPECT_EQ(wetLine.points[1].t, state.at.t);
        EXPECT_EQ(wetLine.points[1].e, state.at.e);
        const double slope = (state.at.e - foot.e) / (state.at.t - foot.t);
        const double expected = -Coefficient(c.type, c.cover, c.wetBulb) * c.pressure;
        EXPECT_NEAR(slope, expected, 1e-4 * std::fabs(expected));

        // The vertical to E and the horizontal to the dew point.
        EXPECT_EQ(construction[1]->points.back().t, c.dryBulb);
        EXPECT_EQ(construction[1]->points.back().e, r.saturationPressure);
        EXPECT_EQ(construction[2]->points.back().t, r.dewPoint);
        EXPECT_EQ(construction[2]->points.back().e, r.vapourPressure);
        // The ice curve lies below the water curve and stops at 0 °C or the view's end.
        if (!ice.empty()) {
            EXPECT_EQ(ice[0]->points.back().t, std::min(0.0f, chart.axes.t.high));
            EXPECT_LT(CurveAt(*ice[0], chart.axes.t.low),
                      CurveAt(*saturation[0], chart.axes.t.low));
        }
    }
}

TEST(PsychrometricChart, LabelsAreTheResultFieldsTexts) {
    const ChartDescription chart =
        DescribeReading(Reading(20.5f, 18.3f, 981.1f, PsychrometerType::Aspirated));
    std::vector<std::string> labels;
    for (const ChartLabel& label : chart.labels) {
        labels.insert(labels.end(), label.lines.begin(), label.lines.end());
    }
    // The output fields of the sample calculation, spacing and all, and the wet bulb in the
    // dew point's form.
    for (const std::string expected : {"E = 24.2 [hPa]", "е = 19.6 [hPa]", "RH = 81.0 [%]",
                                       "F = 14.3 [g/m3]", "Td = 17.1  [°C]", "Twet = 18.3  [°C]"}) {
        EXPECT_NE(std::find(labels.begin(), labels.end(), expected), labels.end()) << expected;
    }
    EXPECT_EQ(labels.size(), 6u);
    EXPECT_NE(chart.title.find("психрометър с аспирация"), std::string::npos);
}

TEST(PsychrometricChart, TheEmptyChartIsTheUsualWindowWithWaterAndIce) {
    const ChartDescription usual = DescribeEmptyChart(1013.25f);
    EXPECT_EQ(usual.axes.t.low, -30);
    EXPECT_EQ(usual.axes.t.high, 50);
    EXPECT_EQ(usual.axes.tTicks.size(), 17u); // every 5 °C
    const float top =
        ComputeHumidity(50, 50, 1013.25f, PsychrometerType::Aspirated).saturationPressure;
    EXPECT_GE(usual.axes.e.high, top);
    EXPECT_LT(usual.axes.e.high, top * 1.2f);
    EXPECT_EQ(usual.axes.eTicks.front(), 0);
    EXPECT_EQ(usual.axes.eTicks.back(), usual.axes.e.high);
    EXPECT_EQ(LinesOf(usual, ChartRole::HumidityCurve).size(), 9u);
    ASSERT_EQ(LinesOf(usual, ChartRole::IceCurve).size(), 1u);
    // Both saturation curves carry their names, and every RH curve its percentage.
    std::vector<std::string> names;
    for (const CurveLabel& label : usual.curveLabels) {
        names.push_back(label.text);
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "100 % над вода"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "100 % над лед"), names.end());
    EXPECT_EQ(names.size(), 11u);
}

TEST(PsychrometricChart, ALogbookKeepsWhatItsViewHoldsAndCountsTheRest) {
    LogbookSummary none;
    none.pressure = 1013.25f;
    EXPECT_EQ(DescribeLogbook(none).caption.rfind("0 изчислени реда", 0), 0u);

    LogbookSummary two;
    two.rows = 2;
    two.pressure = 981.1f;
    two.t = {-40, 20.5f};
    two.e = {0.1f, 19.6f};
    two.points = {{{20.5f, 19.6f}, 5}, {{-40, 0.1f}, 0}};
    const ChartDescription fitted = DescribeLogbook(two);
    ASSERT_EQ(fitted.points.size(), 2u);
    EXPECT_EQ(fitted.points[0].month, 5);
    EXPECT_EQ(fitted.caption, "2 изчислени реда; кривите са при медианното налягане 981.1 hPa");
    EXPECT_LT(fitted.axes.t.low, -40);
    EXPECT_GT(fitted.axes.e.high, 19.6f);

    // A range the user fixed leaves out what lies beyond it, and says how many.
    two.fixedT = ChartRange{-10, 30};
    two.cells = {{100, 50, 7}, {400, 50, 3}};
    const ChartDescription fixed = DescribeLogbook(two);
    EXPECT_EQ(fixed.axes.t.low, -10);
    EXPECT_EQ(fixed.axes.t.high, 30);
    EXPECT_EQ(fixed.axes.tTicks, (std::vector<float>{-10, -5, 0, 5, 10, 15, 20, 25, 30}));
    // A range that does not start on a round value takes round ticks inside it.
    EXPECT_EQ(RoundTicksWithin({-2.5f, 12.5f}), (std::vector<float>{-2, 0, 2, 4, 6, 8, 10, 12}));
    EXPECT_GE(fixed.axes.e.high,
              ComputeHumidity(30, 30, 981.1f, PsychrometerType::Aspirated).saturationPressure);
    ASSERT_EQ(fixed.points.size(), 1u);
    ASSERT_EQ(fixed.cells.size(), 1u);
    EXPECT_EQ(fixed.cells[0].count, 7u);
    EXPECT_EQ(fixed.caption.substr(fixed.caption.rfind("; ")), "; 4 извън диаграмата");

    // Large counts in groups of three, as Bulgarian writes them.
    LogbookSummary many;
    many.rows = 12345;
    many.t = {10, 20};
    many.e = {5, 10};
    EXPECT_EQ(DescribeLogbook(many).caption.rfind("12 345 изчислени реда", 0), 0u);
    many.rows = 1234;
    EXPECT_EQ(DescribeLogbook(many).caption.rfind("1234 изчислени реда", 0), 0u);
}

} // namespace
