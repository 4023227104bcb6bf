// The shell routines as a user of them sees them: which program is started with which
// arguments. Recording stand-ins for xdg-open and the picture editor come first on PATH.
#include "common/shell_routines.h"
#include "support/fake_programs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Calls = QList<QStringList>;

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// Runs `nothing`, which must start no program, then `sentinel`, which starts xdg-open
// once; when the sentinel's call is the only one recorded, `nothing` started nothing.
void ExpectNothingStarted(const FakePrograms& fakes, const std::function<void()>& nothing) {
    fakes.clear();
    nothing();
    ShellOpen("sentinel", {});
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{"sentinel"}});
    EXPECT_TRUE(fakes.calls("kolourpaint").isEmpty());
}

} // namespace

TEST(ShellRoutines, OpenLocationAndOpenUrl) {
    FakePrograms fakes;
    QTemporaryDir dir;
    const QString picture = dir.path() + "/my pic 'x'.jpg";
    Touch(picture);
    const struct {
        QString target;
        QString opened;
    } cases[] = {
        {"www.example.com/page", "http://www.example.com/page"},
        {"https://example.com/a b", "https://example.com/a b"},
        {"HTTP://Example.com", "HTTP://Example.com"},
        {picture, picture},
        {dir.path(), dir.path()},
    };
    for (const auto& c : cases) {
        fakes.clear();
        OpenLocation(c.target, {});
        EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{c.opened}}) << c.target.toStdString();
    }
    // A path with a drive or a colon that names nothing is ignored.
    ExpectNothingStarted(fakes, [&] { OpenLocation(dir.path() + "/missing.jpg", {}); });
    ExpectNothingStarted(fakes, [] { OpenLocation("C:\\nothing\\x.jpg", {}); });

    fakes.clear();
    OpenUrl("example.com/x?a=1&b=2", {});
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{"http://example.com/x?a=1&b=2"}});
    fakes.clear();
    OpenUrl("ftp://host/file", {});
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{"ftp://host/file"}});
}

TEST(ShellRoutines, ArgumentsReachTheProgramUnchanged) {
    FakePrograms fakes;
    QTemporaryDir dir;
    // Blanks, quotes, shell metacharacters, Chinese, a leading dash: each one argument.
    const QStringList names = {"a b.jpg", "it's \"q\".png", "$(touch pwned); `x` | y & z.bmp",
                               "图片 一.jpg", "-rf.jpg"};
    for (const QString& name : names) {
        const QString path = dir.path() + '/' + name;
        Touch(path);
        fakes.clear();
        ShellOpen(path, {});
        EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{path}}) << name.toStdString();
        fakes.clear();
        OpenWithPaint(path, {});
        EXPECT_EQ(fakes.waitForCalls("kolourpaint"), Calls{{path}}) << name.toStdString();
    }
    EXPECT_FALSE(QFile::exists(QDir::currentPath() + "/pwned"));

    // A relative name starting with a dash is not taken for an option.
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    fakes.clear();
    ShellOpen("-rf.jpg", {});
    QDir::setCurrent(old);
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{dir.path() + "/-rf.jpg"}});

    fakes.clear();
    OpenInExplorer(dir.path() + "/a folder/", {});
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{dir.path() + "/a folder/"}});

    ExpectNothingStarted(fakes, [&] { OpenWithPaint(dir.path() + "/missing.jpg", {}); });
    ExpectNothingStarted(fakes, [&] { OpenWithPaint(dir.path(), {}); });
}

TEST(ShellRoutines, PictureEditorFallsBackToTheDefaultHandler) {
    FakePrograms fakes({"xdg-open"}, true);
    QTemporaryDir dir;
    const QString path = dir.path() + "/shot.png";
    Touch(path);
    OpenWithPaint(path, {});
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{path}});
}

TEST(ShellRoutines, ShellOpenHiddenStartsAProgramWithoutArguments) {
    FakePrograms fakes;
    QTemporaryDir dir;
    const QString program = dir.path() + "/up date";
    fakes.writeRecorder(program, "updater");
    ShellOpenHidden(program, {});
    EXPECT_EQ(fakes.waitForCalls("updater"), Calls{QStringList{}});

    // A file that is no program goes to its default handler.
    const QString text = dir.path() + "/update.txt";
    Touch(text);
    ShellOpenHidden(text, {});
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{text}});
}

TEST(ShellRoutines, ATargetNoProgramOpensGoesToTheCallersHook) {
    QTemporaryDir dir;
    const QString picture = dir.path() + "/shot.png";
    Touch(picture);
    // Each caller hands its own hook; a call tells only its caller.
    QStringList first, second;
    const NoProgramHook toFirst = [&](const QString& target) { first << target; };
    const NoProgramHook toSecond = [&](const QString& target) { second << target; };
    {
        // Neither the desktop's opener nor a picture editor is on PATH.
        FakePrograms none({}, true);
        OpenUrl("example.com", toFirst);
        OpenWithPaint(picture, toSecond);
        OpenInExplorer(dir.path(), toFirst);
        ShellOpen(picture, {}); // an empty hook says nothing
    }
    EXPECT_EQ(first, QStringList({"http://example.com", dir.path()}));
    EXPECT_EQ(second, QStringList{picture});

    // The opener starts, then finds no program for the target: the hook hears of it once
    // the opener has ended, and a program that opens it tells nobody.
    FakePrograms fakes;
    first.clear();
    second.clear();
    fakes.setExitCode("xdg-open", 3);
    OpenLocation(dir.path(), toFirst);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !first.isEmpty(); }, 10000));
    EXPECT_EQ(first, QStringList{dir.path()});
    fakes.setExitCode("xdg-open", 0);
    fakes.clear();
    ShellOpen(picture, toSecond);
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), Calls{{picture}});
    QTest::qWait(200);
    EXPECT_TRUE(second.isEmpty());
}
