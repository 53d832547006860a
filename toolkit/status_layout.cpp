#include "toolkit/status_layout.h"

#include "toolkit/toolkit.h"

namespace toolkit {

std::vector<int> StatusFieldRightEdges(const std::vector<int>& widths, int usableWidth) {
    int fixedSum = 0;
    int automaticCount = 0;
    for (const int width : widths) {
        if (width == Automatic) {
            ++automaticCount;
        } else {
            fixedSum += width;
        }
    }
    const int share = automaticCount == 0 ? 0 : (usableWidth - fixedSum) / automaticCount;
    std::vector<int> edges;
    edges.reserve(widths.size());
    int right = 0;
    for (const int width : widths) {
        right += width == Automatic ? share : width;
        edges.push_back(right);
    }
    return edges;
}

int StatusUsableWidth(int barWidth, int barHeight, bool sizeable, bool maximized) {
    return sizeable && !maximized ? barWidth - (barHeight - 3) : barWidth;
}

} // namespace toolkit
