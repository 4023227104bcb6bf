#include "capture/new_picture_file.h"

#include "library/codec_support.h"
#include "library/picture_codecs.h"
#include "platform/atomic_file.h"

#include <QFileInfo>

namespace {

bool IsJpegExtension(const QString& ext) {
    return ext == QLatin1String("jpg") || ext == QLatin1String("jpeg");
}

// The encoder a picture extension selects: JPEG, PNG, or BMP data for every other one.
bool EncodeByExt(const QImage& picture, const QString& path, QIODevice& device) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (IsJpegExtension(ext)) return EncodeJpeg(picture, device);
    if (ext == QLatin1String("png")) return EncodePng(picture, device, kPngDeflateLevel);
    return EncodeBmp(picture, device);
}

} // namespace

bool WritePictureByExt(const QImage& picture, const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (IsJpegExtension(ext)) return WriteJpegFile(picture, path);
    if (ext == QLatin1String("png")) return WritePngFile(picture, path);
    return WriteBmpFile(picture, path);
}

QString WriteNewPicture(const QImage& picture, const QString& path,
                        const std::function<QString()>& nextName) {
    if (picture.isNull() || path.isEmpty()) return QString();
    // The picture has no name in the folder until it is complete: a save that fails or is
    // killed leaves nothing there.
    AtomicFile file(path);
    if (!file.open() || !EncodeByExt(picture, path, file)) return QString();
    QString name = path;
    // A handful of attempts: each taken name means another program took it just now.
    for (int attempt = 0; attempt < 100 && !name.isEmpty(); ++attempt) {
        if (file.commitNew(name)) return name;
        if (!file.nameTaken()) return QString();
        const QString next = nextName ? nextName() : QString();
        // The same name again cannot succeed.
        name = next == name ? QString() : next;
    }
    return QString();
}
