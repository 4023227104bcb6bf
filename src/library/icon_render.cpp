// Icons: Qt's ICO reader behind a directory check; the largest image is drawn onto a
// white bitmap.
#include "library/codec_support.h"
#include "library/picture_codecs.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

namespace {

// Real icons hold a handful of sizes; more images than this are not looked at.
constexpr int kMaxIconImages = 64;
constexpr qsizetype kDirectoryEntrySize = 16;

qint64 BigEndian32(const QByteArray& data, qsizetype at) {
    return qint64(qFromBigEndian<quint32>(data.constData() + at));
}

// Width times height, or just over the cap when either alone is already too large.
qint64 Pixels(qint64 width, qint64 height) {
    if (width > kMaxPicturePixels || height > kMaxPicturePixels) return kMaxPicturePixels + 1;
    return width * height;
}

// The size an entry's image declares in its own header (a PNG's IHDR or a DIB header,
// whose height counts the mask too); zero when the entry holds neither.
qint64 DeclaredPixels(const QByteArray& data, qint64 offset) {
    if (offset < 0 || offset + 24 > data.size()) return 0;
    const qsizetype at = qsizetype(offset);
    if (data.mid(at, 8) == QByteArray("\x89PNG\r\n\x1a\n", 8))
        return Pixels(BigEndian32(data, at + 16), BigEndian32(data, at + 20));
    if (Le32(data, at) < 40 || offset + 40 > data.size()) return 0;
    return Pixels(std::abs(qint64(Le32s(data, at + 4))), std::abs(qint64(Le32s(data, at + 8))) / 2);
}

// The icon directory is sound and no image declares more than the pixel cap, all of them
// together included.
bool DirectoryAllowed(const QByteArray& data) {
    if (data.size() < 6 || Le16(data, 0) != 0) return false;
    const int type = Le16(data, 2);
    const int count = Le16(data, 4);
    if ((type != 1 && type != 2) || count == 0) return false;
    if (6 + kDirectoryEntrySize * count > data.size()) return false;
    qint64 total = 0;
    for (int i = 0; i < std::min(count, kMaxIconImages); ++i) {
        const qsizetype entry = 6 + kDirectoryEntrySize * i;
        const qint64 pixels = DeclaredPixels(data, Le32(data, entry + 12));
        if (pixels > kMaxPicturePixels) return false;
        total += pixels;
        if (total > kMaxPicturePixels) return false;
    }
    return true;
}

} // namespace

bool RenderIcoData(const QByteArray& data, QImage& out) {
    if (!DirectoryAllowed(data)) return false;
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return false;
    QImage largest;
    {
        const ReaderAllocationScope allocation;
        QImageReader reader(&buffer, "ico");
        const int count = std::min(reader.imageCount(), kMaxIconImages);
        for (int i = 0; i < count; ++i) {
            if (!reader.jumpToImage(i)) break;
            const QImage image = reader.read();
            if (image.isNull()) continue;
            if (largest.isNull() ||
                qint64(image.width()) * image.height() > qint64(largest.width()) * largest.height())
                largest = image;
        }
    }
    if (largest.isNull() || !PixelCountAllowed(largest.width(), largest.height())) return false;
    QImage bitmap(largest.size(), QImage::Format_RGB32);
    if (bitmap.isNull()) return false;
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.drawImage(0, 0, largest);
    painter.end();
    out = std::move(bitmap);
    return true;
}
