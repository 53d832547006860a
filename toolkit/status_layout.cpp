#include "toolkit/status_layout.h"

#include "toolkit/toolkit.h"

#include <algorithm>

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

std::vector<int> StatusFieldRightEdges(const std::vector<int>& widths, int usableWidth,
                                       const std::vector<int>& wanted,
                                       const std::vector<int>& least) {
    std::vector<int> edges = StatusFieldRightEdges(widths, usableWidth);
    const std::size_t count = edges.size();
    if (wanted.size() != count || least.size() != count) {
        return edges;
    }
    std::vector<int> sizes(count);
    bool cutOff = false;
    for (std::size_t i = 0; i < count; ++i) {
        sizes[i] = edges[i] - (i == 0 ? 0 : edges[i - 1]);
        cutOff = cutOff || least[i] > sizes[i];
    }
    if (!cutOff) {
        return edges;
    }
    int shortfall = 0;
    int spare = 0;
    for (std::size_t i = 0; i < count; ++i) {
        shortfall += std::max(0, wanted[i] - sizes[i]);
        spare += std::max(0, sizes[i] - wanted[i]);
    }
    const int moved = std::min(shortfall, spare);
    if (moved <= 0) {
        return edges;
    }
    // Taken from each in proportion to its spare, given in proportion to each shortfall;
    // what rounding leaves over goes to the last field that is short.
    int given = 0;
    std::size_t lastShort = count;
    std::vector<int> resized = sizes;
    for (std::size_t i = 0; i < count; ++i) {
        if (sizes[i] > wanted[i]) {
            resized[i] -=
                static_cast<int>(static_cast<long long>(sizes[i] - wanted[i]) * moved / spare);
        } else if (wanted[i] > sizes[i]) {
            const int share =
                static_cast<int>(static_cast<long long>(wanted[i] - sizes[i]) * moved / shortfall);
            resized[i] += share;
            given += share;
            lastShort = i;
        }
    }
    int taken = 0;
    for (std::size_t i = 0; i < count; ++i) {
        taken += sizes[i] - resized[i] > 0 ? sizes[i] - resized[i] : 0;
    }
    if (lastShort < count) {
        resized[lastShort] += taken - given;
    }
    int right = 0;
    for (std::size_t i = 0; i < count; ++i) {
        right += resized[i];
        edges[i] = right;
    }
    return edges;
}

int StatusUsableWidth(int barWidth, int barHeight, bool sizeable, bool maximized) {
    return sizeable && !maximized ? barWidth - (barHeight - 3) : barWidth;
}

} // namespace toolkit
