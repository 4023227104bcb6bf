// The mouse cursor as the X server shows it (XFixes).
#pragma once

#include <QImage>
#include <QPoint>

struct CursorImage {
    QImage image;    // premultiplied ARGB
    QPoint hotspot;  // the pixel of the image that points
    QPoint position; // the pointer on the screen
};

// The current cursor; false when the server cannot tell.
bool QueryCursorImage(CursorImage& cursor);
