// What the program's windows do with the messages the system sends them: every user
// action becomes an event in the queue, and colours and edge bars are looked after.
#include "internal/win32_state.h"

#include <algorithm>

namespace toolkit::win32 {
namespace {

COLORREF ToColorRef(Colour colour) {
    return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

EventDetail DetailOf(ControlKind kind, WORD code) {
    switch (kind) {
    case ControlKind::TextField:
        return code == EN_CHANGE      ? EventDetail::TextChanged
               : code == EN_SETFOCUS  ? EventDetail::FocusGained
               : code == EN_KILLFOCUS ? EventDetail::FocusLost
                                      : EventDetail::None;
    case ControlKind::Button:
        return code == BN_CLICKED ? EventDetail::Pressed : EventDetail::None;
    case ControlKind::Picture:
        return code == STN_CLICKED ? EventDetail::Clicked : EventDetail::None;
    default:
        return EventDetail::None;
    }
}

void OnCommand(int windowId, WPARAM wParam, LPARAM lParam) {
    const auto source = reinterpret_cast<HWND>(lParam);
    const int command = LOWORD(wParam);
    // Menus send no window; toolbar buttons send their bar's. Both are commands.
    const bool fromToolBar =
        source != nullptr &&
        State().toolBars.FindId(
            [source](const ToolBarEntry& bar) { return bar.window.get() == source; }, -1) != -1;
    if (source == nullptr || fromToolBar) {
        if (HIWORD(wParam) == 0 || fromToolBar) {
            QueueEvent({MenuEvent, command, windowId, EventDetail::None});
        }
        return;
    }
    const int controlId = ControlIdOf(source);
    const ControlEntry* const control = ControlById(controlId);
    if (control == nullptr) {
        return;
    }
    const EventDetail detail = DetailOf(control->kind, HIWORD(wParam));
    if (detail != EventDetail::None) {
        QueueEvent({ControlEvent, controlId, windowId, detail});
    }
}

// Labels and fields draw in the colours the program gave them; a frame paints nothing
// inside its border.
LRESULT OnControlColour(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    const ControlEntry* const control = ControlById(ControlIdOf(reinterpret_cast<HWND>(lParam)));
    const LRESULT standard = DefWindowProcW(window, message, wParam, lParam);
    if (control == nullptr) {
        return standard;
    }
    if (control->kind == ControlKind::Frame) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    if (control->textColour != DefaultColour) {
        SetTextColor(dc, ToColorRef(control->textColour));
    }
    if (control->background) {
        SetBkColor(dc, ToColorRef(control->backgroundColour));
        return reinterpret_cast<LRESULT>(control->background.get());
    }
    return standard;
}

void PaintBackground(HWND window, HDC dc, const WindowEntry& entry) {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client,
             entry.background ? entry.background.get() : GetSysColorBrush(COLOR_BTNFACE));
}

// Tooltips of toolbar buttons ask their window for the text.
LRESULT OnNotify(const NMHDR& header) {
    if (header.code != TTN_GETDISPINFOW) {
        return 0;
    }
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    const auto command = static_cast<int>(header.idFrom);
    State().toolBars.FindId(
        [command, &info](const ToolBarEntry& bar) {
            for (const auto& [id, tip] : bar.toolTips) {
                if (id == command) {
                    info.lpszText = const_cast<wchar_t*>(tip.c_str());
                    return true;
                }
            }
            return false;
        },
        -1);
    return 0;
}

// The smallest outer size that leaves the program its minimum inner size, no larger than
// the screen's free area.
void KeepMinimumSize(HWND window, const WindowEntry& entry, MINMAXINFO& limits) {
    if (entry.minimumInner.cx <= 0 && entry.minimumInner.cy <= 0) {
        return;
    }
    const int dpi = DotsPerInchOf(window);
    RECT outer{0, 0, ScreenPixels(entry.minimumInner.cx, dpi),
               ScreenPixels(entry.minimumInner.cy, dpi) + entry.toolStripHeight};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                       GetMenu(window) != nullptr, 0);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& free = monitor.rcWork;
    limits.ptMinTrackSize.x = std::min(outer.right - outer.left, free.right - free.left);
    limits.ptMinTrackSize.y = std::min(outer.bottom - outer.top, free.bottom - free.top);
}

// Moved onto a monitor of another scale: the window takes the size the system suggests
// for it there, and the program lays it out again in fonts made for that scale.
void FollowNewScale(HWND window, int windowId, const WindowEntry& entry, WPARAM wParam,
                    const RECT& suggested) {
    if (entry.owner == -1) {
        State().fontDpi = HIWORD(wParam);
    }
    FollowMenuTitleScale(window);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    QueueEvent({SizeEvent, 0, windowId, EventDetail::None});
}

} // namespace

LRESULT CALLBACK ProgramWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int windowId = WindowIdOf(window);
    const WindowEntry* const entry = WindowById(windowId);
    if (entry == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_CLOSE:
        // The program decides whether and when the window goes.
        QueueEvent({CloseEvent, 0, windowId, EventDetail::None});
        return 0;
    case WM_TIMER:
        QueueEvent({TimerEvent, static_cast<int>(wParam), windowId, EventDetail::None});
        return 0;
    case WM_COMMAND:
        OnCommand(windowId, wParam, lParam);
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_MEASUREITEM:
        return MeasureMenuTitle(window, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)) ? TRUE
                                                                                       : FALSE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return DrawMenuTitle(window, item) || DrawStatusField(item) ? TRUE : FALSE;
    }
    case WM_MENUCHAR:
        if (const LRESULT title = MenuTitleForKey(window, static_cast<wchar_t>(LOWORD(wParam)),
                                                  reinterpret_cast<HMENU>(lParam));
            HIWORD(title) != MNC_IGNORE) {
            return title;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return OnControlColour(window, message, wParam, lParam);
    case WM_ERASEBKGND:
        PaintBackground(window, reinterpret_cast<HDC>(wParam), *entry);
        return 1;
    case WM_SIZE:
        PlaceEdgeBars(windowId);
        if (wParam != SIZE_MINIMIZED) {
            QueueEvent({SizeEvent, 0, windowId, EventDetail::None});
        }
        return 0;
    case WM_GETMINMAXINFO:
        KeepMinimumSize(window, *entry, *reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_DPICHANGED:
        FollowNewScale(window, windowId, *entry, wParam, *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace toolkit::win32
