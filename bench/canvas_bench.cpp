// Cost of one rubber-band step of the canvas tools on a frozen 3840x2160 screen: the old
// figure erased, the new one drawn, and (second set) the changed area repainted in a picture
// control. The counter dirty_px is the number of pixels the step asks to repaint.
//
// This file also holds the benchmark program's main: the picture control needs a
// QApplication (offscreen unless QT_QPA_PLATFORM says otherwise).
#include "edit/canvas_tool_engine.h"
#include "widgets/image_control.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

QImage FrozenScreen() {
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(screen.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            row[x] = qRgb(x & 255, y & 255, (x ^ y) & 255);
    }
    return screen;
}

qint64 Area(const QRegion& region) {
    qint64 area = 0;
    for (const QRect& r : region)
        area += qint64(r.width()) * r.height();
    return area;
}

// The drag runs from (200,150) to about (3600,2000) and then moves one pixel back and forth,
// so every step erases and redraws a figure nearly as large as the screen.
QPoint StepTarget(int k) {
    return QPoint(3600 + (k & 1), 2000 + (k & 1));
}

void BM_RubberBandStep(benchmark::State& state) {
    const auto tool = static_cast<std::uint8_t>(state.range(0));
    QImage screen = FrozenScreen();
    int sx = 0, sy = 0, ex = 0, ey = 0;
    CanvasToolEngine engine(DragPoints{sx, sy, ex, ey});
    engine.press(tool, {200, 150}, qRgb(255, 0, 0));
    engine.drag(screen, tool, StepTarget(0));
    int k = 1;
    qint64 dirty = 0;
    for (auto _ : state) {
        const QRegion changed = engine.drag(screen, tool, StepTarget(k++));
        dirty += Area(changed);
        benchmark::DoNotOptimize(changed);
    }
    state.counters["dirty_px"] = static_cast<double>(dirty) / std::max(k - 1, 1);
}

void BM_RubberBandStepWithRepaint(benchmark::State& state) {
    const auto tool = static_cast<std::uint8_t>(state.range(0));
    ImageControl control;
    control.setPicture(FrozenScreen());
    control.show();
    QApplication::processEvents();
    int sx = 0, sy = 0, ex = 0, ey = 0;
    CanvasToolEngine engine(DragPoints{sx, sy, ex, ey});
    engine.press(tool, {200, 150}, qRgb(255, 0, 0));
    engine.drag(control.picture(), tool, StepTarget(0));
    int k = 1;
    qint64 dirty = 0;
    for (auto _ : state) {
        const QRegion changed = engine.drag(control.picture(), tool, StepTarget(k++));
        dirty += Area(changed);
        control.repaint(changed);
    }
    state.counters["dirty_px"] = static_cast<double>(dirty) / std::max(k - 1, 1);
}

// For comparison: repainting the whole frozen screen once.
void BM_FullScreenRepaint(benchmark::State& state) {
    ImageControl control;
    control.setPicture(FrozenScreen());
    control.show();
    QApplication::processEvents();
    for (auto _ : state)
        control.repaint();
    state.counters["dirty_px"] = double(kWidth) * kHeight;
}

} // namespace

BENCHMARK(BM_RubberBandStep)
    ->Arg(ttAreaCut)
    ->Arg(ttRect)
    ->Arg(ttCircle)
    ->Arg(ttRoundRec)
    ->Arg(ttDoubleArrow)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RubberBandStepWithRepaint)
    ->Arg(ttAreaCut)
    ->Arg(ttCircle)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullScreenRepaint)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
