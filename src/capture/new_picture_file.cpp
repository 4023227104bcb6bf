#include "capture/new_picture_file.h"

#include "library/file_ops.h"
#include "library/picture_codecs.h"

#include <QFileInfo>
#include <QTemporaryFile>

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
