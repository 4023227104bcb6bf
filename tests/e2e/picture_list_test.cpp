// The picture list of the real program: a folder of pictures is listed, a click shows a
// picture on the screen, and the Delete key removes the selected files.

#include "e2e/e2e_app.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// Within the main window: the picture list starts right of the tool column (frame 10 +
// column 145 + splitter 6) below the top bar (frame 12 + bar 74 + splitter 6); its entries
// are 16 pixels high. The picture area starts right of the left area (frame 10 + 289 + 6).
constexpr QPoint kListTopLeft{10 + 145 + 6, 12 + 74 + 6};
constexpr int kEntryHeight = 16;
constexpr QPoint kPictureInside{10 + 289 + 6 + 60, 12 + 74 + 6 + 60};

QPoint entryCentre(int row) {
    return kListTopLeft + QPoint(40, 2 + row * kEntryHeight + kEntryHeight / 2);
}

QByteArray solidPicture(const QColor& color, const char* format) {
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(color);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

// The colour the screen shows inside the picture area.
QColor pictureColour(E2eApp& app, const QString& window) {
    const QImage screen = app.screenshot();
    const QPoint at = app.windowGeometry(window).topLeft() + kPictureInside;
    return screen.valid(at) ? screen.pixelColor(at) : QColor();
}

} // namespace

TEST(PictureList, ClickShowsThePictureAndDeleteRemovesTheSelection) {
    E2eApp app;
    const QString pics = app.appDir() + "pics/";
    app.writeFile("pics/1.png", solidPicture(Qt::red, "PNG"));
    app.writeFile("pics/2 two.bmp", solidPicture(Qt::green, "BMP"));
    app.writeFile("pics/3.png", solidPicture(Qt::blue, "PNG"));
    app.writeFile("pics/notes.txt", "not listed");
    app.writeFile("defualt.ini",
                  ("[default]\nPicPath=" + pics + "\nCurPicName=" + pics + "gone.png\n").toUtf8());

    ASSERT_TRUE(app.start());
    const QString window = app.waitForWindow("QEL");
    ASSERT_FALSE(window.isEmpty());
    EXPECT_NE(pictureColour(app, window), QColor(Qt::red));

    app.click(window, entryCentre(0));
    EXPECT_TRUE(waitUntil([&] { return pictureColour(app, window) == QColor(Qt::red); }, 10000))
        << "the first entry's picture is not on the screen";
    app.click(window, entryCentre(1));
    EXPECT_TRUE(waitUntil([&] { return pictureColour(app, window) == QColor(Qt::green); }, 10000))
        << "the second entry's picture is not on the screen";

    // Shift+Down extends the selection to the third entry; Delete removes both files at once.
    app.key("shift+Down");
    EXPECT_TRUE(waitUntil([&] { return pictureColour(app, window) == QColor(Qt::blue); }, 10000));
    app.key("Delete");
    EXPECT_TRUE(waitUntil(
        [&] { return !QFile::exists(pics + "2 two.bmp") && !QFile::exists(pics + "3.png"); },
        10000))
        << "the selected files are still there";
    EXPECT_TRUE(QFile::exists(pics + "1.png"));
    EXPECT_TRUE(QFile::exists(pics + "notes.txt"));
    // The main picture still shows the last picture.
    EXPECT_EQ(pictureColour(app, window), QColor(Qt::blue));

    app.click(window, kExitButtonCentre);
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_TRUE(app.readFile("defualt.ini").contains("CurPicName=" + (pics + "3.png").toUtf8()));
}
