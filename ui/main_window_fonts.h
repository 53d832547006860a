// The five fonts of the main window: each is loaded at the size the layout gives it and
// handed to its own controls, at the build and again whenever the window changes size.
#pragma once

#include "toolkit/toolkit.h"
#include "ui/main_window_layout.h"
#include "ui/program_ids.h"

#include <array>

inline constexpr std::array MainWindowFonts = {FontId::TitleFont, FontId::InstructionFont,
                                               FontId::ButtonFont, FontId::CaptionFont,
                                               FontId::FieldFont};

// Loads the font anew under its id (the toolkit releases the old one) and gives it to its
// controls; nullptr, and the controls left as they were, when it does not load.
toolkit::FontRef ApplyMainWindowFont(const LayoutBasis& layout, FontId font);
