// Start and end of the Win32 toolkit, and the lookups every other part of it shares.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"

#include <objbase.h>
#include <shobjidl.h>

#include <algorithm>
#include <iterator>

namespace toolkit {
namespace win32 {
namespace {

constexpr int ResourceIconId = 1;

ATOM RegisterWindowClass(HINSTANCE instance, HICON icon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ProgramWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The background is painted on WM_ERASEBKGND in the window's own colour.
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = WindowClassName;
    return RegisterClassExW(&windowClass);
}

ATOM RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSEXW frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = FrameProcedure;
    frameClass.hInstance = instance;
    frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frameClass.lpszClassName = FrameClassName;
    return RegisterClassExW(&frameClass);
}

// The font the system uses for message boxes: Segoe UI on Windows, a face with
// Cyrillic under Wine, where the old default GUI font has none.
FontObject MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return FontObject(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    return {};
}

} // namespace

ToolkitState& State() {
    static ToolkitState state;
    return state;
}

WindowEntry* WindowById(int windowId) {
    WindowEntry* const entry = State().windows.Find(windowId);
    return entry == nullptr || !entry->window ? nullptr : entry;
}

HWND WindowHandle(int windowId) {
    const WindowEntry* const entry = WindowById(windowId);
    return entry == nullptr ? nullptr : entry->window.get();
}

int WindowIdOf(HWND window) {
    if (window == nullptr) {
        return -1;
    }
    return State().windows.FindId(
        [window](const WindowEntry& entry) { return entry.window.get() == window; }, -1);
}

ControlEntry* ControlById(int controlId) {
    ControlEntry* const entry = State().controls.Find(controlId);
    return entry == nullptr || entry->window.get() == nullptr ? nullptr : entry;
}

int ControlIdOf(HWND control) {
    if (control == nullptr) {
        return -1;
    }
    return State().controls.FindId(
        [control](const ControlEntry& entry) { return entry.window.get() == control; }, -1);
}

HFONT DefaultFont() {
    const ToolkitState& state = State();
    return state.defaultFont ? state.defaultFont.get()
                             : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace win32

using namespace win32;

ToolkitBooks& Books() {
    return State();
}

bool Started() {
    return State().started;
}

bool InitToolkit(int& /*argc*/, char** /*argv*/) {
    ToolkitState& state = State();
    if (state.started) {
        return true;
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    // The explorer-style file dialog needs a single-threaded apartment.
    state.comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    state.instance = GetModuleHandleW(nullptr);
    state.resourceIcon = LoadIconW(state.instance, MAKEINTRESOURCEW(ResourceIconId));
    state.hasIconResource = state.resourceIcon != nullptr;
    if (state.resourceIcon == nullptr) {
        state.resourceIcon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    state.windowClass = RegisterWindowClass(state.instance, state.resourceIcon);
    state.frameClass = RegisterFrameClass(state.instance);
    if (state.windowClass == 0 || state.frameClass == 0) {
        return false;
    }
    state.defaultFont = MessageFont();
    state.started = true;
    return true;
}

void SetProgramIcon(const unsigned char* fileBytes, std::size_t size) {
    ToolkitState& state = State();
    // The executable's icon resource carries every size from 16 to 256 pixels and wins
    // over one picture. Without it a PNG makes an icon as it is; a BMP file would need a
    // mask made for it.
    constexpr unsigned char PngSignature[] = {0x89, 'P', 'N', 'G'};
    if (!state.started || state.hasIconResource || fileBytes == nullptr ||
        size < sizeof PngSignature ||
        !std::equal(std::begin(PngSignature), std::end(PngSignature), fileBytes)) {
        return;
    }
    IconObject icon(CreateIconFromResourceEx(const_cast<unsigned char*>(fileBytes),
                                             static_cast<DWORD>(size), TRUE, 0x00030000, 0, 0,
                                             LR_DEFAULTCOLOR));
    if (!icon) {
        return;
    }
    state.programIcon = std::move(icon);
    const auto handle = reinterpret_cast<LPARAM>(state.programIcon.get());
    state.windows.ForEach([handle](int, WindowEntry& entry) {
        SendMessageW(entry.window.get(), WM_SETICON, ICON_BIG, handle);
        SendMessageW(entry.window.get(), WM_SETICON, ICON_SMALL, handle);
    });
}

void SetApplicationData(std::string_view /*name*/, std::string_view /*version*/,
                        std::string_view desktopEntry) {
    if (!Started() || desktopEntry.empty()) {
        return;
    }
    // Name and version are the executable's version record; the launcher's name groups
    // the program's windows under one taskbar button, as the desktop entry does on Linux.
    SetCurrentProcessExplicitAppUserModelID(common::WideFromUtf8(desktopEntry).c_str());
}

void ShutDownToolkit() {
    ToolkitState& state = State();
    if (!state.started) {
        return;
    }
    StopPrinting();
    state.print = PrintJob{};
    CloseAllWindows();
    ReleaseFonts();
    state.toolTips.reset();
    state.events.Clear();
    state.programIcon.reset();
    state.defaultFont.reset();
    UnregisterClassW(WindowClassName, state.instance);
    UnregisterClassW(FrameClassName, state.instance);
    if (state.comStarted) {
        CoUninitialize();
        state.comStarted = false;
    }
    state.started = false;
}

int PrimaryScreenDepth() {
    if (!Started()) {
        return 0;
    }
    const WindowDc screen(nullptr);
    if (screen.get() == nullptr) {
        return 0;
    }
    return GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
}

} // namespace toolkit
