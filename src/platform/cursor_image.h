// The mouse cursor as the X server shows it (XFixes), and its painting over screen rows.
#pragma once

#include "platform/rgb32_rows.h"
#include "platform/x11_connection.h"

#include <QPoint>
#include <QSize>
#include <vector>

struct CursorImage {
    QSize size;
    std::vector<quint32> pixels; // premultiplied ARGB, row after row
    QPoint hotspot;              // the pixel of the image that points
    QPoint position;             // the pointer on the screen
};

// The current cursor; false when the server cannot tell.
bool QueryCursorImage(const X11Connection& x, CursorImage& cursor);
inline bool QueryCursorImage(CursorImage& cursor) {
    const X11Connection* x = X11();
    return x && QueryCursorImage(*x, cursor);
}

// Paints the cursor over the rows (opaque, or premultiplied with their fourth byte as
// alpha) with its top-left corner at `at`, clipped to them: source over, as the toolkit's
// painter blends.
void PaintCursorRows(const Rgb32Rows& rows, const CursorImage& cursor, QPoint at);
