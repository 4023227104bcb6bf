// The PNG writer over rows in memory, as plain data: EncodePng hands it the rows of a QImage
// (converted where needed), EncodePngRows those of a screen grab.
#pragma once

#include <QList>
#include <QtGlobal>

class QIODevice;

// Rows to be written and how the file stores them.
struct PngRows {
    const uchar* bits = nullptr; // the first row
    qsizetype stride = 0;        // bytes from the start of one row to the next
    int width = 0;
    int height = 0;
    // Without a palette (colour type 2, depth 8) each pixel is a 32-bit word 0xXXRRGGBB in
    // the machine's byte order. With one (colour type 3), `depth` 1 takes rows of one bit a
    // pixel, the leftmost in the highest bit; `depth` 4 and 8 take rows of one index byte a
    // pixel, which are packed for 4 and clamped to the palette's last entry for both.
    int depth = 8;
    bool palette = false;
    QList<quint32> colours; // 0xAARRGGBB, at most 1 << depth of them
};

// Writes `rows` as a PNG with the None filter on every row, its image data deflated at
// `deflateLevel` in pieces of `pieceBytes` on `workers` threads (0 lets the size decide:
// one piece below 256 KB of rows, else pieces of 512 KB). False on any failure, a write
// error of the device included.
bool EncodePngRowsInPieces(const PngRows& rows, QIODevice& device, int deflateLevel,
                           qint64 pieceBytes, int workers);
