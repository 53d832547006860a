#include "calc/humidity_model.h"
#include "calc/humidity_steps.h"
#include "calc/result_presentation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using humidity_detail::ComputeHumiditySteps;
using humidity_detail::HumiditySteps;

// A value printed with `decimals` decimals must round to exactly that text: the tolerance
// is half a unit of the last printed digit.
double HalfUnit(int decimals) {
    return 0.5 * std::pow(10.0, -decimals);
}

#define EXPECT_PRINTED(value, printed, decimals)                                                   \
    EXPECT_NEAR((value), (printed), HalfUnit(decimals)) << #value

// The sample readings of the window's instructions: 20.5 °C, 18.3 °C, 981.1 hPa.
TEST(WorkedExample, AspiratedIntermediateValues) {
    const HumiditySteps s = ComputeHumiditySteps(20.5f, 18.3f, 981.1f, PsychrometerType::Aspirated);
    EXPECT_PRINTED(s.enhancementFactor, 1.0046151, 7);
    EXPECT_PRINTED(s.dryBulbSaturation, 24.05748, 5);
    EXPECT_PRINTED(s.wetBulbSaturation, 20.98262, 5);
    EXPECT_PRINTED(s.saturationPressure, 24.16851, 5);
    EXPECT_PRINTED(s.wetBulbPressure, 21.07946, 5);
    EXPECT_PRINTED(s.depressionTerm, 1.50186, 5);
    EXPECT_PRINTED(s.vapourPressure, 19.57759, 5);
    EXPECT_PRINTED(s.relativeHumidity, 81.00456, 5);
    EXPECT_PRINTED(s.dewPointExponent, 1.160580, 6);
    EXPECT_PRINTED(s.dewPoint, 17.12370, 5);
    EXPECT_PRINTED(s.absoluteHumidity, 14.26006, 5);
}

TEST(WorkedExample, NonAspiratedIntermediateValues) {
    const HumiditySteps s =
        ComputeHumiditySteps(20.5f, 18.3f, 981.1f, PsychrometerType::NonAspirated);
    EXPECT_PRINTED(s.enhancementFactor, 1.0046151, 7);
    EXPECT_PRINTED(s.dryBulbSaturation, 24.05748, 5);
    EXPECT_PRINTED(s.wetBulbSaturation, 20.98262, 5);
    EXPECT_PRINTED(s.saturationPressure, 24.16851, 5);
    EXPECT_PRINTED(s.wetBulbPressure, 21.07946, 5);
    EXPECT_PRINTED(s.depressionTerm, 2.91590, 5);
    EXPECT_PRINTED(s.vapourPressure, 18.16356, 5);
    EXPECT_PRINTED(s.relativeHumidity, 75.15382, 5);
    EXPECT_PRINTED(s.dewPointExponent, 1.085612, 6);
    EXPECT_PRINTED(s.dewPoint, 15.94339, 5);
    EXPECT_PRINTED(s.absoluteHumidity, 13.23009, 5);
}

TEST(WorkedExample, ResultsMatchTheStepsAndShowWithOneDecimal) {
    struct Case {
        PsychrometerType type;
        const char* f;
        const char* rh;
        const char* td;
        const char* e;
        const char* vapour;
    };
    for (const Case& c :
         {Case{PsychrometerType::Aspirated, "14.3", "81.0", "17.1", "24.2", "19.6"},
          Case{PsychrometerType::NonAspirated, "13.2", "75.2", "15.9", "24.2", "18.2"}}) {
        const HumidityResult r = ComputeHumidity(20.5f, 18.3f, 981.1f, c.type);
        const HumiditySteps s = ComputeHumiditySteps(20.5f, 18.3f, 981.1f, c.type);
        EXPECT_EQ(r.absoluteHumidity, s.absoluteHumidity);
        EXPECT_EQ(r.relativeHumidity, s.relativeHumidity);
        EXPECT_EQ(r.dewPoint, s.dewPoint);
        EXPECT_EQ(r.saturationPressure, s.saturationPressure);
        EXPECT_EQ(r.vapourPressure, s.vapourPressure);
        EXPECT_EQ(FormatDecimal(r.absoluteHumidity, 1), c.f);
        EXPECT_EQ(FormatDecimal(r.relativeHumidity, 1), c.rh);
        EXPECT_EQ(FormatDecimal(r.dewPoint, 1), c.td);
        EXPECT_EQ(FormatDecimal(r.saturationPressure, 1), c.e);
        EXPECT_EQ(FormatDecimal(r.vapourPressure, 1), c.vapour);
    }
}

