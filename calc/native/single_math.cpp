// Evaluated in long double (64 significant bits or more) and rounded once to single. A
// double result rounded to single is not always right: ln of 0x1.827a74p-7 in double lies
// exactly half-way between two singles and rounds to the wrong one. The opt-in exhaustive
// check (tests/calc/rounding_exhaustive_test.cpp) shows these two give the correctly
// rounded single for every argument in (0, 1] and every exponent the model meets.
#include "calc/single_math.h"

#include <cmath>
#include <limits>

static_assert(std::numeric_limits<long double>::digits >= 64,
              "the single-precision exp and ln need an extended long double");

float CorrectlyRoundedExp(float x) {
    return static_cast<float>(std::exp(static_cast<long double>(x)));
}

float CorrectlyRoundedLog(float x) {
    return static_cast<float>(std::log(static_cast<long double>(x)));
}
