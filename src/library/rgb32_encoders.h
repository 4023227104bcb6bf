// The PNG and JPEG encoders for screen rows (platform/rgb32_rows.h), in code that needs no
// QImage: the command line's captures write through them. They are the encoders behind
// EncodePng and EncodeJpeg, so an RGB32 picture gives the same file either way.
#pragma once

#include "platform/rgb32_rows.h"

class QIODevice;

// PNG: 8-bit RGB, no interlacing, filter None on every row, deflated at `deflateLevel` as
// EncodePng does. False on any failure (a write error of the device included).
bool EncodePngRows(const Rgb32Rows& rows, QIODevice& device, int deflateLevel);
// JPEG: baseline, quality 100, full colour, as EncodeJpeg.
bool EncodeJpegRows(const Rgb32Rows& rows, QIODevice& device);
