// The real program on the desktop of two monitors (CTest runs tests named TwoMonitors on
// scripts/run-virtual's two-monitor display): 1920x1080 at (0, 0) and 1280x1024 at
// (1920, 200) on a 3200x1224 screen. No monitor shows the top-right 1280x200 corner nor the
// 1920x144 strip below the first monitor.

#include "e2e/e2e_app.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr QRect kFirst(0, 0, 1920, 1080);
constexpr QRect kSecond(1920, 200, 1280, 1024);
constexpr QSize kScreen(3200, 1224);
// The main window's size at scale 1 before it is maximized.
constexpr QSize kMainWindow(962, 655);

// Never black; red and green the low bytes of x and y, blue their high bits.
QRgb PatternAt(QPoint p) {
    return qRgb(p.x() & 0xff, p.y() & 0xff, 0x80 | ((p.x() >> 8) + (p.y() >> 8) * 13));
}

QImage Pattern() {
    QImage image(kScreen, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = PatternAt({x, y});
    }
    return image;
}

QString StartWithSettings(E2eApp& app) {
    const QString pics = app.appDir() + "pics/";
    QDir().mkpath(pics);
    QImage first(40, 30, QImage::Format_RGB32);
    first.fill(Qt::white);
    first.save(pics + "img1.png", "PNG");
    app.writeFile("defualt.ini", QString("[default]\nPicPath=" + pics + "\nCurPicName=" + pics +
                                         "img1.png\nPicFormat=3\nAutoSavePre=img\n")
                                     .toUtf8());
    return app.start() ? app.waitForWindow("3.3") : QString();
}

// The main window starts maximized: on the first (primary) monitor only, below the title bar.
void ExpectMaximizedOnFirstMonitor(E2eApp& app, const QString& window) {
    const QRect placed = app.windowGeometry(window);
    EXPECT_EQ(placed.left(), kFirst.left());
    EXPECT_EQ(placed.right(), kFirst.right());
    EXPECT_EQ(placed.bottom(), kFirst.bottom());
    EXPECT_GT(placed.top(), kFirst.top());
}

// The size the main window asks for when it is not maximized (its size hints), in device
// pixels: its size at scale 1 times the toolkit's scale, within a pixel of rounding.
void ExpectScaledNormalSize(E2eApp& app, const QString& window, double scale) {
    const QString hints = app.windowProperty(window, "WM_NORMAL_HINTS");
    const QRegularExpressionMatch size =
        QRegularExpression("user specified size: (\\d+) by (\\d+)").match(hints);
    ASSERT_TRUE(size.hasMatch()) << hints.toStdString();
    EXPECT_NEAR(size.captured(1).toInt(), std::lround(kMainWindow.width() * scale), 1) << scale;
    EXPECT_NEAR(size.captured(2).toInt(), std::lround(kMainWindow.height() * scale), 1) << scale;
}

} // namespace

TEST(TwoMonitors, MainWindowMaximizesOnOneMonitorAndCtrlFSavesTheWholeDesktop) {
    E2eApp app;
    ASSERT_TRUE(app.setRootPicture(Pattern()));
    const QString window = StartWithSettings(app);
    ASSERT_FALSE(window.isEmpty());
    // The window manager knows the monitors.
    ExpectMaximizedOnFirstMonitor(app, window);
    ExpectScaledNormalSize(app, window, 1);

    // The pointer rests on the second monitor, away from the places compared below.
    const QPoint rest(3000, 1100);
    app.moveMouse(rest);
    app.key("ctrl+f");
    QImage shot;
    const QString saved = app.appDir() + "pics/img2.png";
    ASSERT_TRUE(waitUntil([&] { return shot.load(saved) && !shot.isNull(); }, 15000))
        << "Ctrl+F saved nothing";
    ASSERT_EQ(shot.size(), kScreen);
    shot = shot.convertToFormat(QImage::Format_RGB32);
    const QRect cursor(rest - QPoint(40, 40), QSize(80, 80));
    int wrong = 0;
    QPoint firstWrong(-1, -1);
    for (int y = 0; y < kScreen.height(); ++y)
        for (int x = 0; x < kScreen.width(); ++x) {
            const QPoint p(x, y);
            if (cursor.contains(p)) continue;
            const bool shown = kFirst.contains(p) || kSecond.contains(p);
            const QRgb want = shown ? PatternAt(p) : qRgb(0, 0, 0);
            if ((shot.pixel(p) & 0xffffff) != (want & 0xffffff) && wrong++ == 0) firstWrong = p;
        }
    EXPECT_EQ(wrong, 0) << "first wrong pixel at " << firstWrong.x() << "," << firstWrong.y();
}

