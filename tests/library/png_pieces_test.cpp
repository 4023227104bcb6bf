// The PNG writer's image data deflated in pieces on several threads: one valid zlib stream
// whatever the pieces, pictures that every reader gets back pixel for pixel, and a file
// within 1 % of the size of a single stream.
#include "library/codec_support.h"
#include "library/parallel_deflate.h"
#include "library/picture_codecs.h"
#include "library/picture_samples.h"

#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstring>
#include <zlib.h>

namespace {

QByteArray Bytes(const std::vector<unsigned char>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

// Inflates a whole zlib stream, its checksum included; null when it is not one.
QByteArray Inflate(const QByteArray& zlibStream, qsizetype expected) {
    QByteArray out(expected + 1, '\0');
    uLongf size = uLongf(out.size());
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                   reinterpret_cast<const Bytef*>(zlibStream.constData()),
                   uLong(zlibStream.size())) != Z_OK)
        return QByteArray();
    out.resize(qsizetype(size));
    return out;
}

// One stream of the same bytes as zlib makes it in one call.
QByteArray Compressed(const QByteArray& raw, int level) {
    QByteArray out(qsizetype(compressBound(uLong(raw.size()))), '\0');
    uLongf size = uLongf(out.size());
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(raw.constData()), uLong(raw.size()), level);
    out.resize(qsizetype(size));
    return out;
}

QByteArray Deflated(const QByteArray& raw, int level, qint64 pieceBytes, int workers) {
    std::vector<unsigned char> out;
    const bool ok = DeflateInPieces(
        [&raw](qint64 offset, qint64 length, unsigned char* to) {
            std::memcpy(to, raw.constData() + offset, size_t(length));
        },
        raw.size(), level, pieceBytes, workers, out);
    return ok ? Bytes(out) : QByteArray();
}

// Noise, runs and a repeated phrase: pieces see literals, long matches and matches that
// reach back into the piece before.
QByteArray MixedBytes(qsizetype size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray data;
    while (data.size() < size) {
        switch (random.bounded(3)) {
        case 0:
            for (int i = random.bounded(1, 200); i > 0; --i)
                data += char(random.bounded(256));
            break;
        case 1:
            data += QByteArray(random.bounded(1, 3000), char(random.bounded(256)));
            break;
        default:
            data += QByteArray("the same words come back again and again; ");
        }
    }
    data.truncate(size);
    return data;
}

QByteArray Png(const QImage& image, qint64 pieceBytes, int workers, int level = 6) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    return EncodePngInPieces(image, buffer, level, pieceBytes, workers) ? out : QByteArray();
}

QByteArray IdatData(const QByteArray& png) {
    QByteArray data;
    for (const auto& [type, body] : samples::PngChunks(png))
        if (type == "IDAT") data += body;
    return data;
}

// Bytes of one row of the file's image data, its filter byte included.
qint64 LineBytes(const QByteArray& png) {
    for (const auto& [type, body] : samples::PngChunks(png)) {
        if (type != "IHDR") continue;
        const qint64 width = qFromBigEndian<quint32>(body.constData());
        const int depth = uchar(body[8]);
        const int samples = uchar(body[9]) == 2 ? 3 : 1;
        return 1 + (width * depth * samples + 7) / 8;
    }
    return 0;
}

QList<QByteArray> ChunkTypes(const QByteArray& png) {
    QList<QByteArray> types;
    for (const auto& [type, body] : samples::PngChunks(png))
        if (types.isEmpty() || types.last() != type) types.append(type);
    return types;
}

// The rows as the file must hold them: filter byte 0, then R, G, B of every pixel.
QByteArray RgbRows(const QImage& image) {
    QByteArray rows;
    for (int y = 0; y < image.height(); ++y) {
        rows += '\0';
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            rows += char(qRed(p));
            rows += char(qGreen(p));
            rows += char(qBlue(p));
        }
    }
    return rows;
}

QImage Noise(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    return image;
}

// A desktop: a gradient wallpaper, a photo-like area of smooth waves with grain, and a page
// of text.
QImage Desktop(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(16)) - 8;
            const bool photo = x >= width / 2 && y < height / 2;
            image.setPixel(
                x, y,
                photo ? qRgb(std::clamp(128 + (x * 7 + y * 3) % 90 + grain, 0, 255),
                             std::clamp(100 + (x * y / 64) % 120 + grain, 0, 255),
                             std::clamp(60 + (y * 5) % 150 + grain, 0, 255))
                      : qRgb(58 - y * 30 / height, 110 - y * 47 / height, 165 - y * 63 / height));
        }
    QPainter p(&image);
    p.fillRect(0, height / 2, width / 2, height / 2, Qt::white);
    p.setPen(Qt::black);
    p.setFont(QFont("DejaVu Sans", 9));
    for (int line = 0; height / 2 + 14 * (line + 1) < height; ++line)
        p.drawText(8, height / 2 + 14 * (line + 1),
                   QString("%1 The quick brown fox jumps over the lazy dog, %2 times; 0123456789")
                       .arg(line)
                       .arg(line * 37 % 101));
    return image;
}

