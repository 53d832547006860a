// Texts that must be read whole in a rectangle the program chose: when the face the
// system found is taller or wider than the one the layout was made for, the text is drawn
// a little smaller rather than cut off.
#pragma once

#include "internal/handles.h"

#include <string_view>

namespace toolkit::win32 {

// The face a font was made from.
LOGFONTW DescriptionOf(HFONT font);

// The character height (in the sign convention of base.lfHeight) of the largest face of
// base's kind, no larger than base, in which DrawTextW with drawFlags lays text out
// within room; never below minHeight pixels, where a text that still does not fit is
// left to be cut off.
LONG FittedHeight(const LOGFONTW& base, std::wstring_view text, SIZE room, UINT drawFlags,
                  int minHeight);

// base with another character height; an empty object when the system has no such face.
FontObject FontOfHeight(LOGFONTW base, LONG height);

// Pixels of a face of points at the screen's resolution.
int ScreenPixelsOfPoints(int points);

} // namespace toolkit::win32
