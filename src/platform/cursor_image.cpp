#include "platform/cursor_image.h"

#include "platform/x11_connection.h"
#include "platform/x11_extensions.h"

#include <cstdlib>
#include <cstring>
#include <xcb/xfixes.h>

bool QueryCursorImage(CursorImage& cursor) {
    const X11Connection* x = X11();
    if (!x || !ExtensionsOf(*x).xfixes) return false;
    xcb_xfixes_get_cursor_image_reply_t* reply =
        xcb_xfixes_get_cursor_image_reply(x->xcb, xcb_xfixes_get_cursor_image(x->xcb), nullptr);
    if (!reply) return false;
    // Pixels come as 32-bit premultiplied ARGB words; the position is the pointer's, not
    // the image's corner.
    const int w = reply->width, h = reply->height;
    const int count = xcb_xfixes_get_cursor_image_cursor_image_length(reply);
    bool ok = w > 0 && h > 0 && count >= w * h;
    if (ok) {
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        ok = !image.isNull();
        const uint32_t* pixels = xcb_xfixes_get_cursor_image_cursor_image(reply);
        for (int y = 0; ok && y < h; ++y)
            std::memcpy(image.scanLine(y), pixels + qsizetype(y) * w, size_t(w) * 4);
        if (ok) {
            cursor.image = image;
            cursor.hotspot = QPoint(reply->xhot, reply->yhot);
            cursor.position = QPoint(reply->x, reply->y);
        }
    }
    std::free(reply);
    return ok;
}
