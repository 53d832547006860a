// Where the fields of a status bar end.
#pragma once

#include <vector>

namespace toolkit {

// Right edges of fields laid out left to right in usableWidth pixels. A width of
// Automatic takes an equal share (integer division) of what the fixed widths leave.
std::vector<int> StatusFieldRightEdges(const std::vector<int>& widths, int usableWidth);

// The same, for fields whose texts want `wanted` pixels in the bar's face and at least
// `least` in the smallest face a field may shrink its text to (0 for an empty field).
// Where every text fits at least shrunk, the edges are those above; where one would be
// cut off even so (a narrow window at a large display scale), the fields with room to
// spare beyond their own texts give it to the ones short of theirs.
std::vector<int> StatusFieldRightEdges(const std::vector<int>& widths, int usableWidth,
                                       const std::vector<int>& wanted,
                                       const std::vector<int>& least);

// The width the fields may use: the grip of a sizeable, not maximized window needs
// room at the right end.
int StatusUsableWidth(int barWidth, int barHeight, bool sizeable, bool maximized);

} // namespace toolkit
