#include "capture/auto_file_name.h"
#include "capture/new_picture_file.h"
#include "support/folder_entries.h"
#include "support/forked_child.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

QImage Solid(QColor color) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

bool Touch(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

} // namespace

TEST(NewPictureFile, AKilledOrFailedSaveLeavesNothingInTheFolder) {
    QTemporaryDir dir;
    const QString taken = dir.filePath("1.png");
    ASSERT_TRUE(Touch(taken));
    // Killed once the picture is written and the program is after another name for it.
    ForkedChild child([&] {
        const QString written = WriteNewPicture(Solid(Qt::red), taken, [] {
            ForkedChild::mark();
            ::pause();
            return QString();
        });
        return written.isEmpty() ? 2 : 3;
    });
    ASSERT_TRUE(child.waitForMark());
    child.kill(SIGKILL);
    EXPECT_EQ(child.wait(), 128 + SIGKILL);
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{"1.png"});

    // A save that runs out of room fails and leaves nothing either.
    const int rc = RunWithFileSizeLimit(1000, [&] {
        return WriteNewPicture(Solid(Qt::red), dir.filePath("2.bmp"), nullptr).isEmpty() ? 0 : 2;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{"1.png"});
}

TEST(NewPictureFile, CapturesGoOnPastTheLargestNumberAFolderHolds) {
    for (const QString& largest :
         {QStringLiteral("2147483647.jpg"), QStringLiteral("0x7fffffff.png"),
          QStringLiteral("img2147483647.bmp")}) {
        QTemporaryDir dir;
        const QString folder = dir.path() + '/';
        ASSERT_TRUE(Touch(folder + largest));
        const QString prefix = largest.startsWith("img") ? "img" : "";
        const auto next = [&] {
            QStringList files;
            for (const QString& name : QDir(folder).entryList(QDir::Files))
                files << folder + name;
            return FormatAutoFileName(folder, prefix, NextPicNumber(files, prefix), ".jpg");
        };
        for (qint64 n = 2147483648; n < 2147483651; ++n) {
            const QString name = prefix + QString::number(n) + ".jpg";
            EXPECT_EQ(WriteNewPicture(Solid(Qt::blue), next(), next), folder + name)
                << largest.toStdString();
        }
    }
}
