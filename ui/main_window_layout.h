// Where everything of the main window goes, as a pure function of its inner size.
#pragma once

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

// The rectangle of a main-window control (ids 1-9, 31-43, 45, 50, 66, 200; the logo's
// width and height are 0: a picture takes its image's size).
Rect ControlRect(const LayoutBasis& basis, int controlId);

// Point size of a main-window font (ids 1, 2, 3, 4, 6).
int FontSize(const LayoutBasis& basis, int fontId);
