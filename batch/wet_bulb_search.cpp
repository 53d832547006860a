#include "batch/wet_bulb_search.h"

#include "calc/humidity_route.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t SearchedTenths = 400; // Tdry − 40 °C
constexpr std::int32_t LowestTenths = -300;  // the calculator's −30 °C
constexpr double Refused = -std::numeric_limits<double>::infinity();

float ReadingOf(std::int32_t tenths) {
    // Both exact, so the quotient is the nearest float to tenths / 10: what the calculator
    // reads from the text "18.3".
    return static_cast<float>(tenths) / 10.0f;
}

// The highest (or lowest) reading in tenths at or below (or at or above) `temperature`.
std::int32_t TenthsAtOrBelow(double temperature) {
    auto tenths = static_cast<std::int32_t>(std::floor(temperature * 10));
    while (ReadingOf(tenths + 1) <= temperature) {
        ++tenths;
    }
    while (ReadingOf(tenths) > temperature) {
        --tenths;
    }
    return tenths;
}
std::int32_t TenthsAtOrAbove(double temperature) {
    return TenthsAtOrBelow(temperature) + (ReadingOf(TenthsAtOrBelow(temperature)) < temperature);
}

// RH or Td over the readings of one wet-bulb cover, rising with the reading; readings the
// calculator refuses (no vapour left, at the low end) come out as minus infinity. Each
// reading is computed once: the model's exponentials and logarithm are the cost here.
class Curve {
  public:
    explicit Curve(const WetBulbQuestion& question) : question_(question) {}

    double At(std::int32_t tenths) const { return AtReading(ReadingOf(tenths)); }

    double AtReading(float wetBulb) const {
        for (std::size_t at = 0; at < known_; ++at) {
            if (memo_[at].first == wetBulb) {
                return memo_[at].second;
            }
        }
        const double value = Compute(wetBulb);
        if (known_ < memo_.size()) {
            memo_[known_++] = {wetBulb, value};
        }
        return value;
    }

  private:
    double Compute(float wetBulb) const {
        InputReadings readings = question_.readings;
        readings.wetBulb = wetBulb;
        const HumidityOutcome outcome = ComputeCheckedHumidity(
            readings, question_.type, CoverOf(question_.bulb, readings.wetBulb),
            question_.coefficient);
        const auto* result = std::get_if<HumidityResult>(&outcome);
        if (result == nullptr) {
            return Refused;
        }
        return question_.given == GivenHumidity::RelativeHumidity ? result->relativeHumidity
                                                                  : result->dewPoint;
    }

    const WetBulbQuestion& question_;
    mutable std::array<std::pair<float, double>, 32> memo_{};
    mutable std::size_t known_ = 0;
};

// Readings on one cover. When they go up to Tdry, the curve goes on between the last of
// them and Tdry itself, to the value at Tdry.
struct Span {
    std::int32_t low = 0;
    std::int32_t high = -1;
    bool reachesDryBulb = false;
};

struct Candidate {
    std::int32_t tenths = 0;
    double distance = 0;
};

struct Point {
    std::int32_t tenths = 0;
    double value = 0;
};

class Search {
  public:
    Search(const Curve& curve, float dryBulb, double value)
        : curve_(curve), dryBulb_(dryBulb), value_(value) {}

    // The nearest reading of the span that reaches the value: the first reading at or above
    // it, or the one before.
    std::optional<Candidate> In(const Span& span) const {
        const std::int32_t first = FirstAtOrAbove(span);
        const double above = first <= span.high ? curve_.At(first) : Refused;
        const double below = first > span.low ? curve_.At(first - 1) : Refused;
        if (above != Refused && below != Refused) {
            return value_ - below < above - value_ ? Candidate{first - 1, value_ - below}
                                                   : Candidate{first, above - value_};
        }
        if (above != Refused) { // below every reading the span accepts
            const double next = first < span.high ? curve_.At(first + 1) : above;
            return Within(above - value_, next - above, first);
        }
        if (below != Refused) { // above every reading of the span
            if (span.reachesDryBulb) {
                return value_ <= curve_.AtReading(dryBulb_)
                           ? std::optional<Candidate>({first - 1, value_ - below})
                           : std::nullopt;
            }
            const double previous = first - 2 >= span.low ? curve_.At(first - 2) : Refused;
            return Within(value_ - below, previous == Refused ? 0 : below - previous, first - 1);
        }
        return std::nullopt;
    }

