#include "edit/canvas_tool_engine.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

const QRgb kRed = qRgb(255, 0, 0);

QImage White(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage Noise(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, rng.generate() | 0xFF000000u);
    return image;
}

struct Drag {
    int startX = 0, startY = 0, endX = 0, endY = 0;
    CanvasToolEngine engine{DragPoints{startX, startY, endX, endY}};
    QPoint start() const { return {startX, startY}; }
    QPoint end() const { return {endX, endY}; }
};

} // namespace

TEST(CanvasToolEngine, RoundedCornerIsAFifthOfEachSideTruncatedTowardZero) {
    EXPECT_EQ(RoundCornerSize({0, 0}, {23, 12}), QSize(4, 2));
    EXPECT_EQ(RoundCornerSize({23, 12}, {0, 0}), QSize(-4, -2));
    EXPECT_EQ(RoundCornerSize({10, 10}, {14, 19}), QSize(0, 1));
    EXPECT_EQ(RoundCornerSize({-3, 5}, {-30, -40}), QSize(-5, -9));

    // The rubber band of a reversed drag and the final figure of the normalised box agree.
    QImage reversed = White(80, 60), normal = White(80, 60);
    Figure a(reversed.size(), PenStyle::Solid), b(normal.size(), PenStyle::Solid);
    AddToolFigure(a, ttRoundRec, {63, 47}, {4, 2});
    AddToolFigure(b, ttRoundRec, {4, 2}, {63, 47});
    a.draw(reversed, kRed, RasterMode::NotXor);
    b.draw(normal, kRed, RasterMode::NotXor);
    EXPECT_EQ(reversed, normal);
    EXPECT_NE(normal, White(80, 60));
}

TEST(CanvasToolEngine, ReleaseNormalisesBoxToolsAndLineToolsKeepTheirLastMove) {
    QImage picture = White(100, 80);
    for (std::uint8_t tool : {ttText, ttRect, ttCircle, ttAreaCut, ttRoundRec}) {
        SCOPED_TRACE(int(tool));
        Drag d;
        d.engine.press(tool, {50, 40}, kRed);
        d.engine.drag(picture, tool, {10, 5});
        // The release point, not the last move point, closes a box.
        d.engine.release(picture, tool, {12, 7}, kRed);
        EXPECT_EQ(d.start(), QPoint(12, 7));
        EXPECT_EQ(d.end(), QPoint(50, 40));
        EXPECT_EQ(d.engine.selection(), QRect(12, 7, 38, 33));

        d.engine.press(tool, {10, 10}, kRed);
        d.engine.release(picture, tool, {30, 20}, kRed);
        EXPECT_EQ(d.engine.selection(), QRect(10, 10, 20, 10));

        d.engine.press(tool, {5, 5}, kRed);
        d.engine.release(picture, tool, {5, 5}, kRed);
        EXPECT_TRUE(d.engine.selection().isEmpty());
    }
    for (std::uint8_t tool : {ttLine, ttSingleArrow, ttDoubleArrow}) {
        SCOPED_TRACE(int(tool));
        Drag d;
        d.engine.press(tool, {50, 40}, kRed);
        d.engine.drag(picture, tool, {10, 5});
        d.engine.release(picture, tool, {12, 7}, kRed);
        EXPECT_EQ(d.start(), QPoint(50, 40));
        EXPECT_EQ(d.end(), QPoint(10, 5));
    }
    EXPECT_EQ(picture, White(100, 80));
}

TEST(CanvasToolEngine, RubberBandLeavesNoTraceAndTheCommitDrawsInverted) {
    const QImage original = Noise(120, 90);
    for (const CanvasTool& row : CanvasTools()) {
        const std::uint8_t tool = row.id;
        SCOPED_TRACE(int(tool));
        QImage picture = original;
        Drag d;
        d.engine.press(tool, {60, 45}, qRgb(10, 200, 30));
        for (QPoint to : {QPoint(70, 50), QPoint(100, 80), QPoint(-20, 30), QPoint(119, 0),
                          QPoint(60, 45), QPoint(200, 200), QPoint(5, 85)}) {
            const QImage before = picture;
            const QRegion changed = d.engine.drag(picture, tool, to);
            // Only pixels inside the reported area changed.
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (before.pixel(x, y) != picture.pixel(x, y)) {
                        ASSERT_TRUE(changed.contains(QPoint(x, y))) << x << "," << y;
                    }
        }
        EXPECT_NE(picture, original);
        d.engine.release(picture, tool, {5, 85}, qRgb(10, 200, 30));
        EXPECT_EQ(picture, original);
    }

    // The committed figure is drawn with a solid inverting pen in the colour taken again at
    // the release: pen colour on white, NOT(pen XOR pixel) elsewhere.
    QImage picture = White(60, 40);
    picture.setPixel(30, 5, qRgb(0, 0, 0));
    Drag d;
    d.engine.press(ttAreaCut, {50, 30}, qRgb(1, 2, 3));
    EXPECT_EQ(d.engine.pen().style, PenStyle::DashDotDot);
    d.engine.press(ttRect, {50, 30}, qRgb(1, 2, 3));
    EXPECT_EQ(d.engine.pen().style, PenStyle::Solid);
    d.engine.drag(picture, ttRect, {20, 10});
    d.engine.release(picture, ttRect, {10, 5}, kRed);
    EXPECT_EQ(d.engine.pen().mode, RasterMode::NotXor);
    d.engine.commitShape(picture, ttRect);
    EXPECT_EQ(d.engine.pen().style, PenStyle::Solid);
    EXPECT_EQ(picture.pixel(10, 5), kRed);
    EXPECT_EQ(picture.pixel(49, 29), kRed);
    EXPECT_EQ(picture.pixel(30, 5), qRgb(0, 255, 255));
    EXPECT_EQ(picture.pixel(30, 20), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(50, 30), qRgb(255, 255, 255));
}
