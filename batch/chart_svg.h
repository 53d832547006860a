// The chart as an SVG 1.1 file: text the program writes itself.
#pragma once

#include "chart/chart_drawing.h"

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

// Writes `drawing`, with each of `points` as a dot of its logbook style; false when a
// write failed.
bool WriteChartSvg(const chart::ChartDrawing& drawing, std::span<const chart::ChartPoint> points,
                   std::FILE* out);

// Text as SVG's XML takes it between tags and inside attribute values.
std::string EscapedForSvg(std::string_view text);
