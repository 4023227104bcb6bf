#include "capture/screen_grab.h"
#include "platform/cursor_image.h"
#include "platform/grab_rect.h"
#include "platform/monitors.h"
#include "platform/screen_grab.h"
#include "x11/x11_test_support.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

constexpr QPoint kFramePos(200, 100);
constexpr QSize kClientSize(300, 200);
// Big enough for the cursor at (500, 300) to lie wholly inside.
constexpr QSize kBigClient(400, 300);
// Far from the window, where no test looks.
constexpr QPoint kPointerAside(1270, 1010);

// Every pixel of the client area as the window paints it, and opaque.
void ExpectClientArea(const QImage& shot, QPoint at, const PatternWindow& w,
                      QSize size = kClientSize) {
    for (int y = 0; y < size.height(); y += 7)
        for (int x = 0; x < size.width(); x += 7) {
            const QPoint p(x, y);
            ASSERT_EQ(RawPixel(shot, at + p), w.expectedAt(p)) << x << "," << y;
        }
}

QCursor SquareCursor(QRgb colour, QPoint hotspot) {
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor::fromRgb(colour));
    return QCursor(pixmap, hotspot.x(), hotspot.y());
}

// Waits until the server shows a 16x16 cursor of the colour with the hotspot.
bool CursorShown(QRgb colour, QPoint hotspot) {
    return WaitUntil([&] {
        CursorImage c;
        return QueryCursorImage(c) && c.size == QSize(16, 16) && c.pixels[8 * 16 + 8] == colour &&
               c.hotspot == hotspot;
    });
}

} // namespace

TEST(ScreenGrab, ModesCopyScreenWindowAndClientAreaOneToOne) {
    PatternWindow w;
    WarpPointer(kPointerAside);
    ASSERT_TRUE(w.showAt(kFramePos, kClientSize));
    const QPoint client = w.mapToGlobal(QPoint(0, 0));
    const QRect frame = w.frameGeometry();

    // Mode 0: the whole root window; the window's pixels where it stands, all opaque.
    QImage screen;
    GrabScreen(screen, 0);
    EXPECT_EQ(screen.size(), QGuiApplication::primaryScreen()->geometry().size());
    EXPECT_EQ(screen.format(), QImage::Format_RGB32);
    ExpectClientArea(screen, client, w);
    EXPECT_EQ(RawPixel(screen, {5, 5}) >> 24, 0xffu);
    EXPECT_EQ(RawPixel(screen, {1279, 1023}) >> 24, 0xffu);
    // One monitor shows the whole screen, so nothing of it is blacked out.
    const QList<Monitor> monitors = Monitors();
    ASSERT_EQ(monitors.size(), 1);
    EXPECT_EQ(monitors[0].rect, QRect(QPoint(0, 0), screen.size()));
    EXPECT_TRUE(monitors[0].primary);

    // Mode 1: the frame's size, the client area inside it; mode 2: the client area only.
    QImage window;
    GrabScreen(window, 1);
    EXPECT_EQ(window.size(), frame.size());
    EXPECT_GT(window.height(), kClientSize.height());
    ExpectClientArea(window, client - frame.topLeft(), w);
    QImage area;
    GrabScreen(area, 2);
    EXPECT_EQ(area.size(), kClientSize);
    ExpectClientArea(area, {0, 0}, w);

    // Plain image requests give the same pixels as shared memory.
    QImage viaRequest;
    GrabScreen(viaRequest, 0, GrabTransport::GetImage);
    EXPECT_EQ(viaRequest, screen);

    // Another mode leaves the bitmap exactly as it was.
    for (int mode : {3, 7, 255, -1}) {
        QImage untouched(4, 3, QImage::Format_RGB16);
        untouched.fill(Qt::yellow);
        const QImage before = untouched;
        GrabScreen(untouched, mode);
        EXPECT_EQ(untouched.size(), QSize(4, 3));
        EXPECT_EQ(untouched.format(), QImage::Format_RGB16);
        EXPECT_EQ(untouched, before);
    }
}

TEST(ScreenGrab, BitmapKeepsItsFormatAndSharedCopiesKeepTheirPixels) {
    PatternWindow w;
    WarpPointer(kPointerAside);
    ASSERT_TRUE(w.showAt(kFramePos, kClientSize));

    for (QImage::Format format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGB16, QImage::Format_RGB888}) {
        QImage bitmap(1, 1, format);
        GrabScreen(bitmap, 2);
        EXPECT_EQ(bitmap.format(), format);
        ASSERT_EQ(bitmap.size(), kClientSize);
        // 16-bit pixels lose the low bits of each channel.
        const QColor got = bitmap.pixelColor(40, 150),
                     want = QColor::fromRgb(w.expectedAt({40, 150}));
        EXPECT_NEAR(got.red(), want.red(), 8);
        EXPECT_NEAR(got.blue(), want.blue(), 8);
        EXPECT_EQ(got.alpha(), 255);
    }

    // A grab into a picture that shares its pixels leaves the other copy as it was; one
    // that shares them with nobody is refilled.
    QImage bitmap;
    GrabScreen(bitmap, 2);
    const QImage before = bitmap;
    const QImage beforeCopy = bitmap.copy();
    w.swapHalves();
    ASSERT_TRUE(WaitUntil([&] {
        GrabScreen(bitmap, 2);
        return bitmap.pixel(150, 100) != before.pixel(150, 100);
    }));
    EXPECT_EQ(before, beforeCopy);
    EXPECT_EQ(bitmap.pixel(40, 150), w.expectedAt({40, 150}));
    const uchar* pixels = bitmap.constBits();
    GrabScreen(bitmap, 2);
    EXPECT_EQ(bitmap.constBits(), pixels);
    EXPECT_EQ(bitmap.pixel(40, 150), w.expectedAt({40, 150}));
}

