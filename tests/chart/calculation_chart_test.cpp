// The chart's title line: the pressure as the user gave it, the type and the cover.
#include "chart/calculation_chart.h"

#include <gtest/gtest.h>

namespace {

using chart::ChartTitle;

AcceptedCalculation Reading(BarometerUnit unit, const char* pressureText, float hpa) {
    AcceptedCalculation calculation;
    calculation.readings = {20.5f, 18.3f, hpa, "20.5", "18.3", pressureText};
    calculation.unit = unit;
    return calculation;
}

TEST(ChartTitle, NamesThePressureInTheUnitGivenAndInHectopascals) {
    EXPECT_EQ(ChartTitle(Reading(BarometerUnit::Hpa, "981.1", 981.1f)),
              "Tdry = 20.5 °C, Twet = 18.3 °C, P = 981.1 hPa, психрометър с аспирация");
    // A field that still carries the unit text of an earlier press reads as its number.
    AcceptedCalculation mmhg = Reading(BarometerUnit::Mmhg, "736  [mmHg]", 981.25f);
    mmhg.type = PsychrometerType::NonAspirated;
    EXPECT_EQ(ChartTitle(mmhg),
              "Tdry = 20.5 °C, Twet = 18.3 °C, P = 736.0 mmHg, психрометър без аспирация");
    AcceptedCalculation iced = Reading(BarometerUnit::Altitude, "250", 983.4f);
    iced.cover = WetBulbCover::Ice;
    EXPECT_EQ(ChartTitle(iced), "Tdry = 20.5 °C, Twet = 18.3 °C, h = 250.0 m, P = 983.4 hPa, "
                                "психрометър с аспирация, заледен мокър термометър");
    EXPECT_EQ(ChartTitle(Reading(BarometerUnit::Mbar, "981.1", 981.1f)),
              "Tdry = 20.5 °C, Twet = 18.3 °C, P = 981.1 mBar, психрометър с аспирация");
}

} // namespace
