// PNG files through libpng: decoding every colour type and depth, writing palette or 8-bit
// RGB pictures with the None filter on every row. The image data of larger pictures is
// deflated on every core (see parallel_deflate.h); libpng lays out the chunks.
#include "library/codec_support.h"
#include "library/parallel_deflate.h"
#include "library/picture_codecs.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

namespace {

// libpng reports fatal errors through the error callback, which must not return.
[[noreturn]] void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// ---- decoding

struct Reader {
    const uchar* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    QImage image;
};

void ReadData(png_structp png, png_bytep out, size_t length) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(png));
    if (length > r->size - r->pos) png_error(png, "truncated");
    std::memcpy(out, r->data + r->pos, length);
    r->pos += length;
}

// Chooses the output format and sets the transforms that produce it; false when the
// picture cannot be represented.
QImage::Format PrepareTransforms(png_structp png, png_infop info) {
    const int depth = png_get_bit_depth(png, info);
    const int type = png_get_color_type(png, info);
    const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (type == PNG_COLOR_TYPE_PALETTE) {
        if (depth == 1) return QImage::Format_Mono; // same bit order as QImage's Mono
        if (depth < 8) png_set_packing(png);
        return QImage::Format_Indexed8;
    }
    if (depth == 16) png_set_strip_16(png);
    if (type == PNG_COLOR_TYPE_GRAY && !hasTrns) {
        if (depth < 8) png_set_expand_gray_1_2_4_to_8(png);
        return QImage::Format_Grayscale8;
    }
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) {
        if (depth < 8) png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    png_set_bgr(png);
    if (hasTrns) png_set_tRNS_to_alpha(png);
    if (hasTrns || (type & PNG_COLOR_MASK_ALPHA)) return QImage::Format_ARGB32;
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    return QImage::Format_RGB32;
}

// The palette with its transparency, padded so that every index a row can hold has a colour.
QList<QRgb> PaletteOf(png_structp png, png_infop info, int entries) {
    QList<QRgb> table(entries, qRgb(0, 0, 0));
    png_colorp palette = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &palette, &count) == 0) count = 0;
    png_bytep alpha = nullptr;
    int alphaCount = 0;
    png_color_16p unused = nullptr;
    if (png_get_tRNS(png, info, &alpha, &alphaCount, &unused) == 0) alphaCount = 0;
    for (int i = 0; i < std::min(count, entries); ++i) {
        const int a = i < alphaCount && alpha ? alpha[i] : 255;
        table[i] = qRgba(palette[i].red, palette[i].green, palette[i].blue, a);
    }
    return table;
}

// Only the reader's own state lives across setjmp, so a jump out of libpng skips no
// destructor.
bool RunDecode(Reader& r) {
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r, OnError, OnWarning);
    if (!r.png) return false;
    r.info = png_create_info_struct(r.png);
    if (!r.info) {
        png_destroy_read_struct(&r.png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(r.png))) {
        png_destroy_read_struct(&r.png, &r.info, nullptr);
        return false;
    }
    png_set_read_fn(r.png, &r, ReadData);
    // Text, colour profiles and suggested palettes are not used; skip them unread.
    static const png_byte kIgnored[] = "iCCP\0iTXt\0sPLT\0tEXt\0zTXt";
    png_set_keep_unknown_chunks(r.png, PNG_HANDLE_CHUNK_NEVER, kIgnored, 5);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Let the fuzzer reach past the checksums.
    png_set_crc_action(r.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
    png_read_info(r.png, r.info);
    if (!PixelCountAllowed(png_get_image_width(r.png, r.info),
                           png_get_image_height(r.png, r.info))) {
        png_destroy_read_struct(&r.png, &r.info, nullptr);
        return false;
    }
    const QImage::Format format = PrepareTransforms(r.png, r.info);
    const int passes = png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    const int width = int(png_get_image_width(r.png, r.info));
    const int height = int(png_get_image_height(r.png, r.info));
    r.image = QImage(width, height, format);
    if (r.image.isNull() || png_get_rowbytes(r.png, r.info) > size_t(r.image.bytesPerLine())) {
        png_destroy_read_struct(&r.png, &r.info, nullptr);
        return false;
    }
    if (format == QImage::Format_Mono) r.image.setColorTable(PaletteOf(r.png, r.info, 2));
    if (format == QImage::Format_Indexed8)
        r.image.setColorTable(PaletteOf(r.png, r.info, 1 << png_get_bit_depth(r.png, r.info)));
    // Interlaced pictures are read pass by pass into the same rows, which libpng combines.
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y)
            png_read_row(r.png, r.image.scanLine(y), nullptr);
    // Whatever follows the picture data (a missing end chunk, trailing bytes) does not
    // spoil the picture already read.
    png_destroy_read_struct(&r.png, &r.info, nullptr);
    return true;
}

// ---- encoding

// Below this much row data a picture is one piece deflated on the calling thread; above
// it the rows are deflated in pieces of kPieceBytes on every core.
constexpr qint64 kParallelFromBytes = 256 * 1024;
constexpr qint64 kPieceBytes = 512 * 1024;
// Bytes collected before they go to the device: libpng hands over every chunk in three
// small writes.
constexpr size_t kWriteBuffer = 256 * 1024;

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

// How a picture is stored: its PNG depth and whether it is a palette picture.
struct Layout {
    QImage rows;  // the picture in the format the rows are taken from
    int depth;    // bits per sample in the file
    bool palette; // colour type 3, else 2
    QList<QRgb> colours;