TEST(HumidityEdgeCases, EqualReadingsAtZeroGiveFullSaturation) {
    const HumidityResult r = ComputeHumidity(0, 0, 1013.25f, PsychrometerType::Aspirated);
    EXPECT_EQ(r.vapourPressure, r.saturationPressure);
    EXPECT_EQ(r.relativeHumidity, 100.0f);
    EXPECT_EQ(r.dewPoint, 0.0f);
    EXPECT_PRINTED(r.saturationPressure, 6.1408, 4);
    EXPECT_PRINTED(r.absoluteHumidity, 4.8084, 4);
    EXPECT_EQ(FormatDecimal(r.saturationPressure, 1), "6.1");
    EXPECT_EQ(FormatDecimal(r.absoluteHumidity, 1), "4.8");
    EXPECT_EQ(FormatDecimal(r.relativeHumidity, 1), "100.0");
    EXPECT_EQ(FormatDecimal(r.dewPoint, 1), "0.0");
}

TEST(HumidityEdgeCases, EqualReadingsAtTheColdAndLowEnd) {
    const HumidityResult r = ComputeHumidity(-30, -30, 640, PsychrometerType::NonAspirated);
    EXPECT_EQ(r.vapourPressure, r.saturationPressure);
    EXPECT_PRINTED(r.saturationPressure, 0.5135, 4);
    EXPECT_EQ(r.relativeHumidity, 100.0f);
    EXPECT_PRINTED(r.dewPoint, -30.0, 4);
    EXPECT_EQ(FormatDecimal(r.dewPoint, 1), "-30.0");
}

TEST(HumidityEdgeCases, NonPositiveVapourPressureGivesNoDewPoint) {
    const HumidityResult r = ComputeHumidity(30, 10, 1013.25f, PsychrometerType::Aspirated);
    EXPECT_PRINTED(r.vapourPressure, -1.674, 3);
    EXPECT_PRINTED(r.relativeHumidity, -3.935, 3);
    EXPECT_PRINTED(r.absoluteHumidity, -1.181, 3);
    EXPECT_TRUE(std::isnan(r.dewPoint));
    EXPECT_EQ(FormatDecimal(r.relativeHumidity, 1), "-3.9");
    EXPECT_EQ(FormatDecimal(r.dewPoint, 1), "NaN");
}

TEST(HumidityEdgeCases, LargeDepressionAtLowWetBulbGivesNoDewPoint) {
    // The depression term outweighs Ew over this whole band, so ln of RH has no value.
    for (float wet = -30; wet <= -20; wet += 0.5f) {
        const HumidityResult r = ComputeHumidity(50, wet, 1150, PsychrometerType::NonAspirated);
        ASSERT_LE(r.vapourPressure, 0) << wet;
        EXPECT_TRUE(std::isnan(r.dewPoint)) << wet;
    }
}

TEST(HumidityEdgeCases, TypeChangesOnlyTheVapourPressureAndWhatFollowsFromIt) {
    const HumidityResult a = ComputeHumidity(25, 15, 900, PsychrometerType::Aspirated);
    const HumidityResult n = ComputeHumidity(25, 15, 900, PsychrometerType::NonAspirated);
    EXPECT_EQ(a.saturationPressure, n.saturationPressure);
    EXPECT_GT(a.vapourPressure, n.vapourPressure);
    EXPECT_GT(a.relativeHumidity, n.relativeHumidity);
    EXPECT_GT(a.dewPoint, n.dewPoint);
    EXPECT_GT(a.absoluteHumidity, n.absoluteHumidity);
}

TEST(HumidityEdgeCases, RoundingPointsDecideTheShownDigit) {
    // Carried through in double precision this would be 75.9499986 and show as 75.9.
    const HumidityResult r = ComputeHumidity(7.1f, 5.3f, 1013.25f, PsychrometerType::Aspirated);
    EXPECT_EQ(r.relativeHumidity, 75.950005f);
    EXPECT_EQ(FormatDecimal(r.relativeHumidity, 1), "76.0");
}

} // namespace
