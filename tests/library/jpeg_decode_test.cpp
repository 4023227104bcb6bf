#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "library/jpeg_decode.h"

namespace {

QByteArray EncodeWithQt(const QImage& image, bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPG");
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

QImage Quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, width / 2, height / 2, QColor(200, 30, 30));
    p.fillRect(width / 2, 0, width - width / 2, height / 2, QColor(30, 160, 40));
    p.fillRect(0, height / 2, width / 2, height - height / 2, QColor(40, 60, 210));
    p.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::white);
    return image;
}

// Busy content, so most of the file is entropy-coded data.
QImage Noise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.setPixel(x, y, seed >> 8);
        }
    return image;
}

bool Close(QRgb a, QRgb b, int tolerance = 12) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Offset of the first SOF0 marker's segment, -1 when there is none.
qsizetype FindSof0(const QByteArray& jpeg) {
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i)
        if (uchar(jpeg[i]) == 0xFF && uchar(jpeg[i + 1]) == 0xC0) return i;
    return -1;
}

// A 16x16 CMYK or YCCK JPEG with an Adobe marker, every pixel the same inverted CMYK value
// (the way Adobe applications store it).
QByteArray EncodeCmyk(J_COLOR_SPACE stored, const uchar (&invertedCmyk)[4]) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 16;
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, stored);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    JSAMPLE row[16 * 4];
    for (int x = 0; x < 16; ++x)
        for (int c = 0; c < 4; ++c)
            row[x * 4 + c] = invertedCmyk[c];
    JSAMPROW rows[1] = {row};
    while (cinfo.next_scanline < cinfo.image_height)
        jpeg_write_scanlines(&cinfo, rows, 1);
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

} // namespace

TEST(JpegDecode, ColourRoundTrip) {
    const QImage source = Quadrants(37, 23);
    QImage decoded;
    ASSERT_TRUE(DecodeJpeg(EncodeWithQt(source), decoded));
    EXPECT_EQ(decoded.size(), source.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    for (QPoint at : {QPoint(4, 4), QPoint(32, 4), QPoint(4, 19), QPoint(32, 19)})
        EXPECT_TRUE(Close(decoded.pixel(at), source.pixel(at)))
            << at.x() << "," << at.y() << " " << std::hex << decoded.pixel(at);
}

TEST(JpegDecode, GrayscaleAndCmyk) {
    QImage gray(20, 10, QImage::Format_Grayscale8);
    gray.fill(QColor(90, 90, 90));
    QPainter(&gray).fillRect(10, 0, 10, 10, QColor(220, 220, 220));
    const QByteArray grayJpeg = EncodeWithQt(gray);
    const qsizetype sof = FindSof0(grayJpeg);
    ASSERT_GE(sof, 0);
    ASSERT_EQ(grayJpeg[sof + 9], 1) << "the encoder did not write a one-component JPEG";
    QImage decoded;
    ASSERT_TRUE(DecodeJpeg(grayJpeg, decoded));
    EXPECT_EQ(decoded.size(), QSize(20, 10));
    EXPECT_TRUE(Close(decoded.pixel(3, 5), qRgb(90, 90, 90), 6));
    EXPECT_TRUE(Close(decoded.pixel(16, 5), qRgb(220, 220, 220), 6));

    // Red is C=0 M=255 Y=255 K=0, stored inverted.
    const uchar red[4] = {255, 0, 0, 255};
    for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
        QImage cmyk;
        ASSERT_TRUE(DecodeJpeg(EncodeCmyk(stored, red), cmyk)) << stored;
        EXPECT_EQ(cmyk.size(), QSize(16, 16));
        EXPECT_TRUE(Close(cmyk.pixel(8, 8), qRgb(255, 0, 0)))
            << stored << " " << std::hex << cmyk.pixel(8, 8);
    }
}

TEST(JpegDecode, BrokenDataLeavesTargetUntouched) {
    QImage target(3, 3, QImage::Format_RGB32);
    target.fill(Qt::green);
    const QImage before = target;
    const QByteArray good = EncodeWithQt(Noise(64, 64));
    ASSERT_GT(good.size(), 4000);

    EXPECT_FALSE(DecodeJpeg(good.left(good.size() * 3 / 4), target));
    EXPECT_FALSE(DecodeJpeg(good.left(good.size() - 40), target));
    const QByteArray progressive = EncodeWithQt(Noise(64, 64), true);
    EXPECT_FALSE(DecodeJpeg(progressive.left(progressive.size() - 40), target));
    EXPECT_FALSE(DecodeJpeg(good.left(40), target));
    EXPECT_FALSE(DecodeJpeg(QByteArray(), target));
    EXPECT_FALSE(DecodeJpeg(QByteArray("this is not a picture at all, just text"), target));
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    EXPECT_FALSE(DecodeJpeg(noise, target));
    EXPECT_FALSE(DecodeJpeg(QByteArray("\xFF\xD8\xFF\xD9", 4), target));

    // The header claims 60000x60000 pixels.
    QByteArray huge = good;
    const qsizetype sof = FindSof0(huge);
    ASSERT_GE(sof, 0);
    for (qsizetype at : {sof + 5, sof + 7}) {
        huge[at] = char(60000 >> 8);
        huge[at + 1] = char(60000 & 0xFF);
    }
    EXPECT_FALSE(DecodeJpeg(huge, target));

    EXPECT_EQ(target, before);

    // Complete picture data without the end marker, or with bytes after it, is accepted.
    QImage ok;
    EXPECT_TRUE(DecodeJpeg(good.left(good.size() - 2), ok));
    EXPECT_EQ(ok.size(), QSize(64, 64));
    EXPECT_TRUE(DecodeJpeg(progressive + QByteArray(50, 'x'), ok));
}
