#include "web/chart_files.h"

#include "batch/chart_svg.h"
#include "chart/chart_drawing.h"
#include "web/memory_file.h"

std::optional<std::string> ChartSvgText(const chart::ChartDescription& description) {
    const chart::ChartDrawing drawing =
        chart::LayOutChart(description, ChartFileWidth, ChartFileHeight);
    MemoryOutput out;
    if (!out.IsOpen() || !WriteChartSvg(drawing, description.logbookPoints, out.Stream())) {
        return std::nullopt;
    }
    return out.Take();
}

std::optional<std::string> LogbookChartSvgText(LogbookChart& points) {
    return ChartSvgText(points.Describe());
}
