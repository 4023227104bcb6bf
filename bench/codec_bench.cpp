// Loading and saving a 3840x2160 screenshot-like picture (flat window areas, title bars,
// lines of small glyph-like strokes, one gradient wallpaper corner) as JPEG, PNG and BMP.
// "Save" is the whole file write (private temporary file, fsync, rename); "Encode" the
// same picture into memory only. PNG is measured at several deflate levels, and at the
// writer's level at 1920x1080 and 3840x2160 (screenshot with a photo-like area) as one zlib
// stream on one thread against the pieces deflated on every core that the writer uses.
//
// With QELSHOT_CODEC_BENCH_BMP set to a path, the picture is also written there as a
// 24-bit BMP, so that other tools can be timed on the same pixels (scripts/bench-codecs).
#include "library/codec_support.h"
#include "library/picture_codecs.h"
#include "screenshot_picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

namespace {

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

// The screenshot at this size with its top-right quarter a photo-like area: smooth colour
// waves with a little grain, which deflate packs far less than flat areas and text.
const QImage& ScreenshotWithPhoto(int width, int height) {
    static std::map<std::pair<int, int>, QImage> made;
    QImage& picture = made[{width, height}];
    if (!picture.isNull()) return picture;
    picture = MakeScreenshot(width, height);
    quint32 seed = 99;
    for (int y = 0; y < height / 2; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = width / 2; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 28) - 8;
            const double u = x * 0.013, v = y * 0.017;
            row[x] =
                qRgb(std::clamp(int(128 + 90 * std::sin(u + 0.7 * std::cos(v))) + grain, 0, 255),
                     std::clamp(int(128 + 90 * std::sin(v * 1.3 + u * 0.4)) + grain, 0, 255),
                     std::clamp(int(128 + 90 * std::cos(u * 0.6 - v)) + grain, 0, 255));
        }
    }
    return picture;
}

// Times `encode` on the screenshot of the benchmark's width and height; counts the bytes.
template <typename Encode> void TimePngEncode(benchmark::State& state, Encode encode) {
    const QImage& picture = ScreenshotWithPhoto(int(state.range(0)), int(state.range(1)));
    qint64 bytes = 0;
    for (auto _ : state) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        encode(picture, buffer);
        bytes = out.size();
    }
    state.counters["bytes"] = double(bytes);
}

// Arguments: width and height. The image data as one zlib stream deflated on this thread.
void BM_EncodePngOneStream(benchmark::State& state) {
    TimePngEncode(state, [](const QImage& picture, QBuffer& buffer) {
        EncodePngInPieces(picture, buffer, kPngDeflateLevel, std::numeric_limits<qint64>::max(), 1);
    });
}

// Arguments: width and height. The writer's own way: pieces deflated on every core.
void BM_EncodePngParallel(benchmark::State& state) {
    TimePngEncode(state, [](const QImage& picture, QBuffer& buffer) {
        EncodePng(picture, buffer, kPngDeflateLevel);
    });
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
// Wall-clock time: the parallel encoder's work is on other threads as well.
BENCHMARK(BM_EncodePngOneStream)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_EncodePngParallel)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
