// The canvas tools through the real program: a rectangle dragged out with the mouse on a
// grey picture shows in the inverted pen colour where it lies, and nowhere else; every shape
// tool of the edit toolbar draws its figure on a white picture in the pen colour, without
// traces of the rubber band, and the save button writes what the screen shows. The buttons'
// hints keep showing after area captures.

#include "e2e/e2e_app.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const QColor kPaper(200, 200, 200);
// The red pen inverted onto the grey paper: NOT(red XOR grey).
const QColor kInk(200, 55, 55);
constexpr QSize kPictureSize(400, 300);

// Edit toolbar buttons, centres in window coordinates: frame 10 and 12, buttons at their
// left in the toolbar, 38 from the top bar's top, 22 high.
QPoint ToolbarButton(int left, int width) {
    return QPoint(10 + left + width / 2, 12 + 38 + 11);
}
const QPoint kAddRect = ToolbarButton(458, 24);

} // namespace

TEST(CanvasTools, DraggedRectangleShowsWhereItLies) {
    E2eApp app;
    QImage paper(kPictureSize, QImage::Format_RGB32);
    paper.fill(kPaper);
    const QString window = app.startWithPicture(paper);
    ASSERT_FALSE(window.isEmpty());
    const QRect client = app.windowGeometry(window);
    const QPoint screenAt = app.waitForSolidRect(kPictureSize, kPaper);
    ASSERT_GE(screenAt.x(), 0) << "the picture is not on the screen";
    const QPoint picture = screenAt - client.topLeft();
    auto colourAt = [&](const QImage& screen, QPoint p) { return screen.pixelColor(screenAt + p); };

    // A rectangle dragged backwards: its outline covers the box, its inside stays grey.
    app.click(window, kAddRect);
    ASSERT_TRUE(app.dragAlong({picture + QPoint(150, 120), picture + QPoint(125, 100),
                               picture + QPoint(100, 80), picture + QPoint(75, 60),
                               picture + QPoint(50, 40)},
                              window));
    QImage screen;
    EXPECT_TRUE(waitUntil(
        [&] {
            screen = app.screenshot();
            return colourAt(screen, {50, 40}) == kInk && colourAt(screen, {149, 119}) == kInk;
        },
        10000))
        << "the rectangle is not on the picture";
    EXPECT_EQ(colourAt(screen, {100, 40}), kInk);
    EXPECT_EQ(colourAt(screen, {50, 80}), kInk);
    EXPECT_EQ(colourAt(screen, {100, 80}), kPaper);
    EXPECT_EQ(colourAt(screen, {150, 120}), kPaper);
    // No trace of the rubber band's earlier positions.
    EXPECT_EQ(colourAt(screen, {125, 100}), kPaper);
}

