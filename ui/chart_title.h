// The title line of the window's chart: what the chart was drawn for, in Bulgarian.
#pragma once

#include "calc/standard_pressure.h"
#include "ui/calculate_command.h"

#include <string>
#include <string_view>

// The title of the chart before any calculation, at StandardPressure.
inline constexpr std::string_view EmptyChartTitle =
    "Психрометрична диаграма при нормално налягане P = 1013.25 hPa (още няма изчисление)";

// The two readings, the pressure in the unit the user gave it (the altitude and the pressure
// taken from it), the psychrometer's type and, when iced, the wet bulb's cover. The longest
// of them still fits the chart's width.
std::string ChartTitle(const AcceptedCalculation& calculation);
