// Helpers shared by the picture decoders and writers, and their stream-level encoders
// (used by the file writers, the benchmarks and the tests).
#pragma once

#include "library/replace_file.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QtEndian>

#include <cstring>

class QIODevice;

// True when a declared picture size is positive and within kMaxPicturePixels.
bool PixelCountAllowed(qint64 width, qint64 height);
// True when the size a metafile is drawn at is positive and within kMaxMetafilePixels.
bool MetafilePixelCountAllowed(qint64 width, qint64 height);

// Little-endian reads at `at`; the caller checks the bounds.
inline quint16 Le16(const QByteArray& data, qsizetype at) {
    quint16 v;
    std::memcpy(&v, data.constData() + at, 2);
    return qFromLittleEndian(v);
}
inline quint32 Le32(const QByteArray& data, qsizetype at) {
    quint32 v;
    std::memcpy(&v, data.constData() + at, 4);
    return qFromLittleEndian(v);
}
inline qint32 Le32s(const QByteArray& data, qsizetype at) {
    return qint32(Le32(data, at));
}
inline qint16 Le16s(const QByteArray& data, qsizetype at) {
    return qint16(Le16(data, at));
}

// While it lives, Qt's image readers may allocate pictures up to the pixel cap (their own
// default limit is lower); the header checks in front of them keep to the cap.
class ReaderAllocationScope {
  public:
    ReaderAllocationScope();
    ~ReaderAllocationScope();
    ReaderAllocationScope(const ReaderAllocationScope&) = delete;
    ReaderAllocationScope& operator=(const ReaderAllocationScope&) = delete;

  private:
    int old_;
};

// The encoders behind the file writers. They write to an open device and give false on
// any failure (a write error of the device included).
bool EncodeJpeg(const QImage& image, QIODevice& device);
bool EncodePng(const QImage& image, QIODevice& device, int deflateLevel);
// EncodePng with its image data (the rows behind their filter bytes) deflated in pieces of
// `pieceBytes` on `workers` threads, joined into one zlib stream. A `pieceBytes` of 0 lets
// the size decide as EncodePng does: one piece below 256 KB of rows, else pieces of 512 KB.
bool EncodePngInPieces(const QImage& image, QIODevice& device, int deflateLevel, qint64 pieceBytes,
                       int workers);
bool EncodeBmp(const QImage& image, QIODevice& device);

// Renders SVG text (made by a metafile converter) onto a white RGB32 bitmap of `size`
// (within kMaxMetafilePixels), `viewBox` (in the SVG's user units) filling the whole
// bitmap. References to anything outside the document itself are refused.
bool RenderSvgOnWhite(const QByteArray& svg, QSize size, const QRectF& viewBox, QImage& out);
