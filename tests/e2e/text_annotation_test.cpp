// Text annotation through the real program: two lines of Chinese typed into the text box,
// committed onto the picture, saved back to the picture's file, then stepped back.

#include "e2e/e2e_app.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

const QString kCaptionStem = QStringLiteral("QEL屏幕截图助手");
const QColor kPaper(200, 200, 200);
const QColor kRed(255, 0, 0);
constexpr QSize kPictureSize(400, 300);

// Edit toolbar buttons, centres in window coordinates: frame 10 and 12, buttons at their
// left in the toolbar, 38 from the top bar's top, 22 high.
QPoint ToolbarButton(int left, int width) {
    return QPoint(10 + left + width / 2, 12 + 38 + 11);
}
const QPoint kAddText = ToolbarButton(300, 21);
const QPoint kStepBack = ToolbarButton(553, 19);
const QPoint kSavePic = ToolbarButton(592, 22);

int CountColor(const QImage& image, const QColor& color, const QRect& area) {
    int n = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            n += image.pixelColor(x, y) == color;
    return n;
}

// Pixels of the box's smoothed red text on the screen: mostly red, whatever the edge shading.
int CountInk(const QImage& screen, const QRect& area) {
    int n = 0;
    const QRect inside = area & screen.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = screen.pixelColor(x, y);
            n += c.red() > 150 && c.green() < 160 && c.blue() < 160 && c.red() - c.green() > 60;
        }
    return n;
}

// Types Chinese text one character at a time, each once the one before shows in `area`
// of the screen. xdotool lends a spare key code to each character that the keyboard map
// lacks; one character per call, each waited for, keeps the program from reading a key
// code after it has been lent to the next character.
bool TypeChinese(E2eApp& app, const QString& text, const QRect& area) {
    for (const QChar c : text) {
        const int before = CountInk(app.screenshot(), area);
        // A character whose key code was taken back before the program read it is lost;
        // it is typed again.
        bool shown = false;
        for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
            QProcess xdotool;
            xdotool.start(QStringLiteral("xdotool"),
                          {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("300"),
                           QStringLiteral("--"), QString(c)});
            if (!xdotool.waitForFinished(10000) || xdotool.exitCode() != 0) return false;
            shown = waitUntil([&] { return CountInk(app.screenshot(), area) > before; }, 3000);
        }
        if (!shown) return false;
    }
    return true;
}

} // namespace

TEST(TextAnnotation, TypedChineseLinesAreSavedIntoThePictureAndSteppedBack) {
    E2eApp app;
    QImage paper(kPictureSize, QImage::Format_RGB32);
    paper.fill(kPaper);
    const QString window = app.startWithPicture(paper);
    ASSERT_FALSE(window.isEmpty());

    // The picture of the previous run is on display.
    const QRect client = app.windowGeometry(window);
    const QPoint screenAt = app.waitForSolidRect(kPictureSize, kPaper);
    ASSERT_GE(screenAt.x(), 0) << "the picture is not on the screen";
    const QPoint picture = screenAt - client.topLeft();

    // Add text; a click on the picture places the box there at its first size.
    app.click(window, kAddText);
    const QPoint boxAt = picture + QPoint(20, 30);
    app.click(window, boxAt);
    const QRect onScreen(client.topLeft() + boxAt, QSize(185, 74));
    ASSERT_TRUE(waitUntil(
        [&] { return app.screenshot().pixelColor(onScreen.center()) == QColor(Qt::white); }, 10000))
        << "the text box did not open";
    // Each typed character shows in the box.
    ASSERT_TRUE(TypeChinese(app, QString::fromUtf8(u8"第一行文字"), onScreen));
    app.key("Return");
    ASSERT_TRUE(TypeChinese(app, QString::fromUtf8(u8"第二行文字"), onScreen));

    // The save command commits the box and writes the picture back to its file.
    app.click(window, kSavePic);
    const QRect box(20, 30, 185, 74);
    QImage saved;
    ASSERT_TRUE(waitUntil(
        [&] {
            saved = QImage::fromData(app.readFile("pics/1.bmp"), "BMP");
            return !saved.isNull() && CountColor(saved, kRed, box) > 50;
        },
        10000))
        << "the saved picture holds no text";
    EXPECT_EQ(saved.size(), kPictureSize);
    // Both lines are there: red on the first and on the second line of the box.
    EXPECT_GT(CountColor(saved, kRed, QRect(20, 30, 185, 15)), 10);
    EXPECT_GT(CountColor(saved, kRed, QRect(20, 45, 185, 15)), 10);
    // The text stays in the box; the rest of the picture is untouched.
    EXPECT_EQ(CountColor(saved, kRed, saved.rect()), CountColor(saved, kRed, box));
    EXPECT_EQ(CountColor(saved, kPaper, saved.rect()) + CountColor(saved, kRed, box),
              kPictureSize.width() * kPictureSize.height());

    // A step back takes the text away; saved again, the file is the bare picture.
    app.click(window, kStepBack);
    app.click(window, kSavePic);
    ASSERT_TRUE(waitUntil(
        [&] {
            saved = QImage::fromData(app.readFile("pics/1.bmp"), "BMP");
            return !saved.isNull() && CountColor(saved, kRed, saved.rect()) == 0;
        },
        10000))
        << "the text is still in the saved picture";
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), paper);

    app.closeWindow(window);
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_EQ(app.exitCode(), 0) << app.programStderr().toStdString();
}
