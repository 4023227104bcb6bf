#include "platform/x11_connection.h"

#include "platform/x11_extensions.h"

#include <X11/Xlib.h>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

namespace {

X11Connection OpenOwn() {
    // The grab needs XCB alone; Xlib's own start-up would cost several more round trips.
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return {};
    X11Connection x;
    int screen = 0;
    x.xcb = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(x.xcb)) {
        xcb_disconnect(x.xcb);
        return {};
    }
    PrefetchX11Extensions(x.xcb);
    if (!SetX11Screen(x, screen)) {
        xcb_disconnect(x.xcb);
        return {};
    }
    return x;
}

xcb_screen_t* ScreenNumber(xcb_connection_t* c, int number) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; it.rem; xcb_screen_next(&it), ++i)
        if (i == number) return it.data;
    return nullptr;
}

} // namespace

bool SetX11Screen(X11Connection& x, int number) {
    x.screen = ScreenNumber(x.xcb, number);
    if (!x.screen) x.screen = ScreenNumber(x.xcb, 0);
    if (!x.screen) return false;
    x.root = x.screen->root;
    return true;
}

const X11Connection* OwnX11Connection() {
    static const X11Connection* connection = [] {
        const X11Connection x = OpenOwn();
        return x.xcb ? new X11Connection(x) : nullptr;
    }();
    if (connection && xcb_connection_has_error(connection->xcb)) return nullptr;
    return connection;
}

xcb_atom_t X11Atom(const X11Connection& x, const char* name) {
    // A pure cache: an atom's number never changes while the server runs, and the one
    // connection serves the whole run.
    static std::mutex lock;
    static std::map<std::string, xcb_atom_t> cache;
    const std::lock_guard guard(lock);
    if (auto it = cache.find(name); it != cache.end()) return it->second;
    const std::string key(name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        x.xcb, xcb_intern_atom(x.xcb, 0, uint16_t(key.size()), key.c_str()), nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    cache.emplace(key, atom);
    return atom;
}

void DrainUnreadX11Events(const X11Connection& x) {
    if (x.toolkitOwned) return;
    // Xlib owns the queue of a connection opened here; let it read and drop the events.
    if (x.display) {
        while (XPending(x.display) > 0) {
            XEvent event;
            XNextEvent(x.display, &event);
        }
        return;
    }
    while (xcb_generic_event_t* event = xcb_poll_for_event(x.xcb))
        std::free(event);
}
