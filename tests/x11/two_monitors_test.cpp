// On the desktop of two monitors (CTest runs these on scripts/run-virtual's two-monitor
// display): 1920x1080 at (0, 0) and 1280x1024 at (1920, 200) on a 3200x1224 screen. No
// monitor shows its top-right 1280x200 corner nor the 1920x144 strip below the first one.
#include "capture/screen_grab.h"
#include "platform/cursor_image.h"
#include "platform/grab_rect.h"
#include "platform/monitors.h"
#include "platform/native_window.h"
#include "platform/screen_grab.h"
#include "x11/x11_test_support.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr QRect kFirst(0, 0, 1920, 1080);
constexpr QRect kSecond(1920, 200, 1280, 1024);
constexpr QRect kRoot(0, 0, 3200, 1224);
constexpr QRect kUncovered(1920, 0, 1280, 200);
constexpr QSize kClientSize(300, 200);

// A different colour at every pixel of the screen, never black: the low bits of x and y in
// red and green, their high bits in blue.
QRgb PatternAt(QPoint p) {
    const int high = (p.x() >> 8) + (p.y() >> 8) * 13;
    return qRgb(p.x() & 0xff, p.y() & 0xff, 0x80 | (high & 0x7f));
}

QImage ScreenPattern() {
    QImage image(kRoot.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = PatternAt({x, y});
    }
    return image;
}

// The pixel a grab whose top-left corner lies at `origin` on the screen should hold at
// `p`: the pattern where a monitor shows the screen, black elsewhere.
QRgb Expected(QPoint origin, QPoint p) {
    const QPoint onScreen = origin + p;
    const bool shown = kFirst.contains(onScreen) || kSecond.contains(onScreen);
    return shown ? PatternAt(onScreen) : qRgb(0, 0, 0);
}

// Every pixel of the grab but those inside `skip` is what Expected says.
void ExpectScreenPixels(const QImage& shot, QPoint origin, const QRect& skip = QRect()) {
    int wrong = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            if (skip.contains(origin + QPoint(x, y))) continue;
            if (RawPixel(shot, {x, y}) != Expected(origin, {x, y})) {
                if (wrong++ == 0) first = {x, y};
            }
        }
    EXPECT_EQ(wrong, 0) << "first wrong pixel at " << first.x() << "," << first.y() << ": "
                        << std::hex << RawPixel(shot, first) << " instead of "
                        << Expected(origin, first);
}

QList<QRect> SortedRects(QList<QRect> rects) {
    std::sort(rects.begin(), rects.end(),
              [](const QRect& a, const QRect& b) { return a.x() < b.x(); });
    return rects;
}

} // namespace

TEST(TwoMonitors, ToolkitAndPlatformSeeBothMonitorsInDevicePixels) {
    // The toolkit takes each monitor as a screen of its own.
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    ASSERT_EQ(SortedRects(screens), (QList<QRect>{kFirst, kSecond}));
    EXPECT_EQ(QGuiApplication::primaryScreen()->geometry(), kFirst);
    EXPECT_EQ(QGuiApplication::primaryScreen()->virtualGeometry(), kRoot);

    // The platform layer lists the same monitors under the toolkit's names.
    const QList<Monitor> monitors = Monitors();
    ASSERT_EQ(monitors.size(), 2);
    const QList<QScreen*> qtScreens = QGuiApplication::screens();
    QList<QRect> rects;
    for (const Monitor& m : monitors) {
        rects.append(m.rect);
        const auto screen = std::find_if(qtScreens.begin(), qtScreens.end(),
                                         [&](const QScreen* s) { return s->geometry() == m.rect; });
        ASSERT_NE(screen, qtScreens.end());
        EXPECT_FALSE(m.name.isEmpty());
        EXPECT_EQ(m.name, (*screen)->name());
        EXPECT_EQ(m.primary, m.rect == kFirst) << m.name.toStdString();
    }
    EXPECT_EQ(SortedRects(rects), (QList<QRect>{kFirst, kSecond}));

    // The whole-screen grab takes the root window, both monitors and the corner between.
    QRect whole;
    ASSERT_TRUE(ScreenRectOfMode(0, whole));
    EXPECT_EQ(whole, kRoot);
}

