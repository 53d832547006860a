// Opt-in (ZORVEL_LONG_CHECKS): the single-precision ln and exp of the model are correctly
// rounded for every single-precision argument they can meet, checked one by one against a
// quad-precision reference. Takes a minute or two on two cores.
//
// For each argument the correctly rounded single is found thus: the double-precision
// std::log/std::exp of glibc (error well under 2^-52 relative) is compared with the two
// midpoints around the single it rounds to; when it lies farther than 2^-40 relative from
// both, that single is certainly the right one. The few arguments left near a midpoint
// are settled with libquadmath's logq/expq (113 significant bits) against a margin of
// 2^-100 relative; an argument that even this cannot settle fails the test.
#include "calc/humidity_steps.h"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using humidity_detail::MagnusExponent;
using humidity_detail::SingleExp;
using humidity_detail::SingleLog;

enum class Function { Log, Exp };

// The correctly rounded single of `value` when `value` is a good approximation of the
// true result, with `margin` its possible error; false when too near a midpoint to tell.
template <typename Wide> bool RoundSafely(Wide value, Wide margin, float& rounded) {
    const float candidate = static_cast<float>(value);
    if (!std::isfinite(candidate)) {
        return false;
    }
    const Wide down = std::nextafter(candidate, -INFINITY);
    const Wide up = std::nextafter(candidate, INFINITY);
    const Wide lowMidpoint = (Wide{candidate} + down) / 2; // exact in double and quad
    const Wide highMidpoint = (Wide{candidate} + up) / 2;
    if (value - lowMidpoint > margin && highMidpoint - value > margin) {
        rounded = candidate;
        return true;
    }
    return false;
}

struct Verdict {
    bool settled = false;
    bool usedQuad = false;
    float correct = 0;
};

Verdict CorrectlyRounded(Function function, float x) {
    Verdict verdict;
    const double d = function == Function::Log ? std::log(double{x}) : std::exp(double{x});
    if (RoundSafely<double>(d, std::fabs(d) * 0x1p-40, verdict.correct)) {
        verdict.settled = true;
        return verdict;
    }
    verdict.usedQuad = true;
    const __float128 q = function == Function::Log ? logq(__float128{x}) : expq(__float128{x});
    __float128 margin = q < 0 ? -q : q;
    margin *= static_cast<__float128>(0x1p-100);
    verdict.settled = RoundSafely<__float128>(q, margin, verdict.correct);
    return verdict;
}

struct Tally {
    std::atomic<std::uint64_t> checked{0};
    std::atomic<std::uint64_t> nearMidpoint{0};
    std::atomic<std::uint64_t> doubleWouldBeWrong{0};
    std::mutex failuresLock;
    std::vector<std::string> failures;
};

// Checks the singles with bit patterns first..last (inclusive, all of one sign).
void CheckRange(Function function, std::uint32_t first, std::uint32_t last, Tally& tally) {
    std::uint64_t checked = 0, near = 0, doubleWrong = 0;
    for (std::uint64_t bits = first; bits <= last; ++bits) {
        const float x = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        const float got = function == Function::Log ? SingleLog(x) : SingleExp(x);
        const Verdict verdict = CorrectlyRounded(function, x);
        ++checked;
        near += verdict.usedQuad ? 1 : 0;
        const float viaDouble = static_cast<float>(function == Function::Log ? std::log(double{x})
                                                                             : std::exp(double{x}));
        if (verdict.settled && std::bit_cast<std::uint32_t>(viaDouble) !=
                                   std::bit_cast<std::uint32_t>(verdict.correct)) {
            ++doubleWrong;
        }
        if (!verdict.settled ||
            std::bit_cast<std::uint32_t>(got) != std::bit_cast<std::uint32_t>(verdict.correct)) {
            char line[160];
            std::snprintf(line, sizeof line, "%s(%a): got %a, correctly rounded %a%s",
                          function == Function::Log ? "ln" : "exp", double{x}, double{got},
                          double{verdict.correct}, verdict.settled ? "" : " (undecided)");
            const std::lock_guard lock(tally.failuresLock);
            if (tally.failures.size() < 20) {
                tally.failures.emplace_back(line);
            }
        }
    }
    tally.checked += checked;
    tally.nearMidpoint += near;
    tally.doubleWouldBeWrong += doubleWrong;
}

// Every single with a bit pattern in first..last, split over the available cores.
void CheckAll(Function function, std::uint32_t first, std::uint32_t last) {
    Tally tally;
    const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
    const std::uint64_t count = std::uint64_t{last} - first + 1;
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < workers; ++i) {
        const std::uint64_t from = first + count * i / workers;
        const std::uint64_t to = first + count * (i + 1) / workers;
        if (to > from) {
            threads.emplace_back(CheckRange, function, static_cast<std::uint32_t>(from),
                                 static_cast<std::uint32_t>(to - 1), std::ref(tally));
        }
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(tally.checked.load(), count);
    for (const std::string& failure : tally.failures) {
        ADD_FAILURE() << failure;
    }
    std::printf("%s: %llu arguments, %llu settled in quad precision, %llu where double "
                "rounded to single would be wrong\n",
                function == Function::Log ? "ln" : "exp",
                static_cast<unsigned long long>(tally.checked.load()),
                static_cast<unsigned long long>(tally.nearMidpoint.load()),
                static_cast<unsigned long long>(tally.doubleWouldBeWrong.load()));
}

std::uint32_t Bits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

TEST(RoundingExhaustive, TheKnownMidpointCase) {
    // The double ln of this ratio lies exactly half-way between two singles.
    EXPECT_EQ(SingleLog(0x1.827a74p-7f), -0x1.1c2b1ep+2f);
    EXPECT_EQ(static_cast<float>(std::log(double{0x1.827a74p-7f})), -0x1.1c2b2p+2f);
}

TEST(RoundingExhaustive, LogOfEverySingleInZeroToOne) {
    // The smallest subnormal up to 1.
    CheckAll(Function::Log, 1, Bits(1.0f));
}

TEST(RoundingExhaustive, ExpOfEveryExponentOfTheSaturationFormula) {
    // x = 17.62 T / (T + 243.12) rounded to single grows with T, so every x the model
    // meets for -30 <= T <= 50 lies between these two; all singles between are checked.
    const float lowest = MagnusExponent(-30.0);
    const float highest = MagnusExponent(50.0);
    ASSERT_LT(lowest, 0.0f);
    ASSERT_GT(highest, 0.0f);
    CheckAll(Function::Exp, Bits(0.0f), Bits(highest));
    // Negative singles: bit patterns grow with the magnitude, from -0 down to `lowest`.
    CheckAll(Function::Exp, Bits(-0.0f), Bits(lowest));
}

} // namespace
