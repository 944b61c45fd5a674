// One drag step in the editor: a mouse move handed to the view, then the
// frame painted, with four curves of 4096 sampled points.
#include "busy_curves.h"
#include "fake_view_host.h"
#include "run_benchmarks.h"
#include "view/plot_mapping.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include <cmath>
#include <memory>

using namespace ombrelis;

namespace {

// Four wavy curves of 16 control samples, each drawn from 4096 points.
void fillCurves(CurveStore &store)
{
    fillBusyCurves(store, kMaxSampledPoints);
    for (int slot = 0; slot < kCurveCount; ++slot)
        store.setActive(slot, true);
}

void send(MyView &view, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), view.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
}

// Presses on `grab` and then moves between it and `grab` + `delta`, each
// step painted at once as the window system would after the move.
void dragLoop(benchmark::State &state, MyView &view, QPoint grab, QPoint delta)
{
    send(view, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    if (!view.holdsCapture())
        state.SkipWithError("the press picked nothing");
    int step = 0;
    for (auto _ : state) {
        const QPoint at = grab + (++step % 2) * delta;
        send(view, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        view.repaint();
    }
    send(view, QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
}

// Arguments: width and height in logical pixels, then the device pixel
// ratio in percent. The offscreen platform has one screen of ratio 1: the view
// is told the ratio, draws its frame at the device size and lays it over a
// backing store of the logical size, a copy no real screen makes. Run with
// QT_SCALE_FACTOR=2 for the 200 % rows as on a high-density screen, where the
// view paints straight into a backing store of its device size.
std::unique_ptr<MyView> shownView(FakeViewHost &host, benchmark::State &state)
{
    auto view = std::make_unique<MyView>(host);
    view->setPlotRatio(state.range(2) / 100.0);
    view->resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    view->show();
    QApplication::processEvents();
    fillCurves(view->store());
    return view;
}

// Edit mode, Smoothing: sample 7 of the current curve with its handles.
void BM_DragSample(benchmark::State &state)
{
    FakeViewHost host;
    auto view = shownView(host, state);
    view->store().editMode = true;
    const CurvePoint sample = view->store().current().samples[7];
    const PixelPoint at = worldToScreen(
        view->store().current(), ClientSize{view->width(), view->height()}, sample.x, sample.y);
    dragLoop(state, *view, QPoint(at.x, at.y), QPoint(0, 12));
}
BENCHMARK(BM_DragSample)
    ->Args({600, 400, 100})
    ->Args({1600, 1000, 100})
    ->Args({1600, 1000, 200})
    ->Unit(benchmark::kMillisecond);

// Sampled mode, bars: the cursor dragged by its grip, every curve a row of
// 4096 bars and the four labels redrawn.
void BM_DragCursor(benchmark::State &state)
{
    FakeViewHost host;
    auto view = shownView(host, state);
    CurveStore &store = view->store();
    store.smoothing = false;
    store.cursorOn = true;
    store.cursorIndex = 2000;
    view->repaint();  // the sampled points the grip stands on
    const CurveSlot &curve = store.current();
    const PixelPoint grip = worldToScreen(curve, ClientSize{view->width(), view->height()},
                                          curve.sampledPoints[2000].x, curve.ymin);
    dragLoop(state, *view, QPoint(grip.x, grip.y + 6), QPoint(9, 0));
}
BENCHMARK(BM_DragCursor)
    ->Args({600, 400, 100})
    ->Args({1600, 1000, 100})
    ->Args({1600, 1000, 150})
    ->Args({1600, 1000, 200})
    ->Unit(benchmark::kMillisecond);

}  // namespace

// The application lives in main(), so that it goes before Qt's own globals
// at exit: a static one outlived the pointing device its events made.
int main(int argc, char **argv)
{
    preferOffscreenPlatform();
    QApplication application(argc, argv);
    return runBenchmarks(argc, argv);
}
