#include "common/profile_file.h"
#include "support/forked_child.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString S(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

TEST(ProfileFile, ReadsNamesCaseInsensitivelyAndStripsBlanksAndQuotes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    writeBytes(path, "top=before any section\r\n"
                     "[ Main ]\r\n"
                     "  Path = /home/x  \r"
                     "Quoted=\"  spaced  \"\n"
                     "Single='x'\n"
                     "Mixed=\"x'\n"
                     "Lone=\"\n"
                     "Empty=\n"
                     "Tabs=\t value\t\n"
                     "Inner=a=b\n"
                     "no equals sign\n"
                     "[Other]\n"
                     "Path=other\n");
    ProfileFile p(path);
    EXPECT_TRUE(p.existedAtOpen());
    EXPECT_EQ(p.readString("main", "PATH", "d"), "/home/x");
    EXPECT_EQ(p.readString("Other", "Path", "d"), "other");
    EXPECT_EQ(p.readString("Main", "Quoted", "d"), "  spaced  ");
    EXPECT_EQ(p.readString("Main", "Single", "d"), "x");
    EXPECT_EQ(p.readString("Main", "Mixed", "d"), "\"x'");
    EXPECT_EQ(p.readString("Main", "Lone", "d"), "\"");
    EXPECT_EQ(p.readString("Main", "Empty", "d"), "");
    EXPECT_EQ(p.readString("Main", "Tabs", "d"), "value");
    EXPECT_EQ(p.readString("Main", "Inner", "d"), "a=b");
    EXPECT_EQ(p.readString("Main", "no equals sign", "d"), "d");
    EXPECT_EQ(p.readString("Main", "top", "d"), "d");
    EXPECT_EQ(p.readString("Main", "Missing", "d"), "d");
    EXPECT_EQ(p.readString("Missing", "Path", "d"), "d");

    ProfileFile none(dir.filePath("none.ini"));
    EXPECT_FALSE(none.existedAtOpen());
    EXPECT_EQ(none.readString("Main", "Path", "d"), "d");
    EXPECT_TRUE(none.save());
    EXPECT_FALSE(QFile::exists(dir.filePath("none.ini")));
}

TEST(ProfileFile, CutsLongValuesTo2047Characters) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    const QByteArray longValue(3000, 'v');
    writeBytes(path, "[S]\nLong=\"" + longValue + "\"\nExact=" + QByteArray(2047, 'e') + "\n");
    ProfileFile p(path);
    EXPECT_EQ(p.readString("S", "Long", ""), QString(2047, u'v'));
    EXPECT_EQ(p.readString("S", "Exact", ""), QString(2047, u'e'));
}

TEST(ProfileFile, ReadsIntegersAndBools) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    writeBytes(path, "[N]\n"
                     "Dec= 42 \n"
                     "Neg=-7\n"
                     "Hex=0x10\n"
                     "Dollar=$20\n"
                     "BareX=0x\n"
                     "BareBigX=0X\n"
                     "Quoted=\"12\"\n"
                     "Text=abc\n"
                     "Empty=\n"
                     "Two=2\n"
                     "Zero=0\n"
                     "Big=4294967296\n");
    ProfileFile p(path);
    EXPECT_EQ(p.readInteger("n", "dec", -1), 42);
    EXPECT_EQ(p.readInteger("N", "Neg", -1), -7);
    EXPECT_EQ(p.readInteger("N", "Hex", -1), 16);
    EXPECT_EQ(p.readInteger("N", "Dollar", -1), 32);
    EXPECT_EQ(p.readInteger("N", "BareX", -1), -1);
    EXPECT_EQ(p.readInteger("N", "BareBigX", -1), -1);
    EXPECT_EQ(p.readInteger("N", "Quoted", -1), 12);
    EXPECT_EQ(p.readInteger("N", "Text", -1), -1);
    EXPECT_EQ(p.readInteger("N", "Big", -1), -1);
    EXPECT_EQ(p.readInteger("N", "Empty", -1), -1);
    EXPECT_EQ(p.readInteger("N", "Missing", 99), 99);

    EXPECT_TRUE(p.readBool("N", "Two", false));
    EXPECT_FALSE(p.readBool("N", "Zero", true));
    EXPECT_TRUE(p.readBool("N", "Text", true));
    EXPECT_FALSE(p.readBool("N", "Text", false));
    EXPECT_TRUE(p.readBool("N", "Empty", true));
    EXPECT_FALSE(p.readBool("N", "Missing", false));
}

