// The picture writers' output formats and round trips, the writers over screen rows, and
// what the decoders make of each kind of PNG and BMP.
#include "library/codec_support.h"
#include "library/picture_codecs.h"
#include "library/picture_samples.h"
#include "library/rgb32_encoders.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstring>
#include <zlib.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Flat areas and small text-like strokes, as on a screen.
QImage ScreenLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(240, 240, 240));
    QPainter p(&image);
    p.fillRect(0, 0, width, height / 4, QColor(30, 90, 180));
    p.fillRect(width / 2, height / 2, width / 2, height / 2, QColor(200, 60, 40));
    for (int y = height / 4 + 2; y + 3 < height; y += 6)
        for (int x = 2; x + 3 < width / 2; x += 5)
            if ((x * 7 + y * 3) % 11 < 6) p.fillRect(x, y, 3, 4, Qt::black);
    return image;
}

// Indexed picture with `colours` colours, every index used.
QImage Indexed(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.append(qRgb(i * 37 % 256, i * 91 % 256, 255 - i));
    image.setColorTable(table);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = uchar((x + y * width) % colours);
    return image;
}

// What `encode` writes into a buffer; null when it gives false.
QByteArray Encoded(const std::function<bool(QIODevice&)>& encode) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return encode(buffer) ? bytes : QByteArray();
}

bool SamePixels(const QImage& a, const QImage& b) {
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

bool Close(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The markers of a JPEG up to its first scan, and its quantisation tables.
struct JpegSegments {
    QList<int> markers;
    QList<QList<int>> tables;
};

JpegSegments ParseJpeg(const QByteArray& jpeg) {
    JpegSegments s;
    for (qsizetype at = 2; at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF;) {
        const int marker = uchar(jpeg[at + 1]);
        const int length = qFromBigEndian<quint16>(jpeg.constData() + at + 2);
        s.markers.append(marker);
        if (marker == 0xDB) {
            for (qsizetype t = at + 4; t < at + 2 + length;) {
                const bool wide = (uchar(jpeg[t]) >> 4) != 0;
                QList<int> table;
                for (int i = 0; i < 64; ++i)
                    table.append(wide ? qFromBigEndian<quint16>(jpeg.constData() + t + 1 + 2 * i)
                                      : uchar(jpeg[t + 1 + i]));
                s.tables.append(table);
                t += 1 + (wide ? 128 : 64);
            }
        }
        if (marker == 0xDA) break;
        at += 2 + length;
    }
    return s;
}

QByteArray Inflate(const QByteArray& deflated, qsizetype expected) {
    QByteArray out(expected + 1, '\0');
    uLongf size = uLongf(out.size());
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                   reinterpret_cast<const Bytef*>(deflated.constData()),
                   uLong(deflated.size())) != Z_OK)
        return QByteArray();
    out.resize(qsizetype(size));
    return out;
}

struct PngHeader {
    quint32 width, height;
    int depth, colourType, interlace;
    QByteArray data; // the IDAT chunks joined
    bool hasTrns = false;
};

PngHeader ParsePng(const QByteArray& png) {
    PngHeader h{};
    for (const auto& [type, body] : samples::PngChunks(png)) {
        if (type == "IHDR") {
            h.width = qFromBigEndian<quint32>(body.constData());
            h.height = qFromBigEndian<quint32>(body.constData() + 4);
            h.depth = uchar(body[8]);
            h.colourType = uchar(body[9]);
            h.interlace = uchar(body[12]);
        }
        if (type == "IDAT") h.data += body;
        if (type == "tRNS") h.hasTrns = true;
    }
    return h;
}

} // namespace

