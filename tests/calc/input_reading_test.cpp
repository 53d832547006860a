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
        // ParseInteger reads "$BB8" as 3000, but it is no decimal number: not well-formed.
        {"$BB8", "20", "10", Altitude, BadAltitude},
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

TEST(ReadInputs, InitialFieldTextsAreNoNumbers) {
    ExpectOutcomes({
        {"P/h=", "Tdry=", "Twet=", Hpa, BadPressure},
        {"P/h=", "Tdry=", "Twet=", Mbar, BadPressure},
        {"P/h=", "Tdry=", "Twet=", Mmhg, BadPressure},
        // They once read as 0 m, 0 °C and 0 °C and gave a full set of results.
        {"P/h=", "Tdry=", "Twet=", Altitude, BadAltitude},
        {"1500", "Tdry=", "Twet=", Altitude, BadDryBulb},
        {"1500", "20.5", "Twet=", Altitude, BadWetBulb},
    });
}

TEST(ReadInputs, KeepsTheTextsExactlyAsRead) {
    const InputReadings r = ReadOrFail("981.1  [hPa]", "20.5[°C] ", "  18.3   [°C]", Hpa);
    EXPECT_EQ(r.pressureText, "981.1  [hPa]");
    EXPECT_EQ(r.dryBulbText, "20.5[°C] ");
    EXPECT_EQ(r.wetBulbText, "  18.3   [°C]");
    EXPECT_EQ(r.pressure, 981.1f);
    EXPECT_EQ(r.dryBulb, 20.5f);
    EXPECT_EQ(r.wetBulb, 18.3f);
}

TEST(ReadInputs, TheTypedExamplesOfTheIssue) {
    ExpectOutcomes({
        // The decimal comma a Bulgarian keyboard gives: once read as 20 / 18 / 981.
        {"981,1", "20,5", "18,3", Hpa, BadPressure},
        {"981.1", "20,5", "18,3", Hpa, BadDryBulb},
        {"981.1", "20.5", "18,3", Hpa, BadWetBulb},
        {"981.1", "abc", "xyz", Hpa, BadDryBulb},
        {"981.1", "20.5", "xyz", Hpa, BadWetBulb},
        {"1,500", "20.5", "18.3", Altitude, BadAltitude},
        {"981.1", "   ", "18.3", Hpa, NoDryBulb},
        {"981.1", "20.5", "\t", Hpa, NoWetBulb},
        {" ", "20.5", "18.3", Hpa, NoPressure},
        {" ", "20.5", "18.3", Altitude, NoPressure},
        {"981.1  [hPa]", "20.5   [°C]", " 18.3", Hpa, Accepted},
        {"981.1", "1e1", "1e1", Hpa, Accepted},
    });
}

// Where each field's number is good, and the texts around it that keep it good or not.
struct Field {
    const char* name;
    std::string number; // a good reading for the field
    std::string blankMessage;
    std::string badMessage;
    BarometerUnit unit;
    int index; // 0 pressure, 1 dry bulb, 2 wet bulb
};

Case WithText(const Field& field, const std::string& text, const std::string& message) {
    Case c{field.unit == Altitude ? "1500"
           : field.unit == Mmhg   ? "736"
                                  : "981.1",
           "20.5", "18.3", field.unit, message};
    (field.index == 0 ? c.pressure : field.index == 1 ? c.dryBulb : c.wetBulb) = text;
    return c;
}

