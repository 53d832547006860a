#include "calc/input_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr float Infinity = std::numeric_limits<float>::infinity();

struct DecimalCase {
    std::string text;
    float expected;
};

void ExpectDecimals(const std::initializer_list<DecimalCase>& cases) {
    for (const DecimalCase& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseDecimal, ReadsTheNumberAndIgnoresWhatFollows) {
    ExpectDecimals({
        {"20.5", 20.5f},
        {"  20.5", 20.5f},
        {"\t\n\v\f\r20.5", 20.5f},
        {"20.5   [°C]", 20.5f},
        {"981.1  [hPa]", 981.1f},
        {"20,5", 20.0f},
        {".5", 0.5f},
        {"5.", 5.0f},
        {"-.5", -0.5f},
        {"+5", 5.0f},
        {"-18.3", -18.3f},
        {"1e2", 100.0f},
        {"1E-2", 0.01f},
        {"1e+2x", 100.0f},
        {"1.2.3", 1.2f},
        {"5e2.5", 500.0f},
        {"0x10", 0.0f},
        {"007.50", 7.5f},
    });
}

TEST(ParseDecimal, AnExponentNeedsDigits) {
    ExpectDecimals({{"1e", 1.0f}, {"1e+", 1.0f}, {"1E-", 1.0f}, {"2.5e [m]", 2.5f}});
}

TEST(ParseDecimal, TextWithoutANumberReadsAsZero) {
    ExpectDecimals({
        {"", 0.0f},
        {"abc", 0.0f},
        {"Tdry=", 0.0f},
        {"Twet=", 0.0f},
        {"P/h=", 0.0f},
        {"   ", 0.0f},
        {".", 0.0f},
        {"-", 0.0f},
        {"+-1", 0.0f},
        {"- 1", 0.0f},
        {".e5", 0.0f},
        {"inf", 0.0f},
        {"Infinity", 0.0f},
        {"\xC2\xA0"
         "5",
         0.0f}, // a no-break space is not white space to the scan
    });
}

TEST(ParseDecimal, SpecialWordsOnlyAsTheWholeText) {
    ExpectDecimals({
        {"+Infinity", Infinity},
        {"-Infinity", -Infinity},
        {"+iNFINITY", Infinity},
        {"-infinity", -Infinity},
        {" +Infinity", 0.0f},
        {"+Infinity ", 0.0f},
        {"+Infinityx", 0.0f},
    });
    EXPECT_TRUE(std::isnan(ParseDecimal("NaN")));
    EXPECT_TRUE(std::isnan(ParseDecimal("nan")));
    EXPECT_TRUE(std::isnan(ParseDecimal("nAn")));
    EXPECT_EQ(ParseDecimal(" NaN"), 0.0f);
    EXPECT_EQ(ParseDecimal("NaN "), 0.0f);
}

TEST(ParseDecimal, RoundsToTheNearestSingle) {
    ExpectDecimals({
        {"0.1", 0.1f},
        {"16777217", 16777216.0f}, // a tie: to the even neighbour
        {"16777219", 16777220.0f},
        {"3.4028235e38", std::numeric_limits<float>::max()},
        {"1e-40", 1e-40f}, // subnormal
        {"1.4e-45", std::numeric_limits<float>::denorm_min()},
        {"0.100000000000000000000000000000000000000001", 0.1f},
    });
    EXPECT_TRUE(std::signbit(ParseDecimal("-0")));
}

TEST(ParseDecimal, ReadsEveryReadingWithOneDecimalAsItsNearestSingle) {
    // Each temperature, pressure and altitude of a psychrometer's range against its two
    // neighbours: ten times a float is exact in double, so the distances compare exactly.
    for (int tenths = -300; tenths <= 30000; ++tenths) {
        const int magnitude = tenths < 0 ? -tenths : tenths;
        const std::string text = (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
                                 std::to_string(magnitude % 10);
        const float read = ParseDecimal(text);
        const double distance = std::fabs(double{read} * 10 - tenths);
        for (const float neighbour :
             {std::nextafter(read, -INFINITY), std::nextafter(read, INFINITY)}) {
            ASSERT_LE(distance, std::fabs(double{neighbour} * 10 - tenths)) << text;
        }
    }
}

// Out-of-range numbers behave as strtof: too large gives infinity, too small gives zero
// with its sign. The range checks downstream then reject or accept them as any value.
TEST(ParseDecimal, OutOfRangeBehavesAsStrtof) {
    ExpectDecimals({
        {"1e999", Infinity},
        {"-1e999", -Infinity},
        {"3.5e38", Infinity},
        {"1e99999999999999999999", Infinity},
        {"100000000000000000000000000000000000000000000", Infinity},
        {"0.00000000000000000000000000000000000000000000000001e60", 1e10f},
        {"1e-50", 0.0f},
        {"1e-99999999999999999999", 0.0f},
        {"1000000000000e-60", 0.0f},
    });
    EXPECT_TRUE(std::signbit(ParseDecimal("-1e-50")));
}

struct IntegerCase {
    std::string text;
    std::int64_t expected;
};

TEST(ParseInteger, ReadsDigitsUpToTheFirstNonDigit) {
    const IntegerCase cases[] =
        {
            {"1500", 1500},   {"1500  [m]", 1500}, {"1500.7", 1500}, {"1,500", 1},
            {"-0", 0},        {"-5", -5},          {"+7", 7},        {" \t 42", 42},
            {"\n42", 0}, // only spaces and tabs are skipped
            {"", 0},          {"P/h=", 0},         {"--5", 0},       {"+Infinity", 0},
            {"-Infinity", 0}, {"0.1e5", 0},        {"$BB8", 3000},   {"$bb8", 3000},
            {"-$ff", -255},   {"$G", 0},           {"%101", 5},      {"%102", 2},
            {"-%11", -3},
        };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseInteger, WrapsOnOverflow) {
    const std::int64_t max = std::numeric_limits<std::int64_t>::max();
    const std::int64_t min = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(ParseInteger("9223372036854775807"), max);
    EXPECT_EQ(ParseInteger("9223372036854775808"), min);
    EXPECT_EQ(ParseInteger("-9223372036854775808"), min);
    EXPECT_EQ(ParseInteger("18446744073709551616"), 0);
    EXPECT_EQ(ParseInteger("18446744073709554000"), 2384);
    EXPECT_EQ(ParseInteger("$FFFFFFFFFFFFFFFF"), -1);
}

} // namespace
