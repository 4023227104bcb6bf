#include "library/picture_samples.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

#include <zlib.h>

namespace samples {

QByteArray Le16(int v) {
    QByteArray out(2, '\0');
    qToLittleEndian<quint16>(quint16(v), out.data());
    return out;
}

QByteArray Le32(qint64 v) {
    QByteArray out(4, '\0');
    qToLittleEndian<quint32>(quint32(v), out.data());
    return out;
}

namespace {

QByteArray Be32(quint32 v) {
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(v, out.data());
    return out;
}

QByteArray Deflate(const QByteArray& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    QByteArray out(qsizetype(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(raw.constData()), uLong(raw.size()), 9);
    out.resize(qsizetype(size));
    return out;
}

} // namespace

QByteArray PngChunk(const char* type, const QByteArray& body) {
    QByteArray typed = QByteArray(type, 4) + body;
    const uLong crc =
        crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()));
    return Be32(quint32(body.size())) + typed + Be32(quint32(crc));
}

QByteArray Png(quint32 width, quint32 height, int depth, int colourType, int interlace,
               const QByteArray& raw, const QByteArray& before) {
    QByteArray ihdr = Be32(width) + Be32(height);
    ihdr += char(depth);
    ihdr += char(colourType);
    ihdr += char(0);
    ihdr += char(0);
    ihdr += char(interlace);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) + before +
           PngChunk("IDAT", Deflate(raw)) + PngChunk("IEND", QByteArray());
}

QByteArray PngRaw8(int width, int height, int channels, bool interlaced,
                   int (*sample)(int, int, int)) {
    struct Pass {
        int x0, y0, dx, dy;
    };
    const QList<Pass> passes =
        interlaced ? QList<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                 {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                   : QList<Pass>{{0, 0, 1, 1}};
    QByteArray raw;
    for (const Pass& p : passes) {
        if (p.x0 >= width) continue; // a pass without columns has no rows either
        for (int y = p.y0; y < height; y += p.dy) {
            raw += char(0);
            for (int x = p.x0; x < width; x += p.dx)
                for (int c = 0; c < channels; ++c)
                    raw += char(sample(x, y, c));
        }
    }
    return raw;
}

QList<QPair<QByteArray, QByteArray>> PngChunks(const QByteArray& png) {
    QList<QPair<QByteArray, QByteArray>> chunks;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        chunks.append({png.mid(at + 4, 4), png.mid(at + 8, length)});
        at += 12 + qsizetype(length);
    }
    return chunks;
}

QByteArray WmfRecord(int function, std::initializer_list<int> params) {
    QByteArray out = Le32(3 + qint64(params.size())) + Le16(function);
    for (int p : params)
        out += Le16(p);
    return out;
}

QByteArray PlaceableWmf(int left, int top, int right, int bottom, int unitsPerInch,
                        const QByteArray& records) {
    const QByteArray all = records + WmfRecord(0, {});
    quint32 maxRecord = 0;
    for (qsizetype at = 0; at < all.size();) {
        const quint32 words = qFromLittleEndian<quint32>(all.constData() + at);
        maxRecord = std::max(maxRecord, words);
        at += qsizetype(words) * 2;
    }
    QByteArray placeable = Le32(0x9AC6CDD7) + Le16(0) + Le16(left) + Le16(top) + Le16(right) +
                           Le16(bottom) + Le16(unitsPerInch) + Le32(0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(placeable.constData() + 2 * i);
    placeable += Le16(checksum);
    const QByteArray header = Le16(1) + Le16(9) + Le16(0x300) + Le32((18 + all.size()) / 2) +
                              Le16(2) + Le32(maxRecord) + Le16(0);
    return placeable + header + all;
}

QByteArray EllipseWmf(int frameWidth, int frameHeight, int unitsPerInch, int left, int top,
                      int right, int bottom, quint32 colour) {
    const QByteArray records =
        WmfRecord(0x020B, {0, 0}) + WmfRecord(0x020C, {frameHeight, frameWidth}) +
        WmfRecord(0x02FC, {0, int(colour & 0xFFFF), int(colour >> 16), 0}) + // solid brush
        WmfRecord(0x012D, {0}) + WmfRecord(0x0418, {bottom, right, top, left});
    return PlaceableWmf(0, 0, frameWidth, frameHeight, unitsPerInch, records);
}

QByteArray EmfRecord(quint32 type, const QByteArray& body) {
    return Le32(type) + Le32(8 + body.size()) + body;
}

QByteArray Emf(const QList<int>& bounds, const QList<int>& frame, const QByteArray& records) {
    const QByteArray all = records + EmfRecord(14, Le32(0) + Le32(16) + Le32(20));
    constexpr int kHeaderSize = 108;
    QByteArray header = Le32(1) + Le32(kHeaderSize);
    for (int v : bounds)
        header += Le32(v);
    for (int v : frame)
        header += Le32(v);
    int records_ = 2;
    for (qsizetype at = 0; at < records.size(); ++records_)
        at += qFromLittleEndian<quint32>(records.constData() + at + 4);
    header += Le32(0x464D4520) + Le32(0x10000) + Le32(kHeaderSize + all.size()) + Le32(records_);
    header += Le16(2) + Le16(0) + Le32(0) + Le32(0) + Le32(0);
    header += Le32(960) + Le32(480) + Le32(254) + Le32(127); // 96 dots per inch
    header += Le32(0) + Le32(0) + Le32(0) + Le32(254000) + Le32(127000);
    return header + all;
}

QByteArray EllipseEmfRecords(int left, int top, int right, int bottom, quint32 colour) {
    return EmfRecord(39, Le32(1) + Le32(0) + Le32(colour) + Le32(0)) + // solid brush 1
           EmfRecord(37, Le32(1)) +                                    // selected
           EmfRecord(42, Le32(left) + Le32(top) + Le32(right) + Le32(bottom));
}

QByteArray Icon(const QList<QImage>& images, const QList<bool>& asPng) {
    QList<QByteArray> bodies;
    for (qsizetype i = 0; i < images.size(); ++i) {
        const QImage image = images[i].convertToFormat(QImage::Format_ARGB32);
        if (asPng[i]) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter(&buffer, "png").write(image);
            bodies.append(png);
            continue;
        }
        const int w = image.width(), h = image.height();
        QByteArray dib = Le32(40) + Le32(w) + Le32(2 * h) + Le16(1) + Le16(32) + Le32(0) + Le32(0) +
                         Le32(0) + Le32(0) + Le32(0) + Le32(0);
        for (int y = h - 1; y >= 0; --y)
            dib.append(reinterpret_cast<const char*>(image.constScanLine(y)), 4 * w);
        const int maskStride = (w + 31) / 32 * 4;
        dib.append(QByteArray(maskStride * h, '\0'));
        bodies.append(dib);
    }
    QByteArray out = Le16(0) + Le16(1) + Le16(int(images.size()));
    qint64 offset = 6 + 16 * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        out += char(images[i].width() & 0xFF);
        out += char(images[i].height() & 0xFF);
        out += char(0);
        out += char(0);
        out += Le16(1) + Le16(32) + Le32(bodies[i].size()) + Le32(offset);
        offset += bodies[i].size();
    }
    for (const QByteArray& body : bodies)
        out += body;
    return out;
}

