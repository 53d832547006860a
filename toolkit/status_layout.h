// Where the fields of a status bar end.
#pragma once

#include <vector>

namespace toolkit {

// Right edges of fields laid out left to right in usableWidth pixels. A width of
// Automatic takes an equal share (integer division) of what the fixed widths leave.
std::vector<int> StatusFieldRightEdges(const std::vector<int>& widths, int usableWidth);

// The width the fields may use: the grip of a sizeable, not maximized window needs
// room at the right end.
int StatusUsableWidth(int barWidth, int barHeight, bool sizeable, bool maximized);

} // namespace toolkit
