// The watermark of a command-line capture, as the window stamps it: a picture watermark
// blended at its place and strength, and a text watermark, whose label is drawn with the
// interface fonts.
#include "e2e/capture_helpers.h"

#include <QFile>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace {

constexpr QRect kMark(100, 60, 50, 40);
const QRgb kMarkColour = qRgb(205, 35, 115);

int Blend(int old, int mark, float a) {
    return static_cast<int>(std::trunc((1.0 - a) * old + static_cast<double>(a) * mark));
}

QRgb Blend(QRgb old, QRgb mark, float a) {
    return qRgb(Blend(qRed(old), qRed(mark), a), Blend(qGreen(old), qGreen(mark), a),
                Blend(qBlue(old), qBlue(mark), a));
}

// Pixels of the capture inside `area` that are not the pattern blended with `colour`.
int NotBlended(const QImage& shot, const QRect& area, QRgb colour, float a) {
    int wrong = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((shot.pixel(x, y) & 0xFFFFFF) != (Blend(PatternAt(x, y), colour, a) & 0xFFFFFF))
                ++wrong;
    return wrong;
}

// Pixels of the capture outside the skipped rectangles that are not the screen's.
int OffPattern(const QImage& shot, const QList<QRect>& skip) {
    int wrong = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (std::none_of(skip.begin(), skip.end(),
                             [&](const QRect& r) { return r.contains(x, y); }) &&
                (shot.pixel(x, y) & 0xFFFFFF) != (PatternAt(x, y) & 0xFFFFFF))
                ++wrong;
    return wrong;
}

// The settings lines of a watermark at kMark's corner, counted from the top left.
QString WatermarkSettings(int type, const QString& more) {
    return QString("WatermarkType=%1\nWaterMarkTransparent=7\nCbMarkContrst=0\nMarkX=%2\n"
                   "MarkY=%3\n%4")
        .arg(type)
        .arg(kMark.x())
        .arg(kMark.y())
        .arg(more);
}

} // namespace

TEST(CommandLine, WatermarksAreStampedAsTheWindowStampsThem) {
    E2eApp app;
    ASSERT_TRUE(app.setRootPicture(Pattern()));
    const QPoint rest(1200, 1000);
    app.moveMouse(rest);
    const QRect pointer = AroundPointer(rest);

    // A picture watermark: its pixels blended at 0.7 into the capture, nothing else touched.
    QImage mark(kMark.size(), QImage::Format_RGB32);
    mark.fill(kMarkColour);
    ASSERT_TRUE(mark.save(app.appDir() + "mark.png"));
    CaptureSetup picture(app,
                         WatermarkSettings(1, "WatermarkImgPath=" + app.appDir() + "mark.png"));
    const QString shot = app.appDir() + "picture.png";
    ASSERT_TRUE(app.start({"--capture", "screen", "--output", shot}));
    ASSERT_TRUE(app.waitForExit(20000));
    EXPECT_EQ(app.exitCode(), 0) << app.programStderr().toStdString();
    QImage stamped;
    ASSERT_TRUE(stamped.load(shot));
    ASSERT_EQ(stamped.size(), kScreen);
    EXPECT_EQ(NotBlended(stamped, kMark, kMarkColour, 0.7f), 0);
    EXPECT_EQ(OffPattern(stamped, {kMark, pointer}), 0);

    // A text watermark: a white label with the text in black, its top-left corner at the
    // place set; the margin left of the text is white blended in.
    CaptureSetup text(app, WatermarkSettings(0, "WatermarkText=QEL 水印"));
    const QString textShot = app.appDir() + "text.jpg";
    ASSERT_TRUE(app.start({"--capture", "screen", "--output", textShot}));
    ASSERT_TRUE(app.waitForExit(20000));
    EXPECT_EQ(app.exitCode(), 0) << app.programStderr().toStdString();
    QImage labelled;
    ASSERT_TRUE(labelled.load(textShot));
    ASSERT_EQ(labelled.size(), kScreen);
    // JPEG at quality 100 stays within a few levels of each pixel.
    auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 6 && std::abs(qGreen(a) - qGreen(b)) <= 6 &&
               std::abs(qBlue(a) - qBlue(b)) <= 6;
    };
    const QPoint margin = kMark.topLeft() + QPoint(4, 2);
    EXPECT_TRUE(near(labelled.pixel(margin),
                     Blend(PatternAt(margin.x(), margin.y()), qRgb(255, 255, 255), 0.7f)));
    // Somewhere on the label the text darkens the picture below the pattern's own colour.
    int dark = 0;
    for (int y = kMark.top() + 5; y < kMark.top() + 20; ++y)
        for (int x = kMark.left() + 10; x < kMark.left() + 60; ++x)
            if (qGray(labelled.pixel(x, y)) + 40 < qGray(PatternAt(x, y))) ++dark;
    EXPECT_GT(dark, 20);
    // Away from the label the capture is the screen.
    const QPoint away(900, 700);
    EXPECT_TRUE(near(labelled.pixel(away), PatternAt(away.x(), away.y())));
}
