// Pictures must be in a pixel format that can be drawn on before text or a history state
// is painted onto them.
#pragma once

#include <QImage>

// The format a picture of `format` is drawn in: 32 bits (with alpha when the picture has
// it) for 1-bit, palette and grey pictures, the format itself otherwise.
QImage::Format PaintableFormat(QImage::Format format);

// Converts the picture in place when its format cannot be drawn on; a null picture stays null.
void EnsurePaintable(QImage& picture);