TEST(JpegWriter, BaselineAtQualityHundred) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.jpg");
    const QImage source = ScreenLike(96, 64);
    ASSERT_TRUE(WriteJpegFile(source, path));
    const QByteArray jpeg = ReadAll(path);
    ASSERT_TRUE(jpeg.startsWith("\xFF\xD8"));
    const JpegSegments s = ParseJpeg(jpeg);
    EXPECT_TRUE(s.markers.contains(0xC0)) << "no baseline frame header";
    for (int progressiveOrOther : {0xC1, 0xC2, 0xC3, 0xC9, 0xCA})
        EXPECT_FALSE(s.markers.contains(progressiveOrOther)) << std::hex << progressiveOrOther;
    ASSERT_EQ(s.tables.size(), 2); // luminance and chrominance: a full-colour picture
    for (const QList<int>& table : s.tables)
        EXPECT_EQ(table, QList<int>(64, 1));

    QImage decoded;
    ASSERT_TRUE(DecodeJpegData(jpeg, decoded));
    EXPECT_EQ(decoded.size(), source.size());
    for (QPoint at : {QPoint(10, 5), QPoint(80, 60), QPoint(70, 20)})
        EXPECT_TRUE(Close(decoded.pixel(at), source.pixel(at), 8)) << at.x() << "," << at.y();

    // Pictures that are not 32-bit are converted first.
    for (const QImage& other : {Indexed(40, 30, 200), source.convertToFormat(QImage::Format_BGR888),
                                source.convertToFormat(QImage::Format_Mono)}) {
        ASSERT_TRUE(WriteJpegFile(other, path));
        ASSERT_TRUE(DecodeJpegData(ReadAll(path), decoded));
        EXPECT_EQ(decoded.size(), other.size());
    }
}

TEST(PngWriter, RgbRowsUnfilteredAndUninterlaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.png");
    QImage source = ScreenLike(61, 37);
    source.setPixel(3, 3, qRgb(1, 2, 3));
    ASSERT_TRUE(WritePngFile(source, path));
    const QByteArray png = ReadAll(path);
    const PngHeader h = ParsePng(png);
    EXPECT_EQ(h.width, 61u);
    EXPECT_EQ(h.height, 37u);
    EXPECT_EQ(h.depth, 8);
    EXPECT_EQ(h.colourType, 2);
    EXPECT_EQ(h.interlace, 0);
    const qsizetype stride = 1 + 3 * 61;
    const QByteArray raw = Inflate(h.data, stride * 37);
    ASSERT_EQ(raw.size(), stride * 37);
    for (int y = 0; y < 37; ++y)
        EXPECT_EQ(raw[y * stride], 0) << "row " << y;
    EXPECT_EQ(raw.mid(3 * stride + 1 + 9, 3), QByteArray("\x01\x02\x03"));

    QImage decoded;
    ASSERT_TRUE(DecodePngData(png, decoded));
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_TRUE(SamePixels(decoded, source));

    // Transparency is dropped: the colour of an ARGB picture is kept as 8-bit RGB.
    QImage translucent(4, 4, QImage::Format_ARGB32);
    translucent.fill(qRgba(10, 200, 30, 40));
    ASSERT_TRUE(WritePngFile(translucent, path));
    const PngHeader t = ParsePng(ReadAll(path));
    EXPECT_EQ(t.colourType, 2);
    ASSERT_TRUE(DecodePngData(ReadAll(path), decoded));
    EXPECT_EQ(decoded.pixel(1, 1), qRgb(10, 200, 30));
}

TEST(PngWriter, PalettePicturesKeepTheirDepth) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pal.png");
    QImage mono(19, 7, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 0), qRgb(0, 0, 128)});
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 19; ++x)
            mono.setPixel(x, y, (x * y) % 3 == 0);
    QImage withAlpha = Indexed(9, 9, 5);
    withAlpha.setColor(2, qRgba(1, 2, 3, 0));
    const struct {
        QImage image;
        int depth;
    } cases[] = {{mono, 1},
                 {Indexed(33, 9, 16), 4},
                 {Indexed(33, 9, 17), 8},
                 {Indexed(40, 20, 256), 8},
                 {withAlpha, 4}};
    for (const auto& c : cases) {
        ASSERT_TRUE(WritePngFile(c.image, path));
        const QByteArray png = ReadAll(path);
        const PngHeader h = ParsePng(png);
        EXPECT_EQ(h.colourType, 3);
        EXPECT_EQ(h.depth, c.depth);
        EXPECT_EQ(h.interlace, 0);
        EXPECT_EQ(h.hasTrns, c.image.hasAlphaChannel());
        const qsizetype stride = 1 + (qsizetype(h.width) * c.depth + 7) / 8;
        const QByteArray raw = Inflate(h.data, stride * h.height);
        ASSERT_EQ(raw.size(), stride * qsizetype(h.height));
        for (quint32 y = 0; y < h.height; ++y)
            EXPECT_EQ(raw[y * stride], 0);
        QImage decoded;
        ASSERT_TRUE(DecodePngData(png, decoded));
        EXPECT_EQ(decoded.format(), c.depth == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
        EXPECT_TRUE(SamePixels(decoded, c.image)) << "depth " << c.depth;
    }
}

