// Stage one of the main window: the window itself, its measure, the logo and the menus.
#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "ui/main_window.h"
#include "ui/main_window_style.h"
#include "ui/main_window_texts.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string_view>

namespace {

enum class MenuLine { Title, Item, Separator };

struct MenuEntry {
    MenuLine line;
    int commandId;
    std::string_view text;
};

// The mBar item carries id 18 although it stands second: the command ids were fixed before
// that unit was added. "Дефиниции " keeps its trailing space.
constexpr std::array<MenuEntry, 28> MenuTable = {{
    {MenuLine::Title, 0, "Скала на барометъра"},
    {MenuLine::Item, 1, "Данни от барометър в [hPa]"},
    {MenuLine::Item, 18, "Данни от барометър в [mBar]"},
    {MenuLine::Item, 2, "Данни от барометър в [mmHg]"},
    {MenuLine::Item, 3, "По надморска височина в [m]"},
    {MenuLine::Separator, 0, {}},
    {MenuLine::Title, 0, "Вид на психрометъра"},
    {MenuLine::Item, 4, "С аспирация"},
    {MenuLine::Item, 5, "Без аспирация"},
    {MenuLine::Separator, 0, {}},
    {MenuLine::Title, 0, "Дефиниции "},
    {MenuLine::Item, 7, "За влажност на въздуха"},
    {MenuLine::Item, 8, "За водни пари"},
    {MenuLine::Item, 9, "Температурни скали"},
    {MenuLine::Separator, 0, {}},
    {MenuLine::Title, 0, "Помагало"},
    {MenuLine::Item, 23, "Психрометър - като приказка"},
    {MenuLine::Item, 24, "Психрометър - като учебник"},
    {MenuLine::Item, 25, "Психрометър на Август"},
    {MenuLine::Item, 26, "Психрометър на Асман"},
    {MenuLine::Separator, 0, {}},
    {MenuLine::Item, 27, "Лицензионно споразумение"},
    {MenuLine::Separator, 0, {}},
    {MenuLine::Item, 28, "За софтуера"},
    {MenuLine::Item, 29, "За връзка с нас"},
    {MenuLine::Separator, 0, {}},
    {MenuLine::Title, 0, "Изход"},
    {MenuLine::Item, 30, "Изход от програмата"},
}};

void AttachMenus() {
    if (!toolkit::CreateMenuBar(0, 0)) {
        return;
    }
    for (const MenuEntry& entry : MenuTable) {
        switch (entry.line) {
        case MenuLine::Title:
            toolkit::AddMenuTitle(entry.text);
            break;
        case MenuLine::Item:
            toolkit::AddMenuItem(entry.commandId, entry.text);
            break;
        case MenuLine::Separator:
            toolkit::AddMenuSeparator();
            break;
        }
    }
}

// A logo that fails to decode is left out without a word: the calculator works without it.
void ShowLogo(const LayoutBasis& layout) {
    const ImageRef logo = LoadEmbeddedImage(ImageLogo, EmbeddedImage(ImageLogo));
    if (logo == nullptr) {
        return;
    }
    const Rect place = ControlRect(layout, 200);
    toolkit::CreatePicture(200, place.x, place.y, 0, 0, logo->View());
}

} // namespace

void BuildMainWindowFrame(ProgramState& state) {
    using namespace toolkit;
    OpenWindow(0, 0, 0, 1000, 700, main_window_texts::WindowTitle,
               CentreOnScreen | TitleBar | SystemMenu | MinimizeBox | Resizable | Maximized);
    ActivateWindow(0);
    SetWindowBackground(0, main_window_style::Green);
    // Measured once, before the menu bar takes its strip: the layout never moves again.
    const int height = InnerHeight(0);
    const int width = InnerWidth(0);
    state.layout = ComputeLayoutBasis(width, height);
    ShowLogo(state.layout);
    AttachMenus();
}
