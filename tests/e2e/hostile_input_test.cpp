// Hostile but realistic input to the real program, each group a table of generated cases:
// damaged and odd settings files, picture folders full of traps, a disk that fills up during
// a capture, and termination signals in every state. Every group prints how many of its
// cases ran and how many held.

#include "e2e/capture_helpers.h"
#include "e2e/e2e_app.h"
#include "e2e/hostile_input_support.h"
#include "library/picture_samples.h"
#include "support/fake_programs.h"
#include "support/forked_child.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ---- settings files

struct SettingsCase {
    QString name;
    QByteArray bytes;
    // The lines as written, when the case wrote them as text; empty for raw bytes.
    QStringList lines;
    // Lines that must be kept besides the foreign ones among `lines`.
    QStringList alsoKeep;
    // "section/key" -> the value the program must have read (and so writes back).
    QHash<QString, QString> values;
    // Something done while the program runs, before its exit button is clicked.
    std::function<void(CaptureSetup&)> whileRunning;
};

QByteArray Joined(const QStringList& lines, const char* lineEnd) {
    return lines.join(QString::fromLatin1(lineEnd)).toUtf8() + lineEnd;
}

QList<SettingsCase> SettingsCases(const QString& pics) {
    QList<SettingsCase> cases;
    // What a user's file holds besides the program's keys: a note, a key of their own,
    // another program's section, the default hotkeys.
    const QStringList usual = {"; the user's note", "[default]",     "PicPath=" + pics,
                               "AutoSavePre=shot",  "Extra=keep me", "[other program]",
                               "key=value",         "[hotkey]"};
    const QStringList hotkeys = kDefaultHotkeys.split('\n', Qt::SkipEmptyParts).mid(1);
    const QHash<QString, QString> shot = {{"default/AutoSavePre", "shot"}};

    {
        QRandomGenerator random(4711);
        QByteArray garbage(64 * 1024, '\0');
        for (char& byte : garbage)
            byte = char(random.bounded(256));
        // Readable lines amid the garbage, each behind a blank line so that no multi-byte
        // sequence of the garbage swallows its line break.
        const QByteArray note = "\n\n; a note amid garbage\n\n[kept section]\nkey=value\n\n";
        garbage.replace(30000, note.size(), note);
        cases.append({"random bytes",
                      garbage,
                      {},
                      {"; a note amid garbage", "[kept section]", "key=value"},
                      {},
                      {}});
    }
    {
        // 25 000 keys of the user's in the program's own section.
        QStringList lines = usual;
        QStringList notes;
        for (int i = 0; i < 25000; ++i)
            notes << QStringLiteral("note%1=").arg(i, 5, 10, QChar('0')) +
                         QString(394, QChar('a' + i % 26));
        lines = lines.mid(0, 4) + notes + lines.mid(4) + hotkeys;
        cases.append({"10 MB", Joined(lines, "\n"), lines, {}, shot, {}});
    }
    {
        const QString line(100000, 'x');
        QStringList lines = usual;
        lines.insert(4, "WatermarkText=" + line);
        lines.insert(5, "; " + line);
        lines.insert(6, "LongForeignValue=" + line);
        lines.insert(0, '[' + line + ']');
        lines.insert(1, "inLongSection=" + line);
        lines += hotkeys;
        // The program keeps the first 2047 characters of a value of its own.
        cases.append({"100 000-character lines",
                      Joined(lines, "\n"),
                      lines,
                      {},
                      {{"default/WatermarkText", QString(2047, 'x')}},
                      {}});
    }
    {
        QStringList lines = {QString::fromUtf8(u8"; 用户的注释：截图放在下面的文件夹"),
                             "[default]",
                             "PicPath=" + pics,
                             QString::fromUtf8(u8"AutoSavePre=截图"),
                             QString::fromUtf8(u8"WatermarkText=版权所有 张三"),
                             QString::fromUtf8(u8"[我的设置]"),
                             QString::fromUtf8(u8"名字=张三"),
                             "[hotkey]"};
        lines += hotkeys;
        QStringEncoder gbk("GBK");
        const QByteArray bytes = gbk.encode(lines.join('\n') + '\n');
        cases.append({"GBK text",
                      bytes,
                      lines,
                      {},
                      {{"default/AutoSavePre", QString::fromUtf8(u8"截图")},
                       {"default/WatermarkText", QString::fromUtf8(u8"版权所有 张三")}},
                      {}});
    }
    {
        // The first of two sections of a name counts; the second stays as it is.
        QStringList lines = usual + hotkeys;
        const QStringList second = {"[DEFAULT]", "AutoSavePre=second", "PicFormat=1",
                                    "mine=2",    "[other program]",    "key=second value",
                                    "[Hotkey]",  "hotkey1_3=G"};
        lines += second;
        cases.append({"duplicate sections",
                      Joined(lines, "\n"),
                      lines,
                      second,
                      {{"default/AutoSavePre", "shot"}, {"hotkey/hotkey1_3", "F"}},
                      {}});
    }
    for (const auto& [name, end] :
         {std::pair<const char*, const char*>{"CR line ends", "\r"}, {"CRLF line ends", "\r\n"}}) {
        const QStringList lines = usual + hotkeys;
        cases.append({name, Joined(lines, end), lines, {}, shot, {}});
    }
    {
        const QStringList lines = usual.mid(1) + hotkeys;
        cases.append(
            {"UTF-8 mark and CRLF", "\xEF\xBB\xBF" + Joined(lines, "\r\n"), lines, {}, shot, {}});
    }
    {
        QStringList lines = usual.mid(0, 4);
        lines += {"PicFormat=99999999999999999999",
                  "WaterMarkTransparent=-2147483649",
                  "WatermarkType=-7",
                  "MarkX=12abc",
                  "MarkY=0x7FFFFFFF",
                  "CbMarkContrst=yes",
                  "autoSaveToCB=",
                  "ContinueCut=1e9"};
        lines += usual.mid(4) + hotkeys;
        lines += {"[font]",
                  "FontSize=2147483647",
                  "FontCharset=-99999",
                  "FontColor=0xFFFFFFFFFF",
                  "FontBold=NaN",
                  "FontItalic=--1",
                  "FontName=" + QString(300, 'F')};
        cases.append({"absurd numbers", Joined(lines, "\n"), lines, {}, shot, {}});
    }
    {
        QStringList lines = usual;
        lines +=
            {"hotkey1_1=Hyper", "hotkey1_2=Ctrl+Alt+Del", "hotkey1_3=NoSuchKey",
             "hotkey2_1=Shift", "hotkey2_2=Shift",        "hotkey2_3=" + QString::fromUtf8(u8"😀"),
             "hotkey3_1=",      "hotkey3_2=ctrl",         "hotkey3_3=F99",
             "hotkey4_1=Alt",   "hotkey4_2=Alt",          "hotkey4_3=" + QString(3000, 'A'),
             "hotkey5_1=ESC",   "hotkey5_2=ESC",          "hotkey5_3=\t"};
        // The hotkeys are taken when an area capture starts: start one and give it up.
        const auto areaCapture = [](CaptureSetup& setup) {
            QuickClick(setup.app, setup.main, kAreaButton);
            ASSERT_TRUE(WaitForFullScreenWindow(setup.app)) << setup.windowsReport();
            setup.app.key("Escape");
            EXPECT_FALSE(WaitForMainWindow(setup.app).isEmpty()) << setup.windowsReport();
        };
        cases.append({"nonsense hotkey names",
                      Joined(lines, "\n"),
                      lines,
                      {},
                      {{"hotkey/hotkey1_3", "NoSuchKey"}},
                      areaCapture});
    }
    return cases;
}