// A capture of part of the screen is a view into the wider rows of the whole screen: the
// columns beside it, a colour the picture lacks, must not reach the file, which is the one
// the picture's QImage gives.
TEST(PngJpegRows, ViewsIntoWiderRowsWriteTheFileOfTheirPicture) {
    // 700 x 400 is 840 KB of PNG image data, deflated in two pieces side by side.
    for (const QSize size : {QSize(61, 37), QSize(700, 400)}) {
        const QImage picture = ScreenLike(size.width(), size.height());
        QImage screen(size.width() + 9, size.height(), QImage::Format_RGB32);
        screen.fill(qRgb(255, 0, 255));
        const int left = 5 * 4;
        for (int y = 0; y < size.height(); ++y)
            std::memcpy(screen.scanLine(y) + left, picture.constScanLine(y),
                        size_t(size.width()) * 4);
        const Rgb32Rows rows{screen.bits() + left, size.width(), size.height(),
                             screen.bytesPerLine()};

        const QByteArray png =
            Encoded([&](QIODevice& d) { return EncodePng(picture, d, kPngDeflateLevel); });
        ASSERT_FALSE(png.isEmpty());
        EXPECT_EQ(Encoded([&](QIODevice& d) { return EncodePngRows(rows, d, kPngDeflateLevel); }),
                  png)
            << size.width();
        const QByteArray jpeg = Encoded([&](QIODevice& d) { return EncodeJpeg(picture, d); });
        ASSERT_FALSE(jpeg.isEmpty());
        EXPECT_EQ(Encoded([&](QIODevice& d) { return EncodeJpegRows(rows, d); }), jpeg)
            << size.width();
    }

    // No rows, or rows closer together than a row is long: false, and nothing written.
    uchar pixels[64] = {};
    for (const Rgb32Rows& rows :
         {Rgb32Rows{}, Rgb32Rows{nullptr, 2, 2, 8}, Rgb32Rows{pixels, 0, 4, 16},
          Rgb32Rows{pixels, 4, 0, 16}, Rgb32Rows{pixels, 4, 4, 12}}) {
        QByteArray png, jpeg;
        QBuffer pngBuffer(&png), jpegBuffer(&jpeg);
        pngBuffer.open(QIODevice::WriteOnly);
        jpegBuffer.open(QIODevice::WriteOnly);
        EXPECT_FALSE(EncodePngRows(rows, pngBuffer, kPngDeflateLevel)) << rows.width;
        EXPECT_FALSE(EncodeJpegRows(rows, jpegBuffer)) << rows.width;
        EXPECT_TRUE(png.isEmpty() && jpeg.isEmpty()) << rows.width;
    }
}

