// Blending a text or picture watermark into a picture.
#pragma once

#include "edit/watermark_settings.h"

#include <QImage>
#include <QPoint>

// The watermark's weight a = T/10 to one decimal, held in single precision as the
// blend uses it (0.8 is 0.800000011920929).
float WatermarkWeight(int transparent);

// trunc((1.0 - a) * old + a * mark), the sum in double.
int BlendByte(int old, int mark, float a);

// The text label: the text in "Courier New" 11 pt bold, black on white, 10 pixels of white
// left and right of it and 5 above it. 24 bits per pixel.
QImage MakeTextWatermark(const QString& text);

// The watermark picture for the settings: the text label, the preview picture converted
// to 24 bits, or an empty picture for type "none" (and for a preview that is not a bitmap).
QImage MakeWatermarkImage(const WatermarkSettings& s, const QImage& preview);

// Top-left corner of the watermark in the picture; reversed coordinates count the offsets
// from the right and bottom edges.
QPoint WatermarkOrigin(QSize picture, QSize mark, int markX, int markY, bool reverse);

// Blends `mark` (24 bits per pixel) into `picture` with its top-left at `origin`, row by
// row from the top; the first row outside the picture ends the blend, so a mark whose top
// lies above the picture blends nothing. Columns outside the picture are skipped. 24- and
// 32-bit pictures are blended in place; others are converted to 32 bits first.
void BlendWatermark(QImage& picture, const QImage& mark, QPoint origin, float a);

// The whole watermark step on a picture: nothing for type "none".
void DrawWatermark(QImage& picture, const WatermarkSettings& s, bool reverse,
                   const QImage& preview);