TEST(TwoMonitors, ScaleFactorAndXftDpiReachTheProgram) {
    // QT_SCALE_FACTOR through the program's environment.
    {
        E2eApp app;
        app.setEnvironment("QT_SCALE_FACTOR", "1.5");
        const QString window = StartWithSettings(app);
        ASSERT_FALSE(window.isEmpty());
        ExpectScaledNormalSize(app, window, 1.5);
        ExpectMaximizedOnFirstMonitor(app, window);
    }
    // Xft.dpi in the display's resources, read by programs started afterwards.
    E2eApp app;
    ASSERT_TRUE(app.setXftDpi(192));
    const QString window = StartWithSettings(app);
    ASSERT_FALSE(window.isEmpty());
    ExpectScaledNormalSize(app, window, 2);
    ExpectMaximizedOnFirstMonitor(app, window);
}

namespace {

// The area button's centre in the main window at scale 1: frame 10 and 12, top bar 74,
// splitter bar 6, its place in the tool column.
constexpr QPoint kAreaButton{10 + 3 + 61, 92 + 28 + 12};

// Pixels of `picture` unlike the pattern at `origin`, outside `skip`.
int Mismatches(const QImage& picture, QPoint origin, const QRect& skip = QRect()) {
    const QImage p = picture.convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const QPoint at = origin + QPoint(x, y);
            if (!skip.contains(at) && (p.pixel(x, y) & 0xffffff) != (PatternAt(at) & 0xffffff))
                ++wrong;
        }
    return wrong;
}

struct Scale {
    const char* variable;
    const char* value;
    double mainWindow; // the main window's factor (it stands on the first monitor)
};

void PrintTo(const Scale& s, std::ostream* os) {
    *os << (*s.variable ? s.variable : "no scaling") << '=' << s.value;
}

class TwoMonitorsArea : public ::testing::TestWithParam<Scale> {};

} // namespace

// The frozen screen covers both monitors, each showing its own part 1:1, and a drag from
// one monitor onto the other saves exactly the rectangle between the two points.
TEST_P(TwoMonitorsArea, DragAcrossTheMonitorsSavesExactlyThatRectangle) {
    const Scale scale = GetParam();
    E2eApp app;
    if (*scale.variable) app.setEnvironment(scale.variable, scale.value);
    ASSERT_TRUE(app.setRootPicture(Pattern()));
    const QString window = StartWithSettings(app);
    ASSERT_FALSE(window.isEmpty());
    app.click(window, (QPointF(kAreaButton) * scale.mainWindow).toPoint());

    // One window of the program over each monitor, exactly.
    ASSERT_TRUE(waitUntil(
        [&] {
            QList<QRect> covered;
            for (const QString& id : app.visibleWindows("3.3"))
                covered << app.windowGeometry(id);
            return covered.contains(kFirst) && covered.contains(kSecond);
        },
        15000))
        << "the frozen screen does not cover both monitors";
    const QPoint rest(2900, 1150);
    app.moveMouse(rest);
    // Each monitor shows its part of the screen 1:1 (away from the cursor and the hint).
    const QRect onFirst(200, 400, 600, 500), onSecond(2000, 300, 700, 500);
    EXPECT_TRUE(waitUntil(
        [&] {
            const QImage screen = app.screenshot();
            return Mismatches(screen.copy(onFirst), onFirst.topLeft()) == 0 &&
                   Mismatches(screen.copy(onSecond), onSecond.topLeft()) == 0;
        },
        10000))
        << "the frozen screen is not the screen 1:1";

    const QPoint from(1700, 600), to(2300, 900);
    ASSERT_TRUE(app.dragOnScreen(from, to));
    QImage saved;
    ASSERT_TRUE(waitUntil(
        [&] { return saved.load(app.appDir() + "pics/img2.png") && !saved.isNull(); }, 15000))
        << "the drag saved nothing";
    EXPECT_EQ(saved.size(), QSize(to.x() - from.x(), to.y() - from.y()));
    // The frozen screen shows the cursor where it stood at the grab: on the area button.
    EXPECT_EQ(Mismatches(saved, from), 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, TwoMonitorsArea,
                         ::testing::Values(Scale{"", "", 1.0},
                                           Scale{"QT_SCREEN_SCALE_FACTORS", "1;2", 1.0},
                                           Scale{"QT_SCALE_FACTOR", "1.5", 1.5}),
                         [](const auto& info) {
                             return std::string(info.index == 0   ? "AtOne"
                                                : info.index == 1 ? "AtOneAndTwo"
                                                                  : "AtOneAndAHalf");
                         });
