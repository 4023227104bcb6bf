#include "platform/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int kNameAttempts = 100;

// A hidden name that no picture list shows: no picture extension.
QByteArray RandomTempName() {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name(".qelshot-");
    for (int i = 0; i < 6; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
    return name + ".tmp";
}

QByteArray ProcPath(int fd) {
    return "/proc/self/fd/" + QByteArray::number(fd);
}

bool ProcFdsAvailable() {
    return ::access("/proc/self/fd", X_OK) == 0;
}

// rename() that fails with EEXIST instead of replacing; a hard link and an unlink where
// the file system has no such rename.
int RenameNoReplace(int fromDir, const char* from, const char* to) {
    if (::renameat2(fromDir, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return -1;
    if (::linkat(fromDir, from, AT_FDCWD, to, 0) != 0) return -1;
    ::unlinkat(fromDir, from, 0);
    return 0;
}

} // namespace

AtomicFile::AtomicFile(QString path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
    cancel();
}

bool AtomicFile::fail(int error) {
    if (!error_) {
        error_ = error ? error : EIO;
        setErrorString(qt_error_string(error_));
    }
    return false;
}

bool AtomicFile::open(OpenMode mode) {
    if (isOpen() || (mode & ReadOnly) || !(mode & WriteOnly)) return fail(EINVAL);
    error_ = 0;
    written_ = 0;
    modeSet_ = false;
    nameTaken_ = false;
    synced_ = false;
    QFileInfo target(path_);
    if (path_.isEmpty()) return fail(ENOENT);
    if (target.isSymLink()) {
        const QString resolved = target.canonicalFilePath();
        if (!resolved.isEmpty()) target = QFileInfo(resolved);
    }
    folder_ = QFile::encodeName(target.absolutePath());
    baseName_ = QFile::encodeName(target.fileName());
    if (baseName_.isEmpty()) return fail(EISDIR);

    dirFd_ = ::open(folder_.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd_ < 0) return fail(errno);
    // A file without a name needs /proc to be given one later.
    if (ProcFdsAvailable()) {
        fd_ = ::openat(dirFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR) {
            const int error = errno;
            closeFiles();
            return fail(error);
        }
    }
    for (int attempt = 0; fd_ < 0 && attempt < kNameAttempts; ++attempt) {
        const QByteArray name = RandomTempName();
        fd_ = ::openat(dirFd_, name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) tempName_ = name;
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        const int error = errno;
        closeFiles();
        return fail(error);
    }
    return QIODevice::open(WriteOnly | Unbuffered);
}

qint64 AtomicFile::writeData(const char* data, qint64 length) {
    if (fd_ < 0 || error_) return -1;
    qint64 done = 0;
    while (done < length) {
        const size_t chunk = size_t(std::min<qint64>(length - done, INT_MAX));
        const ssize_t n = ::write(fd_, data + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        // A short count is followed by the reason on the next call; a zero count has none.
        if (n <= 0) {
            fail(n < 0 ? errno : ENOSPC);
            return -1;
        }
        done += n;
        written_ += n;
    }
    return done;
}

bool AtomicFile::setPermissions(QFileDevice::Permissions permissions) {
    if (fd_ < 0) return fail(EBADF);
    static const std::pair<QFileDevice::Permission, mode_t> kBits[] = {
        {QFileDevice::ReadOwner, S_IRUSR},  {QFileDevice::WriteOwner, S_IWUSR},
        {QFileDevice::ExeOwner, S_IXUSR},   {QFileDevice::ReadGroup, S_IRGRP},
        {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH},  {QFileDevice::WriteOther, S_IWOTH},
        {QFileDevice::ExeOther, S_IXOTH}};
    mode_t mode = 0;
    for (const auto& [permission, bit] : kBits)
        if (permissions & permission) mode |= bit;
    if (::fchmod(fd_, mode) != 0) return fail(errno);
    modeSet_ = true;
    return true;
}

bool AtomicFile::sync() {
    if (fd_ < 0) return fail(EBADF);
    if (error_) return false;
    if (synced_) return true;
    // Some file systems report a full disk or a lost write only here.
    if (::fsync(fd_) != 0 && errno != EINVAL) return fail(errno);
    synced_ = true;
    return true;
}

bool AtomicFile::linkTempName() {
    const QByteArray source = ProcPath(fd_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray name = RandomTempName();
        if (::linkat(AT_FDCWD, source.constData(), dirFd_, name.constData(), AT_SYMLINK_FOLLOW) ==
            0) {
            tempName_ = name;
            return true;
        }
        if (errno != EEXIST) return fail(errno);
    }
    return fail(EEXIST);
}

bool AtomicFile::commit() {
    nameTaken_ = false;
    if (!sync()) {
        cancel();
        return false;
    }
    struct stat old;
    if (::fstatat(dirFd_, baseName_.constData(), &old, 0) == 0 && S_ISREG(old.st_mode)) {
        // The file keeps its owner where the program may set it (as root), and its mode.
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
            // Not permitted for an ordinary user on another's file; the mode still holds.
        }
        if (!modeSet_) ::fchmod(fd_, old.st_mode & 07777);
    }
    if (tempName_.isEmpty() && !linkTempName()) {
        cancel();
        return false;
    }
    if (::renameat(dirFd_, tempName_.constData(), dirFd_, baseName_.constData()) != 0) {
        fail(errno);
        cancel();
        return false;
    }
    tempName_.clear();
    ::fsync(dirFd_); // the new name itself; the data is safe either way
    closeFiles();
    QIODevice::close();
    return true;
}

bool AtomicFile::commitNew(const QString& name) {
    nameTaken_ = false;
    if (name.isEmpty()) fail(ENOENT);
    if (!sync()) {
        cancel();
        return false;
    }
    const QByteArray target = QFile::encodeName(name);
    const int result = tempName_.isEmpty()
                           ? ::linkat(AT_FDCWD, ProcPath(fd_).constData(), AT_FDCWD,
                                      target.constData(), AT_SYMLINK_FOLLOW)
                           : RenameNoReplace(dirFd_, tempName_.constData(), target.constData());
    if (result != 0) {
        if (errno == EEXIST) {
            nameTaken_ = true;
            return false;
        }
        fail(errno);
        cancel();
        return false;
    }
    tempName_.clear();
    const int folder = ::open(QFile::encodeName(QFileInfo(name).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    closeFiles();
    QIODevice::close();
    return true;
}

void AtomicFile::cancel() {
    if (!tempName_.isEmpty() && dirFd_ >= 0) ::unlinkat(dirFd_, tempName_.constData(), 0);
    tempName_.clear();
    closeFiles();
    if (isOpen()) QIODevice::close();
}

void AtomicFile::closeFiles() {
    if (fd_ >= 0) ::close(fd_);
    if (dirFd_ >= 0) ::close(dirFd_);
    fd_ = dirFd_ = -1;
}

bool IsAtomicFileTempName(const QString& fileName) {
    static const QRegularExpression kPattern(QStringLiteral("^\\.qelshot-[A-Za-z0-9]{6}\\.[^.]*$"));
    return kPattern.match(fileName).hasMatch();
}
