#include "ui/main_window_layout.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

// These five factors are one unit in the last place above the double nearest to their
// decimal value; the layout must use exactly these bits to land on the same pixels.
const double Factor082 = std::bit_cast<double>(std::uint64_t{0x3FEA3D70A3D70A3E});
const double Factor015 = std::bit_cast<double>(std::uint64_t{0x3FC3333333333334});
const double Factor087 = std::bit_cast<double>(std::uint64_t{0x3FEBD70A3D70A3D8});
const double Factor057 = std::bit_cast<double>(std::uint64_t{0x3FE23D70A3D70A3E});
const double Offset1612 = std::bit_cast<double>(std::uint64_t{0x4064266666666667});

// Round half to even under the default rounding mode; applied once per expression.
int RoundToNearest(double value) {
    return static_cast<int>(std::nearbyint(value));
}

int Truncated(double value) {
    return static_cast<int>(std::trunc(value));
}

// The vertical position of a row: Top * 0.5 + HalfHeight * a / 371.
int RowY(const LayoutBasis& b, double a) {
    return RoundToNearest(b.Top * 0.5 + b.HalfHeight * a / 371);
}

int RowHeight(const LayoutBasis& b) {
    return RoundToNearest(b.HalfHeight * 41.6 / 371);
}

int TallHeight(const LayoutBasis& b) {
    return RoundToNearest(b.HalfHeight * 48.1 / 371);
}

int WideWidth(const LayoutBasis& b) {
    return RoundToNearest(b.W * 0.765);
}

int CellWidth(const LayoutBasis& b) {
    return RoundToNearest(b.W * 0.19);
}

int CellX(const LayoutBasis& b, double fraction) {
    return RoundToNearest(b.Left + b.W * fraction);
}

// The lower button row sits at its own offset, not on the Y() grid.
int ClearRowY(const LayoutBasis& b) {
    return RoundToNearest(b.Top * 0.52 + b.HalfHeight * 572.0 / 371);
}

int OutputRowY(const LayoutBasis& b) {
    return RoundToNearest(b.Top * 0.8 + b.HalfHeight * 468.0 / 371);
}

Rect InputColumnRect(const LayoutBasis& b, int y, int h) {
    return {b.Column + 10, y, b.ColumnWidth - 20, h};
}

Rect InstructionRect(const LayoutBasis& b, int y, int h) {
    return {b.Left, y, WideWidth(b), h};
}

double CellFraction(int column) {
    switch (column) {
    case 0:
        return 0.0;
    case 1:
        return 0.19;
    case 2:
        return 0.38;
    case 3:
        return Factor057;
    default:
        return 0.76;
    }
}

} // namespace

LayoutBasis ComputeLayoutBasis(int innerWidth, int innerHeight) {
    LayoutBasis b;
    b.W = innerWidth;
    b.H = innerHeight;
    b.Left = RoundToNearest(innerWidth * 0.01);
    b.Top = RoundToNearest(innerHeight * 0.2);
    b.Column = RoundToNearest(innerWidth * Factor082);
    b.ColumnWidth = RoundToNearest(innerWidth * Factor015);
    b.HalfHeight = RoundToNearest(innerHeight * 0.5);
    b.SmallFontBase = Truncated(static_cast<double>(innerWidth) / 1360 * 12);
    b.LargeFontBase = Truncated(innerWidth * 0.009558823529411765);
    return b;
}

