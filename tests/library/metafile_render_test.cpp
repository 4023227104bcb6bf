// Icons and metafiles rendered into bitmaps: the right size, the shapes filled and in place.
#include "library/picture_codecs.h"
#include "library/picture_samples.h"

#include <gtest/gtest.h>

using namespace samples;

namespace {

constexpr quint32 kRedColorRef = 0x000000FF; // 0x00BBGGRR
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

// The ellipse over (48,24)-(144,72) in a 192x96 picture: filled inside, white around it.
void ExpectCentredEllipse(const QImage& image) {
    ASSERT_EQ(image.size(), QSize(192, 96));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    for (QPoint inside : {QPoint(96, 48), QPoint(54, 48), QPoint(138, 48), QPoint(96, 28)})
        EXPECT_EQ(image.pixel(inside), kRed) << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(10, 10), QPoint(42, 48), QPoint(150, 48), QPoint(96, 18),
                           QPoint(52, 27), QPoint(140, 70), QPoint(185, 90)})
        EXPECT_EQ(image.pixel(outside), kWhite) << outside.x() << "," << outside.y();
}

} // namespace

TEST(WmfRender, EllipseFilledAndPlacedInTheFrame) {
    QImage out;
    // A 2 x 1 inch frame at 1000 units to the inch is 192 x 96 pixels; the ellipse takes
    // the middle half of it both ways.
    ASSERT_TRUE(
        RenderWmfData(EllipseWmf(2000, 1000, 1000, 500, 250, 1500, 750, kRedColorRef), out));
    ExpectCentredEllipse(out);

    // The frame need not start at 0, and the window origin may be left to it.
    const QByteArray brushAndEllipse = WmfRecord(0x02FC, {0, 0x00FF, 0, 0}) +
                                       WmfRecord(0x012D, {0}) +
                                       WmfRecord(0x0418, {1250, 2500, 750, 1500});
    out = QImage();
    ASSERT_TRUE(RenderWmfData(
        PlaceableWmf(1000, 500, 3000, 1500, 1000, WmfRecord(0x020B, {500, 1000}) + brushAndEllipse),
        out));
    ExpectCentredEllipse(out);

    // An anisotropic mapping whose window is the frame draws the same.
    out = QImage();
    const QByteArray anisotropic = WmfRecord(0x0103, {8}) + WmfRecord(0x020B, {0, 0}) +
                                   WmfRecord(0x020C, {1000, 2000}) +
                                   WmfRecord(0x02FC, {0, 0x00FF, 0, 0}) + WmfRecord(0x012D, {0}) +
                                   WmfRecord(0x0418, {750, 1500, 250, 500});
    ASSERT_TRUE(RenderWmfData(PlaceableWmf(0, 0, 2000, 1000, 1000, anisotropic), out));
    ExpectCentredEllipse(out);

    // An ellipse over the whole frame touches its edges, the corners stay white.
    ASSERT_TRUE(RenderWmfData(EllipseWmf(2000, 1000, 1000, 0, 0, 2000, 1000, kRedColorRef), out));
    EXPECT_EQ(out.pixel(96, 48), kRed);
    EXPECT_EQ(out.pixel(4, 48), kRed);
    EXPECT_EQ(out.pixel(2, 2), kWhite);
    EXPECT_EQ(out.pixel(189, 93), kWhite);
}

TEST(WmfRender, PolylinesAreNotFilled) {
    // A V in a black pen 20 units wide, from the top corners down to the middle of the
    // bottom edge.
    const QByteArray v = WmfRecord(0x020B, {0, 0}) + WmfRecord(0x020C, {1000, 2000}) +
                         WmfRecord(0x02FA, {0, 20, 0, 0, 0}) + WmfRecord(0x012D, {0}) +
                         WmfRecord(0x0325, {3, 0, 0, 1000, 1000, 2000, 0});
    QImage out;
    ASSERT_TRUE(RenderWmfData(PlaceableWmf(0, 0, 2000, 1000, 1000, v), out));
    EXPECT_EQ(out.pixel(96, 20), kWhite);
    EXPECT_EQ(qGray(out.pixel(48, 48)), 0) << "the line itself is drawn";
}

