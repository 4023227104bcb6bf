// The root window's size and its monitors, asked of the server together.
#pragma once

#include "platform/monitors.h"
#include "platform/x11_connection.h"

struct RootLayout {
    QRect root; // (0, 0) and the root's size; empty when the server did not answer
    QList<Monitor> monitors;
};

// One round trip for the sizes, one more for the names when they are wanted. The monitors
// fall back to the whole root as in Monitors().
RootLayout QueryRootLayout(const X11Connection& x, bool withNames);
