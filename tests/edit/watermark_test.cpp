#include "edit/watermark.h"

#include <gtest/gtest.h>

namespace {

QImage Filled(QSize size, QColor color, QImage::Format format = QImage::Format_RGB32) {
    QImage image(size, format);
    image.fill(color);
    return image;
}

} // namespace

TEST(Watermark, BlendArithmeticMatchesTheSinglePrecisionWeight) {
    const float a8 = WatermarkWeight(8);
    EXPECT_EQ(static_cast<double>(a8), static_cast<double>(0.8f));
    EXPECT_EQ(BlendByte(0, 255, a8), 204);
    EXPECT_EQ(BlendByte(255, 0, a8), 50); // not 51
    EXPECT_EQ(BlendByte(255, 255, a8), 255);
    EXPECT_EQ(BlendByte(100, 200, a8), 180);
    const float a1 = WatermarkWeight(1);
    EXPECT_EQ(BlendByte(255, 0, a1), 229);
    EXPECT_EQ(BlendByte(0, 255, a1), 25);
    const float a10 = WatermarkWeight(10);
    for (int v : {0, 1, 77, 128, 254, 255})
        EXPECT_EQ(BlendByte(13, v, a10), v);

    // The same numbers through a whole picture, 24- and 32-bit alike.
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        QImage picture = Filled({4, 4}, QColor(0, 255, 100), format);
        QImage mark = Filled({2, 2}, QColor(255, 0, 200), QImage::Format_RGB888);
        BlendWatermark(picture, mark, {1, 1}, a8);
        EXPECT_EQ(picture.pixelColor(1, 1), QColor(204, 50, 180));
        EXPECT_EQ(picture.pixelColor(2, 2), QColor(204, 50, 180));
        EXPECT_EQ(picture.pixelColor(0, 0), QColor(0, 255, 100));
        EXPECT_EQ(picture.pixelColor(3, 3), QColor(0, 255, 100));
        EXPECT_EQ(picture.format(), format);
    }
}

TEST(Watermark, ReversedOriginAndMarksReachingOutsideThePicture) {
    EXPECT_EQ(WatermarkOrigin({100, 50}, {30, 10}, 0, 0, true), QPoint(70, 40));
    EXPECT_EQ(WatermarkOrigin({100, 50}, {30, 10}, 5, 7, true), QPoint(65, 33));
    EXPECT_EQ(WatermarkOrigin({100, 50}, {30, 10}, 5, 7, false), QPoint(5, 7));

    // Offsets 0 reversed: the mark's bottom-right corner sits on the picture's.
    WatermarkSettings s;
    s.type = 1;
    s.transparent = 10;
    QImage picture = Filled({20, 10}, Qt::black);
    const QImage mark = Filled({4, 3}, Qt::white, QImage::Format_RGB888);
    DrawWatermark(picture, s, true, mark);
    EXPECT_EQ(picture.pixelColor(19, 9), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(16, 7), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(15, 9), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(19, 6), QColor(Qt::black));

    // The blend ends at the first row outside the picture: a mark whose top lies above the
    // picture blends nothing, whatever part of it would cover the picture.
    QImage small = Filled({5, 5}, Qt::black);
    BlendWatermark(small, Filled({50, 50}, Qt::white, QImage::Format_RGB888), {-20, -30},
                   WatermarkWeight(10));
    EXPECT_EQ(small, Filled({5, 5}, Qt::black));
    QImage edge = Filled({10, 10}, Qt::black);
    BlendWatermark(edge, Filled({6, 6}, Qt::white, QImage::Format_RGB888), {7, -2},
                   WatermarkWeight(10));
    EXPECT_EQ(edge, Filled({10, 10}, Qt::black));
    // A mark reaching below the picture is blended down to its last row; columns outside
    // it (left or right) are skipped while the row's others are blended.
    QImage low = Filled({10, 10}, Qt::black);
    BlendWatermark(low, Filled({6, 6}, Qt::white, QImage::Format_RGB888), {7, 6},
                   WatermarkWeight(10));
    EXPECT_EQ(low.pixelColor(9, 9), QColor(Qt::white));
    EXPECT_EQ(low.pixelColor(7, 6), QColor(Qt::white));
    EXPECT_EQ(low.pixelColor(6, 9), QColor(Qt::black));
    EXPECT_EQ(low.pixelColor(9, 5), QColor(Qt::black));
    QImage left = Filled({10, 10}, Qt::black);
    BlendWatermark(left, Filled({6, 2}, Qt::white, QImage::Format_RGB888), {-3, 0},
                   WatermarkWeight(10));
    EXPECT_EQ(left.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(left.pixelColor(2, 1), QColor(Qt::white));
    EXPECT_EQ(left.pixelColor(3, 1), QColor(Qt::black));
    // Where the user meets it: reversed coordinates on a capture lower than the label, and
    // a vertical offset larger than the picture.
    WatermarkSettings label;
    label.type = 0;
    label.text = "QEL";
    label.transparent = 10;
    const QSize labelSize = MakeTextWatermark(label.text).size();
    QImage flat = Filled({200, labelSize.height() - 1}, Qt::black);
    const QImage flatBefore = flat;
    DrawWatermark(flat, label, true, QImage());
    EXPECT_EQ(flat, flatBefore);
    label.markY = 60;
    QImage shot = Filled({200, 50}, Qt::black);
    const QImage shotBefore = shot;
    DrawWatermark(shot, label, true, QImage());
    EXPECT_EQ(shot, shotBefore);
    // The same offset counted from the top instead reaches below: partly blended.
    label.markY = 50 - labelSize.height() / 2;
    DrawWatermark(shot, label, false, QImage());
    EXPECT_EQ(shot.pixelColor(0, 49), QColor(Qt::white));
    // Completely outside: nothing at all.
    QImage untouched = Filled({10, 10}, Qt::black);
    BlendWatermark(untouched, Filled({3, 3}, Qt::white, QImage::Format_RGB888), {10, 0},
                   WatermarkWeight(10));
    EXPECT_EQ(untouched, Filled({10, 10}, Qt::black));
}

TEST(Watermark, TextLabelAndTypeNone) {
    const QImage empty = MakeTextWatermark(QString());
    EXPECT_EQ(empty.width(), 20); // empty text still gives a white block 20 wide
    const QImage label = MakeTextWatermark("QEL");
    EXPECT_GT(label.width(), 20);
    EXPECT_EQ(label.pixelColor(0, 0), QColor(Qt::white));
    bool dark = false;
    for (int y = 5; y < label.height(); ++y)
        for (int x = 10; x < label.width() - 10; ++x)
            if (label.pixelColor(x, y).lightness() < 100) dark = true;
    EXPECT_TRUE(dark);
    // Nothing but white outside the text's place: 10 left, 5 above.
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(label.pixelColor(label.width() / 2, y), QColor(Qt::white));
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(label.pixelColor(x, label.height() / 2), QColor(Qt::white));

    WatermarkSettings none; // type 2 by default
    QImage picture = Filled({30, 30}, Qt::blue);
    DrawWatermark(picture, none, false, Filled({5, 5}, Qt::white));
    EXPECT_EQ(picture, Filled({30, 30}, Qt::blue));
    // A text watermark lightens its whole label rectangle toward white.
    WatermarkSettings text;
    text.type = 0;
    text.text = "A";
    text.transparent = 5;
    DrawWatermark(picture, text, false, QImage());
    EXPECT_GT(picture.pixelColor(1, 1).red(), 100);
    EXPECT_EQ(picture.pixelColor(29, 29), QColor(Qt::blue));
}
