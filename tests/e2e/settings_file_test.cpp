// The settings file at the program's exit: never emptied when the disk is full.

#include "e2e/e2e_app.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/resource.h>

namespace {

const QString kSettings = QStringLiteral("defualt.ini");

// Lowers this process's file-size limit while it lives; a program started meanwhile
// keeps the lower limit.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lower = saved_;
        lower.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

  private:
    rlimit saved_{};
};

bool exitWithExitButton(E2eApp& app, const QString& window) {
    app.click(window, kExitButtonCentre);
    if (!app.waitForExit(10000)) return false;
    EXPECT_EQ(app.exitCode(), 0) << app.programStderr().toStdString();
    return true;
}

TEST(SettingsFile, NotWritableAtExitTheOldFileStaysAndStderrSaysWhy) {
    E2eApp app;
    // The user's hotkeys, and notes long enough that the rewritten file exceeds the limit.
    QByteArray settings = "[hotkey]\nhotkey1_1=Ctrl\nhotkey1_2=Alt\nhotkey1_3=Q\n";
    for (int i = 0; i < 100; ++i)
        settings += "; a note of the user's, kept in the settings file, line " +
                    QByteArray::number(i) + '\n';
    app.writeFile(kSettings, settings);
    // As on a disk with 4 KB left: every file the program writes ends there.
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(app.start());
    }
    const QString window = app.waitForWindow(QStringLiteral("QEL屏幕截图助手"));
    ASSERT_FALSE(window.isEmpty());
    ASSERT_TRUE(exitWithExitButton(app, window));
    EXPECT_EQ(app.readFile(kSettings), settings);
    const QString said = app.programStderr();
    EXPECT_TRUE(said.contains(app.appDir() + kSettings)) << said.toStdString();
    EXPECT_TRUE(said.contains(qt_error_string(EFBIG))) << said.toStdString();
}

} // namespace
