#include "internal/frame_fit.h"

#include <algorithm>

namespace toolkit {

QRect WorkArea(const QRect& available, const std::vector<QRect>& maximizedFrames,
               bool positionsKnown) {
    QRect area = available;
    for (const QRect& frame : maximizedFrames) {
        // A window still on its way to the maximized size says nothing yet.
        if (frame.width() < available.width() * 3 / 4 ||
            frame.height() < available.height() * 3 / 4) {
            continue;
        }
        if (positionsKnown) {
            area = frame;
        } else {
            area.setSize(area.size().boundedTo(frame.size()));
        }
    }
    return area;
}

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
