#include "capture/screen_grab.h"

#include "common/guard.h"
#include "platform/cursor_image.h"
#include "platform/grab_rect.h"
#include "platform/screen_grab.h"

#include <QPainter>

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
        PaintCursorImage(bitmap, cursor.image,
                         cursor.position - cursor.hotspot - QPoint(originX, originY));
    });
}

void PaintCursorImage(QImage& bitmap, const QImage& cursor, QPoint at) {
    if (bitmap.isNull() || cursor.isNull()) return;
    if (!QRect(at, cursor.size()).intersects(bitmap.rect())) return;
    const QImage::Format format = bitmap.format();
    // The painter cannot draw on palette pictures; they go through a true-colour copy.
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
        format == QImage::Format_MonoLSB) {
        const QList<QRgb> table = bitmap.colorTable();
        QImage canvas = bitmap.convertToFormat(QImage::Format_RGB32);
        PaintCursorImage(canvas, cursor, at);
        bitmap = table.isEmpty() ? canvas.convertToFormat(format)
                                 : canvas.convertToFormat(format, table);
        return;
    }
    QPainter painter(&bitmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(at, cursor);
}