// ---- picture folders

QImage Solid(const QColor& colour, QSize size = QSize(200, 150)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A whole, readable file of each extension the program lists, 200 x 150 pixels.
QList<std::pair<QString, QByteArray>> PictureOfEveryFormat() {
    const QImage picture = Solid(QColor(30, 160, 90));
    const QByteArray png = FileOf(picture, "PNG");
    // 200 x 150 pixels at 96 dots per inch in 0.01 mm.
    const QByteArray emf = samples::Emf({0, 0, 199, 149}, {0, 0, 5292, 3969},
                                        samples::EllipseEmfRecords(0, 0, 199, 149, 0xFF));
    return {{".bmp", FileOf(picture, "BMP")},
            {".jpg", samples::FlatJpeg(200, 150)},
            {".png", png},
            {".ico", samples::PngIcon(png)},
            {".wmf", samples::EllipseWmf(200, 150, 96, 0, 0, 200, 150, 0xFF)},
            {".emf", emf}};
}

// One entry of the picture list that the test opens.
struct FolderEntry {
    QString label;
    QString extension;
    // Makes the file (or link, or pipe) at the path; false when it could not.
    std::function<bool(const QString& path)> make;
};

bool WriteBytes(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

bool Link(const QString& target, const QString& path) {
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) ==
           0;
}

QList<FolderEntry> FolderEntries() {
    QList<FolderEntry> entries;
    for (const auto& [ext, data] : PictureOfEveryFormat()) {
        const QByteArray half = data.left(data.size() / 2);
        entries.append({"empty", ext, [](const QString& p) { return WriteBytes(p, {}); }});
        entries.append(
            {"cut in half", ext, [half](const QString& p) { return WriteBytes(p, half); }});
    }
    entries.append({"named pipe", ".png", [](const QString& p) {
                        return ::mkfifo(QFile::encodeName(p).constData(), 0644) == 0;
                    }});
    entries.append({"link to itself", ".png",
                    [](const QString& p) { return Link(QFileInfo(p).fileName(), p); }});
    entries.append(
        {"link to a device", ".bmp", [](const QString& p) { return Link("/dev/zero", p); }});
    entries.append({"20000 x 20000 pixels", ".png", [](const QString& p) {
                        return WriteBytes(p, samples::MonoPng(20000, 20000));
                    }});
    return entries;
}

} // namespace

