// Captures through the real program on a screen whose every pixel is known: the root
// window shows a picture in which each pixel's colour encodes its own position, so a saved
// capture can be compared pixel for pixel with the part of the screen it should hold. The
// program runs with a user's settings, the default hotkeys included.

#include "e2e/capture_helpers.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>

namespace {

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
    ASSERT_TRUE(setup.startOnPattern());
    const QString window = setup.main;

    app.click(window, kAreaButton);
    ASSERT_TRUE(setup.waitForFrozenScreen()) << "no frozen screen after the area button";
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
    const QString normal = setup.waitForNormalWindow();
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

    // The global hotkeys (the user's defaults) ended with the capture: the area hotkey
    // starts nothing now. Ctrl+F behind it shows when the program has taken both keys: its
    // capture of the whole screen is saved, and no frozen screen came up on the way.
    app.key("ctrl+shift+a ctrl+f");
    bool frozenSeen = false;
    QImage third;
    waitUntil(
        [&] {
            frozenSeen = frozenSeen || !setup.frozenScreen().isEmpty();
            return third.load(setup.pics + "img3.png");
        },
        15000);
    EXPECT_FALSE(frozenSeen) << "the area hotkey started an area capture";
    ASSERT_FALSE(third.isNull()) << "Ctrl+F after the area hotkey saved nothing; "
                                 << setup.windowsReport();
    EXPECT_EQ(third.size(), kScreen);
    EXPECT_EQ(setup.files(), QStringList({"img1.png", "img2.png", "img3.png"}));
}

TEST(Capture, EscOnTheFrozenScreenWritesNothing) {
    E2eApp app;
    CaptureSetup setup(app);
    ASSERT_TRUE(setup.startOnPattern());
    const QString window = setup.main;

    // The rectangle tool armed before the capture.
    app.click(window, kAddRectButton);
    app.click(window, kAreaButton);
    ASSERT_TRUE(setup.waitForFrozenScreen());
    // A drag begun and then given up with Esc (by default a global hotkey during the
    // capture) before the release.
    app.moveMouse({500, 500});
    ASSERT_TRUE(app.runHelper("xdotool",
                              {"mousedown", "1", "sleep", "0.1", "mousemove", "600", "560", "sleep",
                               "0.1", "key", "Escape", "sleep", "0.3", "mouseup", "1"}));
    const QString normal = setup.waitForNormalWindow();
    ASSERT_FALSE(normal.isEmpty())
        << "Esc does not leave the frozen screen; " << setup.windowsReport();
    EXPECT_EQ(setup.files(), QStringList({"img1.png"}));
    // The full-screen grab stays the picture in the window: its pixels show, in order, in
    // the picture area of the restored window.
    const QRect client = app.windowGeometry(normal);
    const QRect part(100, 250, 200, 150);
    QPoint shown(-1, -1);
    const auto partShows = [&] {
        const QImage screen = app.screenshot();
        shown = FindPixel(screen, client, PatternAt(part.x(), part.y()));
        return shown.x() >= 0 &&
               Mismatches(screen.copy(QRect(shown, part.size())), part.topLeft()) == 0;
    };
    ASSERT_TRUE(waitUntil(partShows, 10000)) << "the window does not show the full-screen grab";

    // Nothing is left of the capture or of the tool: a drag across that part of the picture
    // writes no file and draws nothing on it.
    ASSERT_TRUE(app.dragOnScreen(shown + QPoint(20, 20), shown + QPoint(180, 130)));
    EXPECT_FALSE(waitUntil([&] { return !partShows() || setup.files().size() > 1; }, 3000))
        << "the drag drew on the picture or saved a capture; files: "
        << setup.files().join(" ").toStdString();
    EXPECT_EQ(setup.files(), QStringList({"img1.png"}));
}

