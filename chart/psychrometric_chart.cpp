#include "chart/psychrometric_chart.h"

#include "calc/result_presentation.h"
#include "chart/chart_axes.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace chart {
namespace {

// Fine enough that a curve looks smooth in the narrowest view: a few pixels a step.
constexpr int CurveSamples = 240;
constexpr int HumiditySteps = 9;    // 10 % to 90 %
constexpr float OverviewStep = 1;   // °C
constexpr float OverviewRound = 10; // °C

// The model's own E(t) at a pressure; the wet bulb's saturation at Twet is the same
// formula, so a reading with Tdry = Twet gives it as E.
float SaturationOverWater(float t, float pressure) {
    return ComputeHumidity(t, t, pressure, PsychrometerType::Aspirated).saturationPressure;
}

// With no depression the ice route's е is the wet bulb's saturation over ice.
float SaturationOverIce(float t, float pressure) {
    return ComputeHumidityIceBulb(t, t, pressure, PsychrometerType::Aspirated).vapourPressure;
}

// `count` steps from `low` to `high`, both ends included.
std::vector<float> Temperatures(float low, float high, int count) {
    std::vector<float> temperatures;
    for (int at = 0; at < count; ++at) {
        temperatures.push_back(low + (high - low) * static_cast<float>(at) / count);
    }
    temperatures.push_back(high);
    return temperatures;
}

// E(t) at each temperature.
std::vector<ChartPoint> SaturationCurve(const std::vector<float>& temperatures,
                                        float (*saturation)(float, float), float pressure) {
    std::vector<ChartPoint> curve;
    curve.reserve(temperatures.size());
    for (const float t : temperatures) {
        curve.push_back({t, saturation(t, pressure)});
    }
    return curve;
}

// The saturation curve scaled to a relative humidity.
ChartPolyline Scaled(ChartRole role, const std::vector<ChartPoint>& saturation, float share) {
    ChartPolyline curve{role, saturation};
    for (ChartPoint& point : curve.points) {
        point.e *= share;
    }
    return curve;
}

// The curves over the view, each named where it crosses it: RH 10 % to 90 %, 100 % over
// water, and over ice wherever the view reaches below 0 °C.
void AddCurves(ChartDescription& chart, float pressure) {
    const ChartRange& t = chart.axes.t;
    const std::vector<ChartPoint> water =
        SaturationCurve(Temperatures(t.low, t.high, CurveSamples), SaturationOverWater, pressure);
    for (int step = 1; step <= HumiditySteps; ++step) {
        const float share = static_cast<float>(step) / (HumiditySteps + 1);
        chart.curveLabels.push_back({chart.polylines.size(), std::to_string(step * 10) + " %"});
        chart.polylines.push_back(Scaled(ChartRole::HumidityCurve, water, share));
    }
    const bool belowZero = t.low < 0;
    chart.curveLabels.push_back({chart.polylines.size(), belowZero ? "100 % над вода" : "100 %"});
    chart.polylines.push_back({ChartRole::SaturationCurve, water});
    if (belowZero) {
        const float top = std::min(0.0f, t.high);
        const int samples = std::max(8, static_cast<int>(CurveSamples * (top - t.low) / t.Width()));
        chart.curveLabels.push_back({chart.polylines.size(), "100 % над лед"});
        chart.polylines.push_back(
            {ChartRole::IceCurve,
             SaturationCurve(Temperatures(t.low, top, samples), SaturationOverIce, pressure)});
    }
}

ChartDescription ChartOver(const ChartAxes& axes, float pressure) {
    ChartDescription chart;
    chart.axes = axes;
    AddCurves(chart, pressure);
    return chart;
}

// The whole chart in miniature: the usual window, or further where the view reaches out
// of it, with the saturation curve and the curve of 50 %.
ChartOverview OverviewOf(const ChartAxes& view, float pressure) {
    ChartOverview overview;
    overview.t = {std::min(UsualLowest, std::floor(view.t.low / OverviewRound) * OverviewRound),
                  std::max(UsualHighest, std::ceil(view.t.high / OverviewRound) * OverviewRound)};
    const float top = SaturationOverWater(overview.t.high, pressure);
    overview.e = {0, std::max(top, view.e.high)};
    const int samples = static_cast<int>(overview.t.Width() / OverviewStep);
    const std::vector<ChartPoint> water = SaturationCurve(
        Temperatures(overview.t.low, overview.t.high, samples), SaturationOverWater, pressure);
    overview.curves.push_back(Scaled(ChartRole::HumidityCurve, water, 0.5f));
    overview.curves.push_back({ChartRole::SaturationCurve, water});
    return overview;
}

std::string Named(std::string_view name, const std::string& text) {
    return std::string(name) + " = " + text;
}

std::string PsychrometerName(PsychrometerType type) {
    return type == PsychrometerType::NonAspirated ? "психрометър без аспирация"
                                                  : "психрометър с аспирация";
}

bool InView(const ChartAxes& axes, float t, float e) {
    return axes.t.Holds(t) && axes.e.Holds(e);
}

// The points or cells the view holds, moved into the chart; how many rows fall outside.
std::uint64_t KeepInView(ChartDescription& chart, LogbookSummary& summary) {
    const ChartAxes& axes = chart.axes;
    std::uint64_t outside = std::erase_if(summary.points, [&axes](const LogbookPoint& point) {
        return !InView(axes, point.at.t, point.at.e);
    });
    std::erase_if(summary.cells, [&axes, &outside](const CountedCell& cell) {
        const bool out = !InView(axes, static_cast<float>(cell.t) / CellsPerUnit,
                                 static_cast<float>(cell.e) / CellsPerUnit);
        outside += out ? cell.count : 0;
        return out;
    });
    chart.points = std::move(summary.points);
    chart.cells = std::move(summary.cells);
    return outside;
}

} // namespace

