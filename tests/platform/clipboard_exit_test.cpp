// Ending the program right after a large picture went onto the clipboard, while its PNG is
// still being made on another thread: the process must end normally every time. Each run is
// this test binary again, in which only the child's part below runs.
#include "platform/clipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

constexpr char kDelayVariable[] = "CLIPBOARD_EXIT_DELAY_US";
constexpr char kOnClipboard[] = "picture on the clipboard";

// Noise does not compress, so its PNG takes the longest to make.
QImage Noise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(20240611);
    for (int y = 0; y < height; ++y)
        random.fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), width);
    return image;
}

// The child's part. Text was copied before, as a user does, then the picture goes onto the
// clipboard and the process ends through exit() after the given number of microseconds; over
// the runs, the static teardown meets the encoding thread at every stage of its first few
// milliseconds, where image writers once loaded their plug-ins.
class LargePictureThenExit : public testing::Test {
    void TestBody() override {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("before");
        PutImageOnClipboard(Noise(3840, 2160));
        if (clipboard->mimeData() && clipboard->mimeData()->hasImage()) std::puts(kOnClipboard);
        std::this_thread::sleep_for(
            std::chrono::microseconds(qEnvironmentVariableIntValue(kDelayVariable)));
        std::exit(0);
    }
};

// Registered only in a process started with the delay set, so it never runs on its own.
[[maybe_unused]] const bool kChildRegistered =
    qEnvironmentVariableIsSet(kDelayVariable) &&
    (testing::RegisterTest("ClipboardExitChild", "LargePictureThenExit", nullptr, nullptr, __FILE__,
                           __LINE__, []() -> testing::Test* { return new LargePictureThenExit; }),
     true);

} // namespace

TEST(ClipboardExit, ProgramEndsNormallyWhileThePngIsMade) {
    constexpr int kRuns = 30;
    for (int run = 0; run < kRuns; ++run) {
        const int delayUs = run * 100;
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert(kDelayVariable, QString::number(delayUs));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=ClipboardExitChild.*"});
        ASSERT_TRUE(child.waitForFinished(60000)) << "run " << run << " did not end";
        const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(child.readAllStandardError());
        const bool crashed = child.exitStatus() == QProcess::CrashExit;
        ASSERT_TRUE(!crashed && child.exitCode() == 0 && out.contains(kOnClipboard) &&
                    !err.contains("QMutex"))
            << "exit " << delayUs << " us after the copy: "
            << (crashed ? "crashed" : "exit code " + std::to_string(child.exitCode())) << "\n"
            << err.toStdString() << out.toStdString();
    }
}
