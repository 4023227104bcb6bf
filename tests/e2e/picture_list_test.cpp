// The picture list of the real program: a folder of pictures is listed, a click shows a
// picture on the screen, the Delete key moves the selected files to the desktop trash, and
// a folder text the box refuses gives way to the home folder.

#include "e2e/e2e_app.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QUrl>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Within the main window: the picture list starts right of the tool column (frame 10 +
// column 145 + splitter 6) below the top bar (frame 12 + bar 74 + splitter 6); its entries
// are 16 pixels high. The picture area starts right of the left area (frame 10 + 289 + 6).
constexpr QPoint kListTopLeft{10 + 145 + 6, 12 + 74 + 6};
constexpr int kEntryHeight = 16;
constexpr QPoint kPictureInside{10 + 289 + 6 + 60, 12 + 74 + 6 + 60};

// The folder box in the path bar (frame 12 + 12 down the top bar), right of the path panel.
constexpr QPoint kFolderBox{600, 12 + 12};

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

// A message box of the program beside its main window; empty when none came.
QString WaitForMessageBox(E2eApp& app, const QString& window, int timeoutMs = 10000) {
    QString message;
    waitUntil(
        [&] {
            for (const QString& id : app.visibleWindows(QString::fromUtf8(u8"QEL屏幕截图助手")))
                if (id != window) message = id;
            return !message.isEmpty();
        },
        timeoutMs);
    return message;
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
    // Both lie in the desktop trash, each with the information file that restores it.
    const QString trash = app.homeDir() + "/.local/share/Trash/";
    EXPECT_EQ(app.readFile("home/.local/share/Trash/files/3.png"), solidPicture(Qt::blue, "PNG"));
    for (const char* name : {"2 two.bmp", "3.png"}) {
        EXPECT_TRUE(QFile::exists(trash + "files/" + name)) << name;
        QFile info(trash + "info/" + name + ".trashinfo");
        ASSERT_TRUE(info.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(info.readAll().contains(
            "\nPath=" + QUrl::toPercentEncoding(pics + QString::fromLatin1(name), "/") + "\n"))
            << name;
    }
    // The main picture still shows the last picture.
    EXPECT_EQ(pictureColour(app, window), QColor(Qt::blue));

    app.click(window, kExitButtonCentre);
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_TRUE(app.readFile("defualt.ini").contains("CurPicName=" + (pics + "3.png").toUtf8()));
}

TEST(PictureList, ARefusedFolderTextGivesWayToTheHomeFolderWhereTheNextCaptureGoes) {
    E2eApp app;
    const QString pics = app.appDir() + "pics/";
    app.writeFile("pics/1.png", solidPicture(Qt::red, "PNG"));
    app.writeFile("defualt.ini",
                  ("[default]\nPicPath=" + pics + "\nCurPicName=" + pics + "1.png\n").toUtf8());
    ASSERT_TRUE(app.start());
    const QString window = app.waitForWindow("3.3");
    ASSERT_FALSE(window.isEmpty());

    // A folder name without its path is refused with a message.
    app.click(window, kFolderBox);
    app.key("ctrl+a");
    app.type("shots");
    app.key("Return");
    const QString message = WaitForMessageBox(app, window);
    ASSERT_FALSE(message.isEmpty()) << "no message about the refused folder";
    app.key("Return");
    ASSERT_TRUE(waitUntil([&] { return !app.visibleWindows("").contains(message); }, 10000));

    // The box now shows the home folder, with its separator.
    app.click(window, kFolderBox);
    app.key("ctrl+a ctrl+c");
    QString shown;
    waitUntil([&] { return (shown = app.clipboardText()) == app.homeDir() + "/"; }, 5000);
    // (Stop here otherwise: the capture would go to whatever the box shows.)
    ASSERT_EQ(shown, app.homeDir() + "/");

    // Ctrl+F captures the screen into the home folder, in the format of the shown picture.
    app.key("ctrl+f");
    EXPECT_TRUE(waitUntil(
        [&] { return QImage(app.homeDir() + "/1.png").size() == QSize(1280, 1024); }, 15000))
        << "no capture in the home folder";
    EXPECT_FALSE(QDir().exists("shots"));

    app.click(window, kExitButtonCentre);
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_EQ(app.exitCode(), 0);
}

TEST(PictureList, ACaptureIntoAFullFolderSaysTheDiskIsFull) {
    E2eApp app;
    const QString pics = app.appDir() + "pics/";
    app.writeFile("pics/keep.txt", "x");
    app.writeFile("defualt.ini", ("[default]\nPicPath=" + pics + "\nCurPicName=" + pics +
                                  "gone.png\nPicFormat=1\nautoSaveToCB=0\n")
                                     .toUtf8());
    // The picture folder is a small file system of the program's own, too small for a
    // capture of the screen.
    app.setWrapper({"unshare", ::geteuid() == 0 ? "-m" : "-rm", "sh", "-c",
                    "mount -t tmpfs -o size=64k tmpfs \"$0\" && exec \"$@\"", pics});
    ASSERT_TRUE(app.start());
    const QString window = app.waitForWindow("3.3");
    ASSERT_FALSE(window.isEmpty());

    app.key("ctrl+f");
    const QString message = WaitForMessageBox(app, window, 15000);
    ASSERT_FALSE(message.isEmpty()) << "no message about the failed capture";
    // The message box gives its text to the clipboard.
    app.key("ctrl+c");
    QString text;
    EXPECT_TRUE(waitUntil(
        [&] { return (text = app.clipboardText()).contains(QString::fromUtf8(u8"磁盘已满")); },
        5000))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(u8"保存失败") + pics + "1.bmp"))
        << text.toStdString();
    app.key("Return");

    app.click(window, kExitButtonCentre);
    ASSERT_TRUE(app.waitForExit(10000));
}
