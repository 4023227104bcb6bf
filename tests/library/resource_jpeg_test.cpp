// The compiled-in JPEG pictures through the program's JPEG decoder.
#include "library/resource_jpeg.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QImage Filled() {
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    return image;
}

} // namespace

TEST(ResourceJpeg, LookupIgnoresCase) {
    QImage toolbar;
    LoadResJpeg(toolbar, "imgfuntoolbar");
    EXPECT_EQ(toolbar.size(), QSize(1600, 48));
    QImage pathBar, vendor;
    LoadResJpeg(pathBar, "ImgText", "JPG");
    LoadResJpeg(vendor, "QELSOFT");
    EXPECT_EQ(pathBar.size(), QSize(1600, 26));
    EXPECT_EQ(vendor.size(), QSize(122, 160));

    QImage target = Filled();
    LoadResJpeg(target, "NoSuchPicture");
    EXPECT_EQ(target, Filled());
    LoadResJpeg(target, "opendir", "bmp");
    EXPECT_EQ(target, Filled());
}
