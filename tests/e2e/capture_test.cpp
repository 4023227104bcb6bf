// Captures through the real program on a screen whose every pixel is known: the root
// window shows a picture in which each pixel's colour encodes its own position, so a saved
// capture can be compared pixel for pixel with the part of the screen it should hold.

#include "e2e/e2e_app.h"

#include <QDir>
#include <QImage>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The virtual screen of the end-to-end tests.
constexpr QSize kScreen(1280, 1024);

// Colour of screen pixel (x, y): red and green the low bytes of x and y, blue their high
// bits. Unique for every pixel of the screen.
QRgb PatternAt(int x, int y) {
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) << 4) | (y >> 8));
}

QImage Pattern() {
    QImage image(kScreen, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = PatternAt(x, y);
    }
    return image;
}

// Pixels of `picture` that differ from the screen pattern at `origin`, outside `skip`.
int Mismatches(const QImage& picture, QPoint origin, const QRect& skip = QRect()) {
    const QImage p = picture.convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const QPoint at = origin + QPoint(x, y);
            if (skip.contains(at)) continue;
            if ((p.pixel(x, y) & 0xFFFFFF) != (PatternAt(at.x(), at.y()) & 0xFFFFFF)) ++wrong;
        }
    return wrong;
}

// The first pixel of colour `rgb` inside `area` of the screen; (-1, -1) when there is none.
QPoint FindPixel(const QImage& screen, const QRect& area, QRgb rgb) {
    const QImage s = screen.convertToFormat(QImage::Format_RGB32);
    const QRect inside = area & s.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((s.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF)) return QPoint(x, y);
    return QPoint(-1, -1);
}

// Tool column buttons, centres in main-window coordinates: frame 10 and 12, top bar 74,
// splitter bar 6, then the buttons stacked from the column's top.
constexpr QPoint kContinueCutButton{10 + 6 + 58, 92 + 1 + 11};
constexpr QPoint kAreaButton{10 + 3 + 61, 92 + 28 + 12};
constexpr QPoint kOtherFunButton{10 + 3 + 61, 92 + 82 + 12};
// First entry of the picture list: right of the 145-pixel tool column and its 6-pixel bar.
constexpr int kListLeft = 10 + 145 + 6;
constexpr int kListTop = 92;
constexpr int kListRowHeight = 16;

// The program's folder, its settings and the existing picture before a capture: the next
// automatic name is img2.png.
struct CaptureSetup {
    E2eApp& app;
    QString pics;

    explicit CaptureSetup(E2eApp& a, const QString& extraSettings = QString())
        : app(a), pics(a.appDir() + "pics/") {
        QImage first(40, 30, QImage::Format_RGB32);
        first.fill(Qt::white);
        QDir().mkpath(pics);
        first.save(pics + "img1.png", "PNG");
        app.writeFile("defualt.ini",
                      QString("[default]\nPicPath=" + pics + "\nCurPicName=" + pics + "img1.png" +
                              "\nPicFormat=3\nAutoSavePre=img\n" + extraSettings)
                          .toUtf8());
    }

    QStringList files() const { return QDir(pics).entryList(QDir::Files, QDir::Name); }

    // The saved picture, once it is complete on disk.
    QImage waitForPicture(const QString& name, int timeoutMs = 15000) const {
        QImage image;
        waitUntil([&] { return image.load(pics + name) && !image.isNull(); }, timeoutMs);
        return image;
    }
};

// Shows the pattern on the screen and starts the program; the main window's id.
QString StartOnPattern(E2eApp& app) {
    if (!app.setRootPicture(Pattern()) || !app.start()) return QString();
    return app.waitForWindow("3.3");
}

// The main window: the visible window of that caption. The capture commands change its
// frame and layer, for which the toolkit may give it a new X window.
QString MainWindow(E2eApp& app) {
    const QStringList ids = app.visibleWindows("3.3");
    return ids.isEmpty() ? QString() : ids.first();
}

// The main window covers the screen as the frozen picture of it.
bool WaitForFrozenScreen(E2eApp& app) {
    return waitUntil(
        [&] {
            const QString id = MainWindow(app);
            return !id.isEmpty() && app.windowGeometry(id) == QRect(QPoint(0, 0), kScreen);
        },
        15000);
}