TEST(ProfileFile, WritesInPlaceAndAppendsToTheRightSection) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    writeBytes(path, "; comment at top\n"
                     "[First]\n"
                     "  MyKey = old\n"
                     "; comment inside\n"
                     "Other=1\n"
                     "\n"
                     "[Unknown]\n"
                     "keep=me\n"
                     "\n"
                     "[Second]\n"
                     "x=1\n");
    ProfileFile p(path);
    p.writeString("FIRST", "mykey", "new value");
    p.writeInteger("First", "Added", -3);
    p.writeBool("second", "Flag", true);
    p.writeBool("Second", "x", false);
    p.writeString("Third", "k", "v");
    p.writeString("Third", "k2", "v2");

    const QStringList expected = {"; comment at top",
                                  "[First]",
                                  "MyKey=new value",
                                  "; comment inside",
                                  "Other=1",
                                  "Added=-3",
                                  "",
                                  "[Unknown]",
                                  "keep=me",
                                  "",
                                  "[Second]",
                                  "x=0",
                                  "Flag=1",
                                  "[Third]",
                                  "k=v",
                                  "k2=v2"};
    EXPECT_EQ(p.lines(), expected);
    EXPECT_EQ(p.readString("First", "MyKey", ""), "new value");
    EXPECT_EQ(p.readInteger("First", "Added", 0), -3);
    EXPECT_FALSE(p.readBool("Second", "x", true));

    // Nothing reaches the disk before save(); then the file holds exactly the lines.
    EXPECT_EQ(readBytes(path).left(16), "; comment at top");
    ASSERT_TRUE(p.save());
    EXPECT_EQ(readBytes(path), (expected.join('\n') + '\n').toUtf8());

    ProfileFile again(path);
    EXPECT_EQ(again.lines(), expected);
    EXPECT_EQ(again.readString("third", "K2", ""), "v2");
    EXPECT_EQ(again.readString("First", "MyKey", ""), "new value");
}

TEST(ProfileFile, CreatesFileAndKeepsValuesOnOneLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    ProfileFile p(path);
    p.writeString("S", "Name", S("截图\nsecond line"));
    p.writeString("S", "Path", S("/tmp/截图"));
    ASSERT_TRUE(p.save());
    EXPECT_EQ(readBytes(path), S("[S]\nName=截图 second line\nPath=/tmp/截图\n").toUtf8());

    ProfileFile again(path);
    EXPECT_TRUE(again.existedAtOpen());
    EXPECT_EQ(again.readString("S", "Name", ""), S("截图 second line"));
    EXPECT_EQ(again.readString("S", "Path", ""), S("/tmp/截图"));
}

TEST(ProfileFile, DecodesUtf8WithBomAndGbk) {
    QTemporaryDir dir;
    const QString utf8Path = dir.filePath("utf8.ini");
    writeBytes(utf8Path, "\xEF\xBB\xBF[S]\nName=" + S("截图").toUtf8() + "\n");
    ProfileFile utf8(utf8Path);
    EXPECT_EQ(utf8.readString("S", "Name", ""), S("截图"));
    EXPECT_EQ(utf8.lines().first(), "[S]");

    QStringEncoder toGbk("GBK");
    ASSERT_TRUE(toGbk.isValid());
    const QByteArray gbkName = toGbk.encode(S("截图"));
    ASSERT_NE(gbkName, S("截图").toUtf8());
    const QString gbkPath = dir.filePath("gbk.ini");
    writeBytes(gbkPath, "[S]\r\nName=" + gbkName + "\r\n");
    ProfileFile gbk(gbkPath);
    EXPECT_EQ(gbk.readString("S", "Name", ""), S("截图"));

    // Saving turns the file into UTF-8.
    gbk.writeInteger("S", "N", 1);
    ASSERT_TRUE(gbk.save());
    EXPECT_EQ(readBytes(gbkPath), S("[S]\nName=截图\nN=1\n").toUtf8());
}

TEST(ProfileFile, SurvivesJunkAndPicksFirstDuplicate) {
    QTemporaryDir dir;
    const QString path = dir.filePath("junk.ini");
    QByteArray junk;
    quint32 seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk += char(seed >> 24);
    }
    junk += QByteArray("\0\0[\0]\n=\n[\n]]\n", 13);
    junk += "[Dup]\nKey=first\nKey=second\n\xFF\xFE\n";
    junk += QByteArray(100000, 'L') + "\n";
    junk += "[dup]\nKey=third\nOnlyHere=1\n";
    junk += QByteArray("[Nul]\nK=a\0b\n", 12);
    writeBytes(path, junk);

    ProfileFile p(path);
    EXPECT_EQ(p.readString("Dup", "Key", ""), "first");
    EXPECT_EQ(p.readString("Dup", "OnlyHere", "d"), "d");
    EXPECT_EQ(p.readString("Nul", "K", "").size(), 3);

    p.writeString("DUP", "key", "changed");
    p.writeString("Dup", "OnlyHere", "2");
    ASSERT_TRUE(p.save());
    ProfileFile again(path);
    EXPECT_EQ(again.readString("Dup", "Key", ""), "changed");
    EXPECT_EQ(again.readString("Dup", "OnlyHere", ""), "2");
    const QStringList lines = again.lines();
    EXPECT_TRUE(lines.contains("Key=second"));
    EXPECT_TRUE(lines.contains("Key=third"));
    EXPECT_TRUE(lines.contains(QString(100000, u'L')));
}

