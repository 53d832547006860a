#include "chart/month_palette.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Rgb = std::array<double, 3>; // linear, 0 to 1
using Matrix = std::array<Rgb, 3>;

Rgb Linear(const chart::ChartInk& ink) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return {channel(ink.red), channel(ink.green), channel(ink.blue)};
}

// CIE L*a*b* of a linear sRGB colour (D65).
Rgb Lab(const Rgb& c) {
    const double x = (0.4124 * c[0] + 0.3576 * c[1] + 0.1805 * c[2]) / 0.95047;
    const double y = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
    const double z = (0.0193 * c[0] + 0.1192 * c[1] + 0.9505 * c[2]) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// How a reader with full protanopia or deuteranopia sees a colour (Machado, Oliveira and
// Fernandes 2009, severity 1).
Rgb Seen(const Rgb& c, const Matrix& m) {
    Rgb seen{};
    for (std::size_t row = 0; row < 3; ++row) {
        const double v = m[row][0] * c[0] + m[row][1] * c[1] + m[row][2] * c[2];
        seen[row] = std::clamp(v, 0.0, 1.0);
    }
    return seen;
}

double Difference(const Rgb& a, const Rgb& b) {
    const Rgb la = Lab(a);
    const Rgb lb = Lab(b);
    return std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
}

TEST(MonthPalette, TheTwelveMonthsStayApartForRedGreenBlindReadersTooAndShowOnWhite) {
    constexpr Matrix Normal = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    constexpr Matrix Protanopia = {{{0.152286, 1.052583, -0.204868},
                                    {0.114503, 0.786281, 0.099216},
                                    {-0.003882, -0.048116, 1.051998}}};
    constexpr Matrix Deuteranopia = {{{0.367322, 0.860646, -0.227968},
                                      {0.280085, 0.672501, 0.047413},
                                      {-0.011820, 0.042940, 0.968881}}};
    for (const Matrix& vision : {Normal, Protanopia, Deuteranopia}) {
        for (int a = 0; a <= 12; ++a) {
            const Rgb seenA = Seen(Linear(chart::MonthInk(a)), vision);
            EXPECT_GT(Difference(seenA, {1, 1, 1}), 20) << chart::MonthName(a);
            for (int b = a + 1; b <= 12; ++b) {
                EXPECT_GT(Difference(seenA, Seen(Linear(chart::MonthInk(b)), vision)), 10)
                    << chart::MonthName(a) << " / " << chart::MonthName(b);
            }
        }
    }
    EXPECT_EQ(chart::MonthName(1), "януари");
    EXPECT_EQ(chart::MonthName(12), "декември");
    EXPECT_EQ(chart::MonthName(13), "без дата");
}

} // namespace
