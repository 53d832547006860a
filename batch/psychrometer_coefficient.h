// A psychrometer's own coefficient A0, as its calibration certificate gives it, for
// --coefficient and the coefficient column.
#pragma once

#include <optional>
#include <string_view>

// A number per °C from 0.0003 to 0.0020 (the types' own are 0.000684 and 0.001328), with a
// decimal point; anything else, or a value outside that span, is none.
std::optional<float> ParseCoefficient(std::string_view text);