namespace {

Rect UnzoomedRect(const LayoutBasis& b, ControlId control) {
    using enum ControlId;
    switch (control) {
    case LogoPicture:
        return {RoundToNearest(b.W * Factor087), 10, 0, 0};
    case DryBulbField:
        return InputColumnRect(b, RowY(b, Offset1612), RowHeight(b));
    case WetBulbField:
        return InputColumnRect(b, RowY(b, 213.2), RowHeight(b));
    case PressureField:
        return InputColumnRect(b, RowY(b, 265.2), RowHeight(b));
    case InputFrame:
        return {b.Column, RowY(b, 57.2), b.ColumnWidth, RoundToNearest(b.HalfHeight * 0.72)};
    case InstructionTitle:
        return InstructionRect(b, RoundToNearest(b.Top * 0.5),
                               RoundToNearest(b.HalfHeight * 32.5 / 371));
    case InputCaption:
        return InputColumnRect(b, RowY(b, 72.8), RowHeight(b));
    case InstructionStep1:
        return InstructionRect(b, RowY(b, 57.2), RowHeight(b));
    case InstructionStep2:
        return InstructionRect(b, RowY(b, 109.2), RowHeight(b));
    case InstructionStep3:
        return InstructionRect(b, RowY(b, Offset1612), RowHeight(b));
    case InstructionStep4:
        return InstructionRect(b, RowY(b, 213.2), RowHeight(b));
    case InstructionStep5:
        return InstructionRect(b, RowY(b, 265.2), RowHeight(b));
    case CalculateHint:
        return InstructionRect(b, RowY(b, 364), TallHeight(b));
    case CalculateButton:
        return InputColumnRect(b, RowY(b, 364), TallHeight(b));
    case ClearHint:
        // Integer division (48, not 48.1): the hint may be a pixel shorter than its button.
        return InstructionRect(b, ClearRowY(b), b.HalfHeight * 48 / 371);
    case ClearButton:
        return InputColumnRect(b, ClearRowY(b), TallHeight(b));
    case AbsoluteHumidityCaption:
    case RelativeHumidityCaption:
    case DewPointCaption:
    case SaturationPressureCaption:
    case VapourPressureCaption:
        return {CellX(b, CellFraction(Id(control) - Id(AbsoluteHumidityCaption))), RowY(b, 468),
                CellWidth(b), RowHeight(b)};
    case AbsoluteHumidityField:
    case RelativeHumidityField:
    case DewPointField:
    case SaturationPressureField:
    case VapourPressureField:
        return {CellX(b, CellFraction(Id(control) - Id(AbsoluteHumidityField))), OutputRowY(b),
                CellWidth(b), RowHeight(b)};
    default:
        return {};
    }
}

int UnzoomedFontSize(const LayoutBasis& b, FontId font) {
    using enum FontId;
    switch (font) {
    case TitleFont:
        return RoundToNearest(b.LargeFontBase * 1.3);
    case InstructionFont:
        return b.LargeFontBase;
    case ButtonFont:
        return RoundToNearest(b.LargeFontBase * 1.1);
    case CaptionFont:
        return RoundToNearest(b.SmallFontBase * 1.1);
    case FieldFont:
        return RoundToNearest(b.SmallFontBase * 1.2);
    default:
        return 0;
    }
}

Rect Zoomed(const Rect& r, double zoom) {
    if (zoom == 1.0) {
        return r;
    }
    // Edges are zoomed, not sizes: cells that touch keep touching.
    const int x = RoundToNearest(r.x * zoom);
    const int y = RoundToNearest(r.y * zoom);
    return {x, y, RoundToNearest((r.x + r.w) * zoom) - x, RoundToNearest((r.y + r.h) * zoom) - y};
}

// How far down the controls of the layout reach, at its own size.
int ContentsBottom(const LayoutBasis& b) {
    int bottom = 0;
    for (const ControlId control : MainWindowControls) {
        const Rect r = UnzoomedRect(b, control);
        bottom = std::max(bottom, r.y + r.h);
    }
    return bottom;
}

} // namespace

Rect ControlRect(const LayoutBasis& b, ControlId control) {
    return Zoomed(UnzoomedRect(b, control), b.Zoom);
}

int FontSize(const LayoutBasis& b, FontId font) {
    const int points = UnzoomedFontSize(b, font);
    // Rounded down: a face a fraction smaller still holds its text in the zoomed row.
    return b.Zoom == 1.0 ? points : std::max(1, Truncated(points * b.Zoom));
}

LayoutBasis FitLayoutBasis(int innerWidth, int innerHeight, int freeHeight) {
    const LayoutBasis own = ComputeLayoutBasis(innerWidth, innerHeight);
    if (innerWidth >= MinimumInnerWidth && innerHeight >= MinimumInnerHeight &&
        ContentsBottom(own) <= freeHeight) {
        return own;
    }
    const int smallestBottom =
        ContentsBottom(ComputeLayoutBasis(MinimumInnerWidth, MinimumInnerHeight));
    const double zoom = std::min({1.0, static_cast<double>(innerWidth) / MinimumInnerWidth,
                                  static_cast<double>(freeHeight) / smallestBottom});
    if (!(zoom > 0)) {
        return own;
    }
    const int width = std::max(MinimumInnerWidth, Truncated(innerWidth / zoom));
    int height = std::max(MinimumInnerHeight, Truncated(innerHeight / zoom));
    while (height > MinimumInnerHeight &&
           ContentsBottom(ComputeLayoutBasis(width, height)) * zoom > freeHeight) {
        --height;
    }
    LayoutBasis fitted = ComputeLayoutBasis(width, height);
    // The rows were closed up: the faces grow with the width only as far as a 16:9
    // window's rows still hold their two lines.
    const LayoutBasis faces = ComputeLayoutBasis(std::min(width, height * 16 / 9), height);
    fitted.SmallFontBase = faces.SmallFontBase;
    fitted.LargeFontBase = faces.LargeFontBase;
    fitted.Zoom = zoom;
    return fitted;
}
