#include "platform/screen_grab.h"

#include <cstdlib>

namespace {

bool Rgb32Family(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

QImage::Format ImageFormatOf(ScreenPixels pixels) {
    switch (pixels) {
    case ScreenPixels::Rgb30:
        return QImage::Format_RGB30;
    case ScreenPixels::Bgr888:
        return QImage::Format_BGR888;
    case ScreenPixels::Rgb16:
        return QImage::Format_RGB16;
    case ScreenPixels::Rgb555:
        return QImage::Format_RGB555;
    default:
        return QImage::Format_RGB32;
    }
}

// A new picture; large 32-bit ones in huge pages (AllocatePixels).
QImage NewPicture(QSize size, QImage::Format format) {
    const qsizetype line = qsizetype(size.width()) * 4;
    if (QImage::toPixelFormat(format).bitsPerPixel() != 32) return QImage(size, format);
    uchar* data = AllocatePixels(size_t(line) * size_t(size.height()));
    if (!data) return QImage(size, format);
    QImage image(data, size.width(), size.height(), line, format, std::free, data);
    if (image.isNull()) std::free(data);
    return image;
}

// The canvas converted into the picture format the bitmap keeps.
QImage InFormat(QImage canvas, const QImage& like, QImage::Format format) {
    if (canvas.format() == format) return canvas;
    if (canvas.format() == QImage::Format_RGB32 && Rgb32Family(format)) {
        canvas.reinterpretAsFormat(format);
        return canvas;
    }
    if (!like.colorTable().isEmpty() &&
        (format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
         format == QImage::Format_MonoLSB))
        return canvas.convertToFormat(format, like.colorTable());
    return canvas.convertToFormat(format);
}

} // namespace

QImage::Format DisplayImageFormat() {
    const X11Connection* x = X11();
    if (!x) return QImage::Format_RGB32;
    switch (x->screen->root_depth) {
    case 16:
        return QImage::Format_RGB16;
    case 15:
        return QImage::Format_RGB555;
    case 30:
        return QImage::Format_RGB30;
    default:
        return QImage::Format_RGB32;
    }
}

void CopyScreenRect(QImage& bitmap, const QRect& rect, GrabTransport transport) {
    const X11Connection* x = X11();
    if (!x) return;
    const QImage::Format format = bitmap.isNull() ? DisplayImageFormat() : bitmap.format();
    if (rect.isEmpty()) {
        bitmap = QImage();
        return;
    }
    // The rows go straight into the picture when it takes the server's layout: into the
    // bitmap itself when it has the size and shares its pixels with nobody.
    const ScreenPixels pixels = ScreenPixelsOf(*x);
    const bool direct = pixels == ScreenPixels::Rgb32 && Rgb32Family(format);
    QImage canvas;
    if (direct && bitmap.size() == rect.size() && bitmap.isDetached())
        canvas = std::move(bitmap);
    else
        canvas = NewPicture(rect.size(), direct ? format : ImageFormatOf(pixels));
    if (canvas.isNull()) return;
    CopyScreenRows(*x, rect, canvas.bits(), canvas.bytesPerLine(), transport);
    bitmap = direct ? std::move(canvas) : InFormat(std::move(canvas), bitmap, format);
}
