#include "chart/psychrometric_chart.h"

#include "calc/result_presentation.h"
#include "chart/chart_axes.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace chart {
namespace {

// Fine enough that the curves look smooth at any size the chart is drawn.
constexpr float CurveStep = 0.25f;
constexpr float HighestTemperature = 50;
constexpr int HumiditySteps = 9; // 10 % to 90 %
// Where along t the RH curves carry their percentages: near the right edge, where the
// curves lie furthest apart.
constexpr float HumidityLabelAt = 47;
constexpr float IceLabelAt = -12;

// The model's own E(t) at a pressure; the wet bulb's saturation at Twet is the same
// formula, so a reading with Tdry = Twet gives it as E.
float SaturationOverWater(float t, float pressure) {
    return ComputeHumidity(t, t, pressure, PsychrometerType::Aspirated).saturationPressure;
}

// With no depression the ice route's е is the wet bulb's saturation over ice.
float SaturationOverIce(float t, float pressure) {
    return ComputeHumidityIceBulb(t, t, pressure, PsychrometerType::Aspirated).vapourPressure;
}

// Temperatures from `low` to `high` in CurveStep, both ends included.
std::vector<float> CurveTemperatures(float low, float high) {
    std::vector<float> temperatures;
    const int steps = static_cast<int>(std::ceil((high - low) / CurveStep));
    for (int at = 0; at < steps; ++at) {
        temperatures.push_back(low + static_cast<float>(at) * CurveStep);
    }
    temperatures.push_back(high);
    return temperatures;
}

void AddCurves(ChartDescription& chart, float pressure, WetBulbCover cover) {
    const std::vector<float> temperatures = CurveTemperatures(chart.axes.t.low, chart.axes.t.high);
    ChartPolyline saturation{ChartRole::SaturationCurve, {}};
    for (const float t : temperatures) {
        saturation.points.push_back({t, SaturationOverWater(t, pressure)});
    }
    for (int step = 1; step <= HumiditySteps; ++step) {
        const float share = static_cast<float>(step) / (HumiditySteps + 1);
        ChartPolyline humidity{ChartRole::HumidityCurve, {}};
        for (const ChartPoint& point : saturation.points) {
            humidity.points.push_back({point.t, share * point.e});
        }
        chart.polylines.push_back(std::move(humidity));
        const float labelT = std::min(HumidityLabelAt, chart.axes.t.high);
        chart.texts.push_back({ChartRole::HumidityCurve,
                               {labelT, share * SaturationOverWater(labelT, pressure)},
                               TextPlacement::AboveLeft,
                               std::to_string(step * 10) + " %",
                               0});
    }
    chart.texts.push_back({ChartRole::SaturationCurve,
                           {HumidityLabelAt, SaturationOverWater(HumidityLabelAt, pressure)},
                           TextPlacement::Left,
                           "100 %",
                           0});
    chart.polylines.push_back(std::move(saturation));

    if (cover == WetBulbCover::Ice && chart.axes.t.low < 0) {
        ChartPolyline ice{ChartRole::IceCurve, {}};
        for (const float t : CurveTemperatures(chart.axes.t.low, 0)) {
            ice.points.push_back({t, SaturationOverIce(t, pressure)});
        }
        chart.polylines.push_back(std::move(ice));
        chart.texts.push_back({ChartRole::IceCurve,
                               {IceLabelAt, SaturationOverIce(IceLabelAt, pressure)},
                               TextPlacement::BelowRight,
                               "над лед",
                               0});
    }
}

ChartDescription ChartOver(std::span<const ChartPoint> points, float pressure, WetBulbCover cover) {
    ChartDescription chart;
    chart.axes = AxesTakingIn(points, SaturationOverWater(HighestTemperature, pressure));
    AddCurves(chart, pressure, cover);
    return chart;
}

// Bulgarian groups the digits of a large number in threes with a space: 12 345.
std::string Grouped(std::size_t count) {
    std::string digits = std::to_string(count);
    if (digits.size() <= 4) {
        return digits; // four digits stay together
    }
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, " ");
    }
    return digits;
}

