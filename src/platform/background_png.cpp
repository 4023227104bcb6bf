#include "platform/background_png.h"

#include <png.h>
#include <zlib.h>

namespace {

[[noreturn]] void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

void Append(png_structp png, png_bytep data, size_t length) {
    bool stored = true;
    try {
        static_cast<QByteArray*>(png_get_io_ptr(png))
            ->append(reinterpret_cast<const char*>(data), qsizetype(length));
    } catch (...) {
        stored = false;
    }
    if (!stored) png_error(png, "out of memory");
}

void Flush(png_structp) {}

// The picture in a form whose rows libpng takes as they are: 32-bit words 0xAARRGGBB.
QImage RowSource(const QImage& image) {
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                         : QImage::Format_RGB32);
}

// Deflate level 1: a picture on the clipboard is read once and thrown away, so speed counts
// more than size. Gives up, with an empty result, as soon as a stop is requested.
void Encode(const QImage& image, QByteArray& out, const std::stop_token& stop) {
    const bool alpha = image.format() == QImage::Format_ARGB32;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return;
    }
    // Nothing with a destructor is created below this point in this frame, so a jump back
    // from libpng skips none.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        out.clear();
        return;
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // A word 0xAARRGGBB is B, G, R, A in memory on a little-endian machine, A, R, G, B on a
    // big-endian one; the file wants R, G, B(, A).
    if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        png_set_bgr(png);
        if (!alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        if (alpha)
            png_set_swap_alpha(png);
        else
            png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    for (int y = 0; y < image.height(); ++y) {
        if (stop.stop_requested()) {
            png_destroy_write_struct(&png, &info);
            out.clear();
            return;
        }
        png_write_row(png, image.constScanLine(y));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
}

} // namespace

// Unusual formats are converted here: the toolkit's conversion may use its thread pool,
// which the worker must not depend on. The worker only reads the rows; the picture is kept
// and released on this thread.
BackgroundPng::BackgroundPng(const QImage& image) : rows_(RowSource(image)) {
    if (rows_.isNull()) return;
    worker_ = std::jthread([this](std::stop_token stop) { Encode(rows_, png_, stop); });
}

BackgroundPng::~BackgroundPng() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

const QByteArray& BackgroundPng::result() const {
    if (worker_.joinable()) worker_.join();
    return png_;
}
