// BMP files: Qt's reader behind a header check, then the picture put back into the depth
// the file had; a writer that keeps the depth of the picture.
#include "library/codec_support.h"
#include "library/picture_codecs.h"

#include <QBuffer>
#include <QIODevice>
#include <QImageReader>

#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiBitfields = 3;
constexpr quint32 kBiAlphaBitfields = 6;

// What the header of a BMP declares, as far as the depth and the size go.
struct BmpHeader {
    qint64 width = 0;
    qint64 height = 0;
    int bitCount = 0;
    quint32 compression = kBiRgb;
    quint32 redMask = 0, greenMask = 0, blueMask = 0;
    quint32 dataOffset = 0;
};

bool ParseHeader(const QByteArray& data, BmpHeader& h) {
    if (data.size() < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M') return false;
    const quint32 infoSize = Le32(data, kFileHeaderSize);
    const qsizetype info = kFileHeaderSize;
    h.dataOffset = Le32(data, 10);
    if (infoSize == 12) { // OS/2 core header: unsigned 16-bit sizes
        h.width = Le16(data, info + 4);
        h.height = Le16(data, info + 6);
        h.bitCount = Le16(data, info + 10);
    } else {
        if (infoSize < 40 || data.size() < info + 40) return false;
        h.width = Le32s(data, info + 4);
        h.height = Le32s(data, info + 8);
        h.bitCount = Le16(data, info + 14);
        h.compression = Le32(data, info + 16);
        // The colour masks follow a 40-byte header, or are part of a longer one.
        if ((h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) &&
            data.size() >= info + 52) {
            h.redMask = Le32(data, info + 40);
            h.greenMask = Le32(data, info + 44);
            h.blueMask = Le32(data, info + 48);
        }
    }
    // A negative height is a top-down picture.
    const qint64 rows = h.height < 0 ? -h.height : h.height;
    if (!PixelCountAllowed(h.width, rows)) return false;
    // Uncompressed pixels must all be there: Qt would show a cut-off file as a whole picture.
    if (h.compression == kBiRgb || h.compression == kBiBitfields ||
        h.compression == kBiAlphaBitfields) {
        const qint64 stride = (h.width * h.bitCount + 31) / 32 * 4;
        if (qint64(h.dataOffset) + stride * rows > data.size()) return false;
    }
    return true;
}

// Qt gives 16 and 24-bit pictures as RGB32; put them back into their own depth when that
// loses nothing.
QImage InFileDepth(const QImage& decoded, const BmpHeader& h) {
    if (h.bitCount == 24) return decoded.convertToFormat(QImage::Format_BGR888);
    if (h.bitCount != 16) return decoded;
    if (h.compression == kBiRgb ||
        (h.redMask == 0x7C00 && h.greenMask == 0x03E0 && h.blueMask == 0x001F))
        return decoded.convertToFormat(QImage::Format_RGB555);
    if (h.redMask == 0xF800 && h.greenMask == 0x07E0 && h.blueMask == 0x001F)
        return decoded.convertToFormat(QImage::Format_RGB16);
    return decoded;
}

// ---- writing

struct Layout {
    QImage rows;          // the picture in the format the rows are taken from
    int bitCount;         // bits per pixel in the file
    QList<QRgb> colours;  // palette, empty above 8 bits
    bool swapRgb = false; // RGB888 rows are stored as B, G, R
};

Layout LayoutOf(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: {
        QImage mono = image.convertToFormat(QImage::Format_Mono);
        QList<QRgb> colours = mono.colorTable();
        if (colours.isEmpty()) colours = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
        colours.resize(2, qRgb(0, 0, 0));
        return {mono, 1, colours};
    }
    case QImage::Format_Indexed8: {
        QList<QRgb> colours = image.colorTable();
        if (colours.isEmpty())
            for (int i = 0; i < 256; ++i)
                colours.append(qRgb(i, i, i));
        colours.resize(std::min<qsizetype>(colours.size(), 256));
        return {image, colours.size() <= 16 ? 4 : 8, colours};
    }
    case QImage::Format_Grayscale8: {
        QList<QRgb> colours;
        for (int i = 0; i < 256; ++i)
            colours.append(qRgb(i, i, i));
        return {image, 8, colours};
    }
    case QImage::Format_RGB555:
    case QImage::Format_RGB16:
        return {image, 16, {}};
    case QImage::Format_BGR888:
        return {image, 24, {}};
    case QImage::Format_RGB888:
        return {image, 24, {}, true};
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) return {image, 32, {}};
        break;
    default:
        if (image.depth() <= 24) return {image.convertToFormat(QImage::Format_BGR888), 24, {}};
        break;
    }
    return {image.convertToFormat(QImage::Format_RGB32), 32, {}};
}

