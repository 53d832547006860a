#include "chart/chart_axes.h"

#include <array>
#include <cmath>
#include <limits>

namespace chart {
namespace {

// Between a value and the frame at the least, so that no mark sits on the frame.
constexpr double LeastMargin = 0.03;
constexpr int FewestSteps = 4;
constexpr int MostSteps = 12;
constexpr int PreferredSteps = 7;
// Below this a share counts as met: the shares are computed in float by the chart's users.
constexpr double Slack = 1e-4;

constexpr float TemperatureWidth = 10; // °C
constexpr float PressureWidth = 4;     // hPa

struct Candidate {
    double low = 0;
    double step = 0;
    int steps = 0;
    double cost = std::numeric_limits<double>::infinity();
};

// 1, 2, 5 × 10ⁿ from a thousandth to ten thousand.
std::vector<double> RoundSteps() {
    std::vector<double> steps;
    for (int exponent = -3; exponent <= 4; ++exponent) {
        for (const double factor : std::array<double, 3>{1, 2, 5}) {
            steps.push_back(factor * std::pow(10.0, exponent));
        }
    }
    return steps;
}

std::vector<float> TicksOf(double low, double step, int steps) {
    std::vector<float> ticks;
    for (int at = 0; at <= steps; ++at) {
        ticks.push_back(static_cast<float>(low + at * step));
    }
    return ticks;
}

ChartAxes Titled(ChartAxes axes) {
    axes.tTitle = "t, °C";
    axes.eTitle = "е, hPa";
    return axes;
}

ChartAxes AxesOf(const FittedAxis& t, const FittedAxis& e) {
    ChartAxes axes;
    axes.t = t.range;
    axes.tTicks = t.ticks;
    axes.e = e.range;
    axes.eTicks = e.ticks;
    return Titled(axes);
}

} // namespace

FittedAxis FitAxis(float lowest, float highest, const AxisFit& fit) {
    const double lo = lowest;
    const double hi = std::max(highest, lowest);
    const double span = hi - lo;
    const double width = fit.minimumWidth;
    // A span too short for the lowest share at the minimum width gets the minimum width.
    const double required = std::min<double>(fit.lowestShare, span / width) - Slack;
    // The length the preferred share asks for; a short span gets the minimum width, not
    // whatever its margins allow.
    const double ideal = std::max(width, span / fit.preferredShare);
    Candidate best;
    Candidate bestFromFloor;
    Candidate widest; // the largest share, should none be good enough
    double widestShare = -1;
    for (const double step : RoundSteps()) {
        for (int steps = FewestSteps; steps <= MostSteps; ++steps) {
            const double length = step * steps;
            if (length < width - Slack * width || length < span) {
                continue;
            }
            const double share = span / length;
            const double least = LeastMargin * length;
            // From the lowest start that still reaches above `hi` to the highest below `lo`.
            const double first = std::ceil((hi + least - length) / step - Slack);
            const double last = std::floor((lo - least) / step + Slack);
            for (double k = first; k <= last + 1; ++k) {
                const double low = k * step;
                const bool onFloor = fit.floor && std::fabs(low - *fit.floor) < Slack * step;
                if (fit.floor && low < *fit.floor - Slack * step) {
                    continue;
                }
                const double below = (lo - low) / length;
                const double above = (low + length - hi) / length;
                // Only the floor may come closer to the lowest value than the least margin.
                if ((below < LeastMargin - Slack && !onFloor) || below < -Slack ||
                    above < LeastMargin - Slack) {
                    continue;
                }
                const Candidate candidate{low, step, steps,
                                          std::fabs(share - fit.preferredShare) +
                                              2 * std::max(0.0, fit.lowMargin - below) +
                                              2 * std::max(0.0, fit.highMargin - above) +
                                              0.3 * std::max(0.0, length / ideal - 1) +
                                              0.02 * std::abs(steps - PreferredSteps)};
                if (share > widestShare) {
                    widestShare = share;
                    widest = candidate;
                }
                if (share < required) {
                    continue;
                }
                if (candidate.cost < best.cost) {
                    best = candidate;
                }
                if (onFloor && candidate.cost < bestFromFloor.cost) {
                    bestFromFloor = candidate;
                }
            }
        }
    }
    const Candidate& chosen = fit.fromFloor && bestFromFloor.steps > 0 ? bestFromFloor
                              : best.steps > 0                         ? best
                                                                       : widest;
    FittedAxis axis;
    axis.ticks = TicksOf(chosen.low, chosen.step, chosen.steps);
    axis.range = {axis.ticks.front(), axis.ticks.back()};
    return axis;
}

std::vector<float> RoundTicksWithin(ChartRange range) {
    const double length = range.Width();
    for (const double step : RoundSteps()) {
        if (length / step <= MostSteps) {
            const double first = std::ceil(range.low / step - Slack);
            const double last = std::floor(range.high / step + Slack);
            return TicksOf(first * step, step, static_cast<int>(last - first));
        }
    }
    return {range.low, range.high};
}

namespace {

// A temperature axis, or a pressure axis that never starts below 0 and, when `fromZero`,
// starts there whenever its lowest share allows.
AxisFit TemperatureFit(float lowestShare, float preferredShare, float lowMargin, float highMargin) {
    return {TemperatureWidth, lowestShare,  preferredShare, lowMargin,
            highMargin,       std::nullopt, false};
}

AxisFit PressureFit(float lowestShare, float preferredShare, float lowMargin, float highMargin,
                    bool fromZero) {
    return {PressureWidth, lowestShare, preferredShare, lowMargin, highMargin, 0.0f, fromZero};
}

// From 0 to just above `top`.
FittedAxis PressureUpTo(float top) {
    return FitAxis(0, top, PressureFit(0, 1, 0, 0, true));
}

} // namespace

ChartAxes ReadingAxes(ChartRange t, ChartRange e) {
    // The labels of Td go left of the construction, those of the state point and E right
    // of it, so t wants more room at its ends than е.
    return AxesOf(FitAxis(t.low, t.high, TemperatureFit(0.4f, 0.5f, 0.2f, 0.22f)),
                  FitAxis(e.low, e.high, PressureFit(0.25f, 0.6f, 0.12f, 0.15f, true)));
}

ChartAxes LogbookAxes(ChartRange t, ChartRange e) {
    return AxesOf(FitAxis(t.low, t.high, TemperatureFit(0, 0.85f, 0.05f, 0.05f)),
                  FitAxis(e.low, e.high, PressureFit(0, 0.85f, 0.05f, 0.05f, false)));
}

ChartAxes FixedRangeAxes(ChartRange t, float saturationAtTop) {
    return AxesOf({t, RoundTicksWithin(t)}, PressureUpTo(saturationAtTop));
}

ChartAxes UsualAxes(float saturationAtTop) {
    return AxesOf({{UsualLowest, UsualHighest}, TicksOf(UsualLowest, 5, 16)},
                  PressureUpTo(saturationAtTop));
}

} // namespace chart
