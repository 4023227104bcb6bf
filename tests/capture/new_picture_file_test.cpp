#include "capture/new_picture_file.h"
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

QStringList Entries(const QString& folder) {
    QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    names.sort();
    return names;
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
    EXPECT_EQ(Entries(dir.path()), QStringList{"1.png"});

    // A save that runs out of room fails and leaves nothing either.
    const int rc = RunWithFileSizeLimit(1000, [&] {
        return WriteNewPicture(Solid(Qt::red), dir.filePath("2.bmp"), nullptr).isEmpty() ? 0 : 2;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(Entries(dir.path()), QStringList{"1.png"});
}
