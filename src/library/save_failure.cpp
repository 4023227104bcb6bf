#include "library/save_failure.h"

#include "common/text_format.h"
#include "common/text_tables.h"
#include "library/codec_support.h"
#include "library/picture_codecs.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// The size of the picture in the format the writer chooses for `path`.
qint64 WrittenSize(const QImage& picture, const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString ext = PicExtensionOf(path).toUpper();
    bool encoded = false;
    if (ext == QLatin1String(".JPG") || ext == QLatin1String(".JPEG"))
        encoded = EncodeJpeg(picture, buffer);
    else if (ext == QLatin1String(".PNG"))
        encoded = EncodePng(picture, buffer, kPngDeflateLevel);
    else
        encoded = EncodeBmp(picture, buffer);
    return encoded ? buffer.size() : qint64(picture.sizeInBytes());
}

// Gives the open file `bytes` of room: reserved at once where the file system can, else
// written out.
int Fill(int fd, qint64 bytes) {
    const int reserved = ::posix_fallocate(fd, 0, bytes);
    if (reserved == 0) return 0;
    if (reserved != EOPNOTSUPP && reserved != EINVAL) return reserved;
    static const char zeros[1 << 16] = {};
    for (qint64 done = 0; done < bytes;) {
        const ssize_t n = ::write(fd, zeros, size_t(qMin<qint64>(bytes - done, sizeof zeros)));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += n;
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

} // namespace

int PictureWriteError(const QImage& picture, const QString& path) {
    const QFileInfo target(path);
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    struct stat st;
    if (::stat(folder.constData(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    if (target.isDir()) return EISDIR;
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
        // No nameless files here: the rights and the free room tell.
        if (::access(folder.constData(), W_OK | X_OK) != 0) return errno;
        struct statvfs fs;
        if (::statvfs(folder.constData(), &fs) == 0 &&
            qint64(fs.f_bavail) * qint64(fs.f_frsize) < WrittenSize(picture, path))
            return ENOSPC;
        return 0;
    }
    const int error = Fill(fd, WrittenSize(picture, path));
    ::close(fd);
    return error;
}

QString WriteErrorReason(int error) {
    switch (error) {
    case 0:
        return QString();
    case EACCES:
    case EPERM:
        return texts::Texts().TxtReasonNoPermission;
    case EROFS:
        return texts::Texts().TxtReasonReadOnly;
    case ENOSPC:
    case EDQUOT:
        return texts::Texts().TxtReasonDiskFull;
    case EFBIG:
        return texts::Texts().TxtReasonTooLarge;
    case ENOENT:
    case ENOTDIR:
        return texts::Texts().TxtReasonFolderGone;
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString SaveFailedText(const QImage& picture, const QString& path) {
    const QString failed = FillIn(texts::Texts().TxtSaveFailed, path);
    const QString reason = WriteErrorReason(PictureWriteError(picture, path));
    if (reason.isEmpty()) return failed;
    return FillInEach(texts::Texts().TxtFailureReason, {failed, reason});
}
