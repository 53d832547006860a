// Opening, measuring and closing the program's windows.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"

#include <algorithm>

namespace toolkit {
using namespace win32;
namespace {

DWORD StyleFor(unsigned options) {
    DWORD style = WS_OVERLAPPED | WS_CLIPSIBLINGS;
    if ((options & TitleBar) != 0) {
        style |= WS_CAPTION;
    }
    if ((options & SystemMenu) != 0) {
        style |= WS_SYSMENU;
    }
    if ((options & MinimizeBox) != 0) {
        style |= WS_MINIMIZEBOX;
    }
    if ((options & Resizable) != 0) {
        style |= WS_THICKFRAME;
    }
    return style;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    HMONITOR const shownOn = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                                               : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    GetMonitorInfoW(shownOn, &monitor);
    return monitor.rcWork;
}

RECT ScreenOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcMonitor;
}

// Outer size of a window of this style whose client area (bars included) is inner.
SIZE OuterSize(DWORD style, bool withMenu, int innerWidth, int innerHeight) {
    RECT rect{0, 0, innerWidth, innerHeight};
    AdjustWindowRectEx(&rect, style, withMenu ? TRUE : FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// (screen - min(screen, outer)) / 2 from the screen's corner, moved no further than
// needed to keep the frame inside the free area beside a taskbar.
POINT CentredPosition(const RECT& screen, const RECT& free, SIZE outer) {
    const LONG screenWidth = screen.right - screen.left;
    const LONG screenHeight = screen.bottom - screen.top;
    LONG x = screen.left + (screenWidth - std::min(screenWidth, outer.cx)) / 2;
    LONG y = screen.top + (screenHeight - std::min(screenHeight, outer.cy)) / 2;
    if (outer.cx <= free.right - free.left) {
        x = std::clamp(x, free.left, free.right - outer.cx);
    }
    if (outer.cy <= free.bottom - free.top) {
        y = std::clamp(y, free.top, free.bottom - outer.cy);
    }
    return {x, y};
}

int MenuHeight(HWND window) {
    return GetMenu(window) != nullptr ? GetSystemMetrics(SM_CYMENU) : 0;
}

// Places the restored rectangle of a window; a maximized one keeps it for its restore.
void PlaceRestored(HWND window, POINT place, SIZE outer) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    placement.rcNormalPosition = {place.x, place.y, place.x + outer.cx, place.y + outer.cy};
    if (IsZoomed(window)) {
        SetWindowPlacement(window, &placement);
    } else {
        SetWindowPos(window, nullptr, place.x, place.y, outer.cx, outer.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace

bool OpenWindow(int windowId, int x, int y, int innerWidth, int innerHeight, std::string_view title,
                unsigned options, int parentWindow) {
    ToolkitState& state = State();
    if (!state.started) {
        return false;
    }
    CloseWindow(windowId);
    options = OpeningOptions(options);
    const DWORD style = StyleFor(options);
    HWND const owner = WindowHandle(parentWindow);
    // Not there yet: it opens on its owner's monitor, or on the primary screen.
    const int dpi = DotsPerInchOf(owner);
    const SIZE outer = OuterSize(style, false, ScreenPixels(std::max(innerWidth, 0), dpi),
                                 ScreenPixels(std::max(innerHeight, 0), dpi));
    POINT place{ScreenPixels(x, dpi), ScreenPixels(y, dpi)};
    if ((options & CentreOnScreen) != 0) {
        place = CentredPosition(ScreenOf(owner), WorkAreaOf(owner), outer);
    }
    // A hidden window that is to be maximized is made maximized already: it has the size
    // it will have on the screen, so what is laid out in it meanwhile needs no second go.
    const DWORD madeStyle =
        (options & (Hidden | Maximized)) == (Hidden | Maximized) ? style | WS_MAXIMIZE : style;
    WindowObject window(CreateWindowExW(0, WindowClassName, common::WideFromUtf8(title).c_str(),
                                        madeStyle, place.x, place.y, outer.cx, outer.cy, owner,
                                        nullptr, state.instance, nullptr));
    if (!window) {
        return false;
    }
    if (state.programIcon) {
        const auto icon = reinterpret_cast<LPARAM>(state.programIcon.get());
        SendMessageW(window.get(), WM_SETICON, ICON_BIG, icon);
        SendMessageW(window.get(), WM_SETICON, ICON_SMALL, icon);
    }
    WindowEntry entry;
    entry.window = std::move(window);
    entry.owner = parentWindow;
    entry.options = options;
    // In the table before it is shown: the messages of showing it find it there.
    state.windows.Put(windowId, std::move(entry));
    if ((options & Hidden) == 0) {
        RevealWindow(windowId);
    }
    state.gadgetTarget = windowId;
    return true;
}

void RevealWindow(int windowId) {
    const WindowEntry* const entry = WindowById(windowId);
    if (entry == nullptr || IsWindowVisible(entry->window.get())) {
        return;
    }
    HWND const window = entry->window.get();
    ShowWindow(window, (entry->options & Maximized) != 0 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(window);
}

void ActivateWindow(int windowId) {
    if (HWND const window = WindowHandle(windowId)) {
        SetActiveWindow(window);
        SetForegroundWindow(window);
    }
}

void SetWindowBackground(int windowId, Colour colour) {
    WindowEntry* const entry = WindowById(windowId);
    if (entry == nullptr) {
        return;
    }
    entry->background.reset(
        colour == DefaultColour
            ? nullptr
            : CreateSolidBrush(RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF)));
    RedrawWindow(entry->window.get(), nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

double DisplayScale(int windowId) {
    HWND const window = WindowHandle(windowId);
    return window != nullptr ? static_cast<double>(DotsPerInchOf(window)) / BaseDotsPerInch : 0.0;
}

int InnerWidth(int windowId) {
    RECT client{};
    HWND const window = WindowHandle(windowId);
    return window != nullptr && GetClientRect(window, &client)
               ? ToolkitPixels(client.right, DotsPerInchOf(window))
               : 0;
}

int InnerHeight(int windowId) {
    RECT client{};
    HWND const window = WindowHandle(windowId);
    return window != nullptr && GetClientRect(window, &client)
               ? ToolkitPixels(client.bottom + MenuHeight(window), DotsPerInchOf(window))
               : 0;
}

int FreeInnerHeight(int windowId) {
    const WindowEntry* const entry = WindowById(windowId);
    if (entry == nullptr) {
        return 0;
    }
    HWND const window = entry->window.get();
    RECT client{};
    GetClientRect(window, &client);
    // The client area already lies below the menu bar, however many lines it takes.
    int bars = entry->toolStripHeight;
    State().statusBars.ForEach([windowId, &bars](int, const StatusBarEntry& bar) {
        RECT rect{};
        if (bar.windowId == windowId && GetWindowRect(bar.window.get(), &rect)) {
            bars += rect.bottom - rect.top;
        }
    });
    return std::max(0, ToolkitPixels(client.bottom - bars, DotsPerInchOf(window)));
}

void AddTimer(int windowId, int timerId, int periodMs) {
    if (HWND const window = WindowHandle(windowId)) {
        SetTimer(window, static_cast<UINT_PTR>(timerId), static_cast<UINT>(std::max(periodMs, 1)),
                 nullptr);
    }
}

Size ScreenRoom(int windowId) {
    const WindowEntry* const entry = WindowById(windowId);
    if (entry == nullptr) {
        return {};
    }
    HWND const window = entry->window.get();
    const RECT free = WorkAreaOf(window);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const SIZE frame = OuterSize(style, false, 0, 0);
    const int bars = MenuHeight(window) + entry->toolStripHeight;
    const int dpi = DotsPerInchOf(window);
    return {std::max(0, ToolkitPixels(free.right - free.left - frame.cx, dpi)),
            std::max(0, ToolkitPixels(free.bottom - free.top - frame.cy - bars, dpi))};
}

void ResizeWindow(int windowId, int innerWidth, int innerHeight) {
    HWND const window = WindowHandle(windowId);
    if (window == nullptr) {
        return;
    }
    const int dpi = DotsPerInchOf(window);
    ResizeClient(windowId, ScreenPixels(innerWidth, dpi), ScreenPixels(innerHeight, dpi));
}

void SetMinimumInnerSize(int windowId, int innerWidth, int innerHeight) {
    if (WindowEntry* const entry = WindowById(windowId)) {
        entry->minimumInner = {std::max(innerWidth, 0), std::max(innerHeight, 0)};
    }
}

void CloseOnEscape(int windowId) {
    if (WindowEntry* const entry = WindowById(windowId)) {
        entry->closeOnEscape = true;
    }
}

namespace win32 {

void ResizeClient(int windowId, int innerWidth, int innerHeight) {
    const WindowEntry* const entry = WindowById(windowId);
    if (entry == nullptr) {
        return;
    }
    HWND const window = entry->window.get();
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const SIZE outer = OuterSize(style, GetMenu(window) != nullptr, std::max(innerWidth, 0),
                                 std::max(innerHeight, 0) + entry->toolStripHeight);
    RECT now{};
    GetWindowRect(window, &now);
    POINT place{now.left, now.top};
    if ((entry->options & CentreOnScreen) != 0) {
        place = CentredPosition(ScreenOf(window), WorkAreaOf(window), outer);
    }
    PlaceRestored(window, place, outer);
}

void RefitToolStrip(int windowId) {
    ToolkitState& state = State();
    WindowEntry* const entry = WindowById(windowId);
    if (entry == nullptr) {
        return;
    }
    int stripHeight = 0;
    state.toolBars.ForEach([windowId, &stripHeight](int, ToolBarEntry& bar) {
        if (bar.windowId == windowId) {
            SendMessageW(bar.window.get(), TB_AUTOSIZE, 0, 0);
            RECT rect{};
            GetWindowRect(bar.window.get(), &rect);
            stripHeight += rect.bottom - rect.top;
        }
    });
    const int growth = stripHeight - entry->toolStripHeight;
    if (growth == 0) {
        return;
    }
    entry->toolStripHeight = stripHeight;
    // The controls keep their place below the toolbars, the client area below them its
    // size: the window grows by the strip.
    state.controls.ForEach([windowId, growth](int, ControlEntry& control) {
        if (control.windowId == windowId) {
            HWND const child = control.window.get();
            RECT rect{};
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
            SetWindowPos(child, nullptr, rect.left, rect.top + growth, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    });
    HWND const window = entry->window.get();
    if (!IsZoomed(window)) {
        RECT client{};
        GetClientRect(window, &client);
        ResizeClient(windowId, client.right, client.bottom - stripHeight + growth);
    }
}

} // namespace win32
} // namespace toolkit
