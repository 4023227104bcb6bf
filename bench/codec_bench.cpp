// Loading and saving a 3840x2160 screenshot-like picture (flat window areas, title bars,
// lines of small glyph-like strokes, one gradient wallpaper corner) as JPEG, PNG and BMP.
// "Save" is the whole file write (private temporary file, fsync, rename); "Encode" the
// same picture into memory only. PNG is measured at several deflate levels.
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

} // namespace

BENCHMARK(BM_SaveJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePng)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);