TEST(HostileInput, SettingsFiles) {
    E2eApp app;
    const QString pics = app.appDir() + "pics/";
    QDir().mkpath(pics);
    const ProgramKeys own = ObserveProgramKeys(app);
    ASSERT_FALSE(own.keys.isEmpty());

    CaseTally tally("settings files");
    for (const SettingsCase& c : SettingsCases(pics)) {
        tally.run(c.name, [&] {
            // The setup's picture and settings, then the case's settings over them.
            CaptureSetup setup(app);
            app.writeFile(kSettingsFile, c.bytes);
            const QString window = StartAndWaitForWindow(app);
            ASSERT_FALSE(window.isEmpty());
            setup.main = window;
            if (c.whileRunning) c.whileRunning(setup);
            ASSERT_TRUE(ExitWithExitButton(app, window));

            const QByteArray first = app.readFile(kSettingsFile);
            const QList<IniLine> file = WrittenSettings(first);
            ExpectProgramKeys(file, own);
            const QList<IniLine> input = ParseIni(c.lines);
            ExpectKept(file, own.foreignLines(input));
            ExpectKept(file, c.alsoKeep);
            for (auto v = c.values.cbegin(); v != c.values.cend(); ++v)
                EXPECT_EQ(ValueIn(file, v.key().section('/', 0, 0), v.key().section('/', 1)),
                          v.value())
                    << v.key().toStdString();
            // A section the file had is not added again.
            if (!input.isEmpty()) {
                for (const QString& section : own.keys.keys())
                    EXPECT_EQ(HeaderCount(file, section), std::max(HeaderCount(input, section), 1))
                        << '[' << section.toStdString() << ']';
            }
            EXPECT_FALSE(first.contains('\r'));

            // A second start reads what the first one wrote and leaves it as it was.
            const QString again = StartAndWaitForWindow(app);
            ASSERT_FALSE(again.isEmpty());
            ASSERT_TRUE(ExitWithExitButton(app, again));
            EXPECT_TRUE(app.readFile(kSettingsFile) == first)
                << "the second start changed the settings file";
        });
    }
}

