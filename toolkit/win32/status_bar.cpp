// The program's status bars: fields whose right edges follow the fixed and automatic
// widths the program asked for, laid out again whenever the window changes size.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"
#include "toolkit/status_layout.h"

#include <uxtheme.h>

#include <algorithm>

namespace toolkit {
using namespace win32;
namespace {

constexpr int MaxFields = 256;
constexpr int MinHeight = 18;

// A right-aligned text keeps off the themed border by four spaces.
std::wstring PlainText(std::string_view text, unsigned options) {
    const bool rightAligned = (options & Centred) == 0 && (options & RightAligned) != 0;
    return common::WideFromUtf8(text) + (rightAligned && IsAppThemed() ? L"    " : L"");
}

// The text as the status bar aligns it: one leading tab centres, two right-align.
std::wstring AlignedText(const std::wstring& plain, unsigned options) {
    if ((options & Centred) != 0) {
        return L"\t" + plain;
    }
    return (options & RightAligned) != 0 ? L"\t\t" + plain : plain;
}

WPARAM Look(unsigned options) {
    if ((options & Raised) != 0) {
        return SBT_POPOUT;
    }
    return (options & Borderless) != 0 ? SBT_NOBORDERS : 0;
}

// Hands the field's text to the bar, or, when the bar's face is too wide for the field,
// has the bar leave the field's inside to the program's drawing in a smaller face.
void ShowStatusField(StatusBarEntry& bar, std::size_t index) {
    StatusField& field = bar.fields[index];
    HWND const window = bar.window.get();
    field.fittedHeight = StatusFittedHeight(window, static_cast<int>(index), field.plain);
    const WPARAM part = index | Look(field.options);
    if (field.fittedHeight == 0) {
        SendMessageW(window, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(field.text.c_str()));
        return;
    }
    SendMessageW(window, SB_SETTEXTW, part | SBT_OWNERDRAW, 0);
    // The bar repaints an owner-drawn field only when its data changes; this data never does.
    RECT area{};
    SendMessageW(window, SB_GETRECT, index, reinterpret_cast<LPARAM>(&area));
    InvalidateRect(window, &area, TRUE);
}

StatusBarEntry* LastStatusBar() {
    StatusBarEntry* const bar = State().statusBars.Find(State().lastStatusBar);
    return bar != nullptr && bar->window ? bar : nullptr;
}

} // namespace

namespace win32 {

std::vector<int> PartEdges(const StatusBarEntry& bar) {
    HWND const window = bar.window.get();
    HWND const parent = GetParent(window);
    RECT rect{};
    GetClientRect(window, &rect);
    const bool sizeable = (GetWindowLongPtrW(parent, GWL_STYLE) & WS_THICKFRAME) != 0;
    const int dpi = DotsPerInchOf(parent);
    std::vector<int> widths;
    std::vector<int> wanted;
    std::vector<int> least;
    for (const StatusField& field : bar.fields) {
        widths.push_back(field.width == Automatic ? Automatic : ScreenPixels(field.width, dpi));
        wanted.push_back(StatusTextWidth(window, field.plain, false));
        least.push_back(StatusTextWidth(window, field.plain, true));
    }
    return StatusFieldRightEdges(
        widths, StatusUsableWidth(rect.right, rect.bottom, sizeable, IsZoomed(parent) != FALSE),
        wanted, least);
}

void ApplyStatusParts(StatusBarEntry& bar) {
    HWND const window = bar.window.get();
    const std::vector<int> edges = PartEdges(bar);
    if (edges.empty()) {
        return;
    }
    SendMessageW(window, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    // A text that fitted the old width may not fit the new one, and the other way round.
    for (std::size_t index = 0; index < bar.fields.size(); ++index) {
        if (bar.fields[index].written) {
            ShowStatusField(bar, index);
        }
    }
}

void PlaceEdgeBars(int windowId) {
    ToolkitState& state = State();
    state.statusBars.ForEach([windowId](int, StatusBarEntry& bar) {
        if (bar.windowId == windowId) {
            SendMessageW(bar.window.get(), WM_SIZE, 0, 0);
            ApplyStatusParts(bar);
        }
    });
    state.toolBars.ForEach([windowId](int, ToolBarEntry& bar) {
        if (bar.windowId == windowId) {
            SendMessageW(bar.window.get(), TB_AUTOSIZE, 0, 0);
        }
    });
}

} // namespace win32

bool CreateStatusBar(int statusBarId, int windowId) {
    ToolkitState& state = State();
    state.statusBars.Remove(statusBarId);
    HWND const window = WindowHandle(windowId);
    if (window == nullptr) {
        return false;
    }
    const bool sizeable = (GetWindowLongPtrW(window, GWL_STYLE) & WS_THICKFRAME) != 0;
    WindowObject bar(CreateWindowExW(0, STATUSCLASSNAMEW, nullptr,
                                     WS_CHILD | WS_VISIBLE | (sizeable ? SBARS_SIZEGRIP : 0), 0, 0,
                                     0, 0, window, nullptr, state.instance, nullptr));
    if (!bar) {
        return false;
    }
    SendMessageW(bar.get(), WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    SendMessageW(bar.get(), SB_SETMINHEIGHT, MinHeight, 0);
    SendMessageW(bar.get(), WM_SIZE, 0, 0);
    state.statusBars.Put(statusBarId, StatusBarEntry{std::move(bar), windowId, {}});
    state.lastStatusBar = statusBarId;
    return true;
}

void AddStatusField(int width) {
    StatusBarEntry* const bar = LastStatusBar();
    if (bar == nullptr || static_cast<int>(bar->fields.size()) >= MaxFields) {
        return;
    }
    bar->fields.push_back({width, {}, 0, false, {}, 0});
    ApplyStatusParts(*bar);
}

void SetStatusFieldText(int statusBarId, int field, std::string_view text, unsigned options) {
    StatusBarEntry* const bar = State().statusBars.Find(statusBarId);
    if (bar == nullptr || !bar->window || field < 0 ||
        field >= static_cast<int>(bar->fields.size())) {
        return;
    }
    const auto index = static_cast<std::size_t>(field);
    StatusField& shown = bar->fields[index];
    std::wstring plain = PlainText(text, options);
    // A clock tick that changes nothing must not cost a repaint.
    if (shown.written && shown.plain == plain && shown.options == options) {
        return;
    }
    std::wstring aligned = AlignedText(plain, options);
    shown = {shown.width, std::move(aligned), options, true, std::move(plain), 0};
    // A text that can only be read whole in a wider field moves the fields' edges.
    const std::vector<int> edges = PartEdges(*bar);
    std::vector<int> now(edges.size());
    SendMessageW(bar->window.get(), SB_GETPARTS, now.size(), reinterpret_cast<LPARAM>(now.data()));
    if (edges != now) {
        ApplyStatusParts(*bar);
        return;
    }
    ShowStatusField(*bar, index);
}

} // namespace toolkit
