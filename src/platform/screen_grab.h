// Copies of the screen's pixels.
#pragma once

#include "platform/screen_rows.h"

#include <QImage>
#include <QRect>

// Copies the screen rectangle (device pixels of the root window) 1:1 into the bitmap, which
// takes the rectangle's size and keeps its pixel format; a null bitmap gets the display's
// format. Parts of the rectangle outside the screen, or on it but shown by no monitor (the
// corner beside a smaller monitor), come out black. When the server refuses the pixels, the bitmap
// is left resized and black. The pixels travel as `transport` says.
void CopyScreenRect(QImage& bitmap, const QRect& rect,
                    GrabTransport transport = GrabTransport::Auto);

// The picture format of the display's colour depth (RGB32 on 24- and 32-bit displays).
QImage::Format DisplayImageFormat();
