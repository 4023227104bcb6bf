#include "capture/new_picture_file.h"

#include "library/codec_support.h"
#include "library/picture_codecs.h"

#include <QFileInfo>

namespace {

bool IsJpegExtension(const QString& ext) {
    return ext == QLatin1String("jpg") || ext == QLatin1String("jpeg");
}

} // namespace

bool EncodePictureByExt(const QImage& picture, const QString& path, QIODevice& device) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (IsJpegExtension(ext)) return EncodeJpeg(picture, device);
    if (ext == QLatin1String("png")) return EncodePng(picture, device, kPngDeflateLevel);
    return EncodeBmp(picture, device);
}

bool WritePictureByExt(const QImage& picture, const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (IsJpegExtension(ext)) return WriteJpegFile(picture, path);
    if (ext == QLatin1String("png")) return WritePngFile(picture, path);
    return WriteBmpFile(picture, path);
}

QString WriteNewPicture(const QImage& picture, const QString& path,
                        const std::function<QString()>& nextName) {
    if (picture.isNull()) return QString();
    return WriteNewFile(
        path, [&](QIODevice& device) { return EncodePictureByExt(picture, path, device); },
        nextName);
}
