// The temperature groups of a SYNOP report (WMO FM 12), for the --synop columns.
#pragma once

#include <string>

// Group 1snTTT (indicator '1', air temperature) or 2snTdTdTd ('2', dew point): the
// indicator, the sign digit sn (0 for zero or above, 1 below zero) and the value in tenths
// of a degree in three digits, rounded as the table shows it: 20.5 °C is 10205, −3.4 °C
// 11034, and −0.04 °C, shown as −0.0, is zero: 10000. Empty for a value the group cannot
// hold (not a number, or 100 °C or more from zero).
std::string TemperatureGroup(char indicator, float celsius);
