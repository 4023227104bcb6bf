// Loading and saving a 3840x2160 screenshot-like picture (flat window areas, title bars,
// lines of small glyph-like strokes, one gradient wallpaper corner) as JPEG, PNG and BMP.
// "Save" is the whole file write (private temporary file, fsync, rename); "Encode" the
// same picture into memory only. PNG is measured at several deflate levels.
//
// With QELSHOT_CODEC_BENCH_BMP set to a path, the picture is also written there as a
// 24-bit BMP, so that other tools can be timed on the same pixels (scripts/bench-codecs).
#include "library/codec_support.h"
#include "library/picture_codecs.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

void Fill(QImage& image, int x0, int y0, int w, int h, QRgb colour) {
    for (int y = std::max(0, y0); y < std::min(kHeight, y0 + h); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = std::max(0, x0); x < std::min(kWidth, x0 + w); ++x)
            row[x] = colour;
    }
}

QImage MakeScreenshot() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    // Wallpaper: a smooth gradient.
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            row[x] = qRgb(20 + x * 60 / kWidth, 60 + y * 80 / kHeight,
                          120 + (x + y) * 60 / (kWidth + kHeight));
    }
    // Windows: frame, title bar, white client area with lines of text-like glyphs.
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    const QRect windows[] = {{60, 40, 2200, 1500}, {1500, 500, 2200, 1550}, {300, 1650, 1400, 480}};
    for (const QRect& w : windows) {
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
    Fill(image, 0, kHeight - 48, kWidth, 48, qRgb(32, 32, 40));
    return image;
}

const QImage& Screenshot() {
    static const QImage picture = [] {
        QImage made = MakeScreenshot();
        const QByteArray bmp = qgetenv("QELSHOT_CODEC_BENCH_BMP");
        if (!bmp.isEmpty())
            WriteBmpFile(made.convertToFormat(QImage::Format_BGR888), QString::fromLocal8Bit(bmp));
        return made;
    }();
    return picture;
}

using Writer = bool (*)(const QImage&, const QString&);

void SaveFile(benchmark::State& state, Writer write, const char* name) {
    const QImage& picture = Screenshot();
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    for (auto _ : state)
        if (!write(picture, path)) state.SkipWithError("write failed");
    state.counters["bytes"] = double(QFileInfo(path).size());
}

void LoadFile(benchmark::State& state, Writer write, const char* name) {
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!write(Screenshot(), path)) state.SkipWithError("write failed");
    for (auto _ : state) {
        QImage loaded;
        if (!DecodePictureFile(path, loaded)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(loaded.constBits());
    }
}

void BM_SaveJpeg(benchmark::State& state) {
    SaveFile(state, WriteJpegFile, "shot.jpg");
}
void BM_SavePng(benchmark::State& state) {
    SaveFile(state, WritePngFile, "shot.png");
}
void BM_SaveBmp(benchmark::State& state) {
    SaveFile(state, WriteBmpFile, "shot.bmp");
}
void BM_LoadJpeg(benchmark::State& state) {
    LoadFile(state, WriteJpegFile, "shot.jpg");
}
void BM_LoadPng(benchmark::State& state) {
    LoadFile(state, WritePngFile, "shot.png");
}
void BM_LoadBmp(benchmark::State& state) {
    LoadFile(state, WriteBmpFile, "shot.bmp");
}

void BM_EncodeJpeg(benchmark::State& state) {
    const QImage& picture = Screenshot();
    qint64 bytes = 0;
    for (auto _ : state) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        EncodeJpeg(picture, buffer);
        bytes = out.size();
    }
    state.counters["bytes"] = double(bytes);
}

// Argument: the deflate level.
void BM_EncodePng(benchmark::State& state) {
    const QImage& picture = Screenshot();
    qint64 bytes = 0;
    for (auto _ : state) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        EncodePng(picture, buffer, int(state.range(0)));
        bytes = out.size();
    }
    state.counters["bytes"] = double(bytes);
}

} // namespace

BENCHMARK(BM_SaveJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePng)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);
