#include "calc/input_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

namespace {

const std::string NoPressure = "Няма данни за атмосферно налягане";
const std::string BadAltitude = "Има грешка при надморската височина";
const std::string BadPressure = "Има грешка при стойността на налягането";
const std::string NoDryBulb = "Няма данни за сухия термометър";
const std::string BadDryBulb = "Има грешка при стойността на сухия термометър";
const std::string NoWetBulb = "Няма данни за мокрия термометър";
const std::string BadWetBulb = "Има грешка при стойността на мокрия термометър";
const std::string WetAboveDry =
    "Има грешка при въвеждането на стойностите на сухия и мокрия термометър";
const std::string Accepted; // marks a case that must read successfully

struct Case {
    std::string pressure;
    std::string dryBulb;
    std::string wetBulb;
    BarometerUnit unit;
    std::string message;
};

std::string Describe(const Case& c) {
    return "P \"" + c.pressure + "\", Tdry \"" + c.dryBulb + "\", Twet \"" + c.wetBulb +
           "\", unit " + std::to_string(static_cast<int>(c.unit));
}

void ExpectOutcomes(const std::initializer_list<Case>& cases) {
    for (const Case& c : cases) {
        const ReadOutcome outcome = ReadInputs(c.pressure, c.dryBulb, c.wetBulb, c.unit);
        if (c.message.empty()) {
            EXPECT_TRUE(std::holds_alternative<InputReadings>(outcome))
                << Describe(c) << ": " << std::get<std::string>(outcome);
        } else {
            ASSERT_TRUE(std::holds_alternative<std::string>(outcome)) << Describe(c);
            EXPECT_EQ(std::get<std::string>(outcome), c.message) << Describe(c);
        }
    }
}

InputReadings ReadOrFail(const std::string& pressure, const std::string& dryBulb,
                         const std::string& wetBulb, BarometerUnit unit) {
    const ReadOutcome outcome = ReadInputs(pressure, dryBulb, wetBulb, unit);
    if (const auto* message = std::get_if<std::string>(&outcome)) {
        ADD_FAILURE() << "rejected with " << *message;
        return {};
    }
    return std::get<InputReadings>(outcome);
}

using enum BarometerUnit;

TEST(ReadInputs, EveryMessage) {
    ExpectOutcomes({
        {"", "20.5", "18.3", Hpa, NoPressure},
        {"3001", "20.5", "18.3", Altitude, BadAltitude},
        {"500", "20.5", "18.3", Hpa, BadPressure},
        {"981.1", "", "18.3", Hpa, NoDryBulb},
        {"981.1", "51", "18.3", Hpa, BadDryBulb},
        {"981.1", "20.5", "", Hpa, NoWetBulb},
        {"981.1", "20.5", "-31", Hpa, BadWetBulb},
        {"981.1", "18.3", "20.5", Hpa, WetAboveDry},
        {"981.1", "20.5", "18.3", Hpa, Accepted},
    });
}

TEST(ReadInputs, ChecksInOrderPressureDryWetThenTheirOrder) {
    ExpectOutcomes({
        {"", "", "", Hpa, NoPressure},
        {"", "99", "99", Altitude, NoPressure},
        {"-1", "", "", Altitude, BadAltitude},
        {"1", "", "", Hpa, BadPressure},
        {"1000", "", "", Hpa, NoDryBulb},
        {"1000", "99", "", Hpa, BadDryBulb},
        {"1000", "10", "", Hpa, NoWetBulb},
        {"1000", "10", "99", Hpa, BadWetBulb},
    });
}

TEST(ReadInputs, BoundsAreInclusive) {
    ExpectOutcomes({
        {"640", "20", "10", Hpa, Accepted},
        {"1150", "20", "10", Mbar, Accepted},
        {"639.9", "20", "10", Hpa, BadPressure},
        {"1150.1", "20", "10", Mbar, BadPressure},
        {"3000", "20", "10", Altitude, Accepted},
        {"0", "20", "10", Altitude, Accepted},
        {"3001", "20", "10", Altitude, BadAltitude},
        {"-1", "20", "10", Altitude, BadAltitude},
        {"1000", "50", "-30", Hpa, Accepted},
        {"1000", "-30", "-30", Hpa, Accepted},
        {"1000", "50.1", "10", Hpa, BadDryBulb},
        {"1000", "-30.1", "-30.1", Hpa, BadDryBulb},
        {"1000", "50", "50.1", Hpa, BadWetBulb},
        {"1000", "20", "-30.1", Hpa, BadWetBulb},
        {"1000", "20.5", "20.5", Hpa, Accepted},
        {"1000", "20.5", "20.6", Hpa, WetAboveDry},
        {"1000", "-5", "-4.9", Hpa, WetAboveDry},
    });
}

TEST(ReadInputs, NotANumberAndInfinitiesFailTheRangeChecks) {
    ExpectOutcomes({
        {"NaN", "20", "10", Hpa, BadPressure},
        {"+Infinity", "20", "10", Mmhg, BadPressure},
        {"1000", "+Infinity", "10", Hpa, BadDryBulb},
        {"1000", "NaN", "10", Hpa, BadDryBulb},
        {"1000", "20", "-Infinity", Hpa, BadWetBulb},
        {"1000", "20", "nan", Hpa, BadWetBulb},
    });
}

TEST(ReadInputs, AltitudeIsCheckedAsAnIntegerButConvertedAsADecimal) {
    ExpectOutcomes({
        // 1500.5 passes as 1500 m; 0.1e5 passes as 0 m but converts as 10000 m.
        {"1500.5", "20", "10", Altitude, Accepted},
        {"0.1e5", "20", "10", Altitude, BadPressure},
        // Read as the integer 0; the decimal reading gives an infinite pressure.
        {"+Infinity", "20", "10", Altitude, BadPressure},
        {"-Infinity", "20", "10", Altitude, BadPressure},
        {"NaN", "20", "10", Altitude, BadPressure},
        // -0.5 reads as the integer 0 and converts to a little above sea level.
        {"-0.5", "20", "10", Altitude, Accepted},
        {"$BB8", "20", "10", Altitude, Accepted},
        {"$BB9", "20", "10", Altitude, BadAltitude},
        {"3000.9", "20", "10", Altitude, Accepted},
    });
    EXPECT_FLOAT_EQ(ReadOrFail("1500.5", "20", "10", Altitude).pressure,
                    static_cast<float>(1013.25 - 1500.5 / 11.0 * double{1.33f}));
    EXPECT_EQ(ReadOrFail("0", "20", "10", Altitude).pressure, 1013.25f);
    EXPECT_NEAR(ReadOrFail("3000", "20", "10", Altitude).pressure, 650.5227, 0.00005);
    EXPECT_EQ(ReadOrFail("3000  [m]", "20", "10", Altitude).pressure,
              ReadOrFail("3000", "20", "10", Altitude).pressure);
}

TEST(ReadInputs, MillimetresOfMercuryCountAsOnePointThirtyThree) {
    EXPECT_EQ(ReadOrFail("750", "20", "10", Mmhg).pressure,
              static_cast<float>(750 * double{1.33f}));
    // 1.33 takes part as the single 1.33000004, which lifts 997.5 to the next float up.
    EXPECT_EQ(ReadOrFail("750", "20", "10", Mmhg).pressure, std::nextafter(997.5f, 1000.0f));
    ExpectOutcomes({
        {"481.3", "20", "10", Mmhg, Accepted},
        {"481.2", "20", "10", Mmhg, BadPressure},
        {"864.6", "20", "10", Mmhg, Accepted},
        {"864.7", "20", "10", Mmhg, BadPressure},
        // A field written back after a hPa result, re-read after switching to mmHg:
        // 981.1 mmHg is 1304.9 hPa.
        {"981.1  [hPa]", "20.5   [°C]", "18.3   [°C]", Mmhg, BadPressure},
    });
}

TEST(ReadInputs, InitialFieldTexts) {
    ExpectOutcomes({
        {"P/h=", "Tdry=", "Twet=", Hpa, BadPressure},
        {"P/h=", "Tdry=", "Twet=", Mbar, BadPressure},
        {"P/h=", "Tdry=", "Twet=", Mmhg, BadPressure},
    });
    const InputReadings r = ReadOrFail("P/h=", "Tdry=", "Twet=", Altitude);
    EXPECT_EQ(r.pressure, 1013.25f);
    EXPECT_EQ(r.dryBulb, 0.0f);
    EXPECT_EQ(r.wetBulb, 0.0f);
}

TEST(ReadInputs, KeepsTheTextsExactlyAsRead) {
    const InputReadings r = ReadOrFail("981.1  [hPa]", "20,5", "  18.3   [°C]", Hpa);
    EXPECT_EQ(r.pressureText, "981.1  [hPa]");
    EXPECT_EQ(r.dryBulbText, "20,5");
    EXPECT_EQ(r.wetBulbText, "  18.3   [°C]");
    EXPECT_EQ(r.pressure, 981.1f);
    EXPECT_EQ(r.dryBulb, 20.0f); // a comma ends the number
    EXPECT_EQ(r.wetBulb, 18.3f);
}

} // namespace
