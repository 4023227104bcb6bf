#include "platform/grab_rect.h"

#include "platform/x11_connection.h"

#include <cstdlib>

namespace {

// The window that has the input focus as the window manager announces it.
xcb_window_t ActiveWindow(const X11Connection& x) {
    const xcb_atom_t active = X11Atom(x, "_NET_ACTIVE_WINDOW");
    if (!active) return XCB_NONE;
    auto reply = OwnedReply(xcb_get_property_reply(
        x.xcb, xcb_get_property(x.xcb, 0, x.root, active, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return XCB_NONE;
    return *static_cast<xcb_window_t*>(xcb_get_property_value(reply.get()));
}

// The child of the root that contains the window: the window manager's frame, or the
// window itself when it is not reparented.
xcb_window_t TopLevelOf(const X11Connection& x, xcb_window_t window) {
    for (int depth = 0; depth < 32; ++depth) {
        auto tree = OwnedReply(xcb_query_tree_reply(x.xcb, xcb_query_tree(x.xcb, window), nullptr));
        if (!tree) return XCB_NONE;
        if (tree->parent == x.root || tree->parent == XCB_NONE) return window;
        window = tree->parent;
    }
    return XCB_NONE;
}

// The window on the root, with its border or only the inside.
bool WindowOnRoot(const X11Connection& x, xcb_window_t window, bool withBorder, QRect& rect) {
    auto geometry =
        OwnedReply(xcb_get_geometry_reply(x.xcb, xcb_get_geometry(x.xcb, window), nullptr));
    auto origin = OwnedReply(xcb_translate_coordinates_reply(
        x.xcb, xcb_translate_coordinates(x.xcb, window, x.root, 0, 0), nullptr));
    if (!geometry || !origin) return false;
    const int border = withBorder ? geometry->border_width : 0;
    rect = QRect(origin->dst_x - border, origin->dst_y - border, geometry->width + 2 * border,
                 geometry->height + 2 * border);
    return true;
}

// A window that is not reparented: its frame as _NET_FRAME_EXTENTS describes it.
QRect WithFrameExtents(const X11Connection& x, xcb_window_t window, const QRect& rect) {
    const xcb_atom_t extents = X11Atom(x, "_NET_FRAME_EXTENTS");
    if (!extents) return rect;
    auto reply = OwnedReply(xcb_get_property_reply(
        x.xcb, xcb_get_property(x.xcb, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 16)
        return rect;
    const auto* e = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return rect.adjusted(-int(e[0]), -int(e[2]), int(e[1]), int(e[3]));
}

bool Shown(const X11Connection& x, xcb_window_t window) {
    auto attributes = OwnedReply(
        xcb_get_window_attributes_reply(x.xcb, xcb_get_window_attributes(x.xcb, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

} // namespace

bool ScreenRectOfMode(const X11Connection& connection, int mode, QRect& rect) {
    if (mode < 0 || mode > 2) return false;
    const X11Connection* x = &connection;
    if (mode == 0) {
        auto root =
            OwnedReply(xcb_get_geometry_reply(x->xcb, xcb_get_geometry(x->xcb, x->root), nullptr));
        if (!root) return false;
        rect = QRect(0, 0, root->width, root->height);
        return true;
    }
    const xcb_window_t client = ActiveWindow(*x);
    if (client == XCB_NONE) return false;
    QRect found;
    if (mode == 2) {
        if (!WindowOnRoot(*x, client, false, found)) return false;
    } else {
        const xcb_window_t top = TopLevelOf(*x, client);
        if (top == XCB_NONE || !WindowOnRoot(*x, top, true, found)) return false;
        if (top == client) found = WithFrameExtents(*x, client, found);
    }
    rect = Shown(*x, client) ? found : QRect();
    return true;
}
