// Copying the screen into the main picture's bitmap, with the mouse cursor painted in.
#pragma once

#include "platform/cursor_image.h"
#include "platform/screen_grab.h"

#include <QImage>
#include <QPoint>

// Copies the whole screen (mode 0), the foreground window with its frame (1) or its
// client area (2) 1:1 into the bitmap and paints the cursor where it stands. The bitmap
// takes the region's size and keeps its pixel format; a null bitmap gets the display's.
// Any other mode, or no foreground window, leaves the bitmap as it is. Failures are silent.
// The pixels travel as `transport` says.
void GrabScreen(QImage& bitmap, int mode, GrabTransport transport = GrabTransport::Auto);

// The same grab as owned Rgb32 rows, without a QImage (the command line's captures): false
// when there is nothing to grab (see GrabScreen), the display's pixels are not Rgb32 or
// memory is short.
bool GrabScreenRows(const X11Connection& x, int mode, Rgb32Capture& capture,
                    GrabTransport transport = GrabTransport::Auto);

// Paints the current cursor into the bitmap, whose top-left pixel lies at the screen
// position (originX, originY), with the cursor's hotspot on the pixel it points at.
void DrawCursorInto(QImage& bitmap, int originX, int originY);

// Paints a cursor image over the bitmap with its top-left corner at `at`, clipped to the
// bitmap; the bitmap keeps its pixel format.
void PaintCursorImage(QImage& bitmap, const CursorImage& cursor, QPoint at);
