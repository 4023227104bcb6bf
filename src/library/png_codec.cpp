// PNG files through libpng: decoding every colour type and depth; writing a QImage as a
// palette or 8-bit RGB picture through the writer over rows (png_encoder.h).
#include "library/codec_support.h"
#include "library/parallel_deflate.h"
#include "library/picture_codecs.h"
#include "library/png_encoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

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

// The picture in the format its rows are read from, kept alive while they are written,
// and how the file stores them.
struct Layout {
    QImage image;
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
    // Rows are read as 32-bit words, the fourth byte ignored.
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return {image, 8, false, {}};
    default:
        return {image.convertToFormat(QImage::Format_RGB32), 8, false, {}};
    }
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
    if (layout.image.isNull()) return false;
    PngRows rows;
    rows.bits = layout.image.constBits();
    rows.stride = layout.image.bytesPerLine();
    rows.width = layout.image.width();
    rows.height = layout.image.height();
    rows.depth = layout.depth;
    rows.palette = layout.palette;
    rows.colours = layout.colours;
    return EncodePngRowsInPieces(rows, device, deflateLevel, pieceBytes, workers);
}

bool WritePngFile(const QImage& image, const QString& path) {
    if (image.isNull()) return false;
    return WriteFileReplacing(
        path, [&](QIODevice& device) { return EncodePng(image, device, kPngDeflateLevel); });
}
