#include "ui/chart_view.h"

#include "chart/chart_drawing.h"
#include "chart/psychrometric_chart.h"
#include "toolkit/toolkit.h"
#include "ui/chart_picture.h"
#include "ui/chart_title.h"
#include "ui/page_viewer.h"
#include "ui/program_ids.h"

#include <optional>
#include <utility>

namespace {

constexpr int ChartPicture = Id(PictureId::ChartPicture);

chart::ChartDescription Describe(const ProgramState& state) {
    if (!state.lastCalculation) {
        chart::ChartDescription empty = chart::DescribeEmptyChart(StandardPressure);
        empty.title = EmptyChartTitle;
        return empty;
    }
    const AcceptedCalculation& calculation = *state.lastCalculation;
    const InputReadings& readings = calculation.readings;
    chart::ChartDescription reading =
        chart::DescribeReading({readings.dryBulb, readings.wetBulb, readings.pressure,
                                calculation.type, calculation.cover, calculation.result});
    reading.title = ChartTitle(calculation);
    return reading;
}

// Draws the chart and holds it under its picture id; false when it could not be drawn.
bool DrawIntoStore(const ProgramState& state) {
    std::optional<LoadedImage> picture =
        DrawChart(chart::LayOutChart(Describe(state), ChartWidth, ChartHeight));
    return picture && HoldPicture(ChartPicture, std::move(*picture)) != nullptr;
}

} // namespace

void OpenChart(ProgramState& state) {
    if (!DrawIntoStore(state)) {
        return;
    }
    OpenPageViewer(ChartPicture, ChartWidth, ChartHeight);
    state.currentPage = ChartPicture;
}

void FollowCalculation(const ProgramState& state) {
    const bool chartInView = state.currentPage == ChartPicture &&
                             toolkit::InnerWidth(Id(WindowId::PageViewerWindow)) > 0;
    if (chartInView && DrawIntoStore(state)) {
        RefreshPageViewer(ChartPicture, ChartWidth, ChartHeight);
    }
}
