// The chart as an SVG 1.1 file: text the program writes itself, every element with a class
// that names its role, so that a stylesheet can restyle the chart.
#pragma once

#include "chart/chart_drawing.h"
#include "chart/psychrometric_chart.h"

#include <cstdio>
#include <string>
#include <string_view>

// The whole SVG of `drawing`.
std::string ChartSvg(const chart::ChartDrawing& drawing);

// The SVG of a reading's chart, `width` x `height` pixels, titled with its readings.
std::string ReadingChartSvg(const chart::ChartReading& reading, int width, int height);

// Writes an SVG; false when a write failed.
bool WriteChartSvg(std::string_view svg, std::FILE* out);

// Text as SVG's XML takes it between tags and inside attribute values.
std::string EscapedForSvg(std::string_view text);
