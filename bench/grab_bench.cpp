// A grab of the whole screen into the picture, cursor included: through a shared-memory
// segment, through plain image requests, and Qt's own QScreen::grabWindow for comparison.
// Needs an X display (scripts/run-virtual --size WxH, QT_QPA_PLATFORM=xcb for the Qt
// figure). Each repetition is one grab; the median over the repetitions is the figure, the
// minimum shows the cost without interference from other work on the machine.
#include "capture/screen_grab.h"
#include "platform/screen_grab.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

void GrabInto(benchmark::State& state, GrabTransport transport) {
    QImage bitmap;
    GrabScreen(bitmap, 0, transport);
    if (bitmap.isNull()) {
        state.SkipWithError("no X display");
        return;
    }
    for (auto _ : state) {
        GrabScreen(bitmap, 0, transport);
        benchmark::DoNotOptimize(bitmap.constBits());
    }
    state.SetLabel(QStringLiteral("%1x%2").arg(bitmap.width()).arg(bitmap.height()).toStdString());
}

void BM_GrabScreenSharedMemory(benchmark::State& state) {
    GrabInto(state, GrabTransport::Auto);
}

void BM_GrabScreenImageRequest(benchmark::State& state) {
    GrabInto(state, GrabTransport::GetImage);
}

void BM_QScreenGrabWindow(benchmark::State& state) {
    QScreen* screen =
        QGuiApplication::platformName() == "xcb" ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen) {
        state.SkipWithError("needs QT_QPA_PLATFORM=xcb");
        return;
    }
    QImage picture;
    for (auto _ : state) {
        picture = screen->grabWindow(0).toImage();
        benchmark::DoNotOptimize(picture.constBits());
    }
}

double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

} // namespace

BENCHMARK(BM_GrabScreenSharedMemory)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(200)
    ->ComputeStatistics("min", Fastest)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_GrabScreenImageRequest)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(100)
    ->ComputeStatistics("min", Fastest)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_QScreenGrabWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(50)
    ->ComputeStatistics("min", Fastest)
    ->ReportAggregatesOnly(true);
