// Pixel cap and the replace-through-a-temporary-file write shared by the codecs.
#include "library/codec_support.h"

#include "library/picture_codecs.h"
#include "platform/atomic_file.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

bool PixelCountWithin(qint64 width, qint64 height, qint64 cap) {
    if (width <= 0 || height <= 0) return false;
    // With both factors within the cap their product cannot overflow.
    if (width > cap || height > cap) return false;
    return width * height <= cap;
}

} // namespace

bool PixelCountAllowed(qint64 width, qint64 height) {
    return PixelCountWithin(width, height, kMaxPicturePixels);
}

bool MetafilePixelCountAllowed(qint64 width, qint64 height) {
    return PixelCountWithin(width, height, kMaxMetafilePixels);
}

ReaderAllocationScope::ReaderAllocationScope() : old_(QImageReader::allocationLimit()) {
    // Four bytes a pixel, in megabytes.
    QImageReader::setAllocationLimit(int(kMaxPicturePixels * 4 / (1024 * 1024)) + 1);
}

ReaderAllocationScope::~ReaderAllocationScope() {
    QImageReader::setAllocationLimit(old_);
}

bool WriteFileReplacing(const QString& path, const std::function<bool(QIODevice&)>& write) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return false;
    // The picture is written into a file without a name beside the target, which takes the
    // target's name only when complete and synced; an abandoned one vanishes.
    AtomicFile file(path);
    if (!file.open()) return false;
    bool ok = false;
    try {
        ok = write(file);
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        file.cancel();
        return false;
    }
    return file.commit();
}