// The main window back in its normal state, smaller than the screen; empty after a timeout.
QString WaitForNormalWindow(E2eApp& app) {
    QString id;
    waitUntil(
        [&] {
            id = MainWindow(app);
            return !id.isEmpty() && app.windowGeometry(id).width() < kScreen.width();
        },
        10000);
    return id;
}

// Whether the picture list shows a selection bar on the given row and none on row 0:
// a selected row is filled with the highlight colour, an unselected one is mostly white.
double NonWhiteShare(const QImage& screen, QPoint windowAt, int row) {
    int dark = 0, all = 0;
    for (int y = 2; y < kListRowHeight - 2; ++y)
        for (int x = 2; x < 100; ++x) {
            const QPoint at = windowAt + QPoint(kListLeft + x, kListTop + row * kListRowHeight + y);
            ++all;
            if (screen.pixelColor(at) != QColor(Qt::white)) ++dark;
        }
    return double(dark) / all;
}

} // namespace

TEST(Capture, AreaDragSavesExactlyThatRectangleListsItAndCopiesIt) {
    E2eApp app;
    CaptureSetup setup(app, "autoSaveToCB=1\n");
    const QString window = StartOnPattern(app);
    ASSERT_FALSE(window.isEmpty());

    app.click(window, kAreaButton);
    ASSERT_TRUE(WaitForFrozenScreen(app)) << "no frozen screen after the area button";
    // The frozen screen is the screen as it was: the pattern, the program's window gone.
    const QImage frozen = app.screenshot();
    EXPECT_LT(Mismatches(frozen.copy(600, 400, 200, 200), QPoint(600, 400)), 1);

    const QPoint from(300, 200), to(700, 500);
    ASSERT_TRUE(app.dragOnScreen(from, to));
    const QImage saved = setup.waitForPicture("img2.png");
    ASSERT_FALSE(saved.isNull()) << "no img2.png; files: " << setup.files().join(" ").toStdString();
    EXPECT_EQ(saved.size(), QSize(400, 300));
    EXPECT_EQ(Mismatches(saved, from), 0) << "the saved picture is not that part of the screen";
    EXPECT_EQ(setup.files(), QStringList({"img1.png", "img2.png"}));

    // The window is back to normal, with the capture listed and selected.
    const QString normal = WaitForNormalWindow(app);
    ASSERT_FALSE(normal.isEmpty()) << "the window stays over the whole screen";
    const QRect client = app.windowGeometry(normal);
    QImage screen;
    EXPECT_TRUE(waitUntil(
        [&] {
            screen = app.screenshot();
            return NonWhiteShare(screen, client.topLeft(), 1) > 0.5;
        },
        10000))
        << "img2.png is not selected in the list";
    EXPECT_LT(NonWhiteShare(screen, client.topLeft(), 0), 0.3);

    // With 「截图自动放入剪贴板」 ticked, the capture is on the clipboard.
    const QImage clip = app.clipboardImage();
    ASSERT_FALSE(clip.isNull()) << "nothing on the clipboard";
    EXPECT_EQ(clip.size(), QSize(400, 300));
    EXPECT_EQ(Mismatches(clip, from), 0);

    // The global hotkeys ended with the capture: the area hotkey starts nothing now.
    app.key("ctrl+shift+a");
    QThread::msleep(1500);
    EXPECT_NE(app.windowGeometry(MainWindow(app)), QRect(QPoint(0, 0), kScreen));
}