    // Bytes of one row in the file, without its filter byte.
    qint64 rowBytes() const {
        const qint64 width = rows.width();
        return palette ? (width * depth + 7) / 8 : width * 3;
    }
};

Layout LayoutOf(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: {
        QImage mono = image.convertToFormat(QImage::Format_Mono);
        QList<QRgb> colours = mono.colorTable();
        if (colours.isEmpty()) colours = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
        colours.resize(2, qRgb(0, 0, 0));
        return {mono, 1, true, colours};
    }
    case QImage::Format_Indexed8: {
        QList<QRgb> colours = image.colorTable();
        if (colours.isEmpty())
            for (int i = 0; i < 256; ++i)
                colours.append(qRgb(i, i, i));
        colours.resize(std::min<qsizetype>(colours.size(), 256));
        return {image, colours.size() <= 16 ? 4 : 8, true, colours};
    }
    // Rows are read as 32-bit words, the fourth byte ignored.
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return {image, 8, false, {}};
    default:
        return {image.convertToFormat(QImage::Format_RGB32), 8, false, {}};
    }
}

// One row as the file stores it, without its filter byte. Palette indices beyond the
// palette are clamped to its last entry, as QImage itself reads them.
void FileRow(const Layout& layout, int y, uchar* out) {
    const uchar* src = layout.rows.constScanLine(y);
    const int width = layout.rows.width();
    if (!layout.palette) {
        const auto* pixels = reinterpret_cast<const QRgb*>(src);
        for (int x = 0; x < width; ++x, out += 3) {
            const QRgb p = pixels[x];
            out[0] = uchar(qRed(p));
            out[1] = uchar(qGreen(p));
            out[2] = uchar(qBlue(p));
        }
        return;
    }
    const uchar last = uchar(layout.colours.size() - 1);
    if (layout.depth == 1 || (layout.depth == 8 && layout.colours.size() == 256)) {
        std::memcpy(out, src, size_t(layout.rowBytes()));
    } else if (layout.depth == 8) {
        for (int x = 0; x < width; ++x)
            out[x] = std::min(src[x], last);
    } else {
        std::memset(out, 0, size_t(layout.rowBytes()));
        for (int x = 0; x < width; ++x)
            out[x / 2] |= uchar(std::min(src[x], last) << (x % 2 ? 0 : 4));
    }
}

// Bytes [offset, offset + length) of the image data before compression: every row behind
// its filter byte, 0 (None).
void FilteredRows(const Layout& layout, qint64 offset, qint64 length, uchar* out) {
    const qint64 line = 1 + layout.rowBytes();
    int y = int(offset / line);
    qint64 column = offset % line;
    std::vector<uchar> partial;
    while (length > 0) {
        const qint64 take = std::min(line - column, length);
        if (take == line) {
            out[0] = 0;
            FileRow(layout, y, out + 1);
        } else {
            // A piece starts or ends inside this row.
            partial.resize(size_t(line));
            partial[0] = 0;
            FileRow(layout, y, partial.data() + 1);
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
bool RunEncode(Writer& w, const Layout& layout, const std::vector<uchar>& zlibStream) {
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
    png_set_IHDR(w.png, w.info, png_uint_32(layout.rows.width()), png_uint_32(layout.rows.height()),
                 layout.depth, layout.palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.palette) {
        png_color palette[256];
        png_byte alpha[256];
        int lastTranslucent = -1;
        const int count = int(layout.colours.size());
        for (int i = 0; i < count; ++i) {
            const QRgb c = layout.colours[i];
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

bool EncodeLayout(const Layout& layout, QIODevice& device, int level, qint64 pieceBytes,
                  int workers) {
    const qint64 total = (1 + layout.rowBytes()) * layout.rows.height();
    if (pieceBytes <= 0) pieceBytes = total < kParallelFromBytes ? total : kPieceBytes;
    std::vector<uchar> zlibStream;
    const bool deflated =
        DeflateInPieces([&layout](qint64 offset, qint64 length,
                                  uchar* out) { FilteredRows(layout, offset, length, out); },
                        total, std::clamp(level, 0, 9), pieceBytes, workers, zlibStream);
    if (!deflated) return false;
    auto writer = std::make_unique<Writer>();
    writer->device = &device;
    return RunEncode(*writer, layout, zlibStream) && writer->flush();
}

} // namespace

bool DecodePngData(const QByteArray& data, QImage& out) {
    if (data.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(data.constData()), 0, 8))
        return false;
    auto reader = std::make_unique<Reader>();
    reader->data = reinterpret_cast<const uchar*>(data.constData());
    reader->size = size_t(data.size());
    if (!RunDecode(*reader)) return false;
    out = std::move(reader->image);
    return true;
}

bool EncodePng(const QImage& image, QIODevice& device, int deflateLevel) {
    return EncodePngInPieces(image, device, deflateLevel, 0, DeflateWorkers());
}

bool EncodePngInPieces(const QImage& image, QIODevice& device, int deflateLevel, qint64 pieceBytes,
                       int workers) {
    if (image.isNull()) return false;
    const Layout layout = LayoutOf(image);
    if (layout.rows.isNull()) return false;
    return EncodeLayout(layout, device, deflateLevel, pieceBytes, workers);
}

bool WritePngFile(const QImage& image, const QString& path) {
    if (image.isNull()) return false;
    return WriteFileReplacing(
        path, [&](QIODevice& device) { return EncodePng(image, device, kPngDeflateLevel); });
}
