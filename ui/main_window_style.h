// The two colours of the main window.
#pragma once

#include "toolkit/toolkit.h"

namespace main_window_style {

inline constexpr toolkit::Colour Green = toolkit::Rgb(17, 84, 13);
inline constexpr toolkit::Colour White = toolkit::Rgb(255, 255, 255);

} // namespace main_window_style
