// The keyboard and mouse of toolkit_driver.h on the Win32 backend. Keys are posted to
// the focused window and go through the same message loop as the program's.
#include "tests/support/toolkit_driver.h"

#include "common/windows/wide_text.h"
#include "internal/text_fit.h"
#include "internal/win32_state.h"

namespace toolkit_driver {
namespace {

using namespace toolkit::win32;

void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!HandleWindowKey(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// The modifier state the loop reads while the posted key is handled.
void HoldShift(bool held) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Where the focus is; without focus the window controls are created in, so that a key
// still reaches the test's window while another program is in the foreground.
HWND KeyTarget() {
    HWND const focused = GetFocus();
    return focused != nullptr ? focused : WindowHandle(State().gadgetTarget);
}

} // namespace

bool OpenActiveWindow(int windowId, int width, int height, unsigned options) {
    if (!toolkit::OpenWindow(windowId, 10, 10, width, height, "test", options)) {
        return false;
    }
    toolkit::ActivateWindow(windowId);
    // The X server confirms the window's size a moment later, as a resize.
    Wait(150);
    const bool active = GetActiveWindow() == WindowHandle(windowId);
    DrainEvents();
    return active;
}

std::vector<SeenEvent> DrainEvents() {
    Pump();
    std::vector<SeenEvent> seen;
    while (!State().events.Empty()) {
        const toolkit::EventKind kind = toolkit::WaitEvent();
        seen.push_back({kind, toolkit::EventObject(), toolkit::EventWindow()});
    }
    return seen;
}

void Wait(int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
}

void Focus(int controlId) {
    if (const ControlEntry* const control = ControlById(controlId)) {
        SetFocus(control->window.get());
        Pump();
    }
}

void Press(Key key) {
    HWND const target = KeyTarget();
    WPARAM code = 0;
    switch (key) {
    case Key::Tab:
    case Key::ShiftTab:
        code = VK_TAB;
        break;
    case Key::Enter:
        code = VK_RETURN;
        break;
    case Key::Escape:
        code = VK_ESCAPE;
        break;
    case Key::Space:
        code = VK_SPACE;
        break;
    }
    HoldShift(key == Key::ShiftTab);
    PostMessageW(target, WM_KEYDOWN, code, 1);
    Pump();
    PostMessageW(target, WM_KEYUP, code, 0xC0000001);
    Pump();
    HoldShift(false);
}

void Type(std::string_view text) {
    HWND const target = GetFocus();
    for (const wchar_t character : common::WideFromUtf8(text)) {
        PostMessageW(target, WM_CHAR, character, 1);
    }
    Pump();
}

void RequestClose(int windowId) {
    if (HWND const window = WindowHandle(windowId)) {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
    }
}

bool IsShown(int controlId) {
    const ControlEntry* const control = ControlById(controlId);
    return control != nullptr && IsWindowVisible(control->window.get());
}

int ShownControls(int windowId) {
    HWND const window = WindowHandle(windowId);
    int shown = 0;
    for (HWND child = window != nullptr ? GetWindow(window, GW_CHILD) : nullptr; child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        shown += ControlIdOf(child) != -1 && IsWindowVisible(child) ? 1 : 0;
    }
    return shown;
}

ShownStatusText StatusFieldText(int statusBarId, int field) {
    const StatusBarEntry* const bar = State().statusBars.Find(statusBarId);
    if (bar == nullptr || field < 0 || field >= static_cast<int>(bar->fields.size())) {
        return {};
    }
    const StatusField& shown = bar->fields[static_cast<std::size_t>(field)];
    HWND const window = bar->window.get();
    const LOGFONTW barFace =
        DescriptionOf(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    const LONG height = shown.fittedHeight != 0 ? shown.fittedHeight : barFace.lfHeight;
    const FontObject face = FontOfHeight(barFace, height);
    const WindowDc screen(nullptr);
    const Selection selected(screen.get(), face.get());
    SIZE extent{};
    GetTextExtentPoint32W(screen.get(), shown.plain.data(), static_cast<int>(shown.plain.size()),
                          &extent);
    return {extent.cx, StatusTextRoom(window, field),
            static_cast<double>(height) / static_cast<double>(barFace.lfHeight)};
}

} // namespace toolkit_driver