TEST(HostileInput, PictureFolders) {
    // A file the program hands to the desktop opens no real viewer.
    const FakePrograms desktop({"xdg-open"});
    E2eApp app;
    // Captures show a yellow screen.
    const QColor yellow(250, 220, 20);
    ASSERT_TRUE(app.setRootPicture(Solid(yellow, kScreen)));

    // The list starts with two pictures of known colours, then one entry of each kind (their
    // numbers put them in this order), then 20 000 empty files, the last one a small green
    // picture instead. They are made in a seed folder and copied into the picture folder,
    // a file system of the program's own, where the empty files are added.
    const QString seed = app.appDir() + "seed/";
    QDir().mkpath(seed);
    const QColor red(Qt::red), blue(Qt::blue), green(Qt::green);
    ASSERT_TRUE(WriteBytes(seed + "-200 red.bmp", FileOf(Solid(red), "BMP")));
    ASSERT_TRUE(WriteBytes(seed + "-199 blue.bmp", FileOf(Solid(blue), "BMP")));
    const QList<FolderEntry> entries = FolderEntries();
    QStringList names;
    for (const FolderEntry& entry : entries) {
        const QString name =
            QStringLiteral("%1 %2%3").arg(-198 + names.size()).arg(entry.label, entry.extension);
        ASSERT_TRUE(entry.make(seed + name)) << name.toStdString();
        names << name;
    }
    // Folders that contain themselves, one named like a picture.
    ASSERT_TRUE(Link(".", seed + "loop"));
    ASSERT_TRUE(Link(".", seed + "-300 loop.jpg"));
    ASSERT_TRUE(WriteBytes(seed + "20000.png", FileOf(Solid(green), "PNG")));
    const QString own = app.appDir() + "own";
    const QString pics = own + "/pics/";
    QDir().mkpath(own);
    app.setWrapper({"unshare", ::geteuid() == 0 ? "-m" : "-rm", "sh", "-c",
                    "mount -t tmpfs -o size=64m tmpfs \"$0\" && cp -a \"$1\" \"$0/pics\" && "
                    "(cd \"$0/pics\" && seq -f %g.png 1 19999 | xargs touch) && shift && "
                    "exec \"$@\"",
                    own, seed});
    app.writeFile(kSettingsFile, ("[default]\nPicPath=" + pics + "\nCurPicName=" + pics +
                                  "-200 red.bmp\nPicFormat=3\nAutoSavePre=shot\n" + kDefaultHotkeys)
                                     .toUtf8());

    CaseTally tally("picture folders");
    QString window;
    tally.run("start on the crowded folder", [&] {
        ASSERT_TRUE(app.start());
        window = WaitForMainWindow(app);
        ASSERT_FALSE(window.isEmpty());
        EXPECT_TRUE(WaitForPictureColour(app, window, red));
    });
    ASSERT_FALSE(window.isEmpty());
    const qint64 pid = app.processId();
    // The picture folder as the program sees it.
    const QString seen = QStringLiteral("/proc/%1/root").arg(pid) + pics;
    ASSERT_EQ(FolderEntriesOf(seen).size(), 20000 + names.size() + 4);

    // Each entry is opened by a click, which selects it; then a click on one of the two first
    // pictures must show that picture, so the program has come back from the entry.
    bool redShown = true;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        tally.run(entries[i].label + ' ' + entries[i].extension, [&] {
            const int row = int(2 + i);
            QuickClick(app, window, ListRowCentre(row));
            ASSERT_TRUE(WaitForListRowSelected(app, window, row)) << names[i].toStdString();
            // The picture that was shown stays when one is refused.
            if (entries[i].label.startsWith("20000")) {
                EXPECT_EQ(PictureColour(app, window), redShown ? red : blue)
                    << "the 20000 x 20000 picture is shown";
            }
            QuickClick(app, window, ListRowCentre(redShown ? 1 : 0));
            redShown = !redShown;
            ASSERT_TRUE(WaitForPictureColour(app, window, redShown ? red : blue))
                << "no answer after opening " << names[i].toStdString();
        });
    }
    tally.run("memory after the large picture", [&] {
        // The 20000 x 20000 picture is refused before its pixels are kept anywhere.
        const qint64 peak = PeakMemoryKb(pid);
        EXPECT_GT(peak, 0);
        EXPECT_LT(peak, 400 * 1024) << "the program's peak memory is " << peak / 1024 << " MB";
    });
    tally.run("the last of 20 000 entries", [&] {
        app.key("End");
        EXPECT_TRUE(WaitForPictureColour(app, window, green))
            << "End in the list does not show the green 20000.png";
        app.key("Home");
        EXPECT_TRUE(WaitForPictureColour(app, window, red));
        redShown = true;
    });
    const QStringList before = FolderEntriesOf(seen);
    tally.run("capture into the crowded folder", [&] {
        app.key("ctrl+f");
        const QString saved = WaitForNewPicture(seen, before);
        ASSERT_FALSE(saved.isEmpty()) << "no capture saved";
        EXPECT_EQ(QImage(seen + saved).size(), kScreen);
    });
    window = WaitForMainWindow(app);
    ASSERT_FALSE(window.isEmpty());

    ASSERT_TRUE(QDir(seen).removeRecursively());
    tally.run("list refresh of the deleted folder", [&] {
        QuickClick(app, window, ListRowCentre(0));
        app.key("F5");
        EXPECT_TRUE(waitUntil([&] { return ListRowBlank(app, window, 0); }, 10000))
            << "the list still shows the deleted files";
    });
    tally.run("capture into the deleted folder", [&] {
        app.key("ctrl+f");
        const QString saved = WaitForNewPicture(seen, {});
        ASSERT_FALSE(saved.isEmpty()) << "no capture saved after the folder was deleted";
        EXPECT_EQ(QImage(seen + saved).size(), kScreen);
    });
    window = WaitForMainWindow(app);
    ASSERT_FALSE(window.isEmpty());
    tally.run("list of the folder made anew", [&] {
        ASSERT_TRUE(WriteBytes(seen + "-5 red.bmp", FileOf(Solid(red), "BMP")));
        QuickClick(app, window, ListRowCentre(0));
        app.key("F5");
        QuickClick(app, window, ListRowCentre(0));
        EXPECT_TRUE(WaitForPictureColour(app, window, red)) << "the new file is not listed first";
        QuickClick(app, window, ListRowCentre(1));
        EXPECT_TRUE(WaitForPictureColour(app, window, yellow)) << "the capture is not listed";
    });
    tally.run("exit", [&] { EXPECT_TRUE(ExitWithExitButton(app, window)); });
}

