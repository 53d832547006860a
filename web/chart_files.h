// The page's charts as SVG text, drawn through the very functions zorvel-batch uses.
#pragma once

#include "batch/logbook_chart.h"
#include "chart/chart_description.h"

#include <string>

// The SVG file of `description`, at the size zorvel-batch and the window draw their charts.
std::string ChartSvgText(const chart::ChartDescription& description);

// The logbook's chart as zorvel-batch --chart writes it.
std::string LogbookChartSvgText(const LogbookChart& readings);
