#include "calc/result_presentation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct Case {
    float value;
    int decimals;
    std::string expected;
};

void ExpectTexts(const std::initializer_list<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDecimal(c.value, c.decimals), c.expected)
            << c.value << " with " << c.decimals << " decimals";
    }
}

TEST(FormatDecimal, ResultsWithOneDecimal) {
    ExpectTexts({
        {81.00456f, 1, "81.0"},
        {14.26006f, 1, "14.3"},
        {-3.935f, 1, "-3.9"},
        {75.950005f, 1, "76.0"},
        {24.16851f, 1, "24.2"},
        {1304.9f, 1, "1304.9"},
        {9.96f, 1, "10.0"},
        {-9.96f, 1, "-10.0"},
        {99.99f, 1, "100.0"},
    });
}

TEST(FormatDecimal, OnlyAnExactZeroLosesItsSign) {
    ExpectTexts({
        {0.0f, 1, "0.0"},
        {-0.0f, 1, "0.0"},
        {-0.0f, 0, "0"},
        {-0.03f, 1, "-0.0"},
        {-0.4f, 0, "-0"},
        {std::numeric_limits<float>::denorm_min(), 2, "0.00"},
        {-std::numeric_limits<float>::denorm_min(), 2, "-0.00"},
    });
}

TEST(FormatDecimal, ExactTiesRoundAwayFromZero) {
    ExpectTexts({
        {0.25f, 1, "0.3"},
        {-0.25f, 1, "-0.3"},
        {0.125f, 2, "0.13"},
        {0.375f, 2, "0.38"},
        {2.5f, 0, "3"},
        {-2.5f, 0, "-3"},
        {0.5f, 0, "1"},
        {1.5f, 0, "2"},
        {999.5f, 0, "1000"},
    });
}

TEST(FormatDecimal, RoundsTheExactBinaryValue) {
    ExpectTexts({
        // 0.15f lies just above 0.15, 0.35f just below 0.35: no tie, whatever they look like.
        {0.15f, 1, "0.2"},
        {0.35f, 1, "0.3"},
        {2.675f, 2, "2.67"},
        {0.1f, 20, "0.10000000149011611938"},
        {16777216.0f, 0, "16777216"},
        {std::numeric_limits<float>::max(), 0, "340282346638528859811704183484516925440"},
        {123.0f, 0, "123"},
    });
}

TEST(FormatDecimal, SpecialValues) {
    ExpectTexts({
        {std::numeric_limits<float>::infinity(), 1, "+Infinity"},
        {-std::numeric_limits<float>::infinity(), 1, "-Infinity"},
        {std::numeric_limits<float>::quiet_NaN(), 1, "NaN"},
        {-std::numeric_limits<float>::quiet_NaN(), 0, "NaN"},
    });
}

TEST(FormatDecimal, AsManyAsFiveHundredTwelveDecimals) {
    const std::string third = FormatDecimal(1.0f / 3.0f, 512);
    ASSERT_EQ(third.size(), 2u + 512u);
    // 1/3 as a float is 0.3333333432674407958984375 exactly; zeros follow.
    EXPECT_EQ(third.substr(0, 27), "0.3333333432674407958984375");
    EXPECT_EQ(third.find_first_not_of('0', 27), std::string::npos);

    // The smallest subnormal needs 149 decimals, all of them significant.
    const std::string tiny = FormatDecimal(std::numeric_limits<float>::denorm_min(), 512);
    EXPECT_EQ(tiny.substr(0, 47), "0.000000000000000000000000000000000000000000001");
    EXPECT_EQ(tiny.substr(140, 11), "12158203125");
    EXPECT_EQ(tiny.find_first_not_of('0', 151), std::string::npos);
    // One decimal less cuts at an exact tie deep in the digits: away from zero, not even.
    EXPECT_EQ(FormatDecimal(std::numeric_limits<float>::denorm_min(), 148).substr(140),
              "1215820313");
}

TEST(FormatDecimal, DecimalsOutsideTheRangeAreClamped) {
    EXPECT_EQ(FormatDecimal(2.5f, -3), "3");
    EXPECT_EQ(FormatDecimal(0.5f, 100000).size(), 2u + 512u);
}

} // namespace
