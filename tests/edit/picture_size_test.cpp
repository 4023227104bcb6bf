#include "edit/picture_size.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(PictureSize, FieldsAreReadByTheirLeadingDigits) {
    EXPECT_EQ(ReadSizeField("800     "), 800);
    EXPECT_EQ(ReadSizeField("12 4    "), 12);
    EXPECT_EQ(ReadSizeField("   42   "), 42);
    EXPECT_EQ(ReadSizeField("        "), 0);
    EXPECT_EQ(ReadSizeField("99999999"), 99999999);
    EXPECT_EQ(ReadSizeField("123456789012"), 123456789); // never overflows
}

TEST(PictureSize, ResizeExtendsWithWhiteThroughAPrivateFile) {
    const QStringList before = QDir::temp().entryList({"qelshot-resize-*"}, QDir::Files);
    QImage picture(4, 3, QImage::Format_Indexed8);
    picture.setColorTable({qRgb(10, 20, 30), qRgb(0, 0, 255)});
    picture.fill(0);
    picture.setPixel(3, 2, 1);
    ASSERT_TRUE(ResizeThroughBmpFile(picture, 6, 5));
    EXPECT_EQ(picture.size(), QSize(6, 5));
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(10, 20, 30));
    EXPECT_EQ(picture.pixelColor(3, 2), QColor(0, 0, 255)); // not scaled
    EXPECT_EQ(picture.pixelColor(4, 0), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(5, 4), QColor(Qt::white));
    ASSERT_TRUE(ResizeThroughBmpFile(picture, 2, 2));
    EXPECT_EQ(picture.pixelColor(1, 1), QColor(10, 20, 30));
    EXPECT_EQ(QDir::temp().entryList({"qelshot-resize-*"}, QDir::Files), before);

    EXPECT_FALSE(ResizeThroughBmpFile(picture, 0, 3));
    EXPECT_FALSE(ResizeThroughBmpFile(picture, 99999999, 99999999));
    EXPECT_EQ(picture.size(), QSize(2, 2));
}
