// JPEG files: decoding through the shared libjpeg decoder; writing a QImage as baseline
// JPEG at quality 100 through the writer over screen rows (rgb32_encoders.h).
#include "library/codec_support.h"
#include "library/jpeg_decode.h"
#include "library/picture_codecs.h"
#include "library/rgb32_encoders.h"

namespace {

bool IsBgrx(QImage::Format format) {
    // In memory these are B, G, R, A/X on a little-endian machine.
    return Q_BYTE_ORDER == Q_LITTLE_ENDIAN &&
           (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
            format == QImage::Format_ARGB32_Premultiplied);
}

} // namespace

bool DecodeJpegData(const QByteArray& data, QImage& out) {
    return DecodeJpeg(data, out, kMaxPicturePixels);
}

bool EncodeJpeg(const QImage& image, QIODevice& device) {
    if (image.isNull()) return false;
    const QImage kept =
        IsBgrx(image.format()) ? image : image.convertToFormat(QImage::Format_RGB32);
    if (kept.isNull()) return false;
    Rgb32Rows rows;
    // Only read: constBits() does not copy a picture whose data is shared, as bits() would.
    rows.bits = const_cast<uchar*>(kept.constBits());
    rows.width = kept.width();
    rows.height = kept.height();
    rows.stride = kept.bytesPerLine();
    return EncodeJpegRows(rows, device);
}

bool WriteJpegFile(const QImage& image, const QString& path) {
    if (image.isNull()) return false;
    return WriteFileReplacing(path, [&](QIODevice& device) { return EncodeJpeg(image, device); });
}