namespace {

// The capture failed and said so: a message box whose text (copied with Ctrl+C) names the
// failed save; the box is closed again.
void ExpectSaveFailureMessage(E2eApp& app) {
    const QString box = WaitForDialog(app, 15000);
    ASSERT_FALSE(box.isEmpty()) << "no message about the failed capture";
    app.key("ctrl+c");
    QString text;
    EXPECT_TRUE(PollUntil(
        [&] { return (text = app.clipboardText()).contains(QString::fromUtf8(u8"保存失败")); },
        5000))
        << "the message says: " << text.toStdString();
    app.key("Return");
    EXPECT_TRUE(PollUntil([&] { return !app.visibleProgramWindows().contains(box); }));
}

} // namespace

TEST(HostileInput, FullDisk) {
    CaseTally tally("full disk");
    {
        // The picture folder is a small file system of the program's own holding an earlier
        // picture; the test reaches it through the program's view of the files.
        E2eApp app;
        CaptureSetup setup(app, "autoSaveToCB=0\n");
        const QString seed = app.appDir() + "seed";
        QDir().mkpath(seed);
        ASSERT_TRUE(QFile::copy(setup.pics + "img1.png", seed + "/img1.png"));
        const QByteArray earlier = app.readFile("seed/img1.png");
        app.setWrapper({"unshare", ::geteuid() == 0 ? "-m" : "-rm", "sh", "-c",
                        "mount -t tmpfs -o size=16m tmpfs \"$0\" && cp -a \"$1\"/. \"$0\" && "
                        "shift && exec \"$@\"",
                        setup.pics, seed});
        // The screen pattern makes a capture of several MB.
        ASSERT_TRUE(app.setRootPicture(Pattern()));
        ASSERT_FALSE(StartAndWaitForWindow(app).isEmpty());
        const QString seen = QStringLiteral("/proc/%1/root").arg(app.processId()) + setup.pics;
        ASSERT_TRUE(FolderEntriesOf(seen) == QStringList{"img1.png"});
        const auto expectUntouched = [&](const QStringList& entries) {
            EXPECT_EQ(FolderEntriesOf(seen), entries) << "a partial picture is left behind";
            QFile file(seen + "img1.png");
            EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == earlier)
                << "the earlier picture changed";
        };

        tally.run("no room at all", [&] {
            ASSERT_TRUE(FillFileSystem(seen));
            app.key("ctrl+f");
            ExpectSaveFailureMessage(app);
            expectUntouched({"filler", "img1.png"});
        });
        tally.run("room for a part of the picture", [&] {
            QFile filler(seen + "filler");
            ASSERT_TRUE(filler.resize(filler.size() - 256 * 1024));
            ASSERT_FALSE(WaitForMainWindow(app).isEmpty());
            app.key("ctrl+f");
            ExpectSaveFailureMessage(app);
            expectUntouched({"filler", "img1.png"});
        });
        tally.run("room again", [&] {
            ASSERT_TRUE(QFile::remove(seen + "filler"));
            ASSERT_FALSE(WaitForMainWindow(app).isEmpty());
            app.key("ctrl+f");
            const QString saved = WaitForNewPicture(seen, {"img1.png"});
            EXPECT_EQ(saved, "img2.png");
            EXPECT_EQ(QImage(seen + saved).size(), kScreen);
            expectUntouched({"img1.png", "img2.png"});
            const QString window = WaitForMainWindow(app);
            ASSERT_FALSE(window.isEmpty());
            EXPECT_TRUE(ExitWithExitButton(app, window));
        });
    }
    tally.run("file-size limit", [&] {
        // As on a disk with a quota: no file the program writes may grow beyond 256 KB.
        E2eApp app;
        CaptureSetup setup(app, "autoSaveToCB=0\n", "img1.bmp",
                           BmpOf(Pattern(QRect(0, 0, 40, 30))));
        const QByteArray earlier = app.readFile("pics/img1.bmp");
        app.setWrapper({"prlimit", "--fsize=262144"});
        // A capture of the screen as BMP data holds several MB whatever the screen shows.
        ASSERT_FALSE(StartAndWaitForWindow(app).isEmpty());
        app.key("ctrl+f");
        ExpectSaveFailureMessage(app);
        EXPECT_EQ(FolderEntriesOf(setup.pics), QStringList{"img1.bmp"});
        EXPECT_EQ(app.readFile("pics/img1.bmp"), earlier);
        const QString window = WaitForMainWindow(app);
        ASSERT_FALSE(window.isEmpty());
        EXPECT_TRUE(ExitWithExitButton(app, window));
    });
}

