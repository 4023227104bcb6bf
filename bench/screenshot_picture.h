// A screenshot-like picture shared by the benchmarks: a gradient wallpaper, three windows
// with title bars and lines of glyph-like strokes, and a task bar; 3840x2160 unless another
// size is asked for (the windows then keep their place relative to the screen).
#pragma once

#include <QImage>

inline constexpr int kScreenshotWidth = 3840;
inline constexpr int kScreenshotHeight = 2160;

QImage MakeScreenshot(int width = kScreenshotWidth, int height = kScreenshotHeight);