TEST(ReadInputs, OnlyWellFormedTextsAreRead) {
    const Field fields[] = {
        {"P in hPa", "981.1", NoPressure, BadPressure, Hpa, 0},
        {"P in mBar", "1000", NoPressure, BadPressure, Mbar, 0},
        {"P in mmHg", "736", NoPressure, BadPressure, Mmhg, 0},
        {"altitude", "1500", NoPressure, BadAltitude, Altitude, 0},
        {"Tdry", "20.5", NoDryBulb, BadDryBulb, Hpa, 1},
        {"Twet", "18.3", NoWetBulb, BadWetBulb, Hpa, 2},
        {"Tdry, altitude mode", "20.5", NoDryBulb, BadDryBulb, Altitude, 1},
        {"Twet, mmHg mode", "18.3", NoWetBulb, BadWetBulb, Mmhg, 2},
    };
    for (const Field& f : fields) {
        SCOPED_TRACE(f.name);
        const std::string& n = f.number;
        std::string comma = n;
        if (const std::size_t point = comma.find('.'); point != std::string::npos) {
            comma[point] = ',';
        } else {
            comma = n.substr(0, 1) + "," + n.substr(1);
        }
        const std::string good[] = {
            n,
            " " + n,
            n + " ",
            "\t" + n + "\r\n",
            "+" + n,
            n + "e0",
            "0" + n,
            // Every unit text, whatever the field or the selected unit.
            n + "   [°C]",
            n + "  [hPa]",
            n + "  [mB]",
            n + "  [mmHg]",
            n + "  [m]",
            n + "[°C]",
            " " + n + " [hPa] ",
        };
        const std::string bad[] = {
            comma,      "abc",    "xyz",     "Tdry=",        "Twet=",          "P/h=",
            n + " abc", n + "°C", n + " °C", n + " [mBar]",  n + " [°C] [°C]", n + "e",
            n + ".5.5", "- " + n, "[°C]",    "\xC2\xA0" + n, n + "x  [hPa]",   "inf",
            "Infinity", " NaN",
        };
        for (const std::string& text : good) {
            const Case c = WithText(f, text, Accepted);
            ExpectOutcomes({c});
            // Read exactly as it was before the rule: the number alone counts.
            const InputReadings withText = ReadOrFail(c.pressure, c.dryBulb, c.wetBulb, c.unit);
            const Case plain = WithText(f, n, Accepted);
            const InputReadings withNumber =
                ReadOrFail(plain.pressure, plain.dryBulb, plain.wetBulb, plain.unit);
            EXPECT_EQ(withText.pressure, withNumber.pressure) << text;
            EXPECT_EQ(withText.dryBulb, withNumber.dryBulb) << text;
            EXPECT_EQ(withText.wetBulb, withNumber.wetBulb) << text;
        }
        for (const std::string& text : bad) {
            ExpectOutcomes({WithText(f, text, f.badMessage)});
        }
        for (const std::string text : {"", " ", "   ", "\t", "\r\n "}) {
            ExpectOutcomes({WithText(f, text, f.blankMessage)});
        }
    }
}

TEST(ReadInputs, SignsAndExponentsAreReadAsBefore) {
    ExpectOutcomes({
        {"+981.1", "+20.5", "-1.83e1", Hpa, Accepted},
        {"9.811e2", "2.05E+1", "183e-1", Hpa, Accepted},
        {"981.1", "-5", "-5.5", Hpa, Accepted},
        {"981.1", "-5", "-4.9", Hpa, WetAboveDry},
        {"1.5e3", "20.5", "18.3", Altitude, Accepted}, // passes as 1 m, converts as 1500 m
        {"1e9", "20.5", "18.3", Hpa, BadPressure},
        {"981.1", "1e999", "18.3", Hpa, BadDryBulb}, // infinite
        {"981.1", "20.5", "-1e999", Hpa, BadWetBulb},
    });
    EXPECT_EQ(ReadOrFail("+981.1", "+20.5", "-1.83e1", Hpa).wetBulb, -18.3f);
    EXPECT_EQ(ReadOrFail("1.5e3", "20.5", "18.3", Altitude).pressure,
              ReadOrFail("1500", "20.5", "18.3", Altitude).pressure);
}

TEST(ReadInputs, TheRuleComesJustBeforeEachValueCheckInTheUsualOrder) {
    ExpectOutcomes({
        // A bad pressure text is reported before anything about the thermometers.
        {"abc", "", "", Hpa, BadPressure},
        {"abc", "", "", Altitude, BadAltitude},
        // A good pressure out of range is reported before a bad dry-bulb text.
        {"500", "abc", "", Hpa, BadPressure},
        {"981.1", "abc", "", Hpa, BadDryBulb},
        {"981.1", "99", "abc", Hpa, BadDryBulb},
        {"981.1", "20.5", "abc", Hpa, BadWetBulb},
        {"981.1", "   ", "abc", Hpa, NoDryBulb},
        {"981.1", "abc", "   ", Hpa, BadDryBulb},
    });
}

} // namespace
