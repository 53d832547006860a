#include "web/chart_files.h"

#include "batch/chart_svg.h"
#include "chart/chart_drawing.h"
#include "chart/chart_size.h"

std::string ChartSvgText(const chart::ChartDescription& description) {
    return ChartSvg(chart::LayOutChart(description, chart::ChartWidth, chart::ChartHeight));
}

std::string LogbookChartSvgText(const LogbookChart& readings) {
    return readings.Svg(std::nullopt, chart::ChartWidth, chart::ChartHeight);
}
