#include "library/file_ops.h"
#include "support/private_home.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
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
    PrivateHome home;
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
    EXPECT_EQ(RemovePicFile(from), PicRemoval::Trashed);
    EXPECT_FALSE(QFile::exists(from));
    EXPECT_EQ(Read(dir.path() + "/other.jpg"), "other");
    EXPECT_EQ(RemovePicFile(from), PicRemoval::Kept);
    QDir(dir.path()).mkdir("folder.jpg");
    EXPECT_EQ(RemovePicFile(dir.path() + "/folder.jpg"), PicRemoval::Kept);
    EXPECT_TRUE(QDir(dir.path() + "/folder.jpg").exists());
}

// The trash's information file for a trashed file, read whole; empty when there is none.
static QByteArray TrashInfo(const PrivateHome& home, const QString& nameInTrash) {
    return Read(home.trashInfo() + nameInTrash + ".trashinfo");
}

TEST(FileOps, DeletedPicturesGoToTheDesktopTrashWhereOneTakesThem) {
    PrivateHome home;
    QTemporaryDir dir;
    // A new account has no data folder yet: the trash is made.
    QDir(home.path() + "/.local/share").removeRecursively();
    const QString picture = dir.path() + "/假期 1.jpg";
    Write(picture, "first");
    ASSERT_EQ(RemovePicFile(picture), PicRemoval::Trashed);
    EXPECT_FALSE(QFile::exists(picture));
    EXPECT_EQ(Read(home.trashFiles() + "假期 1.jpg"), "first");
    // The information file names the old place, so that the file manager can restore it.
    const QByteArray info = TrashInfo(home, "假期 1.jpg");
    EXPECT_TRUE(info.startsWith("[Trash Info]\n")) << info.toStdString();
    EXPECT_TRUE(info.contains("\nPath=" + QUrl::toPercentEncoding(picture, "/") + "\n"))
        << info.toStdString();
    EXPECT_TRUE(info.contains("\nDeletionDate=")) << info.toStdString();

    // A second file of the same name keeps the first one in the trash.
    Write(picture, "second");
    ASSERT_EQ(RemovePicFile(picture), PicRemoval::Trashed);
    EXPECT_EQ(Read(home.trashFiles() + "假期 1.jpg"), "first");
    EXPECT_EQ(QDir(home.trashFiles()).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(QDir(home.trashInfo()).entryList(QDir::Files).size(), 2);

    // Where no trash can be made (the data folder is a file), the picture is deleted at
    // once, and nothing lands in the working folder instead.
    QDir(home.path() + "/.local/share").removeRecursively();
    Write(home.path() + "/.local/share", "not a folder");
    QTemporaryDir work;
    const QString oldWork = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    Write(picture, "third");
    EXPECT_EQ(RemovePicFile(picture), PicRemoval::Deleted);
    QDir::setCurrent(oldWork);
    EXPECT_FALSE(QFile::exists(picture));
    EXPECT_TRUE(QDir(work.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(FileOps, RenameTargetKeepsTheOldExtensionWhenNoneIsTyped) {
    EXPECT_EQ(RenameTargetPath("/p/", "holiday", ".jpg"), "/p/holiday.jpg");
    EXPECT_EQ(RenameTargetPath("/p/", "holiday.png", ".jpg"), "/p/holiday.png");
    EXPECT_EQ(RenameTargetPath("/p/", " x ", ".jpg"), "/p/ x .jpg");
    EXPECT_EQ(RenameTargetPath("/p.d/", "x", ".bmp"), "/p.d/x.bmp");
    EXPECT_EQ(RenameTargetPath("/p/", "", ".jpg"), "/p/.jpg");
}