TEST(PngDecoder, EveryColourTypeDepthAndInterlace) {
    QImage out;
    auto gradient = [](int x, int y, int c) { return (x * 16 + y * 3 + c * 70) % 256; };
    // Interlaced and plain data of the same picture decode alike.
    const QByteArray plainRgb =
        samples::Png(13, 11, 8, 2, 0, samples::PngRaw8(13, 11, 3, false, gradient));
    const QByteArray adam7Rgb =
        samples::Png(13, 11, 8, 2, 1, samples::PngRaw8(13, 11, 3, true, gradient));
    QImage plain;
    ASSERT_TRUE(DecodePngData(plainRgb, plain));
    ASSERT_TRUE(DecodePngData(adam7Rgb, out));
    EXPECT_EQ(plain.format(), QImage::Format_RGB32);
    EXPECT_EQ(out, plain);
    EXPECT_EQ(plain.pixel(5, 4), qRgb(gradient(5, 4, 0), gradient(5, 4, 1), gradient(5, 4, 2)));

    ASSERT_TRUE(DecodePngData(
        samples::Png(5, 3, 8, 0, 0, samples::PngRaw8(5, 3, 1, false, gradient)), out));
    EXPECT_EQ(out.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(qGray(out.pixel(2, 1)), gradient(2, 1, 0));

    // 2-bit grey: the levels spread over 0..255.
    ASSERT_TRUE(DecodePngData(samples::Png(4, 1, 2, 0, 0, QByteArray("\x00\x1B", 2)), out));
    EXPECT_EQ(qGray(out.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(out.pixel(1, 0)), 85);
    EXPECT_EQ(qGray(out.pixel(3, 0)), 255);

    ASSERT_TRUE(DecodePngData(
        samples::Png(3, 2, 8, 4, 0, samples::PngRaw8(3, 2, 2, false, gradient)), out));
    EXPECT_EQ(out.format(), QImage::Format_ARGB32);
    EXPECT_EQ(out.pixel(1, 1),
              qRgba(gradient(1, 1, 0), gradient(1, 1, 0), gradient(1, 1, 0), gradient(1, 1, 1)));

    ASSERT_TRUE(
        DecodePngData(samples::Png(3, 2, 8, 6, 1, samples::PngRaw8(3, 2, 4, true, gradient)), out));
    EXPECT_EQ(out.format(), QImage::Format_ARGB32);
    EXPECT_EQ(out.pixel(2, 1),
              qRgba(gradient(2, 1, 0), gradient(2, 1, 1), gradient(2, 1, 2), gradient(2, 1, 3)));

    // 16-bit samples keep their high byte.
    ASSERT_TRUE(DecodePngData(
        samples::Png(1, 1, 16, 2, 0, QByteArray("\x00\x12\x34\x56\x78\x9A\xBC", 7)), out));
    EXPECT_EQ(out.pixel(0, 0), qRgb(0x12, 0x56, 0x9A));

    // A grey key colour becomes transparent; a palette's tRNS goes into the colour table.
    const QByteArray key = samples::PngChunk("tRNS", QByteArray("\x00\x07", 2));
    ASSERT_TRUE(
        DecodePngData(samples::Png(2, 1, 8, 0, 0, QByteArray("\x00\x07\x08", 3), key), out));
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(out.pixel(1, 0), qRgba(8, 8, 8, 255));
    const QByteArray palette =
        samples::PngChunk("PLTE", QByteArray("\x10\x20\x30\x40\x50\x60", 6)) +
        samples::PngChunk("tRNS", QByteArray("\x80", 1));
    ASSERT_TRUE(
        DecodePngData(samples::Png(4, 1, 2, 3, 0, QByteArray("\x00\x1B", 2), palette), out));
    EXPECT_EQ(out.format(), QImage::Format_Indexed8);
    EXPECT_EQ(out.pixel(0, 0), qRgba(0x10, 0x20, 0x30, 0x80));
    EXPECT_EQ(out.pixel(1, 0), qRgb(0x40, 0x50, 0x60));
    EXPECT_EQ(out.pixel(3, 0), qRgb(0, 0, 0)) << "an index beyond the palette";
}

TEST(BmpCodec, RoundTripsKeepTheDepth) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.bmp");
    const QImage colour = ScreenLike(23, 9);
    const struct {
        QImage image;
        int bits;
        QImage::Format decoded;
    } cases[] = {
        {colour.convertToFormat(QImage::Format_Mono), 1, QImage::Format_Mono},
        {Indexed(23, 9, 16), 4, QImage::Format_Indexed8},
        {Indexed(23, 9, 256), 8, QImage::Format_Indexed8},
        {Indexed(23, 9, 40), 8, QImage::Format_Indexed8},
        {colour.convertToFormat(QImage::Format_RGB555), 16, QImage::Format_RGB555},
        {colour.convertToFormat(QImage::Format_RGB16), 16, QImage::Format_RGB16},
        {colour.convertToFormat(QImage::Format_BGR888), 24, QImage::Format_BGR888},
        {colour.convertToFormat(QImage::Format_RGB888), 24, QImage::Format_BGR888},
        {colour, 32, QImage::Format_RGB32},
        {colour.convertToFormat(QImage::Format_Grayscale8), 8, QImage::Format_Indexed8},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteBmpFile(c.image, path)) << c.image.format();
        const QByteArray bmp = ReadAll(path);
        ASSERT_TRUE(bmp.startsWith("BM"));
        EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), c.bits) << c.image.format();
        EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 2), quint32(bmp.size()));
        QImage decoded;
        ASSERT_TRUE(DecodeBmpData(bmp, decoded)) << c.image.format();
        EXPECT_EQ(decoded.format(), c.decoded) << c.image.format();
        EXPECT_TRUE(SamePixels(decoded, c.image)) << c.image.format();
    }
}
