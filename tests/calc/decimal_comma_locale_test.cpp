// The calculator reads and writes '.' as the decimal point whatever locale the process
// runs under. These tests switch both the C and the C++ locale to Bulgarian, whose decimal
// point is ',', and fail outright when that switch does not take effect.
#include "calc/humidity_model.h"
#include "calc/input_reading.h"
#include "calc/result_presentation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <stdexcept>
#include <string>
#include <variant>

namespace {

constexpr const char* DecimalCommaLocale = "bg_BG.UTF-8";

class UnderDecimalCommaLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* locpath = std::getenv("LOCPATH");
        ASSERT_NE(std::setlocale(LC_ALL, DecimalCommaLocale), nullptr)
            << DecimalCommaLocale << " is not available (LOCPATH=" << (locpath ? locpath : "")
            << ")";
        try {
            std::locale::global(std::locale(DecimalCommaLocale));
        } catch (const std::runtime_error& error) {
            FAIL() << "the C++ locale cannot be switched: " << error.what();
        }
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
        ASSERT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
        // The C library itself now stops at '.', so a locale-bound conversion would fail.
        ASSERT_EQ(std::strtod("20.5", nullptr), 20.0);
    }

    void TearDown() override {
        std::locale::global(previousCpp_);
        std::setlocale(LC_ALL, previousC_.c_str());
    }

  private:
    std::string previousC_ = std::setlocale(LC_ALL, nullptr);
    std::locale previousCpp_;
};

TEST_F(UnderDecimalCommaLocale, ParsingStillUsesThePoint) {
    EXPECT_EQ(ParseDecimal("20.5"), 20.5f);
    EXPECT_EQ(ParseDecimal("981.1  [hPa]"), 981.1f);
    EXPECT_EQ(ParseDecimal("-0.5e1"), -5.0f);
    EXPECT_EQ(ParseDecimal("20,5"), 20.0f);
    EXPECT_EQ(ParseInteger("1500.7"), 1500);
}

TEST_F(UnderDecimalCommaLocale, FormattingStillUsesThePoint) {
    EXPECT_EQ(FormatDecimal(20.5f, 1), "20.5");
    EXPECT_EQ(FormatDecimal(-3.9375f, 3), "-3.938");
    EXPECT_EQ(FormatDecimal(1234567.0f, 0), "1234567");
    EXPECT_EQ(FormatDecimal(0.25f, 1), "0.3");
}

TEST_F(UnderDecimalCommaLocale, TheSampleReadingsGiveTheSameResults) {
    const ReadOutcome outcome = ReadInputs("981.1", "20.5", "18.3", BarometerUnit::Hpa);
    ASSERT_TRUE(std::holds_alternative<InputReadings>(outcome));
    const InputReadings& in = std::get<InputReadings>(outcome);
    const HumidityResult r =
        ComputeHumidity(in.dryBulb, in.wetBulb, in.pressure, PsychrometerType::Aspirated);
    EXPECT_EQ(FormatDecimal(r.absoluteHumidity, 1), "14.3");
    EXPECT_EQ(FormatDecimal(r.relativeHumidity, 1), "81.0");
    EXPECT_EQ(FormatDecimal(r.dewPoint, 1), "17.1");
    EXPECT_EQ(FormatDecimal(r.saturationPressure, 1), "24.2");
    EXPECT_EQ(FormatDecimal(r.vapourPressure, 1), "19.6");
}

} // namespace
