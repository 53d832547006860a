// The laid-out chart drawn through the toolkit into a picture the picture store holds.
#pragma once

#include "chart/chart_drawing.h"
#include "pages/picture_store.h"

#include <optional>

// The chart drawn at its own size; nothing when the picture cannot be made.
std::optional<LoadedImage> DrawChart(const chart::ChartDrawing& drawing);
