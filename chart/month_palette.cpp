#include "chart/month_palette.h"

#include <array>

namespace chart {
namespace {

// Paul Tol's discrete rainbow of twelve, turned so that January is the dark blue: each pair
// stays apart under simulated protanopia and deuteranopia (tests/chart).
constexpr std::array<ChartInk, 13> Inks = {{
    {119, 119, 119, 255}, // without a date
    {25, 101, 176, 255},
    {82, 137, 199, 255},
    {123, 175, 222, 255},
    {78, 178, 101, 255},
    {202, 224, 171, 255},
    {247, 240, 86, 255},
    {244, 167, 54, 255},
    {232, 96, 28, 255},
    {220, 5, 12, 255},
    {136, 46, 114, 255},
    {174, 118, 163, 255},
    {209, 187, 215, 255},
}};

constexpr std::array<std::string_view, 13> Names = {
    "без дата", "януари", "февруари",  "март",     "април",   "май",     "юни",
    "юли",      "август", "септември", "октомври", "ноември", "декември"};

std::size_t Index(int month) {
    return month >= 1 && month <= 12 ? static_cast<std::size_t>(month) : 0;
}

} // namespace

ChartInk MonthInk(int month) {
    return Inks[Index(month)];
}

std::string_view MonthName(int month) {
    return Names[Index(month)];
}

} // namespace chart
