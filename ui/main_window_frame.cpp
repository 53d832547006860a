// Stage one of the main window: the window itself, its measure, the logo and the menus.
#include "calc/main_window_texts.h"
#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "toolkit/toolkit.h"
#include "ui/main_window.h"
#include "ui/main_window_style.h"
#include "ui/program_ids.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

enum class MenuLine { Title, Item, CheckItem, Separator };

struct MenuEntry {
    MenuLine line;
    CommandId command;
    std::string_view text;
};

using enum CommandId;
// Titles and separators raise no command.
constexpr CommandId NoCommand{};

// The mBar item stands second although its id comes later (ui/program_ids.h).
using namespace main_window_texts;
constexpr std::array<MenuEntry, 33> MenuTable = {{
    {MenuLine::Title, NoCommand, UnitMenu},
    {MenuLine::Item, HpaCommand, HpaItem},
    {MenuLine::Item, MbarCommand, MbarItem},
    {MenuLine::Item, MmhgCommand, MmhgItem},
    {MenuLine::Item, AltitudeCommand, AltitudeItem},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, TypeMenu},
    {MenuLine::Item, AspiratedCommand, AspiratedItem},
    {MenuLine::Item, NonAspiratedCommand, NonAspiratedItem},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::CheckItem, IceBulbCommand, IceBulbItem},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, DefinitionsMenu},
    {MenuLine::Item, AirHumidityCommand, AirHumidityItem},
    {MenuLine::Item, WaterVapourCommand, WaterVapourItem},
    {MenuLine::Item, TemperatureScalesCommand, TemperatureScalesItem},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, HandbookMenu},
    {MenuLine::Item, TaleCommand, TaleItem},
    {MenuLine::Item, TextbookCommand, TextbookItem},
    {MenuLine::Item, AugustCommand, AugustItem},
    {MenuLine::Item, AssmannCommand, AssmannItem},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Item, LicenceCommand, LicenceItem},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Item, AboutCommand, AboutItem},
    {MenuLine::Item, ContactCommand, ContactItem},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, ChartMenu},
    {MenuLine::Item, ChartCommand, ChartItem},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, QuitMenu},
    {MenuLine::Item, QuitCommand, QuitItem},
}};

void AttachMenus() {
    if (!toolkit::CreateMenuBar(Id(MenuBarId::MainMenuBar), Id(WindowId::MainWindow))) {
        return;
    }
    for (const MenuEntry& entry : MenuTable) {
        switch (entry.line) {
        case MenuLine::Title:
            toolkit::AddMenuTitle(entry.text);
            break;
        case MenuLine::Item:
            toolkit::AddMenuItem(Id(entry.command), entry.text);
            break;
        case MenuLine::CheckItem:
            toolkit::AddMenuCheckItem(Id(entry.command), entry.text);
            break;
        case MenuLine::Separator:
            toolkit::AddMenuSeparator();
            break;
        }
    }
}

} // namespace

// A logo that fails to decode is left out without a word: the calculator works without it.
void ShowLogo(const LayoutBasis& layout) {
    constexpr int Logo = Id(ImageId::ImageLogo);
    const ImageRef logo = LoadEmbeddedImage(Logo, EmbeddedImage(Logo));
    if (logo == nullptr) {
        return;
    }
    const Rect place = ControlRect(layout, ControlId::LogoPicture);
    constexpr int Picture = Id(ControlId::LogoPicture);
    if (layout.Zoom == 1.0) {
        toolkit::CreatePicture(Picture, place.x, place.y, 0, 0, logo->View());
        return;
    }
    // A zoomed layout takes its logo along, so that it stays inside the window.
    const auto zoomed = [&layout](int side) {
        return std::max(1, static_cast<int>(side * layout.Zoom));
    };
    toolkit::CreateScaledPicture(Picture, place.x, place.y, zoomed(logo->View().width),
                                 zoomed(logo->View().height), logo->View());
}

void BuildMainWindowFrame(ProgramState& state, FrameShowing showing) {
    using namespace toolkit;
    constexpr int Main = Id(WindowId::MainWindow);
    const unsigned offScreen = showing == FrameShowing::OffScreen ? Hidden : 0;
    OpenWindow(Main, 0, 0, 1000, 700, WindowTitle,
               CentreOnScreen | TitleBar | SystemMenu | MinimizeBox | Resizable | Maximized |
                   offScreen);
    if (showing == FrameShowing::AtOnce) {
        ActivateWindow(Main);
    }
    SetWindowBackground(Main, main_window_style::Green);
    // Measured before the menu bar takes its strip (the inner height counts it anyway);
    // from here on the layout follows every change of size (FitMainWindowContents).
    const int height = InnerHeight(Main);
    const int width = InnerWidth(Main);
    state.layout = FitLayoutBasis(width, height, FreeInnerHeight(Main));
    state.layoutScale = DisplayScale(Main);
    SetMinimumInnerSize(Main, MinimumInnerWidth, MinimumInnerHeight);
    ShowLogo(state.layout);
    AttachMenus();
}

void OpenMainWindow(ProgramState& state, GraphicsCheckInBackground& graphicsCheck) {
    BuildMainWindowFrame(state, FrameShowing::OffScreen);
    BuildMainWindowContents(state);
    graphicsCheck.FinishAndWarn();
    constexpr int Main = Id(WindowId::MainWindow);
    toolkit::RevealWindow(Main);
    toolkit::ActivateWindow(Main);
    // Where the hidden window could not take its size on the screen beforehand.
    FitMainWindowContents(state);
}
