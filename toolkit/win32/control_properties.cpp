// Texts, fonts, colours, tooltips and focus of existing controls.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"

#include <oleacc.h>

namespace toolkit {
using namespace win32;
namespace {

// One tooltip window for every control of the thread, shown for inactive windows too,
// with "&" shown as it is.
HWND ToolTipWindow() {
    ToolkitState& state = State();
    if (!state.toolTips) {
        state.toolTips.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                             nullptr, state.instance, nullptr));
        if (state.toolTips) {
            // Long tips wrap instead of running off the screen.
            SendMessageW(state.toolTips.get(), TTM_SETMAXTIPWIDTH, 0, 400);
        }
    }
    return state.toolTips.get();
}

TOOLINFOW ToolFor(HWND control) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

} // namespace

void SetToolTip(int controlId, std::string_view text) {
    const ControlEntry* const control = ControlById(controlId);
    HWND const tips = control != nullptr ? ToolTipWindow() : nullptr;
    if (tips == nullptr) {
        return;
    }
    TOOLINFOW tool = ToolFor(control->window.get());
    SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    std::wstring tip = common::WideFromUtf8(text);
    tool.lpszText = tip.data();
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetAccessibleText(int controlId, std::string_view name, std::string_view description) {
    const ControlEntry* const control = ControlById(controlId);
    if (control == nullptr || !State().comStarted) {
        return;
    }
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        return;
    }
    HWND const window = control->window.get();
    services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_NAME, common::WideFromUtf8(name).c_str());
    services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_DESCRIPTION, common::WideFromUtf8(description).c_str());
    services->Release();
}

void SetControlFont(int controlId, FontRef font) {
    ControlEntry* const control = ControlById(controlId);
    if (control == nullptr) {
        return;
    }
    control->font = font != nullptr ? font->handle.get() : nullptr;
    ShowControlFont(*control);
}

void SetControlColour(int controlId, int which, Colour colour) {
    ControlEntry* const control = ControlById(controlId);
    if (control == nullptr) {
        return;
    }
    if (which == TextColour) {
        control->textColour = colour;
    } else if (which == BackgroundColour) {
        control->backgroundColour = colour;
        control->background.reset(colour == DefaultColour
                                      ? nullptr
                                      : CreateSolidBrush(RGB((colour >> 16) & 0xFF,
                                                             (colour >> 8) & 0xFF, colour & 0xFF)));
    } else {
        return;
    }
    RedrawWindow(control->window.get(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
}

void SetControlText(int controlId, std::string_view text) {
    ControlEntry* const control = ControlById(controlId);
    if (control == nullptr || control->kind == ControlKind::Picture) {
        return;
    }
    const EventQueue::Silence quiet(State().events);
    SetWindowTextW(control->window.get(), common::WideFromUtf8(text).c_str());
    if (control->kind == ControlKind::Label) {
        ShowControlFont(*control);
    }
}

std::string GetControlText(int controlId) {
    const ControlEntry* const control = ControlById(controlId);
    if (control == nullptr || control->kind == ControlKind::Picture) {
        return {};
    }
    HWND const window = control->window.get();
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return common::Utf8FromWide(text);
}

void FocusControl(int controlId) {
    const ControlEntry* const control = ControlById(controlId);
    if (control == nullptr) {
        return;
    }
    SetFocus(control->window.get());
    if (control->kind == ControlKind::TextField) {
        // Typing replaces the whole text.
        SendMessageW(control->window.get(), EM_SETSEL, 0, -1);
    }
}

void MoveControl(int controlId, int x, int y, int width, int height) {
    ControlEntry* const control = ControlById(controlId);
    const WindowEntry* const window = control != nullptr ? WindowById(control->windowId) : nullptr;
    if (window == nullptr) {
        return;
    }
    // A picture keeps the size of its image.
    const UINT keepSize = control->kind == ControlKind::Picture ? SWP_NOSIZE : 0;
    const int dpi = DotsPerInchOf(window->window.get());
    const ScreenSpan across = ScreenSpanOf(x, width, dpi);
    const ScreenSpan down = ScreenSpanOf(y, height, dpi);
    SetWindowPos(control->window.get(), nullptr, across.start, down.start + window->toolStripHeight,
                 across.length, down.length, SWP_NOZORDER | SWP_NOACTIVATE | keepSize);
    if (control->kind == ControlKind::Label) {
        ShowControlFont(*control); // a text that fitted the old size may not fit the new one
    }
}

int FocusedControl() {
    if (!Started()) {
        return -1;
    }
    return ControlIdOf(GetFocus());
}

} // namespace toolkit