std::string GroupedDigits(std::uint64_t count) {
    std::string digits = std::to_string(count);
    if (digits.size() <= 4) {
        return digits; // four digits stay together
    }
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, " ");
    }
    return digits;
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

ChartDescription DescribeEmptyChart(float pressure) {
    return ChartOver(UsualAxes(SaturationOverWater(UsualHighest, pressure)), pressure);
}

ChartDescription DescribeReading(const ChartReading& r) {
    const HumidityResult& result = r.result;
    const bool dewPointKnown = std::isfinite(result.dewPoint);
    const ChartPoint state{r.dryBulb, result.vapourPressure};
    const ChartPoint dew{result.dewPoint, result.vapourPressure};
    const ChartPoint saturation{r.dryBulb, result.saturationPressure};
    const float wetBulbSaturation = r.cover == WetBulbCover::Ice
                                        ? SaturationOverIce(r.wetBulb, r.pressure)
                                        : SaturationOverWater(r.wetBulb, r.pressure);
    const ChartPoint wetBulb{r.wetBulb, wetBulbSaturation};

    const float coldest = dewPointKnown ? std::min(result.dewPoint, r.wetBulb) : r.wetBulb;
    const ChartAxes axes =
        ReadingAxes({coldest, r.dryBulb}, {result.vapourPressure, result.saturationPressure});
    ChartDescription chart = ChartOver(axes, r.pressure);
    chart.title = ReadingTitle(r);
    chart.overview = OverviewOf(axes, r.pressure);

    // The psychrometric equation: from the wet bulb's saturation point down to е with the
    // slope −A·P.
    chart.polylines.push_back({ChartRole::Construction, {wetBulb, state}});
    chart.polylines.push_back({ChartRole::Construction, {state, saturation}});
    if (dewPointKnown) {
        chart.polylines.push_back({ChartRole::Construction, {state, dew}});
        chart.marks.push_back({ChartRole::StatePoint, dew});
    }
    chart.marks.push_back({ChartRole::StatePoint, wetBulb});
    chart.marks.push_back({ChartRole::StatePoint, saturation});
    chart.marks.push_back({ChartRole::StatePoint, state});

    using enum ResultQuantity;
    const std::string dewPointText = Named("Td", ResultText(DewPoint, result.dewPoint));
    // The state point's own values in one block; a dew point that is no number has no
    // place on the chart, and its text joins them.
    std::vector<std::string> stateLines = {
        Named("е", ResultText(VapourPressure, result.vapourPressure)),
        Named("RH", ResultText(RelativeHumidity, result.relativeHumidity)),
        Named("F", ResultText(AbsoluteHumidity, result.absoluteHumidity))};
    if (!dewPointKnown) {
        stateLines.push_back(dewPointText);
    }
    chart.labels.push_back({ChartRole::Label, state, LabelSide::Right, std::move(stateLines)});
    chart.labels.push_back(
        {ChartRole::Label,
         saturation,
         LabelSide::Right,
         {Named("E", ResultText(SaturationPressure, result.saturationPressure))}});
    if (dewPointKnown) {
        chart.labels.push_back({ChartRole::Label, dew, LabelSide::Left, {dewPointText}});
    }
    // The wet bulb reads like the dew point, a temperature in the same form.
    chart.labels.push_back({ChartRole::Label,
                            wetBulb,
                            LabelSide::AboveLeft,
                            {Named("Twet", ResultText(DewPoint, r.wetBulb))}});
    return chart;
}

ChartDescription DescribeLogbook(LogbookSummary summary) {
    if (summary.only) {
        return DescribeReading(*summary.only);
    }
    const float pressure = summary.pressure;
    const ChartAxes axes =
        summary.fixedT
            ? FixedRangeAxes(*summary.fixedT, SaturationOverWater(summary.fixedT->high, pressure))
        : summary.rows == 0 ? UsualAxes(SaturationOverWater(UsualHighest, pressure))
                            : LogbookAxes(summary.t, summary.e);
    ChartDescription chart = ChartOver(axes, pressure);
    chart.title = "Психрометрична диаграма на дневника";
    const std::uint64_t outside = KeepInView(chart, summary);
    chart.caption = GroupedDigits(summary.rows) +
                    (summary.rows == 1 ? " изчислен ред" : " изчислени реда") +
                    "; кривите са при медианното налягане " + FormatDecimal(pressure, 1) + " hPa";
    if (outside > 0) {
        chart.caption += "; " + GroupedDigits(outside) + " извън диаграмата";
    }
    return chart;
}

} // namespace chart
