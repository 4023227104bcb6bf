// Writing PNG files through libpng from rows in memory: palette or 8-bit RGB, the None
// filter on every row. The image data of larger pictures is deflated on every core (see
// parallel_deflate.h); libpng lays out the chunks. Nothing here needs a QImage, so the
// command line's captures write through the same code as the window.
#include "library/png_encoder.h"
#include "library/parallel_deflate.h"
#include "library/rgb32_encoders.h"

#include <QIODevice>
#include <QRgb>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

namespace {

// Below this much row data a picture is one piece deflated on the calling thread; above
// it the rows are deflated in pieces of kPieceBytes on every core.
constexpr qint64 kParallelFromBytes = 256 * 1024;
constexpr qint64 kPieceBytes = 512 * 1024;
// Bytes collected before they go to the device: libpng hands over every chunk in three
// small writes.
constexpr size_t kWriteBuffer = 256 * 1024;

// libpng reports fatal errors through the error callback, which must not return.
[[noreturn]] void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

struct Writer {
    QIODevice* device = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    size_t used = 0;
    char buffer[kWriteBuffer];

    bool flush() {
        const qint64 bytes = qint64(used);
        used = 0;
        return bytes == 0 || device->write(buffer, bytes) == bytes;
    }
};

void WriteData(png_structp png, png_bytep data, size_t length) {
    auto* w = static_cast<Writer*>(png_get_io_ptr(png));
    if (w->used + length > kWriteBuffer && !w->flush()) png_error(png, "write failed");
    if (length >= kWriteBuffer) {
        if (w->device->write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length))
            png_error(png, "write failed");
        return;
    }
    std::memcpy(w->buffer + w->used, data, length);
    w->used += length;
}

void FlushData(png_structp) {}

// Bytes of one row in the file, without its filter byte.
qint64 RowBytes(const PngRows& rows) {
    const qint64 width = rows.width;
    return rows.palette ? (width * rows.depth + 7) / 8 : width * 3;
}

// One row as the file stores it, without its filter byte. Palette indices beyond the
// palette are clamped to its last entry, as QImage itself reads them.
void FileRow(const PngRows& rows, int y, uchar* out) {
    const uchar* src = rows.bits + qsizetype(y) * rows.stride;
    const int width = rows.width;
    if (!rows.palette) {
        const auto* pixels = reinterpret_cast<const QRgb*>(src);
        for (int x = 0; x < width; ++x, out += 3) {
            const QRgb p = pixels[x];
            out[0] = uchar(qRed(p));
            out[1] = uchar(qGreen(p));
            out[2] = uchar(qBlue(p));
        }
        return;
    }
    const uchar last = uchar(rows.colours.size() - 1);
    if (rows.depth == 1 || (rows.depth == 8 && rows.colours.size() == 256)) {
        std::memcpy(out, src, size_t(RowBytes(rows)));
    } else if (rows.depth == 8) {
        for (int x = 0; x < width; ++x)
            out[x] = std::min(src[x], last);
    } else {
        std::memset(out, 0, size_t(RowBytes(rows)));
        for (int x = 0; x < width; ++x)
            out[x / 2] |= uchar(std::min(src[x], last) << (x % 2 ? 0 : 4));
    }
}

// Bytes [offset, offset + length) of the image data before compression: every row behind
// its filter byte, 0 (None).
void FilteredRows(const PngRows& rows, qint64 offset, qint64 length, uchar* out) {
    const qint64 line = 1 + RowBytes(rows);
    int y = int(offset / line);
    qint64 column = offset % line;
    std::vector<uchar> partial;
    while (length > 0) {
        const qint64 take = std::min(line - column, length);
        if (take == line) {
            out[0] = 0;
            FileRow(rows, y, out + 1);
        } else {
            // A piece starts or ends inside this row.
            partial.resize(size_t(line));
            partial[0] = 0;
            FileRow(rows, y, partial.data() + 1);
            std::memcpy(out, partial.data() + column, size_t(take));
        }
        out += take;
        length -= take;
        column = 0;
        ++y;
    }
}

