// The main window's contents follow its size: the layout is one pure function of the
// inner size and the room its bars leave, so a restored, resized or maximized window, or
// one at another display scale, is laid out as if it had been built so, with what the
// user typed and chose kept.
#include "toolkit/toolkit.h"
#include "ui/main_window.h"
#include "ui/main_window_fonts.h"
#include "ui/main_window_layout.h"
#include "ui/program_ids.h"

void FitMainWindowContents(ProgramState& state) {
    constexpr int Main = Id(WindowId::MainWindow);
    const int width = toolkit::InnerWidth(Main);
    const int height = toolkit::InnerHeight(Main);
    // A window on its way to the screen (or gone) has no size to follow.
    if (width <= 0 || height <= 0) {
        return;
    }
    const LayoutBasis layout = FitLayoutBasis(width, height, toolkit::FreeInnerHeight(Main));
    // On another monitor the same layout needs its fonts and logo at that monitor's scale.
    const double scale = toolkit::DisplayScale(Main);
    if (layout == state.layout && scale == state.layoutScale) {
        return;
    }
    const bool logoChanges = layout.Zoom != state.layout.Zoom || scale != state.layoutScale;
    state.layout = layout;
    state.layoutScale = scale;
    for (const ControlId control : MainWindowControls) {
        const Rect place = ControlRect(layout, control);
        toolkit::MoveControl(Id(control), place.x, place.y, place.w, place.h);
    }
    for (const FontId font : MainWindowFonts) {
        ApplyMainWindowFont(layout, font);
    }
    if (logoChanges) {
        ShowLogo(layout);
    }
}
