// The page's charts as SVG text, drawn through the very functions zorvel-batch uses.
#pragma once

#include "batch/logbook_chart.h"
#include "chart/chart_description.h"

#include <optional>
#include <string>

// The size zorvel-batch and the window draw their charts at.
inline constexpr int ChartFileWidth = 1000;
inline constexpr int ChartFileHeight = 758;

// The SVG file of `description`, nothing when it could not be written.
std::optional<std::string> ChartSvgText(const chart::ChartDescription& description);

// The logbook's chart as zorvel-batch --chart writes it.
std::optional<std::string> LogbookChartSvgText(LogbookChart& points);
