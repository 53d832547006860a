// The menu bar and its drop-down menus.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"

namespace toolkit {
using namespace win32;

namespace win32 {

void ReleaseMenuBar::operator()(HMENU menu) const {
    ToolkitState& state = State();
    state.windows.ForEach([menu](int, WindowEntry& entry) {
        if (GetMenu(entry.window.get()) == menu) {
            SetMenu(entry.window.get(), nullptr);
        }
    });
    if (state.lastMenuBar == menu) {
        state.lastMenuBar = nullptr;
        state.currentMenu = nullptr;
    }
    DestroyMenu(menu);
}

} // namespace win32

bool CreateMenuBar(int menuId, int windowId) {
    ToolkitState& state = State();
    // The id is reused, and a window carries one menu bar: both old ones go.
    state.menuBars.RemoveIf([menuId, windowId](int id, const MenuBarEntry& entry) {
        return id == menuId || entry.windowId == windowId;
    });
    HWND const window = WindowHandle(windowId);
    if (window == nullptr) {
        return false;
    }
    MenuBarObject menu(CreateMenu());
    if (!menu || !SetMenu(window, menu.get())) {
        return false;
    }
    state.lastMenuBar = menu.get();
    state.lastMenuBarWindow = windowId;
    state.currentMenu = nullptr;
    state.menuBars.Put(menuId, MenuBarEntry{std::move(menu), windowId});
    DrawMenuBar(window);
    return true;
}

void AddMenuTitle(std::string_view text) {
    ToolkitState& state = State();
    if (state.lastMenuBar == nullptr) {
        return;
    }
    HMENU const dropDown = CreatePopupMenu();
    if (dropDown == nullptr) {
        return;
    }
    // From here the menu bar owns the drop-down menu.
    if (!AppendMenuW(state.lastMenuBar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown),
                     common::WideFromUtf8(text).c_str())) {
        DestroyMenu(dropDown);
        return;
    }
    state.currentMenu = dropDown;
    if (HWND const window = WindowHandle(state.lastMenuBarWindow)) {
        FollowMenuTitleScale(window);
    }
}

void AddMenuItem(int commandId, std::string_view text) {
    ToolkitState& state = State();
    HMENU const menu = state.currentMenu != nullptr ? state.currentMenu : state.lastMenuBar;
    if (menu == nullptr) {
        return;
    }
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(commandId),
                common::WideFromUtf8(text).c_str());
    // A drop-down's items are not drawn on the bar, so the bar is redrawn only for its own:
    // each redraw is a frame change the whole window goes through.
    if (menu == state.lastMenuBar) {
        if (HWND const window = WindowHandle(state.lastMenuBarWindow)) {
            DrawMenuBar(window);
        }
    }
}

void AddMenuCheckItem(int commandId, std::string_view text) {
    // A plain string item: the mark CheckMenuItem gives it is the check mark of an option
    // that is on or off, not the radio bullet of one choice among several.
    AddMenuItem(commandId, text);
}

void SetMenuItemChecked(int menuId, int commandId, bool checked) {
    const MenuBarEntry* const bar = State().menuBars.Find(menuId);
    if (bar == nullptr || !bar->menu) {
        return;
    }
    // By command, so that the drop-down menus below the bar are searched too.
    CheckMenuItem(bar->menu.get(), static_cast<UINT>(commandId),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void AddMenuSeparator() {
    if (HMENU const menu = State().currentMenu) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
}

} // namespace toolkit