TEST(Capture, CtrlFSavesOneFullScreenFileAndTheClipboardToggleDecidesTheCopy) {
    E2eApp app;
    CaptureSetup setup(app, "autoSaveToCB=1\n");
    ASSERT_TRUE(setup.startOnPattern());
    const QString window = setup.main;

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
    ASSERT_TRUE(waitUntil([&] { return setup.mainWindowVisible(); }, 10000));
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
    CaptureSetup setup(app, "ContinueCut=1\nautoSaveToCB=1\n");
    ASSERT_TRUE(setup.startOnPattern());

    // The area button starts the run: the frozen screen with the toolbar over it.
    QString toolbar = setup.startContinuousRun();
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
    EXPECT_TRUE(waitUntil([&] { return !setup.mainWindowVisible(); }, 10000))
        << "the main window shows after a capture of the run";
    EXPECT_FALSE(setup.toolbar().isEmpty());

    // Second capture by hotkey 4 while the window waits hidden.
    app.key("ctrl+shift+a");
    ASSERT_TRUE(setup.waitForFrozenScreen()) << "hotkey 4 starts no area capture";
    const QPoint b(650, 300), bEnd(950, 600);
    ASSERT_TRUE(app.dragOnScreen(b, bEnd));
    const QImage second = setup.waitForPicture("img3.png");
    ASSERT_FALSE(second.isNull()) << "files: " << setup.files().join(" ").toStdString();
    EXPECT_EQ(Mismatches(second, b), 0);
    EXPECT_TRUE(waitUntil([&] { return !setup.mainWindowVisible(); }, 10000));

    // Third capture from the toolbar's area button; the toolbar hides for the grab.
    toolbar = setup.toolbar();
    ASSERT_FALSE(toolbar.isEmpty());
    app.click(toolbar, kToolbarAreaButton);
    ASSERT_TRUE(setup.waitForFrozenScreen()) << "the toolbar's area button starts no capture";
    const QPoint c(100, 600), cEnd(1100, 1000);
    ASSERT_TRUE(app.dragOnScreen(c, cEnd));
    const QImage third = setup.waitForPicture("img4.png");
    ASSERT_FALSE(third.isNull()) << "files: " << setup.files().join(" ").toStdString();
    EXPECT_EQ(third.size(), QSize(1000, 400));
    EXPECT_EQ(Mismatches(third, c), 0);
    EXPECT_TRUE(waitUntil([&] { return !setup.mainWindowVisible(); }, 10000));
    EXPECT_EQ(setup.files(), QStringList({"img1.png", "img2.png", "img3.png", "img4.png"}));

    // The toolbar lists the three; no capture of the run went to the clipboard.
    toolbar = setup.toolbar();
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
    EXPECT_FALSE(setup.waitForNormalWindow().isEmpty()) << "the main window does not come back";
    EXPECT_TRUE(waitUntil([&] { return setup.toolbar().isEmpty(); }, 10000));
}

