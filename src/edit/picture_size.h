// Changing the real width and height of the main picture: the picture is cut or extended
// with white at the right and bottom edge, never scaled.
#pragma once

#include <QImage>
#include <QString>

// The largest picture the size command produces, in pixels (width x height); it stays
// within what the toolkit's BMP reader accepts by default (256 MB at 32 bits per pixel).
inline constexpr qint64 kMaxResizedPixels = 64'000'000;

// The value of a size field as shown: leading blanks skipped, then the run of decimal
// digits up to the first other character ("12 4" gives 12, an all-blank field 0). At most
// nine digits are taken, so the value always fits.
int ReadSizeField(const QString& shown);

// A white width x height picture with `picture` drawn at (0, 0) at its natural size. A null
// result for a size of 0, above kMaxResizedPixels, or when memory runs out.
QImage ResizedPicture(const QImage& picture, int width, int height);

// The resize as the program does it: the resized picture is written as a BMP file into a
// private temporary file and read back from it, so the picture becomes a plain bitmap of
// exactly width x height. False, with the picture unchanged, when the resized picture
// cannot be made or the temporary file cannot be written or read.
bool ResizeThroughBmpFile(QImage& picture, int width, int height);
