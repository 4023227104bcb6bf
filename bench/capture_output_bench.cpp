// Automatic naming over a large folder and the watermark blend on a 4K capture.
#include "capture/auto_file_name.h"
#include "common/path_routines.h"
#include "edit/watermark.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

static void BM_NextNumberOver10000Pictures(benchmark::State& state) {
    QTemporaryDir dir;
    for (int i = 1; i <= 10000; ++i) {
        QFile f(dir.filePath(QString("img%1.%2").arg(i).arg(i % 3 ? "jpg" : "png")));
        f.open(QIODevice::WriteOnly);
    }
    const QString folder = dir.path() + '/';
    for (auto _ : state) {
        QStringList files;
        ListFolderFiles(folder, files);
        benchmark::DoNotOptimize(
            FormatAutoFileName(folder, "img", NextPicNumber(files, "img"), ".jpg"));
    }
}
BENCHMARK(BM_NextNumberOver10000Pictures)->Unit(benchmark::kMillisecond);

static void BM_PictureWatermarkOn4K(benchmark::State& state) {
    QImage capture(3840, 2160, QImage::Format_RGB32);
    capture.fill(QColor(30, 90, 160));
    QImage preview(400, 100, QImage::Format_RGB32);
    preview.fill(QColor(250, 250, 250));
    WatermarkSettings s;
    s.type = 1;
    s.transparent = 8;
    s.markX = 20;
    s.markY = 20;
    for (auto _ : state) {
        DrawWatermark(capture, s, true, preview);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PictureWatermarkOn4K)->Unit(benchmark::kMillisecond);