TEST(WmfRender, TextWithMarkupCharactersStillRenders) {
    // TEXTOUT of "a<&>\x01" at (100, 100): characters that are not plain XML text.
    const QByteArray text("a<&>\x01\0", 6);
    QByteArray textOut =
        Le32(3 + 1 + 3 + 2) + Le16(0x0521) + Le16(5) + text + Le16(100) + Le16(100);
    QImage out;
    EXPECT_TRUE(RenderWmfData(PlaceableWmf(0, 0, 2000, 1000, 1000, textOut), out));
    EXPECT_EQ(out.size(), QSize(192, 96));
}

TEST(EmfRender, EllipseFilledAndPlacedInTheFrame) {
    // The frame is 5080 x 2540 hundredths of a millimetre: 2 x 1 inch, 192 x 96 pixels at
    // the reference device's 96 dots per inch. The bounds only cover the ellipse.
    const QByteArray emf = Emf({48, 24, 143, 71}, {0, 0, 5080, 2540},
                               EllipseEmfRecords(48, 24, 144, 72, kRedColorRef));
    QImage out;
    ASSERT_TRUE(RenderEmfData(emf, out));
    ExpectCentredEllipse(out);
}

TEST(IconRender, LargestImageOnWhite) {
    QImage small(16, 16, QImage::Format_ARGB32);
    small.fill(qRgba(0, 0, 255, 255));
    QImage large(32, 24, QImage::Format_ARGB32);
    large.fill(qRgba(0, 0, 0, 0));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 16; ++x)
            large.setPixel(x, y, qRgba(0, 160, 0, 255));
    for (bool largeAsPng : {true, false}) {
        QImage out;
        ASSERT_TRUE(RenderIcoData(Icon({small, large}, {false, largeAsPng}), out)) << largeAsPng;
        ASSERT_EQ(out.size(), QSize(32, 24));
        EXPECT_EQ(out.format(), QImage::Format_RGB32);
        EXPECT_EQ(out.pixel(3, 20), qRgb(0, 160, 0));
        EXPECT_EQ(out.pixel(28, 3), kWhite) << "transparent parts are white";
    }
}

TEST(MetafileRender, FramesPastTheMetafileCapAreRefusedBeforeDrawing) {
    // The frame in hundredths of a millimetre that is w x h pixels at 96 dots per inch.
    const auto frame = [](int w, int h) {
        return QList<int>{0, 0, (w * 2540 + 48) / 96, (h * 2540 + 48) / 96};
    };
    const QByteArray ellipse = EllipseEmfRecords(0, 0, 99, 99, kRedColorRef);
    // A file of under 200 bytes claiming most of the pixel cap, one just past the metafile
    // cap, and a drawing whose own bounds are past it.
    const QByteArray hostile = Emf({0, 0, 99, 99}, frame(14140, 14140), ellipse);
    EXPECT_LT(hostile.size(), 232);
    QImage out;
    EXPECT_FALSE(RenderEmfData(hostile, out));
    EXPECT_FALSE(RenderEmfData(Emf({0, 0, 99, 99}, frame(4001, 4000), ellipse), out));
    EXPECT_FALSE(RenderEmfData(Emf({0, 0, 4001, 4000}, {0, 0, 0, 0}, ellipse), out));
    EXPECT_FALSE(RenderWmfData(EllipseWmf(14140, 14140, 96, 0, 0, 100, 100, kRedColorRef), out));
    EXPECT_FALSE(RenderWmfData(EllipseWmf(4001, 4000, 96, 0, 0, 100, 100, kRedColorRef), out));
    EXPECT_TRUE(out.isNull());
    // A large page within the cap is drawn at its size.
    ASSERT_TRUE(RenderEmfData(Emf({0, 0, 99, 99}, frame(3000, 2000), ellipse), out));
    EXPECT_EQ(out.size(), QSize(3000, 2000));
    ASSERT_TRUE(RenderWmfData(EllipseWmf(3000, 2000, 96, 0, 0, 3000, 2000, kRedColorRef), out));
    EXPECT_EQ(out.size(), QSize(3000, 2000));
    EXPECT_EQ(out.pixel(1500, 1000), kRed);
}
