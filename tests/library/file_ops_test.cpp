#include "library/file_ops.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Write(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(FileOps, RenameNeverReplacesAFile) {
    QTemporaryDir dir;
    const QString a = dir.path() + "/5.jpg";
    const QString b = dir.path() + "/holiday.jpg";
    Write(a, "five");
    Write(b, "holiday");
    EXPECT_FALSE(RenameNoReplace(a, b));
    EXPECT_EQ(Read(a), "five");
    EXPECT_EQ(Read(b), "holiday");
    // Renaming onto itself leaves it as it is.
    EXPECT_FALSE(RenameNoReplace(a, a));
    EXPECT_EQ(Read(a), "five");
    // A folder of that name is taken too.
    QDir(dir.path()).mkdir("taken.jpg");
    EXPECT_FALSE(RenameNoReplace(a, dir.path() + "/taken.jpg"));
    EXPECT_EQ(Read(a), "five");
    EXPECT_FALSE(RenameNoReplace(dir.path() + "/missing.jpg", dir.path() + "/new.jpg"));
    EXPECT_FALSE(QFile::exists(dir.path() + "/new.jpg"));
}

TEST(FileOps, RenameAndDeleteAwkwardNames) {
    QTemporaryDir dir;
    const QStringList names = {"a b.jpg", "it's \"q\".png", "-rf.jpg", "图片 一.bmp",
                               "$(x); `y` | z & *.jpg"};
    QString from = dir.path() + "/start.jpg";
    Write(from, "data");
    for (const QString& name : names) {
        const QString to = dir.path() + '/' + name;
        ASSERT_TRUE(RenameNoReplace(from, to)) << name.toStdString();
        EXPECT_FALSE(QFile::exists(from));
        EXPECT_EQ(Read(to), "data");
        from = to;
    }
    Write(dir.path() + "/other.jpg", "other");
    EXPECT_TRUE(DeletePicFile(from));
    EXPECT_FALSE(QFile::exists(from));
    EXPECT_EQ(Read(dir.path() + "/other.jpg"), "other");
    EXPECT_FALSE(DeletePicFile(from));
    QDir(dir.path()).mkdir("folder.jpg");
    EXPECT_FALSE(DeletePicFile(dir.path() + "/folder.jpg"));
    EXPECT_TRUE(QDir(dir.path() + "/folder.jpg").exists());
}

TEST(FileOps, RenameTargetKeepsTheOldExtensionWhenNoneIsTyped) {
    EXPECT_EQ(RenameTargetPath("/p/", "holiday", ".jpg"), "/p/holiday.jpg");
    EXPECT_EQ(RenameTargetPath("/p/", "holiday.png", ".jpg"), "/p/holiday.png");
    EXPECT_EQ(RenameTargetPath("/p/", " x ", ".jpg"), "/p/ x .jpg");
    EXPECT_EQ(RenameTargetPath("/p.d/", "x", ".bmp"), "/p.d/x.bmp");
    EXPECT_EQ(RenameTargetPath("/p/", "", ".jpg"), "/p/.jpg");
}