void Put16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void Put32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// One row as the file stores it (without its padding); palette indices beyond the palette
// are clamped to its last entry, as QImage itself reads them.
void FileRow(const Layout& layout, int y, uchar* dst) {
    const uchar* src = layout.rows.constScanLine(y);
    const int width = layout.rows.width();
    if (layout.bitCount == 4 || (layout.bitCount == 8 && layout.colours.size() < 256)) {
        const uchar last = uchar(layout.colours.size() - 1);
        if (layout.bitCount == 8) {
            for (int x = 0; x < width; ++x)
                dst[x] = std::min(src[x], last);
        } else {
            std::fill(dst, dst + (width + 1) / 2, 0);
            for (int x = 0; x < width; ++x)
                dst[x / 2] |= uchar(std::min(src[x], last) << (x % 2 ? 0 : 4));
        }
    } else if (layout.swapRgb) {
        for (int x = 0; x < width; ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    } else {
        std::copy(src, src + (qsizetype(width) * layout.bitCount + 7) / 8, dst);
    }
}

} // namespace

bool DecodeBmpData(const QByteArray& data, QImage& out) {
    BmpHeader header;
    if (!ParseHeader(data, header)) return false;
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return false;
    QImage decoded;
    {
        const ReaderAllocationScope allocation;
        QImageReader reader(&buffer, "bmp");
        decoded = reader.read();
    }
    if (decoded.isNull()) return false;
    QImage result = InFileDepth(decoded, header);
    if (result.isNull()) return false;
    out = std::move(result);
    return true;
}

bool EncodeBmp(const QImage& image, QIODevice& device) {
    if (image.isNull()) return false;
    const Layout layout = LayoutOf(image);
    if (layout.rows.isNull()) return false;
    const int width = layout.rows.width();
    const int height = layout.rows.height();
    const bool bitfields = layout.rows.format() == QImage::Format_RGB16;
    const qint64 stride = (qint64(width) * layout.bitCount + 31) / 32 * 4;
    const qint64 headerSize =
        kFileHeaderSize + 40 + (bitfields ? 12 : 0) + 4 * qint64(layout.colours.size());
    const qint64 fileSize = headerSize + stride * height;
    if (fileSize > 0xFFFFFFFFll) return false;

    QByteArray head;
    head.append("BM");
    Put32(head, quint32(fileSize));
    Put32(head, 0);
    Put32(head, quint32(headerSize));
    Put32(head, 40);
    Put32(head, quint32(width));
    Put32(head, quint32(height)); // bottom-up rows
    Put16(head, 1);
    Put16(head, quint16(layout.bitCount));
    Put32(head, bitfields ? kBiBitfields : kBiRgb);
    Put32(head, quint32(stride * height));
    Put32(head, quint32(std::max(0, layout.rows.dotsPerMeterX())));
    Put32(head, quint32(std::max(0, layout.rows.dotsPerMeterY())));
    Put32(head, quint32(layout.colours.size()));
    Put32(head, 0);
    if (bitfields) {
        Put32(head, 0xF800);
        Put32(head, 0x07E0);
        Put32(head, 0x001F);
    }
    for (QRgb c : layout.colours) {
        head.append(char(qBlue(c)));
        head.append(char(qGreen(c)));
        head.append(char(qRed(c)));
        head.append('\0');
    }
    if (device.write(head) != head.size()) return false;

    // Rows go out in blocks of about a megabyte.
    const int rowsPerBlock = int(std::clamp<qint64>((1 << 20) / stride, 1, height));
    std::vector<uchar> block(size_t(stride * rowsPerBlock));
    const qint64 rowBytes = (qint64(width) * layout.bitCount + 7) / 8;
    for (int first = height - 1; first >= 0; first -= rowsPerBlock) {
        const int count = std::min(rowsPerBlock, first + 1);
        for (int i = 0; i < count; ++i) {
            uchar* row = block.data() + stride * i;
            FileRow(layout, first - i, row);
            std::fill(row + rowBytes, row + stride, 0);
        }
        const qint64 bytes = stride * count;
        if (device.write(reinterpret_cast<const char*>(block.data()), bytes) != bytes) return false;
    }
    return true;
}

bool WriteBmpFile(const QImage& image, const QString& path) {
    if (image.isNull()) return false;
    return WriteFileReplacing(path, [&](QIODevice& device) { return EncodeBmp(image, device); });
}
