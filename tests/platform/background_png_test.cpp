#include "platform/background_png.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QImage Noise(int width, int height, QImage::Format format) {
    QImage image(width, height, QImage::Format_ARGB32);
    QRandomGenerator random(width * 31 + height);
    for (int y = 0; y < height; ++y)
        random.fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), width);
    return image.convertToFormat(format);
}

QImage Decoded(const QByteArray& png) {
    return QImage::fromData(png, "PNG");
}

} // namespace

TEST(BackgroundPng, EncodesPicturesOfEveryFormatWithoutLoss) {
    QImage indexed(13, 7, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(1, 2, 3)});
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            indexed.setPixel(x, y, uint((x + y) % 3));
    const QImage pictures[] = {
        Noise(37, 23, QImage::Format_RGB32), // odd width, the format of captures
        Noise(1, 1, QImage::Format_RGB32),
        Noise(29, 17, QImage::Format_ARGB32), // every alpha value
        Noise(16, 9, QImage::Format_ARGB32_Premultiplied),
        Noise(21, 5, QImage::Format_RGB16),
        Noise(33, 3, QImage::Format_Mono),
        indexed,
    };
    for (const QImage& picture : pictures) {
        BackgroundPng png(picture);
        const QImage got = Decoded(png.result());
        ASSERT_FALSE(got.isNull()) << picture.format();
        EXPECT_EQ(got.hasAlphaChannel(), picture.hasAlphaChannel()) << picture.format();
        const QImage::Format plain =
            picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        EXPECT_EQ(got.convertToFormat(plain), picture.convertToFormat(plain)) << picture.format();
    }
    EXPECT_TRUE(BackgroundPng(QImage()).result().isEmpty());
}

TEST(BackgroundPng, PictureChangedByTheCallerMeanwhileIsEncodedAsItWas) {
    QImage picture = Noise(640, 480, QImage::Format_RGB32);
    const QImage before = picture.copy();
    BackgroundPng png(picture);
    picture.fill(Qt::red);
    EXPECT_EQ(Decoded(png.result()).convertToFormat(QImage::Format_RGB32), before);
}
