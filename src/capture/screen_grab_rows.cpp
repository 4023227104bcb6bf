// GrabScreenRows, apart from the picture grab so that its callers link no QImage code.
#include "capture/screen_grab.h"

#include "common/guard.h"
#include "platform/grab_rect.h"

bool GrabScreenRows(const X11Connection& x, int mode, Rgb32Capture& capture,
                    GrabTransport transport) {
    bool grabbed = false;
    Guarded([&] {
        QRect rect;
        if (!ScreenRectOfMode(x, mode, rect) || !capture.grab(x, rect, transport)) return;
        CursorImage cursor;
        if (QueryCursorImage(x, cursor))
            PaintCursorRows(capture.rows(), cursor,
                            cursor.position - cursor.hotspot - rect.topLeft());
        grabbed = true;
    });
    return grabbed;
}