  private:
    // The first reading of the span whose value is at or above the sought one (one past the
    // span when there is none). The curve is smooth, so the next reading tried is
    // interpolated from those known on either side (or extrapolated from two above), which
    // takes a few tries where halving takes nine; it halves all the same next to readings
    // the calculator refuses, or when an interpolation gained too little.
    std::int32_t FirstAtOrAbove(const Span& span) const {
        // Below `left` every value is under the sought one, from `right` on none is.
        std::int32_t left = span.low - 1;
        std::int32_t right = span.high + 1;
        std::optional<Point> leftPoint;
        std::optional<Point> rightPoint;
        std::optional<Point> farRightPoint;
        // Most air is far from dry: the top first, then a station's usual depression.
        std::int32_t guess = span.high;
        bool gainedTooLittle = false;
        for (int tries = 0; right - left > 1; ++tries) {
            const std::int32_t width = right - left;
            guess = std::clamp(guess, left + 1, right - 1);
            const double value = curve_.At(guess);
            const bool twoSided = leftPoint && rightPoint;
            if (value >= value_) {
                farRightPoint = rightPoint;
                rightPoint = Point{guess, value};
                right = guess;
            } else {
                leftPoint = value == Refused ? std::nullopt : std::optional(Point{guess, value});
                left = guess;
            }
            gainedTooLittle = twoSided && (right - left) * 2 > width;
            const bool refusedOnTheLeft = !leftPoint && left >= span.low;
            if (tries == 0) {
                guess = right - FirstStep;
            } else if (leftPoint && rightPoint && !gainedTooLittle) {
                guess = Interpolated(*leftPoint, *rightPoint);
            } else if (!leftPoint && !refusedOnTheLeft && rightPoint && farRightPoint) {
                guess = Interpolated(*rightPoint, *farRightPoint);
            } else {
                guess = left + (right - left) / 2;
            }
        }
        return right;
    }

    // Where the line through two points meets the sought value.
    std::int32_t Interpolated(const Point& one, const Point& other) const {
        if (other.value == one.value) {
            return one.tenths + (other.tenths - one.tenths) / 2;
        }
        const double at = one.tenths + (value_ - one.value) * (other.tenths - one.tenths) /
                                           (other.value - one.value);
        return static_cast<std::int32_t>(std::lround(std::clamp(at, -1e6, 1e6)));
    }

    // Half a step beyond the last reading still rounds to it.
    static std::optional<Candidate> Within(double distance, double step, std::int32_t tenths) {
        if (distance > step / 2) {
            return std::nullopt;
        }
        return Candidate{tenths, distance};
    }

    // The first try below the top: 2 °C, about what a station's depression is.
    static constexpr std::int32_t FirstStep = 20;

    const Curve& curve_;
    float dryBulb_;
    double value_;
};

// Ice and water each give a rising curve; with auto the cover changes at 0 °C, where the
// curve may step down, so each side is searched on its own.
std::vector<Span> SpansOf(const WetBulbQuestion& question) {
    const float dryBulb = question.readings.dryBulb;
    const std::int32_t top = TenthsAtOrBelow(dryBulb);
    const std::int32_t bottom =
        std::max(TenthsAtOrAbove(dryBulb - SearchedTenths / 10.0), LowestTenths);
    // The highest reading each cover takes: ice none above 0 °C, and auto's none at 0 °C.
    const std::int32_t iceTop = question.bulb == BulbChoice::Auto ? -1 : 0;
    const auto span = [&](std::int32_t low, std::int32_t high) {
        return Span{low, high,
                    high == top &&
                        CoverOf(question.bulb, dryBulb) == CoverOf(question.bulb, ReadingOf(top))};
    };
    switch (question.bulb) {
    case BulbChoice::Water:
        return {span(bottom, top)};
    case BulbChoice::Ice:
        return {span(bottom, std::min(top, iceTop))};
    case BulbChoice::Auto:
        break;
    }
    return {span(bottom, std::min(top, iceTop)), span(std::max(bottom, 0), top)};
}

} // namespace

std::optional<std::int32_t> FindWetBulbTenths(const WetBulbQuestion& question) {
    const Curve curve(question);
    const Search search(curve, question.readings.dryBulb, question.value);
    std::optional<Candidate> nearest;
    for (const Span& span : SpansOf(question)) {
        if (span.low > span.high) {
            continue;
        }
        const std::optional<Candidate> found = search.In(span);
        if (found && (!nearest || found->distance < nearest->distance)) {
            nearest = found;
        }
    }
    if (!nearest) {
        return std::nullopt;
    }
    return nearest->tenths;
}
