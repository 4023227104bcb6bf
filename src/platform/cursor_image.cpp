#include "platform/cursor_image.h"

#include "platform/x11_connection.h"
#include "platform/x11_extensions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xfixes.h>

bool QueryCursorImage(const X11Connection& x, CursorImage& cursor) {
    if (!ExtensionsOf(x).xfixes) return false;
    xcb_xfixes_get_cursor_image_reply_t* reply =
        xcb_xfixes_get_cursor_image_reply(x.xcb, xcb_xfixes_get_cursor_image(x.xcb), nullptr);
    if (!reply) return false;
    // Pixels come as 32-bit premultiplied ARGB words; the position is the pointer's, not
    // the image's corner.
    const int w = reply->width, h = reply->height;
    const int count = xcb_xfixes_get_cursor_image_cursor_image_length(reply);
    const bool ok = w > 0 && h > 0 && count >= w * h;
    if (ok) {
        const uint32_t* pixels = xcb_xfixes_get_cursor_image_cursor_image(reply);
        cursor.size = QSize(w, h);
        cursor.pixels.assign(pixels, pixels + qsizetype(w) * h);
        cursor.hotspot = QPoint(reply->xhot, reply->yhot);
        cursor.position = QPoint(reply->x, reply->y);
    }
    std::free(reply);
    return ok;
}

namespace {

// x * a / 255 on the four bytes of a pixel at once, rounded as the toolkit's painter does.
quint32 ByteMul(quint32 x, quint32 a) {
    quint32 t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = x + ((x >> 8) & 0xff00ff) + 0x800080;
    x &= 0xff00ff00;
    return x | t;
}

} // namespace

void PaintCursorRows(const Rgb32Rows& rows, const CursorImage& cursor, QPoint at) {
    if (rows.isNull() || cursor.size.isEmpty() ||
        cursor.pixels.size() < size_t(cursor.size.width()) * size_t(cursor.size.height()))
        return;
    const int left = std::max(0, at.x()),
              right = std::min(rows.width, at.x() + cursor.size.width());
    const int top = std::max(0, at.y()),
              bottom = std::min(rows.height, at.y() + cursor.size.height());
    for (int y = top; y < bottom; ++y) {
        auto* dst = reinterpret_cast<quint32*>(rows.row(y));
        const quint32* src = cursor.pixels.data() + qsizetype(y - at.y()) * cursor.size.width();
        for (int x = left; x < right; ++x) {
            const quint32 s = src[x - at.x()];
            const quint32 alpha = s >> 24;
            if (alpha == 255)
                dst[x] = s;
            else if (s != 0)
                dst[x] = s + ByteMul(dst[x], 255 - alpha);
        }
    }
}