namespace {

const QColor kWhite(255, 255, 255);
// The annotation colour RGB(32, 96, 192) as the settings store it: a COLORREF 0x00BBGGRR.
const QColor kPen(32, 96, 192);
constexpr int kPenColorRef = 0x00C06020;
// A 1-pixel frame around the white picture finds it on the white window.
const QColor kFrame(0, 160, 0);
constexpr QSize kWhiteSize(600, 400);

// One shape tool: its button, the drag (pressed at the first point, released at the last, in
// picture coordinates), where the figure must lie (within a pixel) and where the picture must
// stay white (with the eight neighbours) - among them where the rubber band passed.
struct ShapeCase {
    const char* name;
    QPoint button;
    std::vector<QPoint> path;
    std::vector<QPoint> ink;
    std::vector<QPoint> paper;
};

// Six areas of 200 x 200: line, single arrow and double arrow above, ellipse, rounded
// rectangle and rectangle below. Each drag detours through a point off the final figure so
// that a rubber band left behind would show.
std::vector<ShapeCase> ShapeCases() {
    return {
        // A slanting line from (30, 40) to (170, 160); the band swings through (170, 40).
        {"line",
         ToolbarButton(344, 22),
         {{30, 40}, {100, 40}, {170, 40}, {170, 100}, {170, 160}},
         {{100, 100}, {65, 70}, {160, 151}, {31, 41}},
         {{65, 40}, {100, 70}, {150, 60}, {60, 150}, {169, 100}}},
        // A level arrow from (230, 100) to (370, 100): the head, barbs 10 back and 5 aside,
        // sits where the drag began; the end where it was released stays bare.
        {"single arrow",
         ToolbarButton(365, 21),
         {{230, 100}, {300, 70}, {370, 40}, {370, 70}, {370, 100}},
         {{300, 100}, {234, 98}, {234, 102}, {238, 96}, {238, 104}, {368, 100}},
         {{366, 97}, {366, 103}, {362, 96}, {362, 104}, {300, 70}, {335, 55}, {300, 90}}},
        // A level arrow from (430, 100) to (570, 100) with a head at both ends.
        {"double arrow",
         ToolbarButton(385, 23),
         {{430, 100}, {500, 130}, {570, 160}, {570, 130}, {570, 100}},
         {{500, 100}, {434, 98}, {434, 102}, {566, 98}, {566, 102}, {562, 96}, {562, 104}},
         {{500, 130}, {500, 115}, {535, 145}, {500, 110}}},
        // An ellipse in the box (40, 240) - (160, 360); the band grows out to (190, 390) first.
        {"ellipse",
         ToolbarButton(407, 27),
         {{40, 240}, {115, 315}, {190, 390}, {175, 375}, {160, 360}},
         {{100, 240}, {100, 359}, {40, 300}, {159, 300}},
         {{100, 300},
          {42, 242},
          {157, 357},
          {114, 277},
          {77, 314},
          {189, 315},
          {115, 389},
          {174, 307},
          {107, 374}}},
        // A rounded rectangle in the box (240, 240) - (360, 360), dragged from its lower right
        // corner; its corners are cut by a quarter ellipse of a fifth of the box.
        {"rounded rectangle",
         ToolbarButton(431, 26),
         {{360, 360}, {285, 285}, {210, 210}, {225, 225}, {240, 240}},
         {{300, 240}, {300, 359}, {240, 300}, {359, 300}, {244, 244}, {355, 355}},
         {{300, 300},
          {241, 241},
          {358, 358},
          {285, 320},
          {320, 285},
          {210, 300},
          {300, 210},
          {225, 300},
          {300, 225}}},
        // A rectangle in the box (440, 240) - (560, 360), dragged from its upper right corner
        // to the lower left one through (410, 390).
        {"rectangle",
         ToolbarButton(458, 24),
         {{560, 240}, {485, 315}, {410, 390}, {425, 375}, {440, 360}},
         {{500, 240}, {500, 359}, {440, 300}, {559, 300}, {441, 241}, {558, 358}},
         {{500, 300},
          {485, 280},
          {520, 314},
          {410, 300},
          {500, 389},
          {425, 300},
          {500, 374},
          {462, 262}}},
    };
}

// Whether a pixel of `color` lies within one pixel of p.
bool ColorNear(const QImage& screen, QPoint p, const QColor& color) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (screen.pixelColor(p + QPoint(dx, dy)) == color) return true;
    return false;
}

// Whether p and its eight neighbours are all white.
bool WhiteAround(const QImage& screen, QPoint p) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (screen.pixelColor(p + QPoint(dx, dy)) != kWhite) return false;
    return true;
}

// Pixels of the picture (at `at` on the screen) in a colour they may not have: the frame
// anywhere but on the frame, anything but white or the pen inside. The first is described.
int StrayPixels(const QImage& screen, QPoint at, std::string* first) {
    int stray = 0;
    for (int y = 0; y < kWhiteSize.height(); ++y)
        for (int x = 0; x < kWhiteSize.width(); ++x) {
            const QColor c = screen.pixelColor(at + QPoint(x, y));
            const bool frame =
                x == 0 || y == 0 || x == kWhiteSize.width() - 1 || y == kWhiteSize.height() - 1;
            if (frame ? c == kFrame : (c == kWhite || c == kPen)) continue;
            if (stray++ == 0)
                *first = QString("(%1, %2) is %3").arg(x).arg(y).arg(c.name()).toStdString();
        }
    return stray;
}

} // namespace