TEST(ScreenGrab, PartsOffTheScreenComeOutBlack) {
    PatternWindow w;
    WarpPointer(kPointerAside);
    ASSERT_TRUE(w.showAt(kFramePos, kClientSize));
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    w.move(screenWidth - 100, 300);
    // Where the server has the client area, once the window manager has moved it.
    QRect placed;
    ASSERT_TRUE(
        WaitUntil([&] { return ScreenRectOfMode(2, placed) && placed.x() > screenWidth - 100; }));
    const QPoint client = placed.topLeft();
    const int inside = screenWidth - client.x();
    QImage area;
    ASSERT_TRUE(WaitUntil([&] {
        GrabScreen(area, 2);
        return area.size() == kClientSize &&
               area.pixel(inside - 1, 50) == w.expectedAt({inside - 1, 50});
    }));
    EXPECT_EQ(area.pixel(0, 0), w.expectedAt({0, 0}));
    EXPECT_EQ(RawPixel(area, {inside, 50}), 0xff000000u);
    EXPECT_EQ(RawPixel(area, {kClientSize.width() - 1, kClientSize.height() - 1}), 0xff000000u);
    QImage window;
    GrabScreen(window, 1);
    EXPECT_EQ(window.size(), w.frameGeometry().size());
    EXPECT_EQ(RawPixel(window, {window.width() - 1, window.height() / 2}), 0xff000000u);
}

TEST(ScreenGrab, CursorLandsWithItsHotspotOnThePointerAndNotWhenHidden) {
    PatternWindow w;
    WarpPointer(kPointerAside);
    ASSERT_TRUE(w.showAt(kFramePos, kBigClient));
    QRect frame = w.frameGeometry();
    ASSERT_EQ(frame.topLeft(), kFramePos);
    const QPoint client = w.mapToGlobal(QPoint(0, 0));
    constexpr QRgb kOrange = 0xffff8000;

    // Hotspot (0, 0), pointer at (500, 300), frame at (200, 100): the corner at (300, 200).
    w.setCursor(SquareCursor(kOrange, {0, 0}));
    WarpPointer({500, 300});
    ASSERT_TRUE(CursorShown(kOrange, {0, 0}));
    QImage window;
    GrabScreen(window, 1);
    EXPECT_EQ(window.pixel(300, 200), kOrange);
    EXPECT_EQ(window.pixel(315, 215), kOrange);
    EXPECT_NE(window.pixel(299, 200), kOrange);
    EXPECT_NE(window.pixel(300, 199), kOrange);
    EXPECT_NE(window.pixel(316, 215), kOrange);
    EXPECT_NE(window.pixel(315, 216), kOrange);

    // With a hotspot, relative to the client area in mode 2 and to the screen in mode 0.
    w.setCursor(SquareCursor(kOrange, {4, 6}));
    WarpPointer({450, 250});
    ASSERT_TRUE(CursorShown(kOrange, {4, 6}));
    QImage screen;
    GrabScreen(screen, 0);
    EXPECT_EQ(screen.pixel(446, 244), kOrange);
    EXPECT_NE(screen.pixel(445, 244), kOrange);
    EXPECT_NE(screen.pixel(446, 243), kOrange);
    QImage area;
    GrabScreen(area, 2);
    const QPoint corner = QPoint(446, 244) - client;
    EXPECT_EQ(area.pixel(corner), kOrange);
    EXPECT_EQ(area.pixel(corner + QPoint(15, 15)), kOrange);
    EXPECT_NE(area.pixel(corner - QPoint(1, 0)), kOrange);

    // The command line's grab into plain rows gives the same pixels, the cursor included.
    for (int mode : {0, 1, 2}) {
        QImage picture;
        GrabScreen(picture, mode);
        Rgb32Capture capture;
        ASSERT_TRUE(GrabScreenRows(*X11(), mode, capture)) << mode;
        const Rgb32Rows rows = capture.rows();
        EXPECT_EQ(QImage(rows.bits, rows.width, rows.height, rows.stride, QImage::Format_RGB32),
                  picture)
            << mode;
    }
    EXPECT_NE(area.pixel(corner + QPoint(16, 0)), kOrange);

    // A blank cursor leaves the window's pixels as they are.
    w.setCursor(Qt::BlankCursor);
    ASSERT_TRUE(WaitUntil([&] {
        CursorImage c;
        if (!QueryCursorImage(c)) return false;
        const int w = c.size.width(), h = c.size.height();
        return c.pixels[size_t(h / 2 * w + w / 2)] == 0;
    }));
    GrabScreen(area, 2);
    ExpectClientArea(area, {0, 0}, w, kBigClient);

    // A cursor outside the grabbed rectangle leaves no mark either.
    w.setCursor(SquareCursor(kOrange, {0, 0}));
    WarpPointer(client + QPoint(kBigClient.width() + 40, 0));
    GrabScreen(area, 2);
    ExpectClientArea(area, {0, 0}, w, kBigClient);
}
