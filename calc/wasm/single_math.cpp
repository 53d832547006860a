// Emscripten's C library computes expl and logl of its 128-bit long double in double
// precision only, and a double result rounded to single is not always the nearest single
// (ln of 0x1.827a74p-7 in double lies exactly half-way between two). So the double result
// is taken only when it lies clearly away from every half-way point between two singles;
// near one, the value is summed from its series in the 128-bit arithmetic, which is
// exact to its last bit, and decides.
#include "calc/single_math.h"

#include <cmath>

namespace {

constexpr long double Ln2 = 0.693147180559945309417232121458176568L;

// Far more than the error of the C library's double exp and log (about one unit in the
// last place, 2^-52): outside this distance from a half-way point the rounding is sure.
constexpr double Margin = 0x1p-44;

bool NearHalfway(double value) {
    const float single = static_cast<float>(value);
    if (!std::isfinite(value) || value == 0 || !std::isfinite(single)) {
        return false;
    }
    const double below = (double{single} + std::nextafter(single, -INFINITY)) / 2;
    const double above = (double{single} + std::nextafter(single, INFINITY)) / 2;
    const double reach = std::fabs(value) * Margin;
    return std::fabs(value - below) <= reach || std::fabs(value - above) <= reach;
}

long double SeriesExp(long double x) {
    const long double k = std::round(x / Ln2);
    const long double r = x - k * Ln2; // |r| <= ln 2 / 2
    long double sum = 1;
    long double term = 1;
    for (int n = 1; n < 60 && std::fabs(term) > 1e-40L; ++n) {
        term *= r / n;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

// ln m = 2 atanh((m - 1) / (m + 1)) with m in [√½, √2).
long double SeriesLog(long double x) {
    int exponent = 0;
    long double m = std::frexp(x, &exponent);
    if (m < 0.70710678118654752440084436210484903L) {
        m *= 2;
        --exponent;
    }
    const long double s = (m - 1) / (m + 1);
    const long double s2 = s * s;
    long double sum = 0;
    long double power = s;
    for (int n = 1; n < 200 && std::fabs(power) > 1e-40L; n += 2) {
        sum += power / n;
        power *= s2;
    }
    return exponent * Ln2 + 2 * sum;
}

} // namespace

float CorrectlyRoundedExp(float x) {
    const double fast = std::exp(double{x});
    return NearHalfway(fast) ? static_cast<float>(SeriesExp(x)) : static_cast<float>(fast);
}

float CorrectlyRoundedLog(float x) {
    const double fast = std::log(double{x});
    return NearHalfway(fast) ? static_cast<float>(SeriesLog(x)) : static_cast<float>(fast);
}
