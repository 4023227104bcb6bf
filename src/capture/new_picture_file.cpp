#include "capture/new_picture_file.h"

#include "common/picture_formats.h"
#include "library/codec_support.h"
#include "library/picture_codecs.h"

bool EncodePictureByExt(const QImage& picture, const QString& path, QIODevice& device) {
    switch (PictureWriterOf(path)) {
    case PictureWriter::Jpeg:
        return EncodeJpeg(picture, device);
    case PictureWriter::Png:
        return EncodePng(picture, device, kPngDeflateLevel);
    default:
        return EncodeBmp(picture, device);
    }
}

bool WritePictureByExt(const QImage& picture, const QString& path) {
    switch (PictureWriterOf(path)) {
    case PictureWriter::Jpeg:
        return WriteJpegFile(picture, path);
    case PictureWriter::Png:
        return WritePngFile(picture, path);
    default:
        return WriteBmpFile(picture, path);
    }
}

QString WriteNewPicture(const QImage& picture, const QString& path,
                        const std::function<QString()>& nextName) {
    if (picture.isNull()) return QString();
    return WriteNewFile(
        path, [&](QIODevice& device) { return EncodePictureByExt(picture, path, device); },
        nextName);
}
