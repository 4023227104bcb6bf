// Start-up and shut-down of the real program: its caption, the settings file it writes on
// exit, how it treats hand-written or damaged settings, and old autostart entries.

#include "e2e/e2e_app.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <iostream>

#include <gtest/gtest.h>

namespace {

const QString kCaption = QStringLiteral("QEL屏幕截图助手3.3 ");
const QString kCaptionStem = QStringLiteral("QEL屏幕截图助手");
const QString kSettings = QStringLiteral("defualt.ini");

QStringList linesOf(const QByteArray& data) {
    QStringList lines = QString::fromUtf8(data).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    return lines;
}

// The lines of one [section], without its header.
QStringList sectionOf(const QStringList& lines, const QString& name) {
    QStringList result;
    bool inside = false;
    for (const QString& line : lines) {
        if (line.startsWith('['))
            inside = line == '[' + name + ']';
        else if (inside)
            result << line;
    }
    return result;
}

// Every value given to key in the section, so that a missing or doubled key shows.
QStringList valuesOf(const QStringList& section, const QString& key) {
    QStringList values;
    for (const QString& line : section)
        if (line.startsWith(key + '=')) values << line.mid(key.size() + 1);
    return values;
}

void expectSameLines(const QStringList& actual, const QStringList& expected) {
    for (qsizetype i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        if (i < actual.size() && i < expected.size() && actual[i] == expected[i]) continue;
        ADD_FAILURE() << "line " << i + 1 << ": got "
                      << (i < actual.size() ? '"' + actual[i].toStdString() + '"' : "nothing")
                      << ", expected "
                      << (i < expected.size() ? '"' + expected[i].toStdString() + '"' : "nothing")
                      << "\nwhole file:\n"
                      << actual.join('\n').toStdString();
        return;
    }
}

QString waitForMainWindow(E2eApp& app) {
    return app.start() ? app.waitForWindow(kCaptionStem) : QString();
}

bool exitWithExitButton(E2eApp& app, const QString& window) {
    app.click(window, kExitButtonCentre);
    if (!app.waitForExit(10000)) return false;
    EXPECT_EQ(app.exitCode(), 0) << app.programStderr().toStdString();
    return true;
}

TEST(Startup, FirstStart) {
    E2eApp app;
    const QString window = waitForMainWindow(app);
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(app.windowName(window), kCaption);
    ASSERT_TRUE(exitWithExitButton(app, window));

    const QString a = app.appDir();
    const QStringList expected = {
        "[default]",        "PicPath=" + a,       "PicName=PIC",
        "WatermarkText=",   "WatermarkImgPath=",  "WaterMarkTransparent=8",
        "WatermarkType=2",  "CbMarkContrst=1",    "MarkX=0",
        "MarkY=0",          "PicFormat=0",        "autoSaveToCB=1",
        "autoSaveToPath=0", "needLoadLeftMess=0", "ContinueCut=0",
        "AutoSavePre=",     "CurPicName=",        "[font]",
        "FontSize=11",      "FontCharset=134",    "FontColor=255",
        "FontName=宋体",    "FontBold=0",         "FontItalic=0",
        "FontUnderLine=0",  "FontStrikeOut=0",    "[hotkey]",
        "hotkey1_1=Ctrl",   "hotkey1_2=Shift",    "hotkey1_3=F",
        "hotkey2_1=Ctrl",   "hotkey2_2=Shift",    "hotkey2_3=W",
        "hotkey3_1=Ctrl",   "hotkey3_2=Shift",    "hotkey3_3=C",
        "hotkey4_1=Ctrl",   "hotkey4_2=Shift",    "hotkey4_3=A",
        "hotkey5_1=",       "hotkey5_2=",         "hotkey5_3=ESC",
    };
    expectSameLines(linesOf(app.readFile(kSettings)), expected);
}

TEST(Startup, SecondStartWithHandWrittenSettings) {
    E2eApp app;
    const QString a = app.appDir();
    app.writeFile("pics/.keep", {});
    app.writeFile(kSettings, QString("[default]\n"
                                     "PicPath=   " +
                                     a +
                                     "pics   \n"
                                     "PicFormat=9\n"
                                     "needLoadLeftMess=1\n"
                                     "CurPicName=" +
                                     a +
                                     "pics/gone.png\n"
                                     "AutoSavePre=  shot  \n"
                                     "PicName=\n"
                                     "Extra=keep\n"
                                     "; note\n"
                                     "[font]\n"
                                     "FontCharset=390\n"
                                     "FontName=Arial\n"
                                     "FontBold=1\n")
                                 .toUtf8());
    const QString window = waitForMainWindow(app);
    ASSERT_FALSE(window.isEmpty());
    // The close box ends the program like the exit button, saving the settings.
    app.closeWindow(window);
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_EQ(app.exitCode(), 0) << app.programStderr().toStdString();

    const QByteArray file = app.readFile(kSettings);
    const QStringList lines = linesOf(file);
    const QStringList general = sectionOf(lines, "default");
    const QStringList font = sectionOf(lines, "font");
    const QStringList hotkeys = sectionOf(lines, "hotkey");
    // Trimmed on load, then adopted as the picture folder when the list is first filled,
    // which writes the normalised folder back into the box.
    EXPECT_EQ(valuesOf(general, "PicPath"), QStringList{a + "pics/"});
    EXPECT_EQ(valuesOf(general, "PicFormat"), QStringList{"-1"});
    EXPECT_EQ(valuesOf(general, "needLoadLeftMess"), QStringList{"1"});
    EXPECT_EQ(valuesOf(general, "AutoSavePre"), QStringList{"shot"});
    EXPECT_EQ(valuesOf(general, "PicName"), QStringList{""});
    EXPECT_EQ(valuesOf(general, "CurPicName"), QStringList{a + "pics/gone.png"});
    EXPECT_EQ(valuesOf(general, "Extra"), QStringList{"keep"});
    EXPECT_TRUE(general.contains("; note"));
    EXPECT_EQ(valuesOf(font, "FontCharset"), QStringList{"134"});
    EXPECT_EQ(valuesOf(font, "FontName"), QStringList{"Arial"});
    EXPECT_EQ(valuesOf(font, "FontBold"), QStringList{"1"});
    for (int hotkey = 1; hotkey <= 5; ++hotkey)
        for (int part = 1; part <= 3; ++part)
            EXPECT_EQ(valuesOf(hotkeys, QString("hotkey%1_%2").arg(hotkey).arg(part)),
                      QStringList{""})
                << "hotkey" << hotkey << '_' << part;
    if (::testing::Test::HasFailure()) std::cerr << "written file:\n" << file.toStdString();
}

TEST(Startup, AutostartEntries) {
    E2eApp app;
    const QStringList stale = {"QEL屏幕截图助手.desktop", "QELQel屏幕截图助手.desktop",
                               "QEL屏幕截图助手1.2.desktop", "QEL屏幕截图助手1.1.desktop"};
    const QStringList foreign = {"other.desktop", "QEL屏幕截图助手1.3.desktop"};
    const QString autostart = app.configDir() + "/autostart/";
    for (const QString& name : stale + foreign)
        app.writeFile("config/autostart/" + name, "[Desktop Entry]\nType=Application\n");

    const QString window = waitForMainWindow(app);
    ASSERT_FALSE(window.isEmpty());
    waitUntil(
        [&] {
            for (const QString& name : stale)
                if (QFile::exists(autostart + name)) return false;
            return true;
        },
        5000);
    for (const QString& name : stale)
        EXPECT_FALSE(QFile::exists(autostart + name)) << name.toStdString();
    ASSERT_TRUE(exitWithExitButton(app, window));
    for (const QString& name : foreign)
        EXPECT_TRUE(QFile::exists(autostart + name)) << name.toStdString();
}

TEST(Startup, GarbageSettingsFile) {
    E2eApp app;
    QRandomGenerator random(20240611);
    QByteArray garbage(200 * 1024, '\0');
    for (char& byte : garbage)
        byte = char(random.bounded(256));
    garbage[100] = '\0';
    const QByteArray longLine = '\n' + QByteArray(100000, 'x') + '\n';
    garbage.replace(50000, longLine.size(), longLine);
    app.writeFile(kSettings, garbage);

    const QString window = waitForMainWindow(app);
    ASSERT_FALSE(window.isEmpty());
    ASSERT_TRUE(exitWithExitButton(app, window));
    EXPECT_EQ(valuesOf(sectionOf(linesOf(app.readFile(kSettings)), "font"), "FontSize"),
              QStringList{"11"});
}

TEST(Startup, TerminationSignalEndsLikeTheExitButton) {
    E2eApp app;
    const QString window = waitForMainWindow(app);
    ASSERT_FALSE(window.isEmpty());
    app.terminate();
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_EQ(valuesOf(sectionOf(linesOf(app.readFile(kSettings)), "hotkey"), "hotkey5_3"),
              QStringList{"ESC"});
}

} // namespace

TEST(Startup, WithoutAnXDisplayOneLineSaysSoAndTheExitCodeIsOne) {
    // No display named, and a display that no server serves.
    for (const QString& display : {QString(), QStringLiteral(":4711")}) {
        E2eApp app;
        app.setEnvironment(QStringLiteral("DISPLAY"), display);
        ASSERT_TRUE(app.start());
        ASSERT_TRUE(app.waitForExit(10000));
        EXPECT_EQ(app.exitCode(), 1) << display.toStdString();
        EXPECT_EQ(app.programStderr(), QString::fromUtf8(u8"找不到X显示（DISPLAY=") + display +
                                           QString::fromUtf8(u8"），程序无法启动\n"));
    }
}
