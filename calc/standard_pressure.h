// The standard atmosphere's pressure at sea level: where an altitude's pressure starts, and
// the pressure of a chart before any reading.
#pragma once

inline constexpr float StandardPressure = 1013.25f; // hPa
