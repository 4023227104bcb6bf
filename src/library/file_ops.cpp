#include "library/file_ops.h"

#include "library/pic_folder.h"
#include "platform/desktop_trash.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool LinkThenUnlink(const QByteArray& from, const QByteArray& to) {
    // link() fails with EEXIST when the target is taken, atomically.
    if (::link(from.constData(), to.constData()) != 0) return false;
    if (::unlink(from.constData()) == 0) return true;
    // The old name could not go: drop the new one so that nothing changed.
    ::unlink(to.constData());
    return false;
}

} // namespace

bool RenameNoReplace(const QString& from, const QString& to) {
    if (from.isEmpty() || to.isEmpty()) return false;
    const QByteArray f = QFile::encodeName(from);
    const QByteArray t = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    return LinkThenUnlink(f, t);
}

PicRemoval RemovePicFile(const QString& path) {
    if (path.isEmpty()) return PicRemoval::Kept;
    const QByteArray p = QFile::encodeName(path);
    struct stat st;
    if (::lstat(p.constData(), &st) != 0 || S_ISDIR(st.st_mode)) return PicRemoval::Kept;
    if (MoveToDesktopTrash(path)) return PicRemoval::Trashed;
    return ::unlink(p.constData()) == 0 ? PicRemoval::Deleted : PicRemoval::Kept;
}

QString RenameTargetPath(const QString& folder, const QString& typedName, const QString& oldExt) {
    QString target = folder + typedName;
    if (FileExtension(target).isEmpty()) target += oldExt;
    return target;
}
