// A program that ends with a picture on the clipboard hands it to the running clipboard
// manager, as PNG, so the picture can still be pasted afterwards. The ending program is this
// test binary again, in which only the child's part below runs.
#include "platform/clipboard.h"
#include "x11/clipboard_manager_standin.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

constexpr char kChildVariable[] = "CLIPBOARD_HANDOFF_CHILD";

// A screenshot-like picture: flat areas, a gradient and a band of noise, so that its PNG
// takes a while to make and is a few megabytes large.
QImage Picture() {
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(QColor(240, 240, 236));
    QPainter p(&image);
    QLinearGradient gradient(0, 0, 1920, 0);
    gradient.setColorAt(0, QColor(20, 60, 200));
    gradient.setColorAt(1, QColor(200, 30, 40));
    p.fillRect(0, 0, 1920, 120, gradient);
    p.end();
    QRandomGenerator random(77);
    for (int y = 400; y < 1000; ++y)
        random.fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), image.width());
    // Opaque pixels throughout, as a capture has.
    for (int y = 400; y < 1000; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xff000000;
    }
    return image;
}

// The child's part: the picture goes onto the clipboard and the program ends at once, while
// the PNG is still being made.
class PictureOnTheClipboardThenQuit : public testing::Test {
    void TestBody() override {
        PutImageOnClipboard(Picture());
        EXPECT_TRUE(QGuiApplication::clipboard()->ownsClipboard());
    }
};

// Registered only in a process started by the test below.
[[maybe_unused]] const bool kChildRegistered =
    qEnvironmentVariableIsSet(kChildVariable) &&
    (testing::RegisterTest("ClipboardHandoffChild", "PictureOnTheClipboardThenQuit", nullptr,
                           nullptr, __FILE__, __LINE__,
                           []() -> testing::Test* { return new PictureOnTheClipboardThenQuit; }),
     true);

} // namespace

TEST(ClipboardManagerHandoff, TheManagerGetsThePictureAsPngWhenTheProgramEnds) {
    ClipboardManagerStandIn manager;
    ASSERT_TRUE(manager.ownsSelection());

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert(kChildVariable, "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=ClipboardHandoffChild.*"});
    ASSERT_TRUE(child.waitForStarted());

    // The request comes while the program ends, so waiting stops when it has ended.
    const ClipboardManagerStandIn::Saved saved = manager.serveSaveRequest(60000, [&] {
        child.waitForFinished(0);
        return child.state() != QProcess::NotRunning;
    });
    ASSERT_TRUE(child.state() == QProcess::NotRunning || child.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << err.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
    // The program waited for the manager's answer rather than giving up on it.
    EXPECT_FALSE(err.contains("clipboard manager")) << err.toStdString();

    ASSERT_TRUE(saved.asked);
    EXPECT_TRUE(saved.targets.contains("image/png")) << saved.targets.join(' ').toStdString();
    const QImage got = QImage::fromData(saved.png, "PNG");
    ASSERT_FALSE(got.isNull()) << "PNG of " << saved.png.size() << " bytes";
    EXPECT_EQ(got.convertToFormat(QImage::Format_RGB32), Picture());
}
