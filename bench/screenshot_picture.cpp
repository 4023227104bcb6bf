#include "screenshot_picture.h"

#include <QRect>
#include <algorithm>

namespace {

void Fill(QImage& image, int x0, int y0, int w, int h, QRgb colour) {
    for (int y = std::max(0, y0); y < std::min(image.height(), y0 + h); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = std::max(0, x0); x < std::min(image.width(), x0 + w); ++x)
            row[x] = colour;
    }
}

} // namespace

QImage MakeScreenshot(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    // Wallpaper: a smooth gradient.
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb(20 + x * 60 / width, 60 + y * 80 / height,
                          120 + (x + y) * 60 / (width + height));
    }
    // Windows: frame, title bar, white client area with lines of text-like glyphs.
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    // Placed on the 3840x2160 screen, and scaled to this one.
    const QRect placed[] = {{60, 40, 2200, 1500}, {1500, 500, 2200, 1550}, {300, 1650, 1400, 480}};
    for (const QRect& p : placed) {
        const QRect w(p.x() * width / kScreenshotWidth, p.y() * height / kScreenshotHeight,
                      p.width() * width / kScreenshotWidth,
                      p.height() * height / kScreenshotHeight);
        Fill(image, w.x() - 1, w.y() - 1, w.width() + 2, w.height() + 2, qRgb(90, 90, 90));
        Fill(image, w.x(), w.y(), w.width(), 32, qRgb(0, 84, 166));
        Fill(image, w.x(), w.y() + 32, w.width(), w.height() - 32, qRgb(255, 255, 255));
        for (int line = w.y() + 48; line + 14 < w.bottom(); line += 20) {
            int x = w.x() + 12;
            while (x + 8 < w.right() - 40) {
                if (next() % 9 == 0) { // a space between words
                    x += 7;
                    continue;
                }
                // One glyph: a few strokes in a 7x12 cell, anti-aliased grey at the edges.
                const quint32 shape = next();
                for (int s = 0; s < 4; ++s) {
                    const int sx = x + int((shape >> (s * 4)) % 6);
                    const int sy = line + int((shape >> (s * 4 + 2)) % 9);
                    const bool vertical = (shape >> (16 + s)) & 1;
                    Fill(image, sx, sy, vertical ? 1 : 4, vertical ? 4 : 1, qRgb(20, 20, 20));
                    Fill(image, sx + (vertical ? 1 : 0), sy + (vertical ? 0 : 1), 1, 1,
                         qRgb(150, 150, 150));
                }
                x += 8;
            }
        }
    }
    // Task bar.
    Fill(image, 0, height - 48, width, 48, qRgb(32, 32, 40));
    return image;
}
