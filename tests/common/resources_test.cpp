#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

#include "common/resources.h"

namespace {

const char* const kBitmaps[] = {"BtnMouseAreatPIC",
                                "BtnFullScreenCut",
                                "BtnOtherFun",
                                "BtnExit",
                                "BtnHelp",
                                "BtnOnlineUpdate",
                                "cCoutinueCut",
                                "ncCoutinueCut",
                                "opendir",
                                "selectpath",
                                "BtnSPSaveImg",
                                "BtnAddText",
                                "BtnFontSet",
                                "BtnAddLine",
                                "BtnAddSingleArrow",
                                "BtnAddDoubleArrow",
                                "BtnAddCircle",
                                "BtnAddRoundRec",
                                "BtnAddRECT",
                                "BtnSetPicParam",
                                "BtnCancelAddText",
                                "BtnAddTextOk",
                                "BtnReurnPic",
                                "BtnBackupFore",
                                "BtnSavePic",
                                "BtnZoomIn",
                                "BtnZoomout",
                                "BtnZoom",
                                "BtnFileScreen",
                                "BtnWatermarkSet",
                                "btndefault",
                                "btnsave",
                                "BtnClose",
                                "confirm",
                                "cancel",
                                "BtnSpSelectPicAdd",
                                "BtnSpExistMainWin",
                                "BtnSpMouseCutScreen",
                                "BtnSPFullScreenC",
                                "PnlTop",
                                "PnlBottom",
                                "PnlLeft",
                                "PnlRight"};

// Glyphs shown with their key colour made transparent.
const char* const kGlyphs[] = {
    "opendir",       "selectpath",        "BtnSPSaveImg",      "BtnAddText",   "BtnFontSet",
    "BtnAddLine",    "BtnAddSingleArrow", "BtnAddDoubleArrow", "BtnAddCircle", "BtnAddRoundRec",
    "BtnAddRECT",    "BtnSetPicParam",    "BtnCancelAddText",  "BtnAddTextOk", "BtnReurnPic",
    "BtnBackupFore", "BtnSavePic",        "BtnZoomIn",         "BtnZoomout",   "BtnZoom",
    "BtnFileScreen", "BtnWatermarkSet"};

QImage Filled() {
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    return image;
}

} // namespace

TEST(Resources, BitmapLookupIgnoresCase) {
    QImage upper, lower;
    LoadResBitmap(upper, "OPENDIR");
    LoadResBitmap(lower, "opendir", "BMP");
    ASSERT_FALSE(upper.isNull());
    EXPECT_EQ(upper.size(), QSize(20, 20));
    EXPECT_EQ(upper, lower);

    QImage target = Filled();
    LoadResBitmap(target, "NoSuchPicture");
    EXPECT_EQ(target, Filled());
    LoadResBitmap(target, "opendir", "jpg");
    EXPECT_EQ(target, Filled());
    LoadResBitmap(target, "opendir", "nosuchtype");
    EXPECT_EQ(target, Filled());
    // A JPEG resource is not a bitmap.
    LoadResBitmap(target, "ImgText", "jpg");
    EXPECT_EQ(target, Filled());
}

TEST(Resources, EveryPictureIsThere) {
    for (const char* name : kBitmaps) {
        QImage image;
        LoadResBitmap(image, name);
        EXPECT_FALSE(image.isNull()) << name;
    }
    for (const char* name : kGlyphs) {
        QImage image;
        LoadResBitmap(image, name);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.pixel(0, image.height() - 1) & 0xFFFFFF, 0xFF00FFu) << name;
        const QImage keyed = KeyedGlyph(image);
        int opaque = 0;
        for (int y = 0; y < keyed.height(); ++y)
            for (int x = 0; x < keyed.width(); ++x)
                opaque += qAlpha(keyed.pixel(x, y)) == 255;
        EXPECT_GT(opaque, 8) << name << " draws nothing";
        EXPECT_LT(opaque, keyed.width() * keyed.height()) << name;
    }
}

TEST(Resources, GlyphIconKeyColour) {
    QImage glyph(4, 3, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 255));
    glyph.setPixel(1, 1, qRgb(10, 20, 30));
    glyph.setPixel(2, 0, qRgb(255, 0, 254));
    const QImage icon =
        GlyphIcon(glyph).pixmap(glyph.size()).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), glyph.size());
    EXPECT_EQ(qAlpha(icon.pixel(0, 2)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(3, 0)), 0);
    EXPECT_EQ(icon.pixel(1, 1), qRgba(10, 20, 30, 255));
    EXPECT_EQ(icon.pixel(2, 0), qRgba(255, 0, 254, 255));

    // Another bottom-left colour: an opaque picture, nothing becomes transparent.
    QImage picture = glyph;
    picture.setPixel(0, 2, qRgb(245, 250, 254));
    const QImage opaque =
        GlyphIcon(picture).pixmap(picture.size()).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(opaque.pixel(3, 0), qRgba(255, 0, 255, 255));
    EXPECT_EQ(opaque.pixel(0, 2), qRgba(245, 250, 254, 255));

    EXPECT_TRUE(GlyphIcon(QImage()).isNull());
}
