// What the command line accepts, and the clear refusals of what it cannot run.
#include "app/command_line.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

CommandLineRequest Parse(const QStringList& args) {
    return ParseCommandLine(QStringList{"qelshot"} + args);
}

} // namespace

TEST(CommandLine, CapturesAreReadWithTheirOptions) {
    using Action = CommandLineRequest::Action;
    EXPECT_EQ(Parse({}).action, Action::Window);
    EXPECT_EQ(Parse({"--help"}).action, Action::Help);
    EXPECT_EQ(Parse({"-v"}).action, Action::Version);

    QTemporaryDir dir;
    const CommandLineRequest area = Parse(
        {"--capture", "area", "--output", dir.filePath("a.PNG"), "--clipboard", "--delay", "1.5"});
    EXPECT_EQ(area.action, Action::Capture);
    EXPECT_EQ(area.mode, CaptureMode::Area);
    EXPECT_TRUE(area.clipboard);
    EXPECT_EQ(area.delayMs, 1500);
    const CommandLineRequest client =
        Parse({"--capture", "client", "-o", dir.filePath("c.jpeg"), "--delay", "0"});
    EXPECT_EQ(client.action, Action::Capture);
    EXPECT_EQ(client.mode, CaptureMode::ClientArea);
    EXPECT_EQ(client.output, QDir(dir.path()).absoluteFilePath("c.jpeg"));
    EXPECT_FALSE(client.clipboard);
    EXPECT_EQ(client.delayMs, 0);
    const CommandLineRequest screen =
        Parse({"--capture", "screen", "--clipboard", "--delay", "0.25"});
    EXPECT_EQ(screen.mode, CaptureMode::Screen);
    EXPECT_TRUE(screen.output.isEmpty());
    EXPECT_TRUE(screen.clipboard);
    EXPECT_EQ(screen.delayMs, 250);
    EXPECT_EQ(Parse({"--capture", "window"}).mode, CaptureMode::Window);

    // Refused with a reason: unknown modes and options, writers that do not exist, folders
    // that do not exist, delays that are no number of seconds, stray words.
    for (const QStringList& bad : QList<QStringList>{
             {"--capture", "desktop"},
             {"--capture"},
             {"--shoot"},
             {"--capture", "screen", "--output", dir.filePath("a.gif")},
             {"--capture", "screen", "--output", dir.filePath("noextension")},
             {"--capture", "screen", "--output", dir.filePath("missing/a.png")},
             {"--capture", "screen", "--output", ""},
             {"--capture", "screen", "--delay", "-1"},
             {"--capture", "screen", "--delay", "soon"},
             {"--capture", "screen", "extra"},
             {"--output", dir.filePath("a.png")},
             {"--delay", "2"},
         }) {
        const CommandLineRequest r = Parse(bad);
        EXPECT_EQ(r.action, Action::UsageError) << bad.join(' ').toStdString();
        EXPECT_FALSE(r.error.isEmpty()) << bad.join(' ').toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}
