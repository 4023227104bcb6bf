#include "edit/paint_target.h"

QImage::Format PaintableFormat(QImage::Format format) {
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        // A palette may carry transparent entries.
        return QImage::Format_ARGB32;
    case QImage::Format_Grayscale8:
    case QImage::Format_Grayscale16:
    case QImage::Format_Alpha8:
    case QImage::Format_Invalid:
        return QImage::Format_RGB32;
    default:
        return format;
    }
}

void EnsurePaintable(QImage& picture) {
    if (picture.isNull()) return;
    QImage::Format target = PaintableFormat(picture.format());
    if (target == QImage::Format_ARGB32 && !picture.hasAlphaChannel())
        target = QImage::Format_RGB32;
    if (target != picture.format()) picture = picture.convertToFormat(target);
}
