// Captures from the command line, without the main window: the same grab, writers and
// automatic names as the window's captures, the saved path on stdout, a reason and a
// non-zero exit code when nothing was saved; the settings are read and never written.
#include "e2e/capture_helpers.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// Runs the program with `arguments` to its end (while `during` drives it); its exit code.
int RunToEnd(E2eApp& app, const QStringList& arguments, const std::function<void()>& during = {}) {
    if (!app.start(arguments)) return -1;
    if (during) during();
    return app.waitForExit(20000) ? app.exitCode() : -1;
}

// The last line the program wrote to stdout.
QString LastOutputLine(E2eApp& app) {
    const QStringList lines =
        QString::fromUtf8(app.readFile("stdout.log")).split('\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last();
}

// Captures the whole screen into `shot` from the command line, which must say so; the
// picture saved, read as `format` (null when it is no such file).
QImage CaptureScreenInto(E2eApp& app, const QString& shot, const char* format) {
    EXPECT_EQ(RunToEnd(app, {"--capture", "screen", "--output", shot}), 0)
        << app.programStderr().toStdString();
    EXPECT_EQ(LastOutputLine(app), shot);
    QImage picture;
    picture.load(shot, format);
    return picture;
}

} // namespace

TEST(CommandLine, CapturesWithoutTheWindowAndSaysWhatItSaved) {
    E2eApp app;
    CaptureSetup setup(app);
    ASSERT_TRUE(app.setRootPicture(Pattern()));
    const QByteArray settings = app.readFile("defualt.ini");

    EXPECT_EQ(RunToEnd(app, {"--version"}), 0);
    EXPECT_TRUE(LastOutputLine(app).contains("3.3")) << LastOutputLine(app).toStdString();

    // The whole screen into a file of the user's choice, in the format of its extension.
    const QPoint rest(1200, 1000);
    app.moveMouse(rest);
    const QImage screen = CaptureScreenInto(app, app.appDir() + "shot.png", "PNG");
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(screen.size(), kScreen);
    EXPECT_EQ(Mismatches(screen, {0, 0}, AroundPointer(rest)), 0);

    // An area dragged out on the frozen screen, saved under the next automatic name; a
    // subfolder that carries the next number holds nothing up.
    ASSERT_TRUE(QDir().mkpath(setup.pics + "img2.png"));
    const int area = RunToEnd(app, {"--capture", "area"}, [&] {
        ASSERT_TRUE(setup.waitForFrozenScreen()) << "no frozen screen";
        ASSERT_TRUE(app.dragOnScreen({300, 200}, {700, 500}));
    });
    EXPECT_EQ(area, 0) << app.programStderr().toStdString();
    EXPECT_EQ(LastOutputLine(app), setup.pics + "img3.png");
    const QImage part = setup.waitForPicture("img3.png");
    EXPECT_EQ(part.size(), QSize(400, 300));
    EXPECT_EQ(Mismatches(part, {300, 200}), 0);

    // Esc (the default hotkey) gives the area up: nothing saved, a reason, exit code 1.
    const int cancelled =
        RunToEnd(app, {"--capture", "area", "--output", app.appDir() + "none.png"}, [&] {
            ASSERT_TRUE(setup.waitForFrozenScreen()) << "no frozen screen";
            app.key("Escape");
        });
    EXPECT_EQ(cancelled, 1);
    EXPECT_FALSE(QFile::exists(app.appDir() + "none.png"));

    // Bad input: a clear message, exit code 2, nothing written.
    const QStringList before = QDir(setup.pics).entryList(QDir::Files);
    for (const QStringList& bad :
         QList<QStringList>{{"--capture", "screen", "--output", app.appDir() + "a.gif"},
                            {"--capture", "desktop"},
                            {"--capture", "screen", "--delay", "-2"},
                            {"--capture", "screen", "--output", app.appDir() + "missing/a.png"}}) {
        EXPECT_EQ(RunToEnd(app, bad), 2) << bad.join(' ').toStdString();
        EXPECT_FALSE(app.programStderr().trimmed().isEmpty()) << bad.join(' ').toStdString();
    }
    EXPECT_EQ(QDir(setup.pics).entryList(QDir::Files), before);
    EXPECT_FALSE(QFile::exists(app.appDir() + "a.gif"));

    // The settings were read (the folder, the prefix, the format) and never written.
    EXPECT_EQ(app.readFile("defualt.ini"), settings);
}

TEST(CommandLine, WithoutItsWindowModuleTheProgramStillCapturesIntoFilesAndSaysWhatIsMissing) {
    E2eApp app;
    CaptureSetup setup(app);
    ASSERT_TRUE(app.setRootPicture(Pattern()));
    const QString module = app.appDir() + "qelshot-window.so";
    ASSERT_TRUE(QFile::remove(module));

    // A capture into a file, its next automatic name, --version: nothing of the window.
    const QPoint rest(1200, 1000);
    app.moveMouse(rest);
    const QImage screen = CaptureScreenInto(app, app.appDir() + "alone.jpg", "JPEG");
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(screen.size(), kScreen);
    EXPECT_EQ(RunToEnd(app, {"--capture", "screen"}), 0) << app.programStderr().toStdString();
    EXPECT_EQ(LastOutputLine(app), setup.pics + "img2.png");
    EXPECT_FALSE(setup.waitForPicture("img2.png").isNull());
    EXPECT_EQ(RunToEnd(app, {"--version"}), 0);

    // What needs the window ends with exit code 1 and one line that names the module; a
    // file of that name that is no module is said so too, and nothing crashes.
    for (const QByteArray& file : {QByteArray(), QByteArray("not a module\n")}) {
        if (!file.isEmpty()) app.writeFile("qelshot-window.so", file);
        for (const QStringList& arguments : QList<QStringList>{
                 {}, {"--capture", "area"}, {"--capture", "screen", "--clipboard"}}) {
            const std::string run = arguments.join(' ').toStdString() + " / " + file.toStdString();
            EXPECT_EQ(RunToEnd(app, arguments), 1) << run;
            const QStringList lines = app.programStderr().split('\n', Qt::SkipEmptyParts);
            ASSERT_EQ(lines.size(), 1) << run << ": " << app.programStderr().toStdString();
            EXPECT_TRUE(lines.first().contains("qelshot-window.so")) << lines.first().toStdString();
        }
    }
    EXPECT_EQ(setup.files(), QStringList({"img1.png", "img2.png"}));
}
