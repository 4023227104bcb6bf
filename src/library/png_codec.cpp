// PNG files through libpng: decoding every colour type and depth, writing palette or 8-bit
// RGB pictures with the None filter on every row.
#include "library/codec_support.h"
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

struct Writer {
    QIODevice* device = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
};

void WriteData(png_structp png, png_bytep data, size_t length) {
    auto* w = static_cast<Writer*>(png_get_io_ptr(png));
    if (w->device->write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length))
        png_error(png, "write failed");
}

void FlushData(png_structp) {}

// How a picture is stored: its PNG depth and whether it is a palette picture.
struct Layout {
    QImage rows;  // the picture in the format the rows are taken from
    int depth;    // bits per sample in the file
    bool palette; // colour type 3, else 2
    QList<QRgb> colours;
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
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) return {image, 8, false, {}};
        break;
    default:
        break;
    }
    return {image.convertToFormat(QImage::Format_RGB32), 8, false, {}};
}

// One row as the file stores it. Palette indices beyond the palette are clamped to its last
// entry, as QImage itself reads them.
const uchar* FileRow(const Layout& layout, int y, std::vector<uchar>& scratch) {
    const uchar* src = layout.rows.constScanLine(y);
    if (!layout.palette || layout.depth == 1) return src;
    const int width = layout.rows.width();
    const uchar last = uchar(layout.colours.size() - 1);
    if (layout.depth == 8) {
        if (layout.colours.size() == 256) return src;
        for (int x = 0; x < width; ++x)
            scratch[x] = std::min(src[x], last);
        return scratch.data();
    }
    std::fill(scratch.begin(), scratch.end(), 0);
    for (int x = 0; x < width; ++x)
        scratch[x / 2] |= uchar(std::min(src[x], last) << (x % 2 ? 0 : 4));
    return scratch.data();
}

bool RunEncode(Writer& w, const Layout& layout, std::vector<uchar>& scratch, int level) {
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
    const int width = layout.rows.width();
    const int height = layout.rows.height();
    png_set_IHDR(w.png, w.info, png_uint_32(width), png_uint_32(height), layout.depth,
                 layout.palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(w.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(w.png, level);
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
    if (!layout.palette) {
        // 32-bit rows go in as they are: B, G, R and a filler byte that libpng drops.
        png_set_bgr(w.png);
        png_set_filler(w.png, 0, PNG_FILLER_AFTER);
    }
    for (int y = 0; y < height; ++y)
        png_write_row(w.png, FileRow(layout, y, scratch));
    png_write_end(w.png, w.info);
    png_destroy_write_struct(&w.png, &w.info);
    return true;
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
    if (image.isNull()) return false;
    const Layout layout = LayoutOf(image);
    if (layout.rows.isNull()) return false;
    std::vector<uchar> scratch(size_t(layout.rows.width()) + 1);
    Writer writer;
    writer.device = &device;
    return RunEncode(writer, layout, scratch, std::clamp(deflateLevel, 0, 9));
}

bool WritePngFile(const QImage& image, const QString& path) {
    if (image.isNull()) return false;
    return WriteFileReplacing(
        path, [&](QIODevice& device) { return EncodePng(image, device, kPngDeflateLevel); });
}
