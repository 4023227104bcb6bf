#include "capture/screen_grab.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A 4x4 cursor: an opaque red row, a half-covering black row, the rest clear.
CursorImage TestCursor() {
    CursorImage cursor;
    cursor.size = QSize(4, 4);
    cursor.pixels.assign(16, 0);
    for (int x = 0; x < 4; ++x) {
        cursor.pixels[size_t(x)] = 0xffff0000;
        cursor.pixels[size_t(4 + x)] = 0x80000000;
    }
    return cursor;
}

} // namespace

TEST(CursorPainting, BlendsClipsAndKeepsThePixelFormat) {
    QImage bitmap(10, 10, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    PaintCursorImage(bitmap, TestCursor(), {8, 3});
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    EXPECT_EQ(bitmap.pixel(8, 3), 0xffff0000u);
    EXPECT_EQ(bitmap.pixel(9, 3), 0xffff0000u);
    EXPECT_NEAR(qRed(bitmap.pixel(9, 4)), 127, 2);
    EXPECT_EQ(bitmap.pixel(9, 5), 0xffffffffu);
    EXPECT_EQ(bitmap.pixel(7, 3), 0xffffffffu);

    // Partly above and left of the picture.
    QImage corner(10, 10, QImage::Format_RGB32);
    corner.fill(Qt::white);
    PaintCursorImage(corner, TestCursor(), {-2, -1});
    EXPECT_NEAR(qRed(corner.pixel(0, 0)), 127, 2);
    EXPECT_EQ(corner.pixel(2, 0), 0xffffffffu);

    // Wholly outside: nothing changes.
    QImage outside = corner.copy();
    PaintCursorImage(outside, TestCursor(), {10, 0});
    PaintCursorImage(outside, TestCursor(), {-4, -4});
    EXPECT_EQ(outside, corner);

    // Pictures with a palette keep it and their format.
    QImage indexed(6, 6, QImage::Format_Indexed8);
    indexed.setColorTable({0xffffffff, 0xffff0000, 0xff000000});
    indexed.fill(0);
    PaintCursorImage(indexed, TestCursor(), {1, 1});
    EXPECT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.colorCount(), 3);
    EXPECT_EQ(indexed.pixel(1, 1), 0xffff0000u);
    EXPECT_EQ(indexed.pixel(0, 0), 0xffffffffu);

    QImage rgb16(6, 6, QImage::Format_RGB16);
    rgb16.fill(Qt::white);
    PaintCursorImage(rgb16, TestCursor(), {0, 0});
    EXPECT_EQ(rgb16.format(), QImage::Format_RGB16);
    EXPECT_EQ(rgb16.pixel(0, 0), 0xffff0000u);
}

TEST(CursorPainting, BlendsAsTheToolkitsPainter) {
    // Every alpha over varied backgrounds: the command line's captures paint the cursor
    // without the painter and must come out as the window's.
    CursorImage cursor;
    cursor.size = QSize(256, 3);
    QImage source(256, 3, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 3; ++y)
        for (int a = 0; a < 256; ++a) {
            const QColor colour = QColor::fromRgb(255 - a, (a * 7 + y * 50) % 256, y * 100, a);
            source.setPixel(a, y, qPremultiply(colour.rgba()));
            cursor.pixels.push_back(source.pixel(a, y));
        }
    QImage expected(256, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 256; ++x)
            expected.setPixel(x, y, qRgb((x * 13) % 256, (x * 29 + y) % 256, 255 - x));
    QImage painted = expected.copy();
    {
        QPainter painter(&expected);
        painter.drawImage(0, 0, source);
    }
    PaintCursorImage(painted, cursor, {0, 0});
    EXPECT_EQ(painted, expected);
}
