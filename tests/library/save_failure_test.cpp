// The reason the system gives for a failed picture write, found without leaving anything.
#include "library/save_failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

namespace {

QImage Picture() {
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

// Limits the size of the files this process may write while it lives; beyond the limit a
// write fails with EFBIG instead of ending the process.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit old_;
    void (*oldHandler_)(int);
};

} // namespace

TEST(SaveFailure, TheSystemsReasonIsFoundAndNothingIsLeftBehind) {
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    // Nothing wrong: no reason, and the folder stays empty.
    EXPECT_EQ(PictureWriteError(Picture(), folder + "1.bmp"), 0);
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    // The folder has gone, or a file stands in its place.
    EXPECT_EQ(PictureWriteError(Picture(), folder + "gone/1.jpg"), ENOENT);
    QFile file(folder + "file");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(PictureWriteError(Picture(), folder + "file/1.png"), ENOTDIR);
    EXPECT_EQ(WriteErrorReason(ENOTDIR), WriteErrorReason(ENOENT));
    // A folder holds the name.
    ASSERT_TRUE(QDir(folder).mkdir("taken.bmp"));
    EXPECT_EQ(PictureWriteError(Picture(), folder + "taken.bmp"), EISDIR);

    // A file-size limit below the picture's size: 180 000 bytes of BMP data, while a JPEG
    // of one colour fits.
    {
        FileSizeLimit limit(100000);
        EXPECT_EQ(PictureWriteError(Picture(), folder + "big.bmp"), EFBIG);
        EXPECT_EQ(PictureWriteError(Picture(), folder + "small.jpg"), 0);
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"file", "taken.bmp"}));
}
