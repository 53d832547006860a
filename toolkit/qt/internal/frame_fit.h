// Where a framed top-level window fits and goes on its screen. Pure arithmetic over the
// frame margins the platform reports (a window manager's frame on X11, the decorations a
// Wayland client draws itself), so that the same rules hold on every platform.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

namespace toolkit {

// The area a window may take on a screen whose platform reports available as free.
// Some platforms tell a client nothing of the panels (a Wayland compositor, the X server
// it runs for X11 programs): there available is the whole screen, while the outer
// rectangle of a window the compositor has maximized is what it really leaves free.
// That rectangle is taken as it is, even beyond the screen: a compositor that counts its
// drop shadow into the frame lets every frame overhang the free area by the shadow.
// Where the platform tells no positions (Wayland), only its size is taken.
QRect WorkArea(const QRect& available, const std::vector<QRect>& maximizedFrames,
               bool positionsKnown);

// The largest client area a window can have with its whole frame, and barsHeight pixels
// of menu bar and toolbars above the client area, inside workArea.
QSize RoomInside(const QRect& workArea, const QMargins& frame, int barsHeight);

// Where the frame's top-left corner goes for a window whose outer size (frame included)
// is outer: (screen - min(screen, outer)) / 2 from the screen's corner, moved no further
// than needed to keep the frame inside workArea (a panel along an edge does not hide a
// window that fits beside it); a frame larger than workArea starts at its corner.
QPoint CentredFramePosition(const QRect& screen, const QRect& workArea, QSize outer);

} // namespace toolkit
