#include "platform/window_system.h"

#include "platform/x11_connection.h"

void FlushWindowSystem() {
    const X11Connection* x = X11();
    if (x && x->xcb) xcb_flush(x->xcb);
}
