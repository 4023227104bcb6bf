// Choosing the decoder of a picture file by its extension, and reading the file.
#include "library/codec_support.h"
#include "library/picture_codecs.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

bool StartsWith(const QByteArray& data, const char* magic, qsizetype length) {
    return data.size() >= length && std::memcmp(data.constData(), magic, size_t(length)) == 0;
}

// The system picture loader knows its pictures by their content, not by their name.
bool DecodeByContent(const QByteArray& data, QImage& out) {
    if (StartsWith(data, "\xD7\xCD\xC6\x9A", 4)) return RenderWmfData(data, out);
    if (data.size() >= 44 && Le32(data, 0) == 1 && Le32(data, 40) == 0x464D4520)
        return RenderEmfData(data, out);
    if (data.size() >= 6 && (Le16(data, 0) == 1 || Le16(data, 0) == 2) && Le16(data, 2) == 9)
        return RenderWmfData(data, out);
    if (data.size() >= 6 && Le16(data, 0) == 0 && (Le16(data, 2) == 1 || Le16(data, 2) == 2))
        return RenderIcoData(data, out);
    if (StartsWith(data, "BM", 2)) return DecodeBmpData(data, out);
    if (StartsWith(data, "\xFF\xD8\xFF", 3)) return DecodeJpegData(data, out);
    return false;
}

} // namespace

PicFileKind PicKindOfExtension(const QString& ext) {
    const QString upper = ext.toUpper();
    if (upper == QLatin1String(".JPG") || upper == QLatin1String(".JPEG")) return PicFileKind::Jpeg;
    if (upper == QLatin1String(".BMP")) return PicFileKind::Bmp;
    if (upper == QLatin1String(".PNG")) return PicFileKind::Png;
    if (upper == QLatin1String(".ICO")) return PicFileKind::Icon;
    if (upper == QLatin1String(".WMF")) return PicFileKind::Wmf;
    if (upper == QLatin1String(".EMF")) return PicFileKind::Emf;
    return PicFileKind::Other;
}

QString PicExtensionOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash ? path.mid(dot) : QString();
}

bool DecodePictureData(PicFileKind kind, const QByteArray& data, QImage& out) {
    switch (kind) {
    case PicFileKind::Jpeg:
        return DecodeJpegData(data, out);
    case PicFileKind::Png:
        return DecodePngData(data, out);
    case PicFileKind::Bmp:
        return DecodeBmpData(data, out);
    case PicFileKind::Icon:
    case PicFileKind::Wmf:
    case PicFileKind::Emf:
    case PicFileKind::Other:
        break;
    }
    return DecodeByContent(data, out);
}

bool DecodePictureFile(const QString& path, QImage& out) {
    // Only plain files: a device or a pipe could be endless.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPictureFileBytes) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    // One byte more than the file's size shows a file that grew meanwhile.
    const qint64 expected = file.size();
    if (expected > kMaxPictureFileBytes) return false;
    const QByteArray data = file.read(expected + 1);
    if (data.isEmpty() || data.size() > expected) return false;
    return DecodePictureData(PicKindOfExtension(PicExtensionOf(path)), data, out);
}