TEST(Capture, EscOnTheFrozenScreenWritesNothing) {
    E2eApp app;
    CaptureSetup setup(app);
    const QString window = StartOnPattern(app);
    ASSERT_FALSE(window.isEmpty());

    app.click(window, kAreaButton);
    ASSERT_TRUE(WaitForFrozenScreen(app));
    // A drag begun and then given up with Esc before the release.
    app.moveMouse({500, 500});
    app.key("Escape");
    const QString normal = WaitForNormalWindow(app);
    ASSERT_FALSE(normal.isEmpty()) << "Esc does not leave the frozen screen";
    QThread::msleep(1000);
    EXPECT_EQ(setup.files(), QStringList({"img1.png"}));
    // The full-screen grab stays the picture in the window: its pixels show, in order, in
    // the picture area of the restored window.
    const QRect client = app.windowGeometry(normal);
    const QRect part(100, 250, 200, 150);
    EXPECT_TRUE(waitUntil(
        [&] {
            const QImage screen = app.screenshot();
            const QPoint shown = FindPixel(screen, client, PatternAt(part.x(), part.y()));
            return shown.x() >= 0 &&
                   Mismatches(screen.copy(QRect(shown, part.size())), part.topLeft()) == 0;
        },
        10000))
        << "the window does not show the full-screen grab";
}

TEST(Capture, CtrlFSavesOneFullScreenFileAndTheClipboardToggleDecidesTheCopy) {
    E2eApp app;
    CaptureSetup setup(app, "autoSaveToCB=1\n");
    const QString window = StartOnPattern(app);
    ASSERT_FALSE(window.isEmpty());

    // The pointer rests away from everything that is compared; the grab paints it in.
    const QPoint rest(1200, 1000);
    app.moveMouse(rest);
    app.key("ctrl+f");
    const QImage first = setup.waitForPicture("img2.png");
    ASSERT_FALSE(first.isNull()) << "Ctrl+F saved nothing; files: "
                                 << setup.files().join(" ").toStdString();
    EXPECT_EQ(first.size(), kScreen);
    // The window hid itself for the grab: everything but the cursor is the pattern.
    EXPECT_EQ(Mismatches(first, QPoint(0, 0), QRect(rest - QPoint(40, 40), QSize(80, 80))), 0);
    const QImage clip = app.clipboardImage();
    ASSERT_FALSE(clip.isNull()) << "the capture is not on the clipboard";
    EXPECT_EQ(clip.size(), kScreen);
    ASSERT_TRUE(waitUntil([&] { return app.visibleWindows("3.3").contains(window); }, 10000));
    QThread::msleep(1000);
    EXPECT_EQ(setup.files(), QStringList({"img1.png", "img2.png"})) << "one capture, one file";

    // Untick 「截图自动放入剪贴板」 in the other-functions menu (its tenth item) and capture
    // again: the clipboard keeps the first capture.
    app.click(window, kOtherFunButton);
    QThread::msleep(500);
    app.key("Down Down Down Down Down Down Down Down Down Down Return");
    QThread::msleep(500);
    // The pointer elsewhere, so that the second capture differs from the first.
    app.moveMouse(rest - QPoint(300, 300));
    app.key("ctrl+f");
    const QImage second = setup.waitForPicture("img3.png");
    ASSERT_FALSE(second.isNull()) << "the second Ctrl+F saved nothing";
    ASSERT_NE(second.convertToFormat(QImage::Format_RGB32),
              first.convertToFormat(QImage::Format_RGB32));
    const QImage clipAfter = app.clipboardImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(clipAfter, first.convertToFormat(QImage::Format_RGB32))
        << "the clipboard took the capture with the toggle off";

    // The toggle is kept in the settings file.
    app.terminate();
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_TRUE(app.readFile("defualt.ini").contains("autoSaveToCB=0"));
}

