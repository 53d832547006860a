// Where everything of the main window goes, as a pure function of its inner size.
#pragma once

#include "ui/program_ids.h"

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
};

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

LayoutBasis ComputeLayoutBasis(int innerWidth, int innerHeight);

// The rectangle of a main-window control (the logo's width and height are 0: a picture
// takes its image's size); an empty one for the viewer's picture.
Rect ControlRect(const LayoutBasis& basis, ControlId control);

// Point size of a main-window font.
int FontSize(const LayoutBasis& basis, FontId font);