namespace {

// A state of the program in which a termination signal arrives.
struct SignalState {
    QString name;
    // Lines for the [default] section of the user's settings.
    QString extraSettings;
    // Brings the started program into the state; false when it did not get there.
    std::function<bool(CaptureSetup&)> enter;
};

// Whether the process has a file open under the folder (its name ending in '/').
bool HasOpenFileUnder(qint64 pid, const QString& folder) {
    const QByteArray fds = "/proc/" + QByteArray::number(pid) + "/fd/";
    const QByteArray prefix = QFile::encodeName(folder);
    DIR* dir = ::opendir(fds.constData());
    if (!dir) return false;
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        char target[4096];
        const ssize_t n = ::readlink((fds + entry->d_name).constData(), target, sizeof target);
        if (n > 0 && QByteArray(target, n).startsWith(prefix)) found = true;
    }
    ::closedir(dir);
    return found;
}

// Waits until the program writes a file into the folder and stops it there (SIGSTOP); false
// when that moment did not come.
bool StopWhileWriting(qint64 pid, const QString& folder, int timeoutMs = 10000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (HasOpenFileUnder(pid, folder)) {
            ::kill(pid_t(pid), SIGSTOP);
            // Stopped once /proc says so.
            waitUntil(
                [&] {
                    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
                    return stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") T ");
                },
                2000);
            if (HasOpenFileUnder(pid, folder)) return true;
            ::kill(pid_t(pid), SIGCONT);
        }
        QThread::usleep(200);
    }
    return false;
}