namespace {

// The hotkeys of a first start (a settings file without them has none).
const QString kDefaultHotkeys = "[hotkey]\n"
                                "hotkey1_1=Ctrl\nhotkey1_2=Shift\nhotkey1_3=F\n"
                                "hotkey2_1=Ctrl\nhotkey2_2=Shift\nhotkey2_3=W\n"
                                "hotkey3_1=Ctrl\nhotkey3_2=Shift\nhotkey3_3=C\n"
                                "hotkey4_1=Ctrl\nhotkey4_2=Shift\nhotkey4_3=A\n"
                                "hotkey5_3=ESC\n";

// The capture toolbar: the visible window of the program's title that is not the main window.
QString ToolbarWindow(E2eApp& app) {
    const QStringList main = app.visibleWindows("3.3");
    for (const QString& id : app.visibleWindows(QString::fromUtf8(u8"QEL屏幕截图助手")))
        if (!main.contains(id)) return id;
    return QString();
}

// Clicks the area button with 「连续截图」 ticked: the frozen screen comes up with the
// toolbar. The toolbar's id, empty when either does not come.
QString StartContinuousRun(E2eApp& app, const QString& window) {
    app.click(window, kAreaButton);
    QString toolbar;
    if (!WaitForFrozenScreen(app) ||
        !waitUntil([&] { return !(toolbar = ToolbarWindow(app)).isEmpty(); }, 10000))
        return QString();
    return toolbar;
}

// Area button of the toolbar, centre in toolbar coordinates: frame 6 and 11, button panel
// at 110, its column at 76, the button 122 x 25 at 6.
constexpr QPoint kToolbarAreaButton{6 + 110 + 76 + 61, 11 + 6 + 12};

// Entries the toolbar's list shows, the last one selected: the selection bar's place
// below the top of the list, counted in its own height. 0 when no bar is found.
int ToolbarListEntries(const QImage& screen, const QRect& toolbar) {
    // Left margin of the list box, where no text is drawn: white, or the selection's blue.
    const int x = toolbar.left() + 6 + 110 + 8;
    const auto isBar = [&](int y) {
        const QColor c = screen.pixelColor(x, y);
        return c.blue() > c.red() + 80;
    };
    int listTop = -1, barTop = -1, barBottom = -1;
    for (int y = toolbar.top() + 11 + 10; y < toolbar.top() + 11 + 135; ++y) {
        if (listTop < 0 && (screen.pixelColor(x, y) == QColor(Qt::white) || isBar(y))) listTop = y;
        if (barTop < 0 && isBar(y)) barTop = y;
        if (barTop >= 0 && barBottom < 0 && !isBar(y)) barBottom = y;
    }
    if (listTop < 0 || barTop < 0 || barBottom <= barTop) return 0;
    const int rowHeight = barBottom - barTop;
    return (barTop - listTop + rowHeight / 2) / rowHeight + 1;
}

} // namespace

