// The titles of a menu bar at a display scale other than 100 %. Wine lays its menu bar
// out narrower than it draws the titles there (the longest lose their last letters, in
// any program), so the toolkit measures and draws them itself in the menu face of the
// window's scale, with one measure for both. At 100 % the system draws them as ever. The
// titles keep their texts, for screen readers and for the mnemonic keys.
#include "internal/win32_state.h"

#include <algorithm>
#include <string>

namespace toolkit::win32 {
namespace {

// Upper case as the system's mnemonics compare it, Cyrillic included, whatever the C
// library's locale.
wchar_t Upper(wchar_t c) {
    // CharUpperW takes a single character in the low word of its pointer argument.
    const auto asPointer = reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c));
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(asPointer)));
}

std::wstring TitleText(HMENU bar, UINT position) {
    std::wstring text(256, L'\0');
    const int length =
        GetMenuStringW(bar, position, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

// The system's menu face, made for the window's scale (the system gives it for the
// screen's).
FontObject MenuFont(HWND window) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return {};
    }
    LOGFONTW& face = metrics.lfMenuFont;
    face.lfHeight = MulDiv(face.lfHeight, DotsPerInchOf(window), ScreenDotsPerInch());
    return FontObject(CreateFontIndirectW(&face));
}

// Room on either side of a title: as much as the system leaves, the width of an average
// character of the face.
LONG SideRoom(HDC dc) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return metrics.tmAveCharWidth;
}

} // namespace

void FollowMenuTitleScale(HWND window) {
    HMENU const bar = GetMenu(window);
    if (bar == nullptr) {
        return;
    }
    const bool drawn = !AtBaseScale(window);
    const int count = GetMenuItemCount(bar);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE;
        if (!GetMenuItemInfoW(bar, static_cast<UINT>(position), TRUE, &item)) {
            continue;
        }
        const UINT type = drawn ? item.fType | MFT_OWNERDRAW : item.fType & ~MFT_OWNERDRAW;
        if (type != item.fType) {
            item.fMask = MIIM_FTYPE | MIIM_DATA;
            item.fType = type;
            item.dwItemData = static_cast<ULONG_PTR>(position);
            SetMenuItemInfoW(bar, static_cast<UINT>(position), TRUE, &item);
        }
    }
    DrawMenuBar(window);
}

bool MeasureMenuTitle(HWND window, MEASUREITEMSTRUCT& item) {
    HMENU const bar = GetMenu(window);
    if (item.CtlType != ODT_MENU || bar == nullptr) {
        return false;
    }
    // The item tells its place by its data only: a title's id is its drop-down menu.
    const std::wstring text = TitleText(bar, static_cast<UINT>(item.itemData));
    const FontObject font = MenuFont(window);
    const WindowDc dc(window);
    const Selection face(dc.get(), font.get());
    RECT box{};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_CALCRECT);
    item.itemWidth = static_cast<UINT>(box.right - box.left + 2 * SideRoom(dc.get()));
    item.itemHeight = static_cast<UINT>(box.bottom - box.top);
    return true;
}

bool DrawMenuTitle(HWND window, const DRAWITEMSTRUCT& item) {
    HMENU const bar = GetMenu(window);
    if (item.CtlType != ODT_MENU || bar == nullptr ||
        reinterpret_cast<HMENU>(item.hwndItem) != bar) {
        return false;
    }
    const bool lit = (item.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    BOOL flat = FALSE;
    SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
    const int background =
        lit ? (flat ? COLOR_MENUHILIGHT : COLOR_HIGHLIGHT) : (flat ? COLOR_MENUBAR : COLOR_MENU);
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(background));
    const bool grey = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    SetTextColor(item.hDC, GetSysColor(grey  ? COLOR_GRAYTEXT
                                       : lit ? COLOR_HIGHLIGHTTEXT
                                             : COLOR_MENUTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    const std::wstring text = TitleText(bar, static_cast<UINT>(item.itemData));
    const FontObject font = MenuFont(window);
    const Selection face(item.hDC, font.get());
    RECT box = item.rcItem;
    // The underlined keys show when the keyboard is in use, as the system's own titles do.
    const UINT hidden = (item.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | hidden);
    return true;
}

LRESULT MenuTitleForKey(HWND window, wchar_t key, HMENU menu) {
    HMENU const bar = GetMenu(window);
    if (menu != bar || bar == nullptr || AtBaseScale(window)) {
        return MAKELRESULT(0, MNC_IGNORE);
    }
    const int count = GetMenuItemCount(bar);
    for (int position = 0; position < count; ++position) {
        const std::wstring text = TitleText(bar, static_cast<UINT>(position));
        const std::size_t marker = text.find(L'&');
        if (marker + 1 < text.size() && Upper(text[marker + 1]) == Upper(key)) {
            return MAKELRESULT(position, MNC_EXECUTE);
        }
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

} // namespace toolkit::win32
