// The canvas tools through the real program: a rectangle dragged out with the mouse on a
// grey picture shows in the inverted pen colour where it lies, and nowhere else.

#include "e2e/e2e_app.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

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

// Top-left corner of the grey picture on the screen.
QPoint FindPicture(const QImage& screen) {
    return FindSolidRect(screen, kPictureSize, kPaper);
}

// A left-button drag through XTest, in window coordinates, with moves on the way.
bool Drag(const QString& window, QPoint from, QPoint to) {
    QStringList args = {
        "mousemove", "--window", window, QString::number(from.x()), QString::number(from.y()),
        "mousedown", "1"};
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + (to - from) * step / 4;
        args << "sleep"
             << "0.1"
             << "mousemove"
             << "--window" << window << QString::number(at.x()) << QString::number(at.y());
    }
    args << "sleep"
         << "0.1"
         << "mouseup"
         << "1";
    QProcess xdotool;
    xdotool.start("xdotool", args);
    return xdotool.waitForFinished(10000) && xdotool.exitCode() == 0;
}

} // namespace

TEST(CanvasTools, DraggedRectangleShowsWhereItLies) {
    E2eApp app;
    const QString a = app.appDir();
    QImage paper(kPictureSize, QImage::Format_RGB32);
    paper.fill(kPaper);
    app.writeFile("pics/1.bmp", BmpOf(paper));
    app.writeFile(
        "defualt.ini",
        QString("[default]\nPicPath=" + a + "pics/\nCurPicName=" + a + "pics/1.bmp\n").toUtf8());
    ASSERT_TRUE(app.start());
    const QString window = app.waitForWindow("QEL");
    ASSERT_FALSE(window.isEmpty());
    const QRect client = app.windowGeometry(window);
    QPoint screenAt(-1, -1);
    ASSERT_TRUE(waitUntil(
        [&] {
            screenAt = FindPicture(app.screenshot());
            return screenAt.x() >= 0;
        },
        10000))
        << "the picture is not on the screen";
    const QPoint picture = screenAt - client.topLeft();
    auto colourAt = [&](const QImage& screen, QPoint p) { return screen.pixelColor(screenAt + p); };

    // A rectangle dragged backwards: its outline covers the box, its inside stays grey.
    app.click(window, kAddRect);
    ASSERT_TRUE(Drag(window, picture + QPoint(150, 120), picture + QPoint(50, 40)));
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
