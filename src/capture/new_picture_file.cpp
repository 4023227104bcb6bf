#include "capture/new_picture_file.h"

#include "library/file_ops.h"
#include "library/picture_codecs.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/stat.h>

namespace {

// What a newly created file gets: read and write for all, less the process's umask. A
// private temporary file starts as owner-only, which a saved picture must not keep.
QFileDevice::Permissions NewFilePermissions() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions p;
    if (mode & S_IRUSR) p |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & S_IWUSR) p |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & S_IRGRP) p |= QFileDevice::ReadGroup;
    if (mode & S_IWGRP) p |= QFileDevice::WriteGroup;
    if (mode & S_IROTH) p |= QFileDevice::ReadOther;
    if (mode & S_IWOTH) p |= QFileDevice::WriteOther;
    return p;
}

} // namespace

bool WritePictureByExt(const QImage& picture, const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == "jpg" || ext == "jpeg") return WriteJpegFile(picture, path);
    if (ext == "png") return WritePngFile(picture, path);
    return WriteBmpFile(picture, path);
}

QString WriteNewPicture(const QImage& picture, const QString& path,
                        const std::function<QString()>& nextName) {
    if (picture.isNull()) return QString();
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.qelshot-XXXXXX.") +
                        target.suffix());
    if (!temp.open()) return QString();
    temp.close();
    if (!WritePictureByExt(picture, temp.fileName())) return QString();
    QFile::setPermissions(temp.fileName(), NewFilePermissions());
    QString name = path;
    // A handful of attempts: each failure means another program took the name just now.
    for (int attempt = 0; attempt < 100 && !name.isEmpty(); ++attempt) {
        if (RenameNoReplace(temp.fileName(), name)) {
            temp.setAutoRemove(false);
            return name;
        }
        if (!QFileInfo::exists(name)) return QString(); // failed for another reason
        name = nextName ? nextName() : QString();
    }
    return QString();
}
