#include "chart/chart_axes.h"

#include <array>
#include <cmath>

namespace chart {
namespace {

constexpr float UsualLowest = -30;
constexpr float UsualHighest = 50;
constexpr float TemperatureStep = 5;
// A longer t axis keeps its numbers apart by taking every second or fourth step.
constexpr int MostTemperatureTicks = 17;
constexpr int MostPressureSteps = 13;

std::vector<float> TicksFrom(float low, float high, float step) {
    std::vector<float> ticks;
    const int count = static_cast<int>(std::lround((high - low) / step));
    for (int at = 0; at <= count; ++at) {
        ticks.push_back(low + static_cast<float>(at) * step);
    }
    return ticks;
}

// The smallest of 1, 2, 5 × 10ⁿ hPa that divides [0, high] into few enough steps.
float PressureStep(float high) {
    float decade = 1;
    while (true) {
        for (const float factor : std::array<float, 3>{1, 2, 5}) {
            if (high / (factor * decade) <= MostPressureSteps) {
                return factor * decade;
            }
        }
        decade *= 10;
    }
}

} // namespace

ChartAxes AxesTakingIn(std::span<const ChartPoint> points, float saturationAtTop) {
    float tLow = UsualLowest;
    float eHigh = saturationAtTop;
    for (const ChartPoint& point : points) {
        if (std::isfinite(point.t) && point.t < tLow) {
            tLow = std::floor(point.t / TemperatureStep) * TemperatureStep;
        }
        if (std::isfinite(point.e) && point.e > eHigh) {
            eHigh = point.e;
        }
    }
    ChartAxes axes;
    float tStep = TemperatureStep;
    while ((UsualHighest - tLow) / tStep + 1 > MostTemperatureTicks) {
        tStep *= 2;
    }
    // The low end moves down to a whole step, so that 50 °C stays a tick.
    tLow = UsualHighest - std::ceil((UsualHighest - tLow) / tStep) * tStep;
    axes.t = {tLow, UsualHighest};
    axes.tTicks = TicksFrom(tLow, UsualHighest, tStep);

    const float eStep = PressureStep(eHigh);
    axes.e = {0, std::ceil(eHigh / eStep) * eStep};
    axes.eTicks = TicksFrom(0, axes.e.high, eStep);
    axes.tTitle = "t, °C";
    axes.eTitle = "е, hPa";
    return axes;
}

} // namespace chart
