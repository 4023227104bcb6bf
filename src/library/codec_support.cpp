// The pixel caps and the readers' allocation limit shared by the codecs.
#include "library/codec_support.h"

#include "library/picture_codecs.h"

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
