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

// The main window's outer size at start-up, for the bare window too.
const QSize kWindowSize(741, 644);

// Runs what a window left behind once it is gone, outside the timing.
void tearDown(benchmark::State &state)
{
    state.PauseTiming();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    state.ResumeTiming();
}

// The editor started on examples/wave.crv, up to the first frame its view
// paints.
void editorFirstFrame(benchmark::State &state)
{
    const QString file = QStringLiteral(OMBRELIS_EXAMPLES "/wave.crv");
    for (auto _ : state) {
        {
            QtPrompts prompts;
            CTolvaneApp app(prompts);
            MyView *view = app.initInstance({file}) ? app.mainFrame()->activeView() : nullptr;
            if (!view) {
                state.SkipWithError("wave.crv did not open");
                break;
            }
            const QPixmap frame = view->grab();
            benchmark::DoNotOptimize(frame.cacheKey());
            state.PauseTiming();
        }
        state.ResumeTiming();
        tearDown(state);
    }
}

// What Qt alone costs: a main window with an MDI area and one empty child.
void bareWindowFirstFrame(benchmark::State &state)
{
    for (auto _ : state) {
        {
            QMainWindow window;
            auto *area = new QMdiArea;
            window.setCentralWidget(area);
            auto *child = new QWidget;
            area->addSubWindow(child)->show();
            window.resize(kWindowSize);
            window.show();
            const QPixmap frame = child->grab();
            benchmark::DoNotOptimize(frame.cacheKey());
            state.PauseTiming();
        }
        state.ResumeTiming();
        tearDown(state);
    }
}

}  // namespace

BENCHMARK(editorFirstFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(bareWindowFirstFrame)->Unit(benchmark::kMillisecond);

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
