#include "platform/display_check.h"

#include <xcb/xcb.h>

bool XDisplayReachable(const QByteArray& display) {
    xcb_connection_t* connection =
        xcb_connect(display.isEmpty() ? nullptr : display.constData(), nullptr);
    const bool reached = connection && xcb_connection_has_error(connection) == 0;
    if (connection) xcb_disconnect(connection);
    return reached;
}
