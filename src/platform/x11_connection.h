// The program's connection to the X server: the toolkit's own when it runs on X11,
// otherwise one opened on $DISPLAY and kept for the rest of the run.
#pragma once

#include <cstdlib>
#include <memory>
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
// later calls return the same connection. (It asks the toolkit for its connection, so its
// code links the toolkit's graphics library; OwnX11Connection does not.)
const X11Connection* X11();

// A connection of this process's own on $DISPLAY, with XCB alone, kept for the rest of the
// run: X11() when the toolkit has no windowing side on X11, and the connection of the
// command line's captures, which run without the toolkit. Nullptr without an X server.
const X11Connection* OwnX11Connection();

// Fills in the screen and root window of a connection, on screen `number` or else the
// first; false when the server lists no screen.
bool SetX11Screen(X11Connection& x, int number);

// The error code of the last X protocol error that reached Xlib on the toolkit's connection
// (0 when none). Xlib's own handler would end the program on an error; the handler
// installed here only records it.
int LastX11ErrorCode();

// Interns an atom (0 on failure).
xcb_atom_t X11Atom(const X11Connection& x, const char* name);

// Drops queued events of a connection that nobody else reads (errors of requests whose
// replies were not asked for end up there).
void DrainUnreadX11Events(const X11Connection& x);

// A reply of the server, freed with its owner.
template <typename T> using X11Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> X11Reply<T> OwnedReply(T* reply) {
    return X11Reply<T>(reply, &std::free);
}