bool SamePixels(const QImage& a, const QImage& b) {
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// Takes `limit` bytes, then refuses every write.
class FillingDevice : public QIODevice {
  public:
    explicit FillingDevice(qint64 limit) : limit_(limit) { open(WriteOnly); }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override {
        if (written_ + length > limit_) return -1;
        written_ += length;
        return length;
    }

  private:
    qint64 limit_;
    qint64 written_ = 0;
};

} // namespace

TEST(ParallelDeflate, PiecesMakeOneZlibStreamOfTheWholeInput) {
    const QByteArray mixed = MixedBytes(200'000, 11);
    for (const QByteArray& input :
         {QByteArray(), QByteArray("x"), mixed.left(100), mixed.left(70'000), mixed}) {
        for (qint64 piece : {qint64(1), qint64(7), qint64(32'767), qint64(32'768), qint64(50'001),
                             qint64(1) << 40}) {
            // One byte a piece makes far too many pieces for the larger inputs.
            if (piece < 100 && input.size() > 100) continue;
            for (int workers : {1, 2, 3}) {
                const QByteArray stream = Deflated(input, 6, piece, workers);
                const std::string what = "input " + std::to_string(input.size()) + ", pieces of " +
                                         std::to_string(piece) + ", " + std::to_string(workers) +
                                         " threads";
                ASSERT_FALSE(stream.isEmpty()) << what;
                EXPECT_EQ(Inflate(stream, input.size()), input) << what;
                // zlib's own header for the level: readers that look at it see nothing new.
                EXPECT_EQ(stream.left(2), Compressed(input, 6).left(2)) << what;
            }
        }
    }
    // Every level, the stored blocks of level 0 included.
    for (int level = 0; level <= 9; ++level) {
        const QByteArray stream = Deflated(mixed, level, 40'000, 2);
        EXPECT_EQ(Inflate(stream, mixed.size()), mixed) << "level " << level;
        EXPECT_EQ(stream.left(2), Compressed(mixed, level).left(2)) << "level " << level;
    }
    // Each piece refers back into the one before: a block said twenty times costs little
    // more than one block, however the pieces cut it (primed with nothing, every piece would
    // hold the block anew: three to ten times the size).
    const QByteArray noise = MixedBytes(20'000, 3).repeated(20);
    const qsizetype once = Compressed(noise, 6).size();
    for (qint64 piece : {qint64(9'999), qint64(40'000), qint64(65'536)}) {
        const QByteArray stream = Deflated(noise, 6, piece, 2);
        EXPECT_EQ(Inflate(stream, noise.size()), noise);
        EXPECT_LT(stream.size(), once * 3 / 2) << "pieces of " << piece;
    }
    // A piece as large as everything is exactly what zlib makes in one call.
    EXPECT_EQ(Deflated(mixed, 6, mixed.size(), 2), Compressed(mixed, 6));
}

TEST(PngWriter, PiecesInsideAndAcrossRowsReadBackByEveryReader) {
    QImage screen(97, 41, QImage::Format_RGB32);
    screen.fill(QColor(240, 240, 240));
    {
        QPainter p(&screen);
        p.fillRect(0, 0, 97, 9, QColor(30, 90, 180));
        for (int y = 12; y < 38; y += 5)
            for (int x = 3; x < 90; x += 4)
                if ((x * 7 + y * 3) % 11 < 6) p.fillRect(x, y, 2, 3, Qt::black);
    }
    QImage indexed(53, 19, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 200; ++i)
        table.append(qRgb(i, 255 - i, i * 3 % 256));
    indexed.setColorTable(table);
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            indexed.scanLine(y)[x] = uchar((x * 5 + y * 11) % 200);
    QImage sixteen = indexed.convertToFormat(QImage::Format_Indexed8, table.mid(0, 16));
    const QImage mono = screen.convertToFormat(QImage::Format_Mono);

    for (const QImage& image : {Noise(37, 23, 5), screen, indexed, sixteen, mono}) {
        const QByteArray whole = Png(image, qint64(1) << 40, 1);
        const qint64 row = LineBytes(whole);
        ASSERT_GT(row, 1);
        // A piece of a few bytes starts and ends inside rows; a row and a bit, or three
        // rows and a bit, lets pieces hold whole rows and end across the next one.
        for (qint64 piece : {qint64(1), qint64(5), row, row + 1, 3 * row + 7}) {
            for (int workers : {1, 3}) {
                const QByteArray png = Png(image, piece, workers);
                const std::string what = "format " + std::to_string(image.format()) +
                                         ", pieces of " + std::to_string(piece) + ", " +
                                         std::to_string(workers) + " threads";
                ASSERT_FALSE(png.isEmpty()) << what;
                // libpng's reader and Qt's own get the picture back.
                QImage decoded;
                ASSERT_TRUE(DecodePngData(png, decoded)) << what;
                EXPECT_TRUE(SamePixels(decoded, image.convertToFormat(decoded.format()))) << what;
                const QImage qt = QImage::fromData(png, "PNG");
                EXPECT_TRUE(SamePixels(qt, decoded)) << what;
                // The header, the palette and the end are those of the one-stream file.
                EXPECT_EQ(ChunkTypes(png), ChunkTypes(whole)) << what;
                EXPECT_EQ(png.left(png.indexOf("IDAT") - 4), whole.left(whole.indexOf("IDAT") - 4))
                    << what;
            }
        }
    }

    // The rows in the file are the picture's, filter None, whatever the pieces.
    const QImage noise = Noise(37, 23, 9);
    const QByteArray rows = RgbRows(noise);
    for (qint64 piece : {qint64(3), qint64(112), qint64(1000)})
        EXPECT_EQ(Inflate(IdatData(Png(noise, piece, 2)), rows.size()), rows) << piece;
}

TEST(PngWriter, OneRowOnePixelAndOneColumnPictures) {
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.setPixel(0, 0, qRgb(200, 100, 50));
    QImage monoPixel(1, 1, QImage::Format_Mono);
    monoPixel.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 0)});
    monoPixel.setPixel(0, 0, 1);
    for (const QImage& image :
         {pixel, monoPixel, Noise(700, 1, 3), Noise(1, 500, 4), Noise(2, 2, 8)}) {
        for (qint64 piece : {qint64(1), qint64(2), qint64(4), qint64(4096), qint64(0)}) {
            for (int workers : {1, 2}) {
                const QByteArray png = Png(image, piece, workers);
                QImage decoded;
                ASSERT_TRUE(DecodePngData(png, decoded))
                    << image.width() << "x" << image.height() << ", pieces of " << piece;
                EXPECT_TRUE(SamePixels(decoded, image.convertToFormat(decoded.format())))
                    << image.width() << "x" << image.height() << ", pieces of " << piece;
                EXPECT_TRUE(SamePixels(QImage::fromData(png, "PNG"), decoded));
            }
        }
    }
}

TEST(PngWriter, PiecesCostLessThanOnePercentOverOneStream) {
    // Large enough for the writer to use every core on its own.
    const QImage desktop = Desktop(1280, 800);
    const QByteArray rows = RgbRows(desktop);
    const qsizetype oneStream = Compressed(rows, kPngDeflateLevel).size();
    QByteArray written;
    {
        QBuffer buffer(&written);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(EncodePng(desktop, buffer, kPngDeflateLevel));
    }
    QImage decoded;
    ASSERT_TRUE(DecodePngData(written, decoded));
    EXPECT_TRUE(SamePixels(decoded, desktop));
    for (const QByteArray& png :
         {written, Png(desktop, 512 * 1024, 2), Png(desktop, 128 * 1024, 2)}) {
        const QByteArray data = IdatData(png);
        ASSERT_EQ(Inflate(data, rows.size()), rows);
        EXPECT_LE(std::abs(double(data.size()) - double(oneStream)), 0.01 * double(oneStream))
            << "pieces " << data.size() << " bytes, one stream " << oneStream << " bytes";
    }
}

TEST(PngWriter, AFailedWriteAnywhereIsReported) {
    const QImage desktop = Desktop(640, 480);
    QByteArray complete;
    {
        QBuffer buffer(&complete);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(EncodePng(desktop, buffer, kPngDeflateLevel));
    }
    // In the signature, the header, the image data, the end chunk.
    for (qint64 limit :
         {qint64(0), qint64(20), qint64(complete.size() / 2), qint64(complete.size() - 1)}) {
        FillingDevice device(limit);
        EXPECT_FALSE(EncodePng(desktop, device, kPngDeflateLevel)) << limit;
    }
    FillingDevice roomy(complete.size());
    EXPECT_TRUE(EncodePng(desktop, roomy, kPngDeflateLevel));
    FillingDevice any(qint64(1) << 40);
    EXPECT_FALSE(EncodePng(QImage(), any, kPngDeflateLevel));
}