std::string Named(std::string_view name, const std::string& text) {
    return std::string(name) + " = " + text;
}

std::string PsychrometerName(PsychrometerType type) {
    return type == PsychrometerType::NonAspirated ? "психрометър без аспирация"
                                                  : "психрометър с аспирация";
}

std::string ReadingTitle(const ChartReading& reading) {
    std::string title = "Tdry = " + FormatDecimal(reading.dryBulb, 1) +
                        " °C, Twet = " + FormatDecimal(reading.wetBulb, 1) +
                        " °C, P = " + FormatDecimal(reading.pressure, 1) + " hPa, " +
                        PsychrometerName(reading.type);
    if (reading.cover == WetBulbCover::Ice) {
        title += ", заледен мокър термометър";
    }
    return title;
}

} // namespace

ChartDescription DescribeEmptyChart(float pressure, WetBulbCover cover) {
    return ChartOver({}, pressure, cover);
}

ChartDescription DescribeReading(const ChartReading& r) {
    const HumidityResult& result = r.result;
    const ChartPoint state{r.dryBulb, result.vapourPressure};
    const ChartPoint dew{result.dewPoint, result.vapourPressure};
    const ChartPoint saturation{r.dryBulb, result.saturationPressure};
    const float wetBulbSaturation = r.cover == WetBulbCover::Ice
                                        ? SaturationOverIce(r.wetBulb, r.pressure)
                                        : SaturationOverWater(r.wetBulb, r.pressure);
    const ChartPoint wetBulb{r.wetBulb, wetBulbSaturation};

    const ChartPoint shown[] = {state, dew, saturation, wetBulb};
    ChartDescription chart = ChartOver(shown, r.pressure, r.cover);
    chart.title = ReadingTitle(r);

    // The psychrometric equation: from the wet bulb's saturation point down to е with the
    // slope −A·P.
    chart.polylines.push_back({ChartRole::Construction, {wetBulb, state}});
    chart.polylines.push_back({ChartRole::Construction, {state, saturation}});
    const bool dewPointKnown = std::isfinite(result.dewPoint);
    if (dewPointKnown) {
        chart.polylines.push_back({ChartRole::Construction, {state, dew}});
        chart.marks.push_back({ChartRole::StatePoint, dew});
    }
    chart.marks.push_back({ChartRole::StatePoint, wetBulb});
    chart.marks.push_back({ChartRole::StatePoint, saturation});
    chart.marks.push_back({ChartRole::StatePoint, state});

    using enum ResultQuantity;
    const auto label = [&chart](ChartPoint at, TextPlacement placement, std::string text,
                                int line) {
        chart.texts.push_back({ChartRole::Label, at, placement, std::move(text), line});
    };
    label(saturation, TextPlacement::Right,
          Named("E", ResultText(SaturationPressure, result.saturationPressure)), 0);
    label(state, TextPlacement::Right,
          Named("е", ResultText(VapourPressure, result.vapourPressure)), 0);
    label(state, TextPlacement::Right,
          Named("RH", ResultText(RelativeHumidity, result.relativeHumidity)), 1);
    label(state, TextPlacement::Right,
          Named("F", ResultText(AbsoluteHumidity, result.absoluteHumidity)), 2);
    // A dew point that is no number has no place on the chart; its text stays with the
    // others.
    label(dewPointKnown ? dew : state, dewPointKnown ? TextPlacement::Left : TextPlacement::Right,
          Named("Td", ResultText(DewPoint, result.dewPoint)), dewPointKnown ? 0 : 3);
    label(wetBulb, TextPlacement::AboveLeft, "Twet", 0);
    return chart;
}

ChartDescription DescribeLogbook(std::vector<ChartPoint> points, float pressure) {
    ChartDescription chart = ChartOver(points, pressure, WetBulbCover::Water);
    chart.title = "Психрометрична диаграма на дневника";
    const std::size_t count = points.size();
    chart.caption = Grouped(count) + (count == 1 ? " изчислен ред" : " изчислени реда") +
                    "; кривите са при медианното налягане " + FormatDecimal(pressure, 1) + " hPa";
    chart.logbookPoints = std::move(points);
    return chart;
}

} // namespace chart
