#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/qt_prompts.h"
#include "app/tolvane_app.h"
#include "view/my_view.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QSettings>
#include <QStandardPaths>

namespace {

// The sizes of the editor's main window and plot view at start-up, given to
// the bare window and its child so that both paint as many pixels.
struct StartupSizes {
    QSize window;
    QSize child;  // the MDI child window around the view
};

StartupSizes editorSizes()
{
    QtPrompts prompts;
    CTolvaneApp app(prompts);
    if (!app.initInstance({}) || !app.mainFrame()->activeView())
        return {};
    return {app.mainFrame()->size(), app.mainFrame()->activeChildFrame()->size()};
}

// Runs what a window left behind once it is gone, outside the timing.
void tearDown(benchmark::State &state)
{
    state.PauseTiming();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    state.ResumeTiming();
}

// What a first frame covers: the document's view alone, or the whole main
// window with its menus, toolbar and bars.
enum class Grab { View, Window };

// The editor started with `arguments`, up to the first frame `grab` paints.
void editorFirstFrame(benchmark::State &state, const QStringList &arguments, Grab grab)
{
    // One untimed start first: loading fonts and styles is paid once per
    // process, and the bare window below is measured after it too.
    editorSizes();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        {
            QtPrompts prompts;
            CTolvaneApp app(prompts);
            MyView *view = app.initInstance(arguments) ? app.mainFrame()->activeView() : nullptr;
            if (!view) {
                state.SkipWithError("the editor did not start");
                break;
            }
            const QPixmap frame = grab == Grab::View ? view->grab() : app.mainFrame()->grab();
            benchmark::DoNotOptimize(frame.cacheKey());
            state.PauseTiming();
        }
        state.ResumeTiming();
        tearDown(state);
    }
}

// What Qt alone costs: a main window with an MDI area and one empty child.
void bareWindowFirstFrame(benchmark::State &state, Grab grab)
{
    const StartupSizes sizes = editorSizes();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (auto _ : state) {
        {
            QMainWindow window;
            auto *area = new QMdiArea;
            window.setCentralWidget(area);
            auto *child = new QWidget;
            QMdiSubWindow *frame = area->addSubWindow(child);
            frame->resize(sizes.child);
            frame->show();
            window.resize(sizes.window);
            window.show();
            const QPixmap pixels = grab == Grab::View ? child->grab() : window.grab();
            benchmark::DoNotOptimize(pixels.cacheKey());
            state.PauseTiming();
        }
        state.ResumeTiming();
        tearDown(state);
    }
}

}  // namespace

// examples/wave.crv as the document; an empty new window tells the cost of
// opening a file from the rest.
// The whole-window cases also count painting the menu bar, toolbar and bars;
// grabbing a window also lays out its hidden menus, which a first paint on
// screen leaves until they open.
const QStringList kWave{QStringLiteral(OMBRELIS_EXAMPLES "/wave.crv")};
BENCHMARK_CAPTURE(editorFirstFrame, wave_crv, kWave, Grab::View)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(editorFirstFrame, new_window, QStringList{}, Grab::View)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareWindowFirstFrame, child, Grab::View)
    ->Name("bareWindowFirstFrame")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(editorFirstFrame, wave_crv_whole_window, kWave, Grab::Window)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareWindowFirstFrame, whole_window, Grab::Window)->Unit(benchmark::kMillisecond);

// Offscreen, and with a private settings store: the editor records the file
// it opened in its recent-file list.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QSettings(CTolvaneApp::registryKey(), CTolvaneApp::applicationName()).clear();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
