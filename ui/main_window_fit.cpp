// The main window's contents follow its size: the layout is one pure function of the
// inner size, so a restored, resized or maximized window is laid out as if it had been
// built at that size, with what the user typed and chose kept.
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
    const LayoutBasis layout = ComputeLayoutBasis(width, height);
    if (layout == state.layout) {
        return;
    }
    state.layout = layout;
    for (const ControlId control : MainWindowControls) {
        const Rect place = ControlRect(layout, control);
        toolkit::MoveControl(Id(control), place.x, place.y, place.w, place.h);
    }
    for (const FontId font : MainWindowFonts) {
        ApplyMainWindowFont(layout, font);
    }
}