QList<SignalState> SignalStates() {
    const auto mainWindow = [](CaptureSetup& s) {
        return !(s.main = WaitForMainWindow(s.app)).isEmpty();
    };
    return {
        {"idle", "", mainWindow},
        {"frozen screen", "",
         [=](CaptureSetup& s) {
             if (!mainWindow(s)) return false;
             QuickClick(s.app, s.main, kAreaButton);
             return WaitForFullScreenWindow(s.app);
         }},
        {"capture toolbar", "ContinueCut=1\n",
         [=](CaptureSetup& s) {
             // With 「连续截图」 ticked the area button starts a run: the toolbar over the
             // frozen screen.
             if (!mainWindow(s)) return false;
             QuickClick(s.app, s.main, kAreaButton);
             return WaitForFullScreenWindow(s.app) && !WaitForDialog(s.app).isEmpty();
         }},
        {"hotkey dialog", "",
         [=](CaptureSetup& s) {
             if (!mainWindow(s)) return false;
             // The last item of the other-functions menu, once the menu shows.
             QuickClick(s.app, s.main, kOtherFunButton);
             if (!PollUntil([&] { return s.app.visibleProgramWindows().size() > 1; })) return false;
             s.app.key("Up Return");
             return !WaitForDialog(s.app, 10000, QString::fromUtf8(u8"热键设置")).isEmpty();
         }},
        {"message box", "",
         [](CaptureSetup& s) {
             // A folder without its path in the settings is refused with a message at start.
             return !WaitForDialog(s.app).isEmpty();
         }},
        {"saving a capture", "",
         [=](CaptureSetup& s) {
             if (!mainWindow(s)) return false;
             s.app.key("ctrl+f");
             return StopWhileWriting(s.app.processId(), s.pics);
         }},
    };
}

// The files of the program's folder, outside its home (where the toolkit and the font
// library keep caches) and its runtime folder.
QStringList ProgramFolderFiles(E2eApp& app) {
    QStringList files;
    const QString root = app.appDir();
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next().mid(root.size());
        if (!path.startsWith("home") && !path.startsWith("runtime")) files << path;
    }
    files.sort();
    return files;
}

} // namespace

TEST(HostileInput, TerminationSignals) {
    // One program folder for every case: each writes its settings anew, and compares the
    // folder's files before and after its signal.
    E2eApp app;
    const ProgramKeys own = ObserveProgramKeys(app);
    ASSERT_FALSE(own.keys.isEmpty());
    ASSERT_TRUE(app.setRootPicture(Pattern()));
    // Temporary files of the program's would show here.
    QDir().mkpath(app.appDir() + "tmp");
    app.setEnvironment("TMPDIR", app.appDir() + "tmp");
    const QStringList foreign = {"; the user's note", "[other program]", "key=value"};

    CaseTally tally("termination signals");
    for (const SignalState& state : SignalStates()) {
        for (const auto& [signal, signalName] : {std::pair<int, const char*>{SIGTERM, "SIGTERM"},
                                                 {SIGINT, "SIGINT"},
                                                 {SIGHUP, "SIGHUP"}}) {
            tally.run(state.name + ", " + signalName, [&] {
                CaptureSetup setup(app, state.extraSettings);
                QByteArray settings = app.readFile(kSettingsFile);
                if (state.name == "message box")
                    settings.replace("PicPath=" + setup.pics.toUtf8(), "PicPath=shots")
                        .replace("img1.png", "gone.png");
                app.writeFile(kSettingsFile, settings + foreign.join('\n').toUtf8() + '\n');
                ASSERT_TRUE(app.start());
                ASSERT_TRUE(state.enter(setup))
                    << "the program did not get there; " << setup.windowsReport();
                const QStringList before = ProgramFolderFiles(app);
                ::kill(pid_t(app.processId()), signal);
                ::kill(pid_t(app.processId()), SIGCONT);
                ASSERT_TRUE(app.waitForExit(10000));
                EXPECT_EQ(app.exitCode(), 0) << "the program did not end normally\n"
                                             << app.programStderr().toStdString();

                const QList<IniLine> file = WrittenSettings(app.readFile(kSettingsFile));
                ExpectProgramKeys(file, own);
                ExpectKept(file, foreign);
                // Nothing new but whole captures of the screen, nothing gone.
                QStringList after;
                for (const QString& path : ProgramFolderFiles(app))
                    if (before.contains(path) || !path.startsWith("pics/") ||
                        QImage(app.appDir() + path).size() != kScreen)
                        after << path;
                EXPECT_EQ(after, before);
                EXPECT_TRUE(QDir(app.homeDir()).entryList({"core*"}, QDir::Files).isEmpty());
            });
        }
    }
}