// Writes the picture's chunks through libpng: IHDR (and the palette) as libpng lays them
// out, the zlib stream in IDAT chunks of libpng's own size, IEND. Only the writer's own
// state lives across setjmp, so a jump out of libpng skips no destructor.
bool RunEncode(Writer& w, const PngRows& rows, const std::vector<uchar>& zlibStream) {
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &w, OnError, OnWarning);
    if (!w.png) return false;
    w.info = png_create_info_struct(w.png);
    if (!w.info) {
        png_destroy_write_struct(&w.png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(w.png))) {
        png_destroy_write_struct(&w.png, &w.info);
        return false;
    }
    png_set_write_fn(w.png, &w, WriteData, FlushData);
    png_set_IHDR(w.png, w.info, png_uint_32(rows.width), png_uint_32(rows.height), rows.depth,
                 rows.palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (rows.palette) {
        png_color palette[256];
        png_byte alpha[256];
        int lastTranslucent = -1;
        const int count = int(rows.colours.size());
        for (int i = 0; i < count; ++i) {
            const QRgb c = rows.colours[i];
            palette[i] = {png_byte(qRed(c)), png_byte(qGreen(c)), png_byte(qBlue(c))};
            alpha[i] = png_byte(qAlpha(c));
            if (alpha[i] != 255) lastTranslucent = i;
        }
        png_set_PLTE(w.png, w.info, palette, count);
        if (lastTranslucent >= 0) png_set_tRNS(w.png, w.info, alpha, lastTranslucent + 1, nullptr);
    }
    png_write_info(w.png, w.info);
    const size_t chunk = png_get_compression_buffer_size(w.png);
    for (size_t at = 0; at < zlibStream.size(); at += chunk)
        png_write_chunk(w.png, reinterpret_cast<png_const_bytep>("IDAT"), zlibStream.data() + at,
                        std::min(chunk, zlibStream.size() - at));
    png_write_chunk(w.png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    png_destroy_write_struct(&w.png, &w.info);
    return true;
}

// Rows the writer can read without stepping outside them: a stride that holds a row, and
// a palette of 1 to 1 << depth colours for a depth libpng takes.
bool Readable(const PngRows& rows) {
    if (!rows.bits || rows.width <= 0 || rows.height <= 0) return false;
    const qint64 sourceRow = rows.palette
                                 ? (rows.depth == 1 ? (qint64(rows.width) + 7) / 8 : rows.width)
                                 : qint64(rows.width) * 4;
    if (rows.stride < sourceRow) return false;
    if (!rows.palette) return rows.depth == 8;
    return (rows.depth == 1 || rows.depth == 4 || rows.depth == 8) && !rows.colours.isEmpty() &&
           rows.colours.size() <= (qsizetype(1) << rows.depth);
}

} // namespace

bool EncodePngRowsInPieces(const PngRows& rows, QIODevice& device, int deflateLevel,
                           qint64 pieceBytes, int workers) {
    if (!Readable(rows)) return false;
    const qint64 total = (1 + RowBytes(rows)) * rows.height;
    if (pieceBytes <= 0) pieceBytes = total < kParallelFromBytes ? total : kPieceBytes;
    std::vector<uchar> zlibStream;
    const bool deflated =
        DeflateInPieces([&rows](qint64 offset, qint64 length,
                                uchar* out) { FilteredRows(rows, offset, length, out); },
                        total, std::clamp(deflateLevel, 0, 9), pieceBytes, workers, zlibStream);
    if (!deflated) return false;
    auto writer = std::make_unique<Writer>();
    writer->device = &device;
    return RunEncode(*writer, rows, zlibStream) && writer->flush();
}

bool EncodePngRows(const Rgb32Rows& rows, QIODevice& device, int deflateLevel) {
    PngRows png;
    png.bits = rows.bits;
    png.stride = rows.stride;
    png.width = rows.width;
    png.height = rows.height;
    return EncodePngRowsInPieces(png, device, deflateLevel, 0, DeflateWorkers());
}
