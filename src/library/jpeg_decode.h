// JPEG decoding through libjpeg, for the compiled-in pictures and for JPEG files.
#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a complete JPEG stream (baseline or progressive; grayscale, YCbCr/RGB, CMYK or
// YCCK) into an RGB32 image of the picture's size. Corrupt, truncated or oversized data
// (more than `maxPixels` pixels, refused before the pixels are allocated) gives false and
// leaves `out` as it was. Streams with an absurd number of scans are refused too.
bool DecodeJpeg(const QByteArray& data, QImage& out, qint64 maxPixels);
// The same with a cap of 100 000 000 pixels.
bool DecodeJpeg(const QByteArray& data, QImage& out);
