#include "edit/shown_picture.h"

#include "library/picture_codecs.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// The data a picture is held in: the same while it is drawn on in place.
qint64 DataOf(const QImage& picture) {
    return picture.cacheKey() >> 32;
}

bool SamePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// The picture as a file named like `path` holds it once written there: JPEG for .jpg and
// .jpeg, PNG for .png, BMP data for everything else, as the picture writer chooses.
bool RoundTrip(const QImage& picture, const QString& path, QImage& out) {
    QTemporaryDir dir;
    if (!dir.isValid()) return false;
    const QString ext = PicExtensionOf(path);
    const QString upper = ext.toUpper();
    const QString file = dir.filePath(QStringLiteral("picture") + ext);
    bool written = false;
    if (upper == QLatin1String(".JPG") || upper == QLatin1String(".JPEG"))
        written = WriteJpegFile(picture, file);
    else if (upper == QLatin1String(".PNG"))
        written = WritePngFile(picture, file);
    else
        written = WriteBmpFile(picture, file);
    return written && DecodePictureFile(file, out);
}

} // namespace

bool FileShowsPicture(const QString& path, const QImage& picture) {
    if (picture.isNull() || path.isEmpty() || !QFileInfo(path).isFile()) return false;
    QImage stored;
    if (!DecodePictureFile(path, stored) || stored.size() != picture.size()) return false;
    if (SamePixels(stored, picture)) return true;
    QImage written;
    return RoundTrip(picture, path, written) && SamePixels(stored, written);
}

void ShownPicture::note(const QImage& picture) {
    if (DataOf(picture) == data_) return;
    base_ = picture.copy();
    data_ = DataOf(picture);
}

void ShownPicture::keep(const QImage& picture) {
    data_ = DataOf(picture);
}

void ShownPicture::saved(const QImage& picture) {
    base_ = picture.copy();
    data_ = DataOf(picture);
}

bool ShownPicture::shownBy(const QString& path) const {
    return FileShowsPicture(path, base_);
}