TEST(Capture, HotkeysOneToThreeSaveTheScreenTheWindowAndItsClientArea) {
    E2eApp app;
    CaptureSetup setup(app, "ContinueCut=1\n");
    ASSERT_TRUE(setup.startOnPattern());
    // The hotkeys hold from the start of an area capture.
    const QString toolbar = setup.startContinuousRun();
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

namespace {

// The main window's picture: the first place in its client area where the picture's
// top-left block shows, relative to the client area; `part` is the part of the pattern
// the picture holds. (-1, -1) when it does not show within the timeout.
QPoint ShownPictureOrigin(CaptureSetup& setup, QPoint part, int timeoutMs = 10000) {
    QPoint at(-1, -1);
    waitUntil(
        [&] {
            const QRect client = setup.app.windowGeometryIfAny(setup.mainWindow());
            if (client.isEmpty()) return false;
            const QPoint found =
                FindPatternBlock(setup.app.screenshot(), client, QRect(part, QSize(16, 16)));
            if (found.x() < 0) return false;
            at = found - client.topLeft();
            return true;
        },
        timeoutMs);
    return at;
}

// Pixels in which two pictures of one size differ.
int Differences(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height() + b.width() * b.height();
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int differ = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if ((x.pixel(col, row) & 0xFFFFFF) != (y.pixel(col, row) & 0xFFFFFF)) ++differ;
    return differ;
}

// What the screen shows in `rect` once it has settled: three screenshots in a row alike.
QImage SettledShot(E2eApp& app, const QRect& rect) {
    QImage shown;
    int alike = 0;
    waitUntil(
        [&] {
            const QImage now = app.screenshot().copy(rect);
            alike = now == shown ? alike + 1 : 0;
            shown = now;
            return alike >= 2;
        },
        10000);
    return shown;
}

// The picture shown before a capture: of another pixel format than the display's.
struct ShownPicture {
    const char* name;
    const char* file;
    QImage::Format format;
    const char* type;
};

QByteArray ShownPictureFile(const ShownPicture& shown) {
    QImage colours(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < colours.height(); ++y)
        for (int x = 0; x < colours.width(); ++x)
            colours.setPixel(x, y, qRgb(x * 255 / 159, y * 255 / 119, 255 - x));
    return FileOf(colours.convertToFormat(shown.format), shown.type);
}

void PrintTo(const ShownPicture& shown, std::ostream* os) {
    *os << shown.name;
}

class CaptureAfterPicture : public ::testing::TestWithParam<ShownPicture> {};

} // namespace

// A capture holds the screen in the display's full colour, whatever the picture shown before
// it: the full-screen capture and the area capture are the pattern, pixel for pixel.
TEST_P(CaptureAfterPicture, KeepsTheDisplaysFullColour) {
    const ShownPicture& shown = GetParam();
    E2eApp app;
    CaptureSetup setup(app);
    // The first entry of the list; shown by a click on it, which keeps the format of new
    // captures.
    app.writeFile(QString("pics/") + shown.file, ShownPictureFile(shown));
    ASSERT_TRUE(setup.startOnPattern());
    const auto showIt = [&] {
        const QString window = setup.mainWindow();
        app.click(window, kListLeft + 30, kListTop + kListRowHeight / 2);
        return waitUntil(
            [&] {
                return NonWhiteShare(app.screenshot(), app.windowGeometry(window).topLeft(), 0) >
                       0.5;
            },
            10000);
    };

    ASSERT_TRUE(showIt()) << shown.file << " is not selected in the list";
    const QPoint rest(1200, 1000);
    app.moveMouse(rest);
    app.key("ctrl+f");
    const QImage full = setup.waitForPicture("img2.png");
    ASSERT_FALSE(full.isNull()) << "Ctrl+F saved nothing; files: "
                                << setup.files().join(" ").toStdString();
    EXPECT_EQ(full.size(), kScreen);
    EXPECT_EQ(Mismatches(full, QPoint(0, 0), AroundPointer(rest)), 0)
        << "the full-screen capture took the pixel format of " << shown.file;

    ASSERT_TRUE(waitUntil([&] { return setup.mainWindowVisible(); }, 10000));
    ASSERT_TRUE(showIt()) << shown.file << " is not selected in the list";
    app.click(setup.mainWindow(), kAreaButton);
    ASSERT_TRUE(setup.waitForFrozenScreen()) << "no frozen screen after the area button";
    const QRect still(600, 400, 200, 200);
    EXPECT_EQ(Mismatches(app.screenshot().copy(still), still.topLeft()), 0)
        << "the frozen screen is not the screen in full colour";
    const QPoint from(300, 200), to(700, 500);
    ASSERT_TRUE(app.dragOnScreen(from, to));
    const QImage area = setup.waitForPicture("img3.png");
    ASSERT_FALSE(area.isNull()) << "the area capture saved nothing; files: "
                                << setup.files().join(" ").toStdString();
    EXPECT_EQ(area.size(), QSize(400, 300));
    EXPECT_EQ(Mismatches(area, from), 0)
        << "the area capture took the pixel format of " << shown.file;
}

INSTANTIATE_TEST_SUITE_P(
    , CaptureAfterPicture,
    ::testing::Values(ShownPicture{"GrayPng", "gray.png", QImage::Format_Grayscale8, "PNG"},
                      ShownPicture{"PalettePng", "colours.png", QImage::Format_Indexed8, "PNG"},
                      ShownPicture{"GrayJpeg", "gray.jpg", QImage::Format_Grayscale8, "JPG"},
                      ShownPicture{"PaletteBmp", "colours.bmp", QImage::Format_Indexed8, "BMP"}),
    [](const ::testing::TestParamInfo<ShownPicture>& info) { return info.param.name; });

namespace {

// Ways out of an area capture or a continuous run.
enum class WayOut { EscOnFrozenScreen, EscInRun, RunCloseBox, RunReturnButton };

struct WayOutCase {
    const char* name;
    WayOut way;
};

void PrintTo(const WayOutCase& c, std::ostream* os) {
    *os << c.name;
}

class CaptureWayOut : public ::testing::TestWithParam<WayOutCase> {};

} // namespace

// However an area capture or a continuous run is left, no tool stays armed: a drag on the
// picture afterwards writes no file, changes no picture and leaves the clipboard alone.
TEST_P(CaptureWayOut, LeavesNoToolArmed) {
    const WayOut way = GetParam().way;
    const bool run = way != WayOut::EscOnFrozenScreen;
    E2eApp app;
    CaptureSetup setup(app, run ? "ContinueCut=1\n" : "");
    ASSERT_TRUE(setup.startOnPattern());

    // The picture holds the pattern from `part` on afterwards: the full-screen grab after
    // Esc on the frozen screen, the capture of the run (away from the toolbar) otherwise.
    const QPoint part = run ? QPoint(400, 300) : QPoint(300, 200);
    QStringList files{"img1.png"};
    if (!run) {
        app.click(setup.main, kAreaButton);
        ASSERT_TRUE(setup.waitForFrozenScreen()) << "no frozen screen after the area button";
        app.moveMouse({500, 500});
        app.key("Escape");
    } else {
        const QString bar = setup.startContinuousRun();
        ASSERT_FALSE(bar.isEmpty()) << "no frozen screen with the capture toolbar";
        ASSERT_TRUE(app.dragOnScreen(part, part + QPoint(350, 250)));
        ASSERT_FALSE(setup.waitForPicture("img2.png").isNull()) << "the run saved nothing";
        files << "img2.png";
        ASSERT_TRUE(waitUntil([&] { return !setup.mainWindowVisible(); }, 10000));
        if (way == WayOut::EscInRun)
            app.key("Escape");
        else if (way == WayOut::RunCloseBox)
            app.closeWindow(bar);
        else
            app.click(bar, kToolbarReturnButton);
    }
    if (setup.waitForNormalWindow().isEmpty()) {
        app.screenshot().save(app.appDir() + "screen.png");
        FAIL() << "the main window does not come back; the screen is in "
               << app.appDir().toStdString() << "screen.png; " << setup.windowsReport();
    }
    const QPoint origin = ShownPictureOrigin(setup, part);
    ASSERT_GE(origin.x(), 0) << "the main window does not show its picture";
    const QRect client = app.windowGeometry(setup.mainWindow());
    const QRect shownPart(client.topLeft() + origin, QSize(280, 180));
    ASSERT_EQ(Mismatches(app.screenshot().copy(shownPart), part), 0);
    const QImage clipboard = app.clipboardImage();

    // A drag across the picture, as a tool would take it.
    ASSERT_TRUE(app.dragOnScreen(shownPart.topLeft() + QPoint(30, 30),
                                 shownPart.topLeft() + QPoint(230, 150)));
    app.moveMouse(shownPart.bottomRight() + QPoint(200, 100));
    EXPECT_FALSE(waitUntil([&] { return setup.files() != files; }, 3000))
        << "the drag saved a file: " << setup.files().join(" ").toStdString();
    EXPECT_TRUE(setup.mainWindowVisible()) << "the drag hid the main window";
    EXPECT_EQ(Mismatches(app.screenshot().copy(shownPart), part), 0)
        << "the drag changed the picture";
    const QImage clipboardAfter = app.clipboardImage();
    EXPECT_EQ(clipboardAfter.isNull(), clipboard.isNull()) << "the drag changed the clipboard";
    if (!clipboard.isNull()) {
        EXPECT_EQ(Differences(clipboardAfter, clipboard), 0) << "the drag changed the clipboard";
    }
}

INSTANTIATE_TEST_SUITE_P(
    , CaptureWayOut,
    ::testing::Values(WayOutCase{"EscOnFrozenScreen", WayOut::EscOnFrozenScreen},
                      WayOutCase{"EscInRun", WayOut::EscInRun},
                      WayOutCase{"RunCloseBox", WayOut::RunCloseBox},
                      WayOutCase{"RunReturnButton", WayOut::RunReturnButton}),
    [](const ::testing::TestParamInfo<WayOutCase>& info) { return info.param.name; });

// The main window stays one X window through every kind of capture, every capture works
// after the window has come back, and its picture starts where it started before, except
// that the first area capture takes away the 6-pixel bar between the list and the picture
// for good.
TEST(Capture, MainWindowKeepsItsXWindowAndPicturePlaceThroughCaptures) {
    E2eApp app;
    // The picture of the start is a part of the pattern, so that its place can be found.
    CaptureSetup setup(app, QString(), "img1.png", FileOf(Pattern(QRect(0, 0, 120, 90)), "PNG"));
    ASSERT_TRUE(setup.startOnPattern());
    const QPoint start = ShownPictureOrigin(setup, QPoint(0, 0));
    ASSERT_GE(start.x(), 0) << "the first picture does not show";
    const auto expectSameWindow = [&](const char* after) {
        EXPECT_TRUE(app.windowExists(setup.main) && setup.mainWindowVisible())
            << "after " << after << " the main window is another X window than "
            << setup.main.toStdString() << ": " << setup.mainWindow().toStdString();
    };

    // Ctrl+F: the full-screen capture becomes the picture.
    const QPoint rest(1200, 1000);
    app.moveMouse(rest);
    app.key("ctrl+f");
    ASSERT_FALSE(setup.waitForPicture("img2.png").isNull()) << "Ctrl+F saved nothing";
    ASSERT_TRUE(waitUntil([&] { return setup.mainWindowVisible(); }, 10000));
    expectSameWindow("Ctrl+F");
    EXPECT_EQ(ShownPictureOrigin(setup, QPoint(0, 0)), start) << "after Ctrl+F";

    // An area capture.
    app.click(setup.mainWindow(), kAreaButton);
    ASSERT_TRUE(setup.waitForFrozenScreen()) << "no frozen screen after the area button";
    ASSERT_TRUE(app.dragOnScreen({300, 200}, {700, 500}));
    ASSERT_FALSE(setup.waitForPicture("img3.png").isNull()) << "the area capture saved nothing";
    ASSERT_FALSE(setup.waitForNormalWindow().isEmpty());
    expectSameWindow("an area capture");
    // The bar between the list and the picture has gone and stays away.
    const QPoint withoutBar = start - QPoint(6, 0);
    EXPECT_EQ(ShownPictureOrigin(setup, QPoint(300, 200)), withoutBar) << "after an area capture";

    // An area capture given up with Esc.
    app.click(setup.mainWindow(), kAreaButton);
    ASSERT_TRUE(setup.waitForFrozenScreen()) << "no frozen screen after the area button";
    app.key("Escape");
    ASSERT_FALSE(setup.waitForNormalWindow().isEmpty()) << "Esc does not leave the frozen screen";
    expectSameWindow("Esc on the frozen screen");
    EXPECT_EQ(ShownPictureOrigin(setup, QPoint(0, 0)), withoutBar) << "after Esc";

    // Another area capture, once the window has come back from the frozen screen.
    app.click(setup.mainWindow(), kAreaButton);
    ASSERT_TRUE(setup.waitForFrozenScreen()) << "no frozen screen after the area button";
    ASSERT_TRUE(app.dragOnScreen({350, 250}, {750, 550}));
    const QImage second = setup.waitForPicture("img4.png");
    ASSERT_FALSE(second.isNull()) << "the drag of a second area capture saved nothing";
    EXPECT_EQ(Mismatches(second, QPoint(350, 250)), 0);
    ASSERT_FALSE(setup.waitForNormalWindow().isEmpty());
    expectSameWindow("a second area capture");
    EXPECT_EQ(ShownPictureOrigin(setup, QPoint(350, 250)), withoutBar)
        << "after a second area capture";

    // A continuous run of one capture, ended with the toolbar's close box.
    app.click(setup.mainWindow(), kContinueCutButton);
    const QString bar = setup.startContinuousRun();
    ASSERT_FALSE(bar.isEmpty()) << "no frozen screen with the capture toolbar";
    ASSERT_TRUE(app.dragOnScreen({400, 300}, {600, 450}));
    ASSERT_FALSE(setup.waitForPicture("img5.png").isNull()) << "the run saved nothing";
    ASSERT_TRUE(waitUntil([&] { return !setup.mainWindowVisible(); }, 10000));
    app.closeWindow(bar);
    ASSERT_FALSE(setup.waitForNormalWindow().isEmpty()) << "the run does not end";
    expectSameWindow("a continuous run");
    EXPECT_EQ(ShownPictureOrigin(setup, QPoint(400, 300)), withoutBar) << "after a continuous run";
}

namespace {

// A capture hotkey pressed on the frozen screen outside a continuous run.
struct FrozenHotkey {
    const char* name;
    const char* keys;
    // What it takes: 0 the whole screen, 1 the foreground window with its frame, 2 its
    // client area.
    int mode;
};

// The main window's place and frame.
struct WindowState {
    QRect geometry;
    QList<int> frame;
};

// Makes the maximized main window a normal one, as a double click on its title bar does;
// its state once settled (an empty geometry when it stays maximized).
WindowState MakeMainWindowNormal(CaptureSetup& setup) {
    E2eApp& app = setup.app;
    const QRect maximized = app.windowGeometry(setup.main);
    app.runHelper("xdotool", {"mousemove", QString::number(maximized.x() + 400),
                              QString::number(maximized.y() - 8), "click", "--repeat", "2",
                              "--delay", "100", "1"});
    WindowState state;
    if (!waitUntil([&] { return app.windowGeometry(setup.main).width() < kScreen.width(); }, 10000))
        return state;
    waitUntil(
        [&] {
            const QRect now = app.windowGeometry(setup.main);
            const bool settled = now == state.geometry;
            state.geometry = now;
            return settled;
        },
        5000);
    state.frame = FrameExtents(app, setup.main);
    return state;
}

// The main window is back as it was: the same place, size and frame, in the normal layer,
// and no drag hint follows the pointer over its picture, which holds the pattern from `part`
// on: the picture shows uncovered above and right of the pointer.
void ExpectMainWindowAsBefore(CaptureSetup& setup, const WindowState& before, QPoint part) {
    E2eApp& app = setup.app;
    QRect after;
    EXPECT_TRUE(waitUntil(
        [&] {
            after = app.windowGeometryIfAny(setup.mainWindow());
            return setup.mainWindowVisible() && after == before.geometry;
        },
        10000))
        << "the main window is at " << ::testing::PrintToString(after) << ", before at "
        << ::testing::PrintToString(before.geometry);
    const QString window = setup.mainWindow();
    EXPECT_EQ(FrameExtents(app, window), before.frame) << "the main window lost its frame";
    EXPECT_FALSE(HasWmState(app, window, "_NET_WM_STATE_ABOVE"))
        << "the main window stays above the others";
    EXPECT_FALSE(HasWmState(app, window, "_NET_WM_STATE_FULLSCREEN"))
        << "the main window stays full screen";

    const QPoint origin = ShownPictureOrigin(setup, part);
    ASSERT_GE(origin.x(), 0) << "the main window does not show its picture";
    const QPoint shown = app.windowGeometry(window).topLeft() + origin;
    app.moveMouse(shown + QPoint(16, 41));
    app.moveMouse(shown + QPoint(20, 45));
    const QRect nearPointer(shown + QPoint(30, 5), QSize(200, 40));
    EXPECT_TRUE(waitUntil(
        [&] { return Mismatches(app.screenshot().copy(nearPointer), part + QPoint(30, 5)) == 0; },
        3000))
        << "something covers the picture beside the pointer: the drag hint";
}

void PrintTo(const FrozenHotkey& hotkey, std::ostream* os) {
    *os << hotkey.name;
}

class CaptureHotkeyOnFrozenScreen : public ::testing::TestWithParam<FrozenHotkey> {};

} // namespace

// The capture is saved, and the main window is back as it was before the area capture: its
// frame, size and place, in the normal layer, without the drag hint.
TEST_P(CaptureHotkeyOnFrozenScreen, SavesItsGrabAndBringsTheWindowBackAsItWas) {
    const FrozenHotkey& hotkey = GetParam();
    E2eApp app;
    CaptureSetup setup(app);
    ASSERT_TRUE(setup.startOnPattern());
    const WindowState before = MakeMainWindowNormal(setup);
    ASSERT_FALSE(before.geometry.isEmpty()) << "the window stays maximized";
    ASSERT_EQ(before.frame.size(), 4);
    ASSERT_GT(before.frame[2], 0) << "the window has no title bar";

    // The window capture takes the foreground window: another program's, which takes the
    // focus back when the program's own windows hide for the grab.
    std::optional<ProbeWindow> probe;
    QImage probeShown;
    QRect probeRect;
    // Above the normal main window, clear of it.
    const QRect probePart(700, 500, 360, 150);
    if (hotkey.mode != 0) {
        probe.emplace(app, probePart, QPoint(400, 22));
        ASSERT_FALSE(probe->id().isEmpty());
        ASSERT_TRUE(probe->activate());
        probeRect =
            hotkey.mode == 1 ? FrameRect(app, probe->id()) : app.windowGeometry(probe->id());
        probeShown = SettledShot(app, probeRect);
        ASSERT_FALSE(before.geometry.intersects(FrameRect(app, probe->id())));
    }

    const QPoint areaButton = before.geometry.topLeft() + kAreaButton;
    app.click(setup.main, kAreaButton);
    ASSERT_TRUE(setup.waitForFrozenScreen()) << "no frozen screen after the area button";
    app.key(hotkey.keys);
    const QImage saved = setup.waitForPicture("img2.png");
    ASSERT_FALSE(saved.isNull()) << hotkey.keys << " saved nothing";
    QPoint part;
    if (hotkey.mode == 0) {
        EXPECT_EQ(saved.size(), kScreen);
        EXPECT_EQ(Mismatches(saved, QPoint(0, 0), AroundPointer(areaButton)), 0)
            << "the capture is not the whole screen";
    } else {
        EXPECT_EQ(saved.size(), probeRect.size());
        EXPECT_EQ(Differences(saved, probeShown), 0)
            << "the capture is not the foreground window as the screen showed it";
        part = probePart.topLeft();
    }

    ExpectMainWindowAsBefore(setup, before, part);
}

INSTANTIATE_TEST_SUITE_P(, CaptureHotkeyOnFrozenScreen,
                         ::testing::Values(FrozenHotkey{"FullScreen", "ctrl+shift+f", 0},
                                           FrozenHotkey{"Window", "ctrl+shift+w", 1},
                                           FrozenHotkey{"ClientArea", "ctrl+shift+c", 2}),
                         [](const ::testing::TestParamInfo<FrozenHotkey>& info) {
                             return info.param.name;
                         });

namespace {

// A desktop whose interface is scaled: by QT_SCALE_FACTOR or by Xft.dpi in the X resources.
struct ScaleCase {
    const char* name;
    double factor;
    const char* qtScaleFactor;
    int xftDpi;
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.name;
}

class CaptureScaled : public ::testing::TestWithParam<ScaleCase> {
  protected:
    CaptureScaled() {
        if (GetParam().qtScaleFactor)
            m_app.setEnvironment("QT_SCALE_FACTOR", GetParam().qtScaleFactor);
    }
    E2eApp m_app;
};

// Presses the hotkey of a window capture with the window `id` in front, the pointer away,
// and compares the saved capture with what the screen showed of the window just before:
// its client area, or with its frame.
void ExpectWindowCapture(CaptureSetup& setup, const QString& id, const QString& keys,
                         const QString& file, bool clientArea) {
    E2eApp& app = setup.app;
    const QRect rect = clientArea ? app.windowGeometry(id) : FrameRect(app, id);
    const QImage shown = SettledShot(app, rect);
    app.key(keys);
    const QImage saved = setup.waitForPicture(file);
    ASSERT_FALSE(saved.isNull()) << keys.toStdString() << " saved nothing";
    EXPECT_EQ(saved.size(), rect.size()) << keys.toStdString();
    EXPECT_EQ(Differences(saved, shown), 0)
        << keys.toStdString() << " did not save the window's pixels at its place";
}

} // namespace

// At any scale factor a capture holds the screen's own pixels: the frozen screen shows them
// 1:1, an area dragged from one screen pixel to another is exactly that rectangle, and the
// full-screen, window and client-area captures are exactly what the screen shows.
TEST_P(CaptureScaled, CapturesExactlyTheScreensPixels) {
    const ScaleCase& scaled = GetParam();
    if (scaled.xftDpi) {
        ASSERT_TRUE(m_app.setXftDpi(scaled.xftDpi));
    }
    CaptureSetup setup(m_app, "ContinueCut=1\n");
    ASSERT_TRUE(setup.startOnPattern());

    const QPoint rest(1200, 1000);
    m_app.moveMouse(rest);
    m_app.key("ctrl+f");
    const QImage full = setup.waitForPicture("img2.png");
    ASSERT_FALSE(full.isNull()) << "Ctrl+F saved nothing";
    EXPECT_EQ(full.size(), kScreen);
    EXPECT_EQ(Mismatches(full, QPoint(0, 0), AroundPointer(rest)), 0);
    ASSERT_TRUE(waitUntil([&] { return setup.mainWindowVisible(); }, 10000));

    const QString bar = setup.startContinuousRun(scaled.factor);
    ASSERT_FALSE(bar.isEmpty()) << "no frozen screen with the capture toolbar";
    // Away from the toolbar, the pointer and the drag hint beside it.
    const QRect still(700, 420, 560, 580);
    EXPECT_TRUE(waitUntil(
        [&] { return Mismatches(m_app.screenshot().copy(still), still.topLeft()) == 0; }, 5000))
        << "the frozen screen does not show the screen pixel for pixel";
    // Odd screen pixels: between two pixels of the scaled interface.
    const QPoint from(733, 451), to(1047, 763);
    ASSERT_TRUE(m_app.dragOnScreen(from, to));
    const QImage area = setup.waitForPicture("img3.png");
    ASSERT_FALSE(area.isNull()) << "the area capture saved nothing";
    EXPECT_EQ(area.size(), QSize(to.x() - from.x(), to.y() - from.y()));
    EXPECT_EQ(Mismatches(area, from), 0) << "the area capture is not the dragged rectangle";
    ASSERT_TRUE(waitUntil([&] { return !setup.mainWindowVisible(); }, 10000));

    // The toolbar in front: its client area by hotkey 3, the whole window by hotkey 2.
    m_app.click(bar, Scaled(QPoint(20, 170), scaled.factor));
    ASSERT_TRUE(waitUntil([&] { return ActiveWindow(m_app) == bar; }, 10000))
        << "the toolbar does not take the focus";
    m_app.moveMouse(rest);
    ExpectWindowCapture(setup, bar, "ctrl+shift+c", "img4.png", true);
    ExpectWindowCapture(setup, bar, "ctrl+shift+w", "img5.png", false);
}

INSTANTIATE_TEST_SUITE_P(
    , CaptureScaled,
    ::testing::Values(ScaleCase{"Factor1", 1.0, nullptr, 0}, ScaleCase{"Factor1_5", 1.5, "1.5", 0},
                      ScaleCase{"Factor2", 2.0, "2", 0}, ScaleCase{"XftDpi144", 1.5, nullptr, 144}),
    [](const ::testing::TestParamInfo<ScaleCase>& info) { return info.param.name; });
