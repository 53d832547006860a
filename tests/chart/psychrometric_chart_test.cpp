#include "calc/result_presentation.h"
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
        const auto ice = LinesOf(chart, ChartRole::IceCurve);
        ASSERT_EQ(ice.size(), c.cover == WetBulbCover::Ice ? 1u : 0u);
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
        // The ice curve lies below the water curve and stops at 0 °C.
        if (!ice.empty()) {
            EXPECT_EQ(ice[0]->points.back().t, 0.0f);
            EXPECT_LT(CurveAt(*ice[0], -20), CurveAt(*saturation[0], -20));
        }
    }
}

TEST(PsychrometricChart, LabelsAreTheResultFieldsTexts) {
    const ChartDescription chart =
        DescribeReading(Reading(20.5f, 18.3f, 981.1f, PsychrometerType::Aspirated));
    std::vector<std::string> labels;
    for (const ChartText& text : chart.texts) {
        if (text.role == ChartRole::Label) {
            labels.push_back(text.text);
        }
    }
    // The output fields of the sample calculation, spacing and all.
    for (const std::string expected : {"E = 24.2 [hPa]", "е = 19.6 [hPa]", "RH = 81.0 [%]",
                                       "F = 14.3 [g/m3]", "Td = 17.1  [°C]"}) {
        EXPECT_NE(std::find(labels.begin(), labels.end(), expected), labels.end()) << expected;
    }
    EXPECT_NE(chart.title.find("психрометър с аспирация"), std::string::npos);
}

TEST(PsychrometricChart, AxesTakeInAReadingOutsideTheUsualWindow) {
    const ChartDescription usual = DescribeEmptyChart(1013.25f, WetBulbCover::Water);
    EXPECT_EQ(usual.axes.t.low, -30);
    EXPECT_EQ(usual.axes.t.high, 50);
    EXPECT_EQ(usual.axes.tTicks.size(), 17u); // every 5 °C
    const float top =
        ComputeHumidity(50, 50, 1013.25f, PsychrometerType::Aspirated).saturationPressure;
    EXPECT_GE(usual.axes.e.high, top);
    EXPECT_LT(usual.axes.e.high, top * 1.2f);
    EXPECT_EQ(usual.axes.eTicks.front(), 0);
    EXPECT_EQ(usual.axes.eTicks.back(), usual.axes.e.high);
    EXPECT_TRUE(LinesOf(usual, ChartRole::IceCurve).empty());
    EXPECT_EQ(LinesOf(usual, ChartRole::HumidityCurve).size(), 9u);

    // Very dry hot air: the dew point lies far left of −30 °C.
    const ChartReading dry = Reading(50, 19, 1013.25f, PsychrometerType::Aspirated);
    ASSERT_LT(dry.result.dewPoint, -30);
    const ChartDescription wide = DescribeReading(dry);
    EXPECT_LE(wide.axes.t.low, dry.result.dewPoint);
    EXPECT_EQ(wide.axes.t.high, 50);
    EXPECT_EQ(wide.axes.tTicks.back(), 50);
    EXPECT_LE(wide.axes.tTicks.size(), 17u);
    // Every curve spans the axis.
    for (const ChartPolyline* curve : LinesOf(wide, ChartRole::HumidityCurve)) {
        EXPECT_EQ(curve->points.front().t, wide.axes.t.low);
        EXPECT_EQ(curve->points.back().t, 50);
    }
}

TEST(PsychrometricChart, ALogbookKeepsItsPointsAndCountsThem) {
    const ChartDescription none = DescribeLogbook({}, 1013.25f);
    EXPECT_TRUE(none.logbookPoints.empty());
    EXPECT_EQ(none.caption.rfind("0 изчислени реда", 0), 0u);

    const ChartDescription two = DescribeLogbook({{20.5f, 19.6f}, {-40, 0.1f}}, 981.1f);
    ASSERT_EQ(two.logbookPoints.size(), 2u);
    EXPECT_EQ(two.logbookPoints[0].e, 19.6f);
    EXPECT_EQ(two.caption.rfind("2 изчислени реда", 0), 0u);
    EXPECT_NE(two.caption.find("981.1 hPa"), std::string::npos);
    EXPECT_LE(two.axes.t.low, -40);

    // Large counts in groups of three, as Bulgarian writes them; one row in the singular.
    EXPECT_EQ(DescribeLogbook(std::vector<ChartPoint>(12345), 1000)
                  .caption.rfind("12 345 изчислени реда", 0),
              0u);
    EXPECT_EQ(DescribeLogbook(std::vector<ChartPoint>(1234), 1000)
                  .caption.rfind("1234 изчислени реда", 0),
              0u);
    EXPECT_EQ(DescribeLogbook({{20, 10}}, 1000).caption.rfind("1 изчислен ред;", 0), 0u);
}

} // namespace
