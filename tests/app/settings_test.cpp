#include "app/settings.h"
#include "common/profile_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString WriteIni(const QTemporaryDir& dir, const QByteArray& text) {
    const QString path = dir.filePath("defualt.ini");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

QStringList FileLines(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TEST(Settings, NoFileGivesEveryDefaultAndFirstSaveWritesTheFixedOrder) {
    QTemporaryDir dir;
    const QString appDir = dir.path() + "/";
    ProfileFile file(dir.filePath("defualt.ini"));
    SettingsValues v;
    v.autoSaveToPath = false;
    ReadSettings(file, ProgramPlaces::Beside(appDir), v);
    EXPECT_EQ(v.picPath, appDir + QString::fromUtf8(u8"截图"));
    EXPECT_EQ(v.picName, "PIC");
    EXPECT_EQ(v.watermark.type, 2);
    EXPECT_EQ(v.watermark.transparent, 8);
    EXPECT_TRUE(v.watermark.reverse);
    EXPECT_TRUE(v.autoSaveToCB);
    EXPECT_EQ(v.font.name, QString::fromUtf8(u8"宋体"));
    EXPECT_EQ(v.font.color, 255);
    EXPECT_EQ(v.hotkeys, DefaultHotkeys());
    EXPECT_FALSE(QFile::exists(file.path()));

    v.picPath = appDir;
    WriteSettings(file, v);
    ASSERT_TRUE(file.save());
    QStringList expected = {"[default]",         "PicPath=" + appDir,
                            "PicName=PIC",       "WatermarkText=",
                            "WatermarkImgPath=", "WaterMarkTransparent=8",
                            "WatermarkType=2",   "CbMarkContrst=1",
                            "MarkX=0",           "MarkY=0",
                            "PicFormat=0",       "autoSaveToCB=1",
                            "autoSaveToPath=0",  "needLoadLeftMess=0",
                            "ContinueCut=0",     "AutoSavePre=",
                            "CurPicName=",       "[font]",
                            "FontSize=11",       "FontCharset=134",
                            "FontColor=255",     QString::fromUtf8(u8"FontName=宋体"),
                            "FontBold=0",        "FontItalic=0",
                            "FontUnderLine=0",   "FontStrikeOut=0",
                            "[hotkey]"};
    const char* keys[] = {"F", "W", "C", "A"};
    for (int id = 1; id <= 4; ++id) {
        expected << QString("hotkey%1_1=Ctrl").arg(id) << QString("hotkey%1_2=Shift").arg(id)
                 << QString("hotkey%1_3=%2").arg(id).arg(keys[id - 1]);
    }
    expected << "hotkey5_1="
             << "hotkey5_2="
             << "hotkey5_3=ESC";
    EXPECT_EQ(FileLines(file.path()), expected);
}

TEST(Settings, HandWrittenValuesFollowTheReadingRules) {
    QTemporaryDir dir;
    const QString appDir = dir.path() + "/";
    const QString path = WriteIni(dir, "[DEFAULT]\n"
                                       "picpath=   /pics/here   \n"
                                       "PicName=\n"
                                       "PicFormat=9\n"
                                       "MarkX=abc\n"
                                       "MarkY=0x10\n"
                                       "WaterMarkTransparent=\n"
                                       "needLoadLeftMess=7\n"
                                       "AutoSavePre=  shot  \n"
                                       "CurPicName=\"/pics/a b.png\"\n"
                                       "[font]\n"
                                       "FontCharset=390\n"
                                       "FontUnderLine=1\n"
                                       "FontSize=oops\n");
    ProfileFile file(path);
    SettingsValues v;
    v.autoSaveToPath = true; // the current check mark is the default
    ReadSettings(file, ProgramPlaces::Beside(appDir), v);
    EXPECT_EQ(v.picPath, "/pics/here");
    EXPECT_EQ(v.picName, ""); // present but empty: not the default
    EXPECT_EQ(v.picFormat, 9);
    EXPECT_EQ(v.watermark.markX, 0);
    EXPECT_EQ(v.watermark.markY, 16);
    EXPECT_EQ(v.watermark.transparent, 8); // empty integer: the default
    EXPECT_TRUE(v.needLoadLeftMess);
    EXPECT_TRUE(v.autoSaveToPath);
    EXPECT_EQ(v.autoSavePre, "shot"); // blanks around a value are dropped on reading
    EXPECT_EQ(v.curPicName, "/pics/a b.png");
    EXPECT_EQ(v.font.charset, 134);
    EXPECT_TRUE(v.font.underline);
    EXPECT_EQ(v.font.size, 11);
    // The file exists but has no hotkey section: fifteen empty texts, not the defaults.
    for (const HotkeyRow& row : v.hotkeys)
        for (const QString& text : row)
            EXPECT_TRUE(text.isEmpty());

    v.picFormat = -1;
    v.autoSavePre = "  pre "; // the box's text is trimmed when written
    WriteSettings(file, v);
    ASSERT_TRUE(file.save());
    const QStringList lines = FileLines(path);
    // Existing keys are replaced where they stand, keeping their spelling and section.
    EXPECT_EQ(lines[0], "[DEFAULT]");
    EXPECT_EQ(lines[1], "picpath=/pics/here");
    EXPECT_TRUE(lines.contains("PicFormat=-1"));
    EXPECT_TRUE(lines.contains("AutoSavePre=pre"));
    EXPECT_TRUE(lines.contains("needLoadLeftMess=1"));
    EXPECT_TRUE(lines.contains("FontUnderLine=1"));
    EXPECT_EQ(lines.count("FontUnderLine=1"), 1);
    EXPECT_TRUE(lines.contains("hotkey5_3="));

    ProfileFile again(path);
    SettingsValues back;
    ReadSettings(again, ProgramPlaces::Beside(appDir), back);
    EXPECT_EQ(back.picFormat, -1);
    EXPECT_EQ(back.autoSavePre, "pre");
    EXPECT_TRUE(back.font.underline);
}
