// The screen rectangles that the grab modes name.
#pragma once

#include "platform/x11_connection.h"

#include <QRect>

// The screen rectangle of a grab mode: 0 the whole root window (every monitor), 1 the
// foreground window with its frame, 2 that window's client area. False when there is
// nothing to grab: any other mode, no foreground window, no X server. A foreground window
// that is not shown (minimised) gives an empty rectangle.
bool ScreenRectOfMode(const X11Connection& x, int mode, QRect& rect);
inline bool ScreenRectOfMode(int mode, QRect& rect) {
    const X11Connection* x = X11();
    return x && ScreenRectOfMode(*x, mode, rect);
}