TEST(TwoMonitors, WholeScreenGrabIsTheRootWithWhatNoMonitorShowsBlack) {
    ASSERT_TRUE(SetRootPicture(ScreenPattern()));
    // The pointer on the second monitor, with a cursor of known shape on the root.
    constexpr QPoint kPointer(2600, 900);
    WarpPointer(kPointer);
    CursorImage cursor;
    ASSERT_TRUE(WaitUntil([&] { return QueryCursorImage(cursor) && cursor.position == kPointer; }));
    const QRect cursorBox(cursor.position - cursor.hotspot, cursor.size);

    QImage screen;
    GrabScreen(screen, 0);
    ASSERT_EQ(screen.size(), kRoot.size());
    ExpectScreenPixels(screen, {0, 0}, cursorBox);
    EXPECT_EQ(RawPixel(screen, {1920, 0}), 0xff000000u);
    EXPECT_EQ(RawPixel(screen, {3199, 199}), 0xff000000u);
    EXPECT_EQ(RawPixel(screen, {3199, 200}), PatternAt({3199, 200}));
    EXPECT_EQ(RawPixel(screen, {1919, 0}), PatternAt({1919, 0}));
    EXPECT_EQ(RawPixel(screen, {0, 1080}), 0xff000000u);
    EXPECT_EQ(RawPixel(screen, {1919, 1223}), 0xff000000u);
    EXPECT_EQ(RawPixel(screen, {0, 1079}), PatternAt({0, 1079}));
    // The cursor's opaque pixels stand with its hotspot on the pointer.
    int opaque = 0;
    for (int y = 0; y < cursor.size.height(); ++y)
        for (int x = 0; x < cursor.size.width(); ++x) {
            const QRgb c = cursor.pixels[size_t(y * cursor.size.width() + x)];
            if (qAlpha(c) != 255) continue;
            ++opaque;
            EXPECT_EQ(screen.pixel(cursorBox.topLeft() + QPoint(x, y)), c) << x << "," << y;
        }
    EXPECT_GT(opaque, 0);

    // Plain image requests give the same picture.
    QImage viaRequest;
    GrabScreen(viaRequest, 0, GrabTransport::GetImage);
    EXPECT_EQ(viaRequest, screen);
    // So does the command line's grab into plain rows.
    Rgb32Capture capture;
    ASSERT_TRUE(GrabScreenRows(*X11(), 0, capture));
    const Rgb32Rows rows = capture.rows();
    EXPECT_EQ(QImage(rows.bits, rows.width, rows.height, rows.stride, QImage::Format_RGB32),
              screen);

    // Rectangles across the edges: first monitor, corner and second monitor in one; the
    // second monitor and off the screen in another; a bitmap that already has the size.
    for (const QRect& rect : {QRect(1800, 100, 300, 300), QRect(3100, 1150, 200, 150),
                              QRect(1900, 0, 40, 1224), QRect(-30, 1050, 2000, 100)}) {
        QImage part(rect.size(), QImage::Format_RGB32);
        part.fill(Qt::white);
        CopyScreenRect(part, rect);
        ASSERT_EQ(part.size(), rect.size());
        SCOPED_TRACE(QStringLiteral("%1,%2 %3x%4")
                         .arg(rect.x())
                         .arg(rect.y())
                         .arg(rect.width())
                         .arg(rect.height())
                         .toStdString());
        ExpectScreenPixels(part, rect.topLeft());
    }
}