TEST(Capture, ContinuousRunOfThreeWithTheToolbarAndHotkeyFour) {
    E2eApp app;
    CaptureSetup setup(app, "ContinueCut=1\nautoSaveToCB=1\n" + kDefaultHotkeys);
    const QString window = StartOnPattern(app);
    ASSERT_FALSE(window.isEmpty());

    // The area button starts the run: the frozen screen with the toolbar over it.
    QString toolbar = StartContinuousRun(app, window);
    ASSERT_FALSE(toolbar.isEmpty()) << "no frozen screen with the capture toolbar";
    // The toolbar shows over the frozen screen, not under it.
    const QRect barArea = app.windowGeometry(toolbar);
    EXPECT_TRUE(waitUntil(
        [&] {
            const QImage shown = app.screenshot().copy(barArea);
            return Mismatches(shown, barArea.topLeft()) >
                   barArea.width() * barArea.height() * 9 / 10;
        },
        10000))
        << "the toolbar is hidden by the frozen screen";

    // First capture: saved at once, the main window hidden, the toolbar stays.
    const QPoint a(400, 300), aEnd(600, 450);
    ASSERT_TRUE(app.dragOnScreen(a, aEnd));
    const QImage first = setup.waitForPicture("img2.png");
    ASSERT_FALSE(first.isNull()) << "files: " << setup.files().join(" ").toStdString();
    EXPECT_EQ(first.size(), QSize(200, 150));
    EXPECT_EQ(Mismatches(first, a), 0);
    EXPECT_TRUE(waitUntil([&] { return app.visibleWindows("3.3").isEmpty(); }, 10000))
        << "the main window shows after a capture of the run";
    EXPECT_FALSE(ToolbarWindow(app).isEmpty());

    // Second capture by hotkey 4 while the window waits hidden.
    app.key("ctrl+shift+a");
    ASSERT_TRUE(WaitForFrozenScreen(app)) << "hotkey 4 starts no area capture";
    const QPoint b(650, 300), bEnd(950, 600);
    ASSERT_TRUE(app.dragOnScreen(b, bEnd));
    const QImage second = setup.waitForPicture("img3.png");
    ASSERT_FALSE(second.isNull()) << "files: " << setup.files().join(" ").toStdString();
    EXPECT_EQ(Mismatches(second, b), 0);
    EXPECT_TRUE(waitUntil([&] { return app.visibleWindows("3.3").isEmpty(); }, 10000));

    // Third capture from the toolbar's area button; the toolbar hides for the grab.
    toolbar = ToolbarWindow(app);
    ASSERT_FALSE(toolbar.isEmpty());
    app.click(toolbar, kToolbarAreaButton);
    ASSERT_TRUE(WaitForFrozenScreen(app)) << "the toolbar's area button starts no capture";
    const QPoint c(100, 600), cEnd(1100, 1000);
    ASSERT_TRUE(app.dragOnScreen(c, cEnd));
    const QImage third = setup.waitForPicture("img4.png");
    ASSERT_FALSE(third.isNull()) << "files: " << setup.files().join(" ").toStdString();
    EXPECT_EQ(third.size(), QSize(1000, 400));
    EXPECT_EQ(Mismatches(third, c), 0);
    EXPECT_TRUE(waitUntil([&] { return app.visibleWindows("3.3").isEmpty(); }, 10000));
    EXPECT_EQ(setup.files(), QStringList({"img1.png", "img2.png", "img3.png", "img4.png"}));

    // The toolbar lists the three; no capture of the run went to the clipboard.
    toolbar = ToolbarWindow(app);
    ASSERT_FALSE(toolbar.isEmpty());
    const QRect bar = app.windowGeometry(toolbar);
    QImage screen;
    const bool listed = waitUntil(
        [&] {
            screen = app.screenshot();
            return ToolbarListEntries(screen, bar) == 3;
        },
        10000);
    if (!listed) screen.save(app.appDir() + "toolbar-screen.png");
    EXPECT_TRUE(listed) << "the toolbar does not list three pictures; the screen is in "
                        << app.appDir().toStdString() << "toolbar-screen.png";
    EXPECT_TRUE(app.clipboardImage().isNull());

    // Closing the toolbar ends the run and brings the main window back.
    app.closeWindow(toolbar);
    EXPECT_FALSE(WaitForNormalWindow(app).isEmpty()) << "the main window does not come back";
    EXPECT_TRUE(waitUntil([&] { return ToolbarWindow(app).isEmpty(); }, 10000));
}

TEST(Capture, HotkeysOneToThreeSaveTheScreenTheWindowAndItsClientArea) {
    E2eApp app;
    CaptureSetup setup(app, "ContinueCut=1\n" + kDefaultHotkeys);
    const QString window = StartOnPattern(app);
    ASSERT_FALSE(window.isEmpty());
    // The hotkeys hold from the start of an area capture.
    const QString toolbar = StartContinuousRun(app, window);
    ASSERT_FALSE(toolbar.isEmpty()) << "no frozen screen with the capture toolbar";

    // Hotkey 1: the whole screen, saved at once.
    app.moveMouse({1200, 1000});
    app.key("ctrl+shift+f");
    const QImage screen = setup.waitForPicture("img2.png");
    ASSERT_FALSE(screen.isNull()) << "hotkey 1 saved nothing";
    EXPECT_EQ(screen.size(), kScreen);

    // Hotkeys 2 and 3 take the foreground window: the toolbar, once it has the focus.
    app.click(toolbar, QPoint(20, 170));
    const QRect client = app.windowGeometry(toolbar);
    QThread::msleep(300);
    app.key("ctrl+shift+c");
    const QImage clientArea = setup.waitForPicture("img3.png");
    ASSERT_FALSE(clientArea.isNull()) << "hotkey 3 saved nothing";
    EXPECT_EQ(clientArea.size(), client.size());
    // Hotkey 2: the same window with its frame, so larger than its client area.
    app.key("ctrl+shift+w");
    const QImage frame = setup.waitForPicture("img4.png");
    ASSERT_FALSE(frame.isNull()) << "hotkey 2 saved nothing";
    EXPECT_GT(frame.width(), client.width());
    EXPECT_GT(frame.height(), client.height());
    EXPECT_EQ(setup.files(), QStringList({"img1.png", "img2.png", "img3.png", "img4.png"}));
}
