// Waiting for the system's messages, and the keys every window answers itself.
#include "internal/win32_state.h"

#include <algorithm>
#include <vector>

namespace toolkit {
namespace win32 {
namespace {

bool Pressed(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

bool TakesTabFocus(const ControlEntry& control) {
    HWND const window = control.window.get();
    return (control.kind == ControlKind::TextField || control.kind == ControlKind::Button) &&
           IsWindowEnabled(window) && IsWindowVisible(window);
}

// Tab and Shift+Tab visit fields and buttons in the order they were created, wrapping.
void MoveFocus(const WindowEntry& window, bool forward) {
    std::vector<HWND> candidates;
    for (const int id : window.focusOrder) {
        const ControlEntry* const control = ControlById(id);
        if (control != nullptr && TakesTabFocus(*control)) {
            candidates.push_back(control->window.get());
        }
    }
    if (candidates.empty()) {
        return;
    }
    const auto current = std::find(candidates.begin(), candidates.end(), GetFocus());
    HWND target = nullptr;
    if (current == candidates.end()) {
        target = forward ? candidates.front() : candidates.back();
    } else {
        const auto count = static_cast<std::ptrdiff_t>(candidates.size());
        const std::ptrdiff_t index = current - candidates.begin();
        target = candidates[static_cast<std::size_t>((index + (forward ? 1 : count - 1)) % count)];
    }
    SetFocus(target);
    if (ControlById(ControlIdOf(target))->kind == ControlKind::TextField) {
        SendMessageW(target, EM_SETSEL, 0, -1);
    }
}

// Exactly as a click: the button takes the focus, so the field is left and entering
// it again counts as a new entry.
void Press(HWND button) {
    SetFocus(button);
    SendMessageW(button, BM_CLICK, 0, 0);
}

} // namespace

bool HandleWindowKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    const int windowId = WindowIdOf(GetAncestor(message.hwnd, GA_ROOT));
    const WindowEntry* const window = WindowById(windowId);
    if (window == nullptr || Pressed(VK_MENU) || Pressed(VK_CONTROL)) {
        return false;
    }
    switch (message.wParam) {
    case VK_TAB:
        MoveFocus(*window, !Pressed(VK_SHIFT));
        return true;
    case VK_ESCAPE:
        if (window->closeOnEscape && !Pressed(VK_SHIFT)) {
            QueueEvent({CloseEvent, 0, windowId, EventDetail::None});
            return true;
        }
        return false;
    case VK_RETURN: {
        const ControlEntry* const focused = ControlById(ControlIdOf(message.hwnd));
        if (focused == nullptr) {
            return false;
        }
        if (focused->kind == ControlKind::Button) {
            Press(focused->window.get());
            return true;
        }
        if (focused->kind != ControlKind::TextField) {
            return false;
        }
        const ControlEntry* const button = ControlById(window->defaultButton);
        if (button != nullptr && button->windowId == windowId && TakesTabFocus(*button)) {
            Press(button->window.get());
        }
        // Taken either way: a single-line field has nothing to do with Enter but beep.
        return true;
    }
    default:
        return false;
    }
}

} // namespace win32

using namespace win32;

bool DispatchNextMessage() {
    MSG message{};
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
        // A quit request from outside: the program's own close path decides.
        return false;
    }
    if (!HandleWindowKey(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

} // namespace toolkit
