// The program's toolbars with the system's standard save and print images.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"

namespace toolkit {
using namespace win32;

bool CreateToolBar(int toolBarId, int windowId) {
    ToolkitState& state = State();
    state.toolBars.Remove(toolBarId);
    RefitToolStrip(windowId);
    HWND const window = WindowHandle(windowId);
    if (window == nullptr) {
        return false;
    }
    WindowObject bar(
        CreateToolbarEx(window, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                        static_cast<UINT>(toolBarId), 0, HINST_COMMCTRL, IDB_STD_LARGE_COLOR,
                        nullptr, 0, 0, 0, 0, 0, sizeof(TBBUTTON)));
    if (!bar) {
        return false;
    }
    state.toolBars.Put(toolBarId, ToolBarEntry{std::move(bar), windowId, {}});
    state.lastToolBar = toolBarId;
    RefitToolStrip(windowId);
    return true;
}

void AddToolBarButton(int commandId, int standardImage, std::string_view toolTip) {
    ToolkitState& state = State();
    ToolBarEntry* const bar = state.toolBars.Find(state.lastToolBar);
    if (bar == nullptr || !bar->window) {
        return;
    }
    TBBUTTON button{};
    button.iBitmap = standardImage; // STD_FILESAVE and STD_PRINT are the toolkit's numbers
    button.idCommand = commandId;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    if (!SendMessageW(bar->window.get(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button))) {
        return;
    }
    std::erase_if(bar->toolTips, [commandId](const auto& tip) { return tip.first == commandId; });
    if (!toolTip.empty()) {
        bar->toolTips.emplace_back(commandId, common::WideFromUtf8(toolTip));
    }
    RefitToolStrip(bar->windowId);
}

} // namespace toolkit
