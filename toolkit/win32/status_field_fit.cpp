// A status field's text that is wider than its field, drawn whole in a smaller face: on a
// narrow screen an automatic field can be narrower than its text (1024 pixels leave 237
// for "Използвате психрометър с аспирация"), and a text cut off at its end reads worse.
#include "internal/text_fit.h"
#include "internal/win32_state.h"

namespace toolkit::win32 {
namespace {

// The border the bar draws around a field, and the room it leaves inside it before the
// text, on each side.
constexpr int FieldEdge = 1;
constexpr int TextInset = 3;
// The smallest face a field's text is shrunk to before it may be cut off after all.
constexpr int MinFieldPoints = 6;
constexpr UINT LineFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

HFONT BarFont(HWND bar) {
    auto* const font = reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0));
    return font != nullptr ? font : DefaultFont();
}

// Away from 100 %, Wine draws some faces a few pixels wider than it measures them (up to
// five at 120 dots per inch), and a text measured to the field's edge loses its last
// letter: there a text must leave the room of two average letters of the bar's face. At
// 100 % it may fill the field.
int ScaledSlack(HWND bar) {
    if (AtBaseScale(GetParent(bar))) {
        return 0;
    }
    const WindowDc screen(nullptr);
    const Selection selected(screen.get(), BarFont(bar));
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return 2 * metrics.tmAveCharWidth;
}

UINT Alignment(unsigned options) {
    if ((options & Centred) != 0) {
        return DT_CENTER;
    }
    return (options & RightAligned) != 0 ? DT_RIGHT : DT_LEFT;
}

} // namespace

int StatusTextRoom(HWND bar, int field) {
    RECT part{};
    if (SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(field),
                     reinterpret_cast<LPARAM>(&part)) == FALSE) {
        return 0;
    }
    return part.right - part.left - 2 * (FieldEdge + TextInset) - ScaledSlack(bar);
}

int StatusTextWidth(HWND bar, std::wstring_view text, bool smallest) {
    if (text.empty()) {
        return 0;
    }
    LOGFONTW face = DescriptionOf(BarFont(bar));
    if (smallest) {
        face.lfHeight = -ScreenPixelsOfPoints(MinFieldPoints);
    }
    const FontObject font = FontOfHeight(face, face.lfHeight);
    const WindowDc screen(nullptr);
    if (!font || screen.get() == nullptr) {
        return 0;
    }
    const Selection selected(screen.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx + 2 * (FieldEdge + TextInset);
}

LONG StatusFittedHeight(HWND bar, int field, std::wstring_view text) {
    const LOGFONTW base = DescriptionOf(BarFont(bar));
    const int room = StatusTextRoom(bar, field);
    if (room <= 0) {
        return 0;
    }
    RECT inside{};
    GetClientRect(bar, &inside);
    const LONG height = FittedHeight(base, text, {room, inside.bottom}, LineFlags,
                                     ScreenPixelsOfPoints(MinFieldPoints));
    return height == base.lfHeight ? 0 : height;
}

bool DrawStatusField(const DRAWITEMSTRUCT& item) {
    const StatusBarEntry* const bar = State().statusBars.Find(State().statusBars.FindId(
        [&item](const StatusBarEntry& entry) { return entry.window.get() == item.hwndItem; }, -1));
    if (bar == nullptr || item.itemID >= bar->fields.size()) {
        return false;
    }
    const StatusField& field = bar->fields[item.itemID];
    const FontObject face = FontOfHeight(DescriptionOf(BarFont(item.hwndItem)), field.fittedHeight);
    if (!face) {
        return false;
    }
    HDC const dc = item.hDC;
    const Selection selected(dc, face.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = item.rcItem;
    InflateRect(&text, -TextInset, 0);
    DrawTextW(dc, field.plain.data(), static_cast<int>(field.plain.size()), &text,
              LineFlags | Alignment(field.options));
    return true;
}

} // namespace toolkit::win32
