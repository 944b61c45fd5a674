#include "view/plot_scene.h"
#include "view/scene_painter.h"
#include "view/vector_state.h"

#include "busy_curves.h"
#include "run_benchmarks.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include <cmath>
#include <memory>

using namespace ombrelis;

namespace {

const ClientSize kClient{1920, 1080};
const ClientSize kSmall{600, 400};  // a small window

enum class Style {
    Smoothing,
    Polyline,
    Bars
};

// Four wavy curves of 16 control samples across the range, axes, frame and
// cursor on: everything a paint of a busy window draws.
std::unique_ptr<CurveStore> busyStore(Style style, int samplingCount)
{
    auto store = std::make_unique<CurveStore>();
    store->smoothing = style == Style::Smoothing;
    store->interpolationOption = style == Style::Polyline;
    store->showAxes = store->showFrame = store->cursorOn = true;
    store->cursorIndex = samplingCount / 3;
    fillBusyCurves(*store, samplingCount);
    return store;
}

// The scene as the view's paint builds it, after Qt's routines have run.
PlotScene paintedScene(CurveStore &store, ClientSize client, double ratio = 1)
{
    clearUpperVectorState();
    store.resampleDrawnCurves();
    return buildPlotScene(store, client, ratio);
}

// A repaint: the scene built and painted over the window, the curves
// unchanged since the last paint (a cursor step, a resize).
void paintLoop(benchmark::State &state, Style style, int samplingCount,
               PaintPath path = PaintPath::Fastest, ClientSize client = kClient)
{
    auto store = busyStore(style, samplingCount);
    QImage image(client.width, client.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto _ : state) {
        const PlotScene scene = paintedScene(*store, client);
        QPainter painter(&image);
        paintScene(painter, scene, path);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// A full repaint on a high-density screen, as the view does it: `client`
// logical pixels drawn at `ratio` into an image of the client's device
// pixels, cleared to the background first.
void ratioLoop(benchmark::State &state, Style style, ClientSize client, double ratio,
               PaintPath path)
{
    auto store = busyStore(style, 4096);
    const ClientSize device = deviceClient(client, ratio);
    QImage image(device.width, device.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto _ : state) {
        const PlotScene scene = paintedScene(*store, client, ratio);
        QPainter painter(&image);
        paintScene(painter, scene, toQColor(kPlotBackground), path);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// What changes in each of `changed` curves before a paint: one sample moves
// (a drag step; the paint re-samples the two segments beside it), or the
// sampling count (every point is sampled afresh).
enum class Change {
    OneSample,
    SamplingCount
};

// The paint re-samples the changed curves and reuses the points of the others.
void changedLoop(benchmark::State &state, int changed, Change change, PaintPath path,
                 ClientSize client)
{
    auto store = busyStore(Style::Bars, 4096);
    QImage image(client.width, client.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    double nudge = 1.0;
    for (auto _ : state) {
        nudge = -nudge;
        if (change == Change::OneSample) {
            for (int slot = 0; slot < changed; ++slot) {
                store->currentCurve = slot;
                const CurvePoint sample = store->current().samples[7];
                store->moveSample(sample.x, sample.y + nudge, 7);
            }
            store->currentCurve = 0;
        } else {
            store->setSamplingCount(nudge > 0 ? 4096 : 4095);
        }
        const PlotScene scene = paintedScene(*store, client);
        QPainter painter(&image);
        paintScene(painter, scene, path);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The path a widget takes: every run through QPainter.
void referenceLoop(benchmark::State &state, Style style, int samplingCount)
{
    paintLoop(state, style, samplingCount, PaintPath::Reference);
}

// The editor's first window size, both paths.
void smallLoop(benchmark::State &state, Style style, int samplingCount, PaintPath path)
{
    paintLoop(state, style, samplingCount, path, kSmall);
}

// The painter alone, the scene built once: both paths share the building.
void paintOnlyLoop(benchmark::State &state, ClientSize client, PaintPath path)
{
    auto store = busyStore(Style::Bars, 4096);
    const PlotScene scene = paintedScene(*store, client);
    QImage image(client.width, client.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto _ : state) {
        QPainter painter(&image);
        paintScene(painter, scene, path);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The scene alone, to tell building from painting.
void buildLoop(benchmark::State &state, Style style, int samplingCount, ClientSize client = kClient)
{
    auto store = busyStore(style, samplingCount);
    for (auto _ : state) {
        const PlotScene scene = paintedScene(*store, client);
        benchmark::DoNotOptimize(scene.primitives.data());
    }
}

// What the batch tool does: a fresh image, erased, painted.
void renderLoop(benchmark::State &state, Style style, int samplingCount)
{
    auto store = busyStore(style, samplingCount);
    for (auto _ : state) {
        const QImage image =
            renderScene(paintedScene(*store, kClient), {kClient.width, kClient.height}, Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}

}  // namespace

BENCHMARK_CAPTURE(paintLoop, smoothing_4x16_samples, Style::Smoothing, 64)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintLoop, polyline_4x4096_points, Style::Polyline, 4096)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintLoop, bars_4x4096_points, Style::Bars, 4096)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintLoop, bars_4x64_points, Style::Bars, 64)->Unit(benchmark::kMicrosecond);
// 3840 x 2160 device pixels, as one image at a ratio of 1 and as a 4K screen at 200 %.
BENCHMARK_CAPTURE(ratioLoop, bars_4x4096_points_3840x2160_dpr1, Style::Bars, {3840, 2160}, 1.0,
                  PaintPath::Fastest)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ratioLoop, bars_4x4096_points_3840x2160_dpr2, Style::Bars, {1920, 1080}, 2.0,
                  PaintPath::Fastest)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ratioLoop, bars_4x4096_points_1920x1080_dpr1, Style::Bars, kClient, 1.0,
                  PaintPath::Fastest)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ratioLoop, polyline_4x4096_points_3840x2160_dpr2, Style::Polyline, {1920, 1080},
                  2.0, PaintPath::Fastest)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ratioLoop, smoothing_4x16_samples_3840x2160_dpr2, Style::Smoothing, {1920, 1080},
                  2.0, PaintPath::Fastest)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ratioLoop, bars_4x4096_points_2880x1620_dpr1_5, Style::Bars, {1920, 1080}, 1.5,
                  PaintPath::Fastest)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(referenceLoop, smoothing_4x16_samples, Style::Smoothing, 64)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(referenceLoop, polyline_4x4096_points, Style::Polyline, 4096)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(referenceLoop, bars_4x4096_points, Style::Bars, 4096)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(smallLoop, bars_4x4096_points_600x400, Style::Bars, 4096, PaintPath::Fastest)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(smallLoop, bars_4x4096_points_600x400_reference, Style::Bars, 4096,
                  PaintPath::Reference)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(changedLoop, bars_1_of_4_changed_600x400, 1, Change::OneSample,
                  PaintPath::Fastest, kSmall)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(changedLoop, bars_1_of_4_changed_600x400_reference, 1, Change::OneSample,
                  PaintPath::Reference, kSmall)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(changedLoop, bars_4_of_4_changed_600x400, 4, Change::OneSample,
                  PaintPath::Fastest, kSmall)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(changedLoop, bars_4_of_4_changed_600x400_reference, 4, Change::OneSample,
                  PaintPath::Reference, kSmall)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(changedLoop, bars_4_of_4_changed, 4, Change::OneSample, PaintPath::Fastest,
                  kClient)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(changedLoop, bars_4_of_4_resampled_600x400, 4, Change::SamplingCount,
                  PaintPath::Fastest, kSmall)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(changedLoop, bars_4_of_4_resampled_600x400_reference, 4, Change::SamplingCount,
                  PaintPath::Reference, kSmall)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintOnlyLoop, bars_4x4096_points, kClient, PaintPath::Fastest)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintOnlyLoop, bars_4x4096_points_reference, kClient, PaintPath::Reference)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintOnlyLoop, bars_4x4096_points_600x400, kSmall, PaintPath::Fastest)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintOnlyLoop, bars_4x4096_points_600x400_reference, kSmall, PaintPath::Reference)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(buildLoop, bars_4x4096_points_600x400, Style::Bars, 4096, kSmall)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(buildLoop, smoothing_4x16_samples, Style::Smoothing, 64)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(buildLoop, polyline_4x4096_points, Style::Polyline, 4096)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(buildLoop, bars_4x4096_points, Style::Bars, 4096)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(renderLoop, smoothing_4x16_samples, Style::Smoothing, 64)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(renderLoop, polyline_4x4096_points, Style::Polyline, 4096)
    ->Unit(benchmark::kMicrosecond);

// Fonts need a GUI application; the offscreen platform needs no display.
int main(int argc, char **argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
