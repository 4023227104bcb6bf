#include "platform/native_window.h"

#include "platform/x11_connection.h"

#include <cstdlib>

std::optional<QPoint> NativeWindowOrigin(quintptr windowId) {
    const X11Connection* x = X11();
    if (!x || windowId == 0 || windowId > 0xffffffffu) return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        x->xcb, xcb_translate_coordinates(x->xcb, xcb_window_t(windowId), x->root, 0, 0), &error);
    std::optional<QPoint> origin;
    if (reply && !error) origin = QPoint(reply->dst_x, reply->dst_y);
    std::free(reply);
    std::free(error);
    return origin;
}

std::optional<QPoint> PointerPosition() {
    const X11Connection* x = X11();
    if (!x) return std::nullopt;
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(x->xcb, xcb_query_pointer(x->xcb, x->root), nullptr);
    std::optional<QPoint> at;
    if (reply && reply->same_screen) at = QPoint(reply->root_x, reply->root_y);
    std::free(reply);
    return at;
}
