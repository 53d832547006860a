// Where everything of the main window goes, as a pure function of its inner size.
#pragma once

#include "ui/program_ids.h"

#include <array>

struct LayoutBasis {
    int W = 0;
    int H = 0;
    int Left = 0;
    int Top = 0;
    int Column = 0;
    int ColumnWidth = 0;
    int HalfHeight = 0;
    int SmallFontBase = 0;
    int LargeFontBase = 0;
    // Where the window has no room for the layout at its own size, the layout of a larger
    // window is drawn this much smaller, fonts and all (1: at its own size).
    double Zoom = 1.0;
    friend bool operator==(const LayoutBasis&, const LayoutBasis&) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

LayoutBasis ComputeLayoutBasis(int innerWidth, int innerHeight);

// The smallest inner size the main window may be given. Below it the logo would stick
// out on the right, the status bar would cut its texts and cover the lower button row;
// down to it every caption fits its row, in fonts that shrink with the width.
constexpr int MinimumInnerWidth = 960;
constexpr int MinimumInnerHeight = 680;

// The layout for a window of this inner size whose controls may use freeHeight pixels
// from the top of its client area (below the menu bar, above the status bar). Where the
// size's own layout fits, that is it; otherwise the rows close up towards the smallest
// size, and below that the smallest size's layout is zoomed down until it fits.
LayoutBasis FitLayoutBasis(int innerWidth, int innerHeight, int freeHeight);

// Every control of the main window, each placed by ControlRect.
inline constexpr std::array MainWindowControls = {
    ControlId::LogoPicture,
    ControlId::DryBulbField,
    ControlId::WetBulbField,
    ControlId::PressureField,
    ControlId::InputFrame,
    ControlId::InstructionTitle,
    ControlId::InputCaption,
    ControlId::InstructionStep1,
    ControlId::InstructionStep2,
    ControlId::InstructionStep3,
    ControlId::InstructionStep4,
    ControlId::InstructionStep5,
    ControlId::CalculateHint,
    ControlId::CalculateButton,
    ControlId::ClearHint,
    ControlId::ClearButton,
    ControlId::AbsoluteHumidityCaption,
    ControlId::RelativeHumidityCaption,
    ControlId::DewPointCaption,
    ControlId::SaturationPressureCaption,
    ControlId::VapourPressureCaption,
    ControlId::AbsoluteHumidityField,
    ControlId::RelativeHumidityField,
    ControlId::DewPointField,
    ControlId::SaturationPressureField,
    ControlId::VapourPressureField,
};

// The rectangle of a main-window control (the logo's width and height are 0: a picture
// takes its image's size); an empty one for the viewer's picture.
Rect ControlRect(const LayoutBasis& basis, ControlId control);

// Point size of a main-window font.
int FontSize(const LayoutBasis& basis, FontId font);
