#pragma once
// Fitting a top-level window into the screen's work area, frame included.

#include <QMargins>
#include <QRect>
#include <QSize>

namespace tarnwick {

// The geometry of the window without its frame (what QWidget::setGeometry
// takes) for a window that wants to be `wanted` inside a frame of `frame`
// on the work area `area`: as large as wanted but no larger than the work
// area leaves inside the frame, never below `minimum`, and centred with its
// frame in the work area. A window that cannot fit even at its minimum
// keeps its frame's top left corner (the title bar) on the work area.
QRect fitToWorkArea(const QRect& area, const QMargins& frame, QSize wanted, QSize minimum);

// The frame assumed before the window system has given the real one: a
// title bar of `titleBar` pixels and thin borders.
QMargins assumedFrame(int titleBar);

}  // namespace tarnwick
