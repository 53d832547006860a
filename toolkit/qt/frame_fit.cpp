#include "internal/frame_fit.h"

#include <algorithm>

namespace toolkit {

QSize RoomInside(const QRect& workArea, const QMargins& frame, int barsHeight) {
    return {std::max(0, workArea.width() - frame.left() - frame.right()),
            std::max(0, workArea.height() - frame.top() - frame.bottom() - barsHeight)};
}

QPoint CentredFramePosition(const QRect& screen, const QRect& workArea, QSize outer) {
    int x = screen.x() + (screen.width() - std::min(screen.width(), outer.width())) / 2;
    int y = screen.y() + (screen.height() - std::min(screen.height(), outer.height())) / 2;
    // A frame too large for the work area starts at its corner: the title bar, by which
    // the window is moved, stays out from under a panel.
    x = std::clamp(x, workArea.left(),
                   std::max(workArea.left(), workArea.right() + 1 - outer.width()));
    y = std::clamp(y, workArea.top(),
                   std::max(workArea.top(), workArea.bottom() + 1 - outer.height()));
    return {x, y};
}

} // namespace toolkit