TEST(ProfileFile, FailedSaveLeavesExistingFileAlone) {
    QTemporaryDir dir;

    // A file name at the length limit is written like any other: the data has no name of
    // its own until it takes the file's.
    const QString longPath = dir.filePath(QString(250, u'n'));
    writeBytes(longPath, "[S]\nK=old\n");
    ProfileFile p(longPath);
    ASSERT_TRUE(p.existedAtOpen());
    p.writeString("S", "K", "new");
    EXPECT_TRUE(p.save());
    EXPECT_EQ(readBytes(longPath), "[S]\nK=new\n");

    // The path names a directory.
    const QString dirPath = dir.filePath("settings.ini");
    ASSERT_TRUE(QDir(dir.path()).mkdir("settings.ini"));
    writeBytes(dirPath + "/inside", "keep");
    ProfileFile d(dirPath);
    EXPECT_FALSE(d.existedAtOpen());
    d.writeString("S", "K", "v");
    EXPECT_FALSE(d.save());
    EXPECT_EQ(readBytes(dirPath + "/inside"), "keep");

    // The folder does not exist.
    ProfileFile missing(dir.filePath("no/such/dir/a.ini"));
    missing.writeString("S", "K", "v");
    EXPECT_FALSE(missing.save());
    EXPECT_FALSE(QFile::exists(dir.filePath("no")));
}

TEST(ProfileFile, ReadsUtf16AfterItsByteOrderMarkAndSavesItWholeAsUtf8) {
    QTemporaryDir dir;
    const QString text = S("; 用户的注释\r\n[default]\r\nPicPath=/home/u/截图/\r\n"
                           "[hotkey]\r\nhotkey1_1=Ctrl\r\nhotkey1_3=F\r\n");
    QStringEncoder littleEndian(QStringEncoder::Utf16LE), bigEndian(QStringEncoder::Utf16BE);
    const QByteArray files[] = {"\xFF\xFE" + QByteArray(littleEndian.encode(text)),
                                "\xFE\xFF" + QByteArray(bigEndian.encode(text))};
    for (const QByteArray& bytes : files) {
        const QString path = dir.filePath("utf16.ini");
        writeBytes(path, bytes);
        ProfileFile p(path);
        EXPECT_TRUE(p.existedAtOpen());
        EXPECT_EQ(p.readString("default", "PicPath", ""), S("/home/u/截图/"));
        EXPECT_EQ(p.readString("hotkey", "hotkey1_3", ""), "F");
        EXPECT_EQ(p.lines().first(), S("; 用户的注释"));
        p.writeString("hotkey", "hotkey1_3", "G");
        p.writeString("font", "FontName", S("宋体"));
        ASSERT_TRUE(p.save());
        // One encoding for the whole file, every other line kept.
        EXPECT_EQ(readBytes(path), S("; 用户的注释\n[default]\nPicPath=/home/u/截图/\n[hotkey]\n"
                                     "hotkey1_1=Ctrl\nhotkey1_3=G\n[font]\nFontName=宋体\n")
                                       .toUtf8());
    }
}

TEST(ProfileFile, AFileSizeLimitOrAFullDiskNeverEmptiesTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("defualt.ini");
    const QByteArray old = "[hotkey]\nhotkey1_1=Ctrl\nhotkey1_3=F\n";
    // Keys written, then the save fails in the middle of the data or at its first byte.
    const auto saveOver = [&](const QString& file) {
        ProfileFile p(file);
        if (p.readString("hotkey", "hotkey1_3", "") != "F") return 2;
        p.writeString("default", "PicPath", QString(3000, u'p'));
        if (p.save() || p.errorString().isEmpty()) return 3;
        if (!p.isDirty()) return 4;
        QFile read(file);
        if (!read.open(QIODevice::ReadOnly) || read.readAll() != old) return 5;
        const QStringList left =
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        return left.size() == 1 || left == QStringList({"defualt.ini", "filler"}) ? 0 : 6;
    };
    writeBytes(path, old);
    EXPECT_EQ(RunWithFileSizeLimit(old.size() + 10, [&] { return saveOver(path); }), 0);
    EXPECT_EQ(RunWithFileSizeLimit(0, [&] { return saveOver(path); }), 0);
    EXPECT_EQ(readBytes(path), old);

    const int rc = RunOnSmallTmpfs(dir.path(), 64 * 1024, [&] {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(old) != old.size()) return 7;
        file.close();
        return FillFileSystem(dir.path()) ? saveOver(path) : 8;
    });
    if (rc < 0) GTEST_SKIP() << "no private mounts here (needs root)";
    EXPECT_EQ(rc, 0);
}
