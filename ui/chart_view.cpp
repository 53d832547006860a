#include "ui/chart_view.h"

#include "chart/calculation_chart.h"
#include "chart/chart_drawing.h"
#include "chart/chart_size.h"
#include "toolkit/toolkit.h"
#include "ui/chart_picture.h"
#include "ui/page_viewer.h"
#include "ui/program_ids.h"

#include <optional>
#include <utility>

namespace {

using chart::ChartHeight;
using chart::ChartWidth;

constexpr int ChartPicture = Id(PictureId::ChartPicture);

// Draws the chart and holds it under its picture id; false when it could not be drawn.
bool DrawIntoStore(const ProgramState& state) {
    std::optional<LoadedImage> picture = DrawChart(chart::LayOutChart(
        chart::DescribeCalculation(state.lastCalculation ? &*state.lastCalculation : nullptr),
        ChartWidth, ChartHeight));
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
