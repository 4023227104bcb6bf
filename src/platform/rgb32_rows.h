// Rows of 32-bit pixels as the screen gives them: B, G, R and an ignored fourth byte in
// memory (QImage::Format_RGB32 on a little-endian machine). The command line's captures
// pass them from the grab to the writers without a QImage, so that its small executable
// need not load the toolkit's graphics library.
#pragma once

#include <QtGlobal>

struct Rgb32Rows {
    uchar* bits = nullptr;
    int width = 0;
    int height = 0;
    qsizetype stride = 0; // bytes from the start of one row to the next

    bool isNull() const { return !bits || width <= 0 || height <= 0; }
    uchar* row(int y) const { return bits + qsizetype(y) * stride; }
};
