#include "capture/screen_grab.h"

#include "common/guard.h"
#include "platform/grab_rect.h"

void GrabScreen(QImage& bitmap, int mode, GrabTransport transport) {
    Guarded([&] {
        QRect rect;
        if (!ScreenRectOfMode(mode, rect)) return;
        CopyScreenRect(bitmap, rect, transport);
        // Mode 2's rectangle already starts at the client area's corner on the screen.
        DrawCursorInto(bitmap, rect.x(), rect.y());
    });
}

void DrawCursorInto(QImage& bitmap, int originX, int originY) {
    Guarded([&] {
        CursorImage cursor;
        if (bitmap.isNull() || !QueryCursorImage(cursor)) return;
        PaintCursorImage(bitmap, cursor,
                         cursor.position - cursor.hotspot - QPoint(originX, originY));
    });
}

void PaintCursorImage(QImage& bitmap, const CursorImage& cursor, QPoint at) {
    if (bitmap.isNull() || cursor.size.isEmpty()) return;
    if (!QRect(at, cursor.size).intersects(bitmap.rect())) return;
    const QImage::Format format = bitmap.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied) {
        PaintCursorRows({bitmap.bits(), bitmap.width(), bitmap.height(), bitmap.bytesPerLine()},
                        cursor, at);
        return;
    }
    // Other formats go through a 32-bit copy; palette pictures keep their palette.
    const QImage::Format canvasFormat =
        bitmap.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage canvas = bitmap.convertToFormat(canvasFormat);
    PaintCursorImage(canvas, cursor, at);
    const QList<QRgb> table = bitmap.colorTable();
    bitmap =
        table.isEmpty() ? canvas.convertToFormat(format) : canvas.convertToFormat(format, table);
}