TEST(CanvasTools, EveryShapeToolDrawsInThePenColourOnWhite) {
    E2eApp app;
    QImage paper(kWhiteSize, QImage::Format_RGB32);
    paper.fill(kWhite);
    for (int x = 0; x < kWhiteSize.width(); ++x) {
        paper.setPixelColor(x, 0, kFrame);
        paper.setPixelColor(x, kWhiteSize.height() - 1, kFrame);
    }
    for (int y = 0; y < kWhiteSize.height(); ++y) {
        paper.setPixelColor(0, y, kFrame);
        paper.setPixelColor(kWhiteSize.width() - 1, y, kFrame);
    }
    const QByteArray unedited = BmpOf(paper);
    const QString window =
        app.startWithPicture(paper, "[font]\nFontColor=" + QString::number(kPenColorRef) + "\n");
    ASSERT_FALSE(window.isEmpty());
    const QRect client = app.windowGeometry(window);
    const QPoint screenAt = app.waitForSolidRect(kWhiteSize, kFrame);
    ASSERT_GE(screenAt.x(), 0) << "the framed white picture is not on the screen";
    const QPoint picture = screenAt - client.topLeft();

    const std::vector<ShapeCase> cases = ShapeCases();
    auto inkShown = [&](const QImage& screen, const ShapeCase& shape) {
        for (const QPoint& p : shape.ink)
            if (!ColorNear(screen, screenAt + p, kPen)) return false;
        return true;
    };
    auto expectShape = [&](const QImage& screen, const ShapeCase& shape) {
        for (const QPoint& p : shape.ink)
            EXPECT_TRUE(ColorNear(screen, screenAt + p, kPen))
                << shape.name << ": no pen colour near (" << p.x() << ", " << p.y() << ")";
        for (const QPoint& p : shape.paper)
            EXPECT_TRUE(WhiteAround(screen, screenAt + p))
                << shape.name << ": not white around (" << p.x() << ", " << p.y() << ")";
    };

    QImage screen;
    for (const ShapeCase& shape : cases) {
        SCOPED_TRACE(shape.name);
        app.click(window, shape.button);
        std::vector<QPoint> path;
        for (const QPoint& p : shape.path)
            path.push_back(picture + p);
        ASSERT_TRUE(app.dragAlong(path, window));
        EXPECT_TRUE(waitUntil(
            [&] {
                screen = app.screenshot();
                return inkShown(screen, shape);
            },
            10000))
            << shape.name << " is not on the picture";
        expectShape(screen, shape);
    }

    // Every figure is still whole, and the picture holds only white and the pen colour.
    screen = app.screenshot();
    for (const ShapeCase& shape : cases)
        expectShape(screen, shape);
    std::string firstStray;
    EXPECT_EQ(StrayPixels(screen, screenAt, &firstStray), 0) << "first: " << firstStray;

    // The save button writes the picture back over the file it came from, an ordinary
    // 24-bit BMP, pixel for pixel as shown.
    const QImage shown = screen.copy(QRect(screenAt, kWhiteSize));
    app.click(window, ToolbarButton(592, 22));
    bool written = false;
    QImage saved;
    int differing = -1;
    EXPECT_TRUE(waitUntil(
        [&] {
            const QByteArray file = app.readFile("pics/1.bmp");
            if (file == unedited) return false;
            written = true;
            saved = QImage::fromData(file, "BMP");
            if (saved.size() != kWhiteSize) return false;
            differing = 0;
            for (int y = 0; y < kWhiteSize.height(); ++y)
                for (int x = 0; x < kWhiteSize.width(); ++x)
                    if ((saved.pixel(x, y) & 0xFFFFFFu) != (shown.pixel(x, y) & 0xFFFFFFu))
                        ++differing;
            return differing == 0;
        },
        10000))
        << (written ? "the saved picture is not the one shown: size " +
                          std::to_string(saved.width()) + "x" + std::to_string(saved.height()) +
                          ", " + std::to_string(differing) + " pixels differ"
                    : std::string("pics/1.bmp was not written over"));
}

namespace {

// The background of the toolkit's hint windows.
const QColor kHintPaper(0xff, 0xff, 0xdc);
// The area capture button of the tool column, in window coordinates.
constexpr QPoint kAreaButton{10 + 3 + 61, 92 + 28 + 12};

// Rests the pointer on the rectangle button and waits for its hint on the screen.
bool HintShows(E2eApp& app, const QString& window) {
    const QPoint button = app.windowGeometry(window).topLeft() + kAddRect;
    app.moveMouse(button + QPoint(0, 60));
    app.moveMouse(button + QPoint(-3, 0));
    app.moveMouse(button);
    const bool shown = app.waitForSolidRect(QSize(12, 6), kHintPaper, 8000).x() >= 0;
    app.moveMouse(button + QPoint(0, 60));
    return shown;
}

} // namespace

TEST(CanvasTools, ButtonHintsKeepShowingAfterAreaCaptures) {
    E2eApp app;
    QImage paper(kPictureSize, QImage::Format_RGB32);
    paper.fill(kPaper);
    const QString window = app.startWithPicture(paper);
    ASSERT_FALSE(window.isEmpty());
    ASSERT_TRUE(HintShows(app, window)) << "no hint before any capture";

    // An area capture given up with Esc, then one dragged out.
    const auto shownAt = [&](const std::function<bool(const QRect&)>& where) {
        return waitUntil(
            [&] {
                for (const QString& id : app.visibleWindows("3.3"))
                    if (where(app.windowGeometry(id))) return true;
                return false;
            },
            15000);
    };
    for (const bool drag : {false, true}) {
        app.click(window, kAreaButton);
        ASSERT_TRUE(shownAt([](const QRect& r) { return r == QRect(0, 0, 1280, 1024); }))
            << "no frozen screen";
        if (drag)
            ASSERT_TRUE(app.dragOnScreen({300, 300}, {500, 450}));
        else
            app.key("Escape");
        ASSERT_TRUE(shownAt([](const QRect& r) { return r.width() > 0 && r.width() < 1280; }))
            << "the window did not come back";
        EXPECT_TRUE(HintShows(app, window))
            << "no hint after an area capture " << (drag ? "dragged out" : "given up");
    }
}