QByteArray Rle8Bmp(qint32 width, qint32 height) {
    const QByteArray palette = Le32(0x00000000) + Le32(0x00FFFFFF);
    const QByteArray data("\x00\x01", 2);
    const qint64 offset = 14 + 40 + palette.size();
    return QByteArray("BM") + Le32(offset + data.size()) + Le32(0) + Le32(offset) + Le32(40) +
           Le32(width) + Le32(height) + Le16(1) + Le16(8) + Le32(1) + Le32(data.size()) + Le32(0) +
           Le32(0) + Le32(2) + Le32(0) + palette + data;
}

QByteArray FlatJpeg(int kWidth, int kHeight) {
    QByteArray jpeg("\xFF\xD8", 2);
    // One quantisation table, all ones.
    jpeg += QByteArray("\xFF\xDB\x00\x43\x00", 5) + QByteArray(64, '\x01');
    jpeg += QByteArray("\xFF\xC0\x00\x0B\x08", 5);
    jpeg += char(kHeight >> 8);
    jpeg += char(kHeight & 0xFF);
    jpeg += char(kWidth >> 8);
    jpeg += char(kWidth & 0xFF);
    jpeg += QByteArray("\x01\x01\x11\x00", 4);
    // A DC and an AC table with one symbol each, coded "0": category 0 and end of block.
    const QByteArray oneSymbol = QByteArray(1, '\x01') + QByteArray(15, '\0') + QByteArray(1, '\0');
    jpeg += QByteArray("\xFF\xC4\x00\x14\x00", 5) + oneSymbol;
    jpeg += QByteArray("\xFF\xC4\x00\x14\x10", 5) + oneSymbol;
    jpeg += QByteArray("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    // Every block is "0" (no DC change) and "0" (end of block): four blocks a byte.
    const qint64 blocks = qint64((kWidth + 7) / 8) * ((kHeight + 7) / 8);
    jpeg += QByteArray(qsizetype((blocks + 3) / 4), '\0');
    jpeg += QByteArray("\xFF\xD9", 2);
    return jpeg;
}

QByteArray MonoPng(quint32 kWidth, quint32 kHeight) {
    const QByteArray palette = QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6);
    const QByteArray raw(qsizetype(kHeight) * (1 + (kWidth + 7) / 8), '\0');
    return Png(kWidth, kHeight, 1, 3, 0, raw, PngChunk("PLTE", palette));
}

QByteArray PngIcon(const QByteArray& png) {
    return Le16(0) + Le16(1) + Le16(1) + QByteArray(4, '\0') + Le16(1) + Le16(32) +
           Le32(png.size()) + Le32(22) + png;
}

QByteArray OversizedJpeg() {
    return FlatJpeg(65500, 3054);
}
QByteArray OversizedPng() {
    return MonoPng(20000, 10001);
}
QByteArray OversizedBmp() {
    return Rle8Bmp(20000, 10001);
}
QByteArray OversizedIcon() {
    return PngIcon(OversizedPng());
}
// 96 units to the inch: one unit is one pixel.
QByteArray OversizedWmf() {
    return EllipseWmf(20000, 10001, 96, 0, 0, 100, 100, 0x0000FF);
}
QByteArray OversizedEmf() {
    return Emf({0, 0, 99, 99}, {0, 0, 529167, 264613}, EllipseEmfRecords(0, 0, 99, 99, 0xFF));
}

} // namespace samples
