// The program's connection to the X server: the toolkit's own when it runs on X11,
// otherwise one opened on $DISPLAY and kept for the rest of the run.
#pragma once

#include <xcb/xcb.h>

typedef struct _XDisplay Display;

struct X11Connection {
    xcb_connection_t* xcb = nullptr;
    // Xlib's side of the toolkit's connection; null on a connection opened here.
    Display* display = nullptr;
    xcb_screen_t* screen = nullptr;
    xcb_window_t root = 0;
    // True when the connection belongs to the toolkit, whose event loop reads its events.
    bool toolkitOwned = false;
};

// The connection, or nullptr when no X server can be reached. The first call decides;
// later calls return the same connection.
const X11Connection* X11();

// The error code of the last X protocol error that reached Xlib on the toolkit's connection
// (0 when none). Xlib's own handler would end the program on an error; the handler
// installed here only records it.
int LastX11ErrorCode();

// Interns an atom (0 on failure).
xcb_atom_t X11Atom(const X11Connection& x, const char* name);

// Drops queued events of a connection that nobody else reads (errors of requests whose
// replies were not asked for end up there).
void DrainUnreadX11Events(const X11Connection& x);