TEST(TwoMonitors, WindowOnTheSecondMonitorIsGrabbedWhereItStands) {
    ASSERT_TRUE(SetRootPicture(ScreenPattern()));
    WarpPointer({100, 1000});
    PatternWindow w;
    constexpr QPoint kFramePos(2200, 500);
    ASSERT_TRUE(w.showAt(kFramePos, kClientSize));
    ASSERT_EQ(w.frameGeometry().topLeft(), kFramePos);

    // The client area on the root, as the platform layer finds it for mode 2 and for the
    // window itself, where the toolkit (at scale 1) has it.
    QRect client;
    ASSERT_TRUE(ScreenRectOfMode(2, client));
    EXPECT_EQ(client, QRect(w.mapToGlobal(QPoint(0, 0)), kClientSize));
    EXPECT_TRUE(kSecond.contains(client));
    const std::optional<QPoint> origin = NativeWindowOrigin(w.winId());
    ASSERT_TRUE(origin.has_value());
    EXPECT_EQ(*origin, client.topLeft());
    EXPECT_FALSE(NativeWindowOrigin(0).has_value());
    EXPECT_FALSE(NativeWindowOrigin(0x3fffffff).has_value());

    // Modes 2 and 1 give the window's pixels, the same as the whole screen has there.
    QImage area;
    GrabScreen(area, 2);
    ASSERT_EQ(area.size(), kClientSize);
    for (int y = 0; y < kClientSize.height(); y += 5)
        for (int x = 0; x < kClientSize.width(); x += 5)
            ASSERT_EQ(RawPixel(area, {x, y}), w.expectedAt({x, y})) << x << "," << y;
    QImage screen;
    GrabScreen(screen, 0);
    EXPECT_EQ(screen.copy(client), area);
    QRect frame;
    ASSERT_TRUE(ScreenRectOfMode(1, frame));
    EXPECT_EQ(frame, w.frameGeometry());
    QImage window;
    GrabScreen(window, 1);
    ASSERT_EQ(window.size(), frame.size());
    EXPECT_EQ(window.copy(QRect(client.topLeft() - frame.topLeft(), kClientSize)), area);
    EXPECT_EQ(screen.copy(frame), window);

    // Moved to stand over the corner no monitor shows and the top of the second monitor:
    // the part over the corner comes out black, the rest is the window.
    w.move(1700, 60);
    ASSERT_TRUE(WaitUntil([&] {
        return ScreenRectOfMode(2, client) && client.x() < 1920 && client.right() >= 1920 &&
               NativeWindowOrigin(w.winId()) == client.topLeft();
    }));
    ASSERT_LT(client.top(), 200);
    ASSERT_GT(client.bottom(), 200);
    ASSERT_TRUE(WaitUntil([&] {
        GrabScreen(area, 2);
        const QPoint inFirst(1919 - client.x(), 0);
        return area.size() == kClientSize && RawPixel(area, inFirst) == w.expectedAt(inFirst);
    }));
    int wrong = 0;
    for (int y = 0; y < kClientSize.height(); ++y)
        for (int x = 0; x < kClientSize.width(); ++x) {
            const bool shown = !kUncovered.contains(client.topLeft() + QPoint(x, y));
            const quint32 want = shown ? w.expectedAt({x, y}) : 0xff000000u;
            wrong += RawPixel(area, {x, y}) != want;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(TwoMonitorsAtScale2, PlatformGivesDevicePixelsWhileTheToolkitScales) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    // The toolkit keeps each screen's corner where the monitor's is and halves its size;
    // the platform layer stays in device pixels.
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->geometry());
        EXPECT_EQ(screen->devicePixelRatio(), 2.0);
    }
    ASSERT_EQ(SortedRects(screens),
              (QList<QRect>{QRect(0, 0, 960, 540), QRect(1920, 200, 640, 512)}));
    QList<QRect> monitors;
    for (const Monitor& m : Monitors())
        monitors.append(m.rect);
    EXPECT_EQ(SortedRects(monitors), (QList<QRect>{kFirst, kSecond}));
    QImage screen;
    GrabScreen(screen, 0);
    EXPECT_EQ(screen.size(), kRoot.size());

    // A window of 150x100 toolkit pixels placed on the second screen: 300x200 on the root.
    PatternWindow w;
    w.resize(150, 100);
    w.move(2000, 300);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QRect client;
    QImage area;
    ASSERT_TRUE(WaitUntil([&] {
        GrabScreen(area, 2);
        return ScreenRectOfMode(2, client) && client.size() == QSize(300, 200) &&
               area.size() == client.size() && RawPixel(area, {5, 5}) == PatternWindow::kLeft &&
               RawPixel(area, {295, 195}) == PatternWindow::kRight;
    }));
    EXPECT_TRUE(kSecond.contains(client)) << client.x() << "," << client.y();
    const std::optional<QPoint> origin = NativeWindowOrigin(w.winId());
    ASSERT_TRUE(origin.has_value());
    EXPECT_EQ(*origin, client.topLeft());
    // The toolkit's position of the client area, mapped to device pixels on its screen,
    // lands there too, give or take the pixel that halving an odd frame size loses.
    const QRect logicalScreen = w.screen()->geometry();
    const QPoint mapped =
        logicalScreen.topLeft() + (w.mapToGlobal(QPoint(0, 0)) - logicalScreen.topLeft()) * 2;
    EXPECT_LE((mapped - client.topLeft()).manhattanLength(), 2)
        << mapped.x() << "," << mapped.y() << " vs " << client.x() << "," << client.y();
    // Every toolkit pixel of the window is 2x2 device pixels of the grab.
    for (const QPoint& p : {QPoint(0, 0), QPoint(149, 0), QPoint(150, 0), QPoint(20, 20),
                            QPoint(59, 59), QPoint(60, 60), QPoint(299, 199)})
        EXPECT_EQ(RawPixel(area, p), w.expectedAt({p.x() / 2, p.y() / 2})) << p.x() << "," << p.y();

    // The pointer in device pixels for the platform, in toolkit pixels for the toolkit.
    constexpr QPoint kPointer(2500, 700);
    WarpPointer(kPointer);
    CursorImage cursor;
    ASSERT_TRUE(WaitUntil([&] { return QueryCursorImage(cursor) && cursor.position == kPointer; }));
    EXPECT_EQ(QCursor::pos(), QPoint(1920 + (2500 - 1920) / 2, 200 + (700 - 200) / 2));
}
