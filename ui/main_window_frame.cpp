// Stage one of the main window: the window itself, its measure, the logo and the menus.
#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "toolkit/toolkit.h"
#include "ui/main_window.h"
#include "ui/main_window_style.h"
#include "ui/main_window_texts.h"
#include "ui/program_ids.h"

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
// "Дефиниции " keeps its trailing space. "&" marks the letter that chooses a title or item
// from the keyboard (shown underlined, never as "&"), each unique within its menu.
constexpr std::array<MenuEntry, 33> MenuTable = {{
    {MenuLine::Title, NoCommand, "&Скала на барометъра"},
    {MenuLine::Item, HpaCommand, "&Данни от барометър в [hPa]"},
    {MenuLine::Item, MbarCommand, "Данни от &барометър в [mBar]"},
    {MenuLine::Item, MmhgCommand, "Данни &от барометър в [mmHg]"},
    {MenuLine::Item, AltitudeCommand, "&По надморска височина в [m]"},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, "&Вид на психрометъра"},
    {MenuLine::Item, AspiratedCommand, "&С аспирация"},
    {MenuLine::Item, NonAspiratedCommand, "&Без аспирация"},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::CheckItem, IceBulbCommand, "&Заледен мокър термометър"},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, "&Дефиниции "},
    {MenuLine::Item, AirHumidityCommand, "&За влажност на въздуха"},
    {MenuLine::Item, WaterVapourCommand, "За &водни пари"},
    {MenuLine::Item, TemperatureScalesCommand, "&Температурни скали"},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, "&Помагало"},
    {MenuLine::Item, TaleCommand, "Психрометър - като &приказка"},
    {MenuLine::Item, TextbookCommand, "Психрометър - като &учебник"},
    {MenuLine::Item, AugustCommand, "Психрометър на &Август"},
    {MenuLine::Item, AssmannCommand, "Психрометър на Ас&ман"},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Item, LicenceCommand, "&Лицензионно споразумение"},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Item, AboutCommand, "За &софтуера"},
    {MenuLine::Item, ContactCommand, "За &връзка с нас"},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, "Диа&грама"},
    {MenuLine::Item, ChartCommand, "&Психрометрична диаграма"},
    {MenuLine::Separator, NoCommand, {}},
    {MenuLine::Title, NoCommand, "&Изход"},
    {MenuLine::Item, QuitCommand, "&Изход от програмата"},
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

// A logo that fails to decode is left out without a word: the calculator works without it.
void ShowLogo(const LayoutBasis& layout) {
    constexpr int Logo = Id(ImageId::ImageLogo);
    const ImageRef logo = LoadEmbeddedImage(Logo, EmbeddedImage(Logo));
    if (logo == nullptr) {
        return;
    }
    const Rect place = ControlRect(layout, ControlId::LogoPicture);
    toolkit::CreatePicture(Id(ControlId::LogoPicture), place.x, place.y, 0, 0, logo->View());
}

} // namespace

void BuildMainWindowFrame(ProgramState& state) {
    using namespace toolkit;
    constexpr int Main = Id(WindowId::MainWindow);
    OpenWindow(Main, 0, 0, 1000, 700, main_window_texts::WindowTitle,
               CentreOnScreen | TitleBar | SystemMenu | MinimizeBox | Resizable | Maximized);
    ActivateWindow(Main);
    SetWindowBackground(Main, main_window_style::Green);
    // Measured before the menu bar takes its strip (the inner height counts it anyway);
    // from here on the layout follows every change of size (FitMainWindowContents).
    const int height = InnerHeight(Main);
    const int width = InnerWidth(Main);
    state.layout = ComputeLayoutBasis(width, height);
    SetMinimumInnerSize(Main, MinimumInnerWidth, MinimumInnerHeight);
    ShowLogo(state.layout);
    AttachMenus();
}
