// The settings file at the program's exit: written over the file as it is then, never
// emptied when the disk is full, read whatever its encoding.

#include "e2e/e2e_app.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/resource.h>

namespace {

const QString kSettings = QStringLiteral("defualt.ini");

QStringList linesOf(const QByteArray& data) {
    return QString::fromUtf8(data).split('\n', Qt::SkipEmptyParts);
}

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

TEST(SettingsFile, AUtf16FileEditedWhileRunningKeepsEveryLineInUtf8) {
    E2eApp app;
    const QString pics = app.appDir() + QStringLiteral("pics/");
    app.writeFile(QStringLiteral("pics/.keep"), {});
    // The picture of the previous run is gone, but its folder is there: the folder box
    // keeps the stored folder.
    const QString text = QStringLiteral("[default]\r\nPicPath=") + pics +
                         QStringLiteral("\r\nCurPicName=") + pics +
                         QStringLiteral("gone.png\r\nAutoSavePre=shot\r\n[hotkey]\r\n"
                                        "hotkey1_1=Ctrl\r\nhotkey1_2=Alt\r\nhotkey1_3=Q\r\n");
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    app.writeFile(kSettings, "\xFF\xFE" + QByteArray(utf16.encode(text)));
    ASSERT_TRUE(app.start());
    const QString window = app.waitForWindow(QStringLiteral("QEL屏幕截图助手"));
    ASSERT_FALSE(window.isEmpty());
    // Meanwhile another editor adds a section and a note, in UTF-8.
    app.writeFile(kSettings, "; note\n[default]\nPicPath=" + pics.toUtf8() +
                                 "\nCurPicName=" + pics.toUtf8() +
                                 "gone.png\nAutoSavePre=shot\n[other]\nkey=value\n"
                                 "[hotkey]\nhotkey1_1=Ctrl\nhotkey1_2=Alt\nhotkey1_3=Q\n");
    ASSERT_TRUE(exitWithExitButton(app, window));
    const QByteArray saved = app.readFile(kSettings);
    const QStringList lines = linesOf(saved);
    EXPECT_FALSE(saved.contains('\0'));
    EXPECT_EQ(lines.value(0), QStringLiteral("; note"));
    for (const QString& line : {QStringLiteral("[other]"), QStringLiteral("key=value"),
                                QStringLiteral("AutoSavePre=shot"), "PicPath=" + pics,
                                QStringLiteral("hotkey1_2=Alt"), QStringLiteral("hotkey1_3=Q")})
        EXPECT_EQ(lines.count(line), 1) << line.toStdString() << "\n" << saved.toStdString();
}

} // namespace
