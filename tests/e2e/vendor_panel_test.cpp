// The vendor's corner of the real program: the note for the updater written at start, the
// panel's picture and buttons in the tool column, the vendor menu and the about box.

#include "e2e/e2e_app.h"
#include "support/fake_programs.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

const QString kCaptionStem = QStringLiteral("QEL屏幕截图助手");
// Tool column origin in main-window coordinates: frame 10 + margin 3, frame 12 + top bar
// 74 + splitter 6.
constexpr QPoint kToolColumn{10 + 3, 12 + 74 + 6};
// Stacked from the top: the help button at 109, the update button at 136, exit at 163 and
// the picture at 190.
constexpr QPoint kHelpButtonCentre = kToolColumn + QPoint(122 / 2, 109 + 24 / 2);
constexpr QPoint kPictureTopLeft = kToolColumn + QPoint(0, 190);

// Mean difference per channel between the picture and the same-sized part of the screen.
double MeanDifference(const QImage& screen, const QPoint& at, const QImage& picture) {
    double sum = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor a = screen.pixelColor(at + QPoint(x, y));
            const QColor b = picture.pixelColor(x, y);
            sum += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue());
        }
    return sum / (3.0 * picture.width() * picture.height());
}

// How many of the program's pop-up windows (its menus) are on the screen: they are mapped
// straight on the root window, past the window manager.
int VisibleWindows() {
    QProcess search;
    search.start(QStringLiteral("bash"),
                 {QStringLiteral("-c"),
                  QStringLiteral("for w in $(xwininfo -root -children | grep '\"qelshot\"' | "
                                 "awk '{print $1}'); do xwininfo -id $w | grep -q IsViewable && "
                                 "echo $w; done")});
    search.waitForFinished(10000);
    return int(search.readAllStandardOutput().count('\n'));
}

// Opens the vendor menu and waits until it is on the screen.
bool OpenVendorMenu(E2eApp& app, const QString& window) {
    const int before = VisibleWindows();
    app.click(window, kHelpButtonCentre);
    return waitUntil([&] { return VisibleWindows() > before; }, 5000);
}

TEST(VendorPanel, NoteForTheUpdaterPanelMenuAndAboutBox) {
    // A recording xdg-open first on PATH for the program started afterwards.
    const FakePrograms desktop({"xdg-open"});
    E2eApp app;
    app.writeFile("update.txt", "someone-else.exe\nmore\n");
    ASSERT_TRUE(app.start());
    const QString window = app.waitForWindow(kCaptionStem);
    ASSERT_FALSE(window.isEmpty());

    // The note names the program file, rewritten at every start.
    const QByteArray name = QFileInfo(QStringLiteral(QELSHOT_BINARY)).fileName().toUtf8() + '\n';
    EXPECT_TRUE(waitUntil([&] { return app.readFile("update.txt") == name; }, 5000))
        << app.readFile("update.txt").toStdString();

    // The whole picture shows below the buttons.
    const QImage picture(QStringLiteral(QELSHOT_SOURCE_DIR "/resources/jpg/QelSoft.jpg"));
    ASSERT_FALSE(picture.isNull());
    const QImage screen = app.screenshot();
    const QRect client = app.windowGeometry(window);
    ASSERT_TRUE(screen.rect().contains(QRect(client.topLeft() + kPictureTopLeft, picture.size())));
    EXPECT_LT(MeanDifference(screen, client.topLeft() + kPictureTopLeft, picture), 8.0);

    // The help button's menu: "&H" opens the edition's home page.
    ASSERT_TRUE(OpenVendorMenu(app, window));
    app.key("h");
    EXPECT_EQ(desktop.waitForOrderedCalls(1),
              QList<FakePrograms::Call>({{"xdg-open", {"https://www.qelsoft.example/gb/"}}}));

    // "&A" shows the about box.
    ASSERT_TRUE(OpenVendorMenu(app, window));
    app.key("a");
    EXPECT_FALSE(app.waitForWindow(QStringLiteral("关于 QEL屏幕截图助手")).isEmpty());

    // Exit still sits where the stacking puts it, clear of the vendor's buttons.
    app.click(window, kExitButtonCentre);
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_EQ(app.exitCode(), 0) << app.programStderr().toStdString();
}

} // namespace
