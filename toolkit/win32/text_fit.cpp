#include "internal/text_fit.h"
#include "internal/win32_state.h"

#include <cstdlib>

namespace toolkit::win32 {
namespace {

// The height of the laid-out text in the face, and whether no line ran past the room's
// width (a single word wider than the room is not broken by DrawTextW).
bool Fits(HDC dc, HFONT font, std::wstring_view text, SIZE room, UINT drawFlags) {
    const Selection selected(dc, font);
    RECT laidOut{0, 0, room.cx, 0};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &laidOut,
              drawFlags | DT_CALCRECT | DT_NOCLIP);
    return laidOut.bottom <= room.cy && laidOut.right <= room.cx;
}

} // namespace

LOGFONTW DescriptionOf(HFONT font) {
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    return description;
}

FontObject FontOfHeight(LOGFONTW base, LONG height) {
    base.lfHeight = height;
    base.lfWidth = 0;
    return FontObject(CreateFontIndirectW(&base));
}

LONG FittedHeight(const LOGFONTW& base, std::wstring_view text, SIZE room, UINT drawFlags,
                  int minHeight) {
    const WindowDc screen(nullptr);
    const LONG sign = base.lfHeight < 0 ? -1 : 1;
    LONG height = base.lfHeight;
    // A height of 0 asks for the system's default size: measured as it is, never shrunk.
    if (text.empty() || height == 0 || screen.get() == nullptr) {
        return height;
    }
    for (; std::labs(height) > minHeight; height -= sign) {
        const FontObject face = FontOfHeight(base, height);
        if (!face || Fits(screen.get(), face.get(), text, room, drawFlags)) {
            return height;
        }
    }
    return height;
}

int ScreenPixelsOfPoints(int points) {
    return MulDiv(points, FontDotsPerInch(), 72);
}

} // namespace toolkit::win32
