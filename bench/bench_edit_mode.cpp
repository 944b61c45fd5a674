// Entering and leaving edit mode in the editor with a curve whose legend is
// very long: the bars hand it to their boxes and lay it out.
#include "app/main_frame.h"
#include "app/qt_prompts.h"
#include "app/tolvane_app.h"
#include "bars/axis_bar.h"
#include "curves/curve_file_io.h"
#include "widgets/command_ids.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace {

enum class Axis { X, Y };
// One unbreakable word, or words of five letters.
enum class Shape { OneWord, Words };

std::string legendOf(Shape shape, std::size_t length)
{
    std::string legend(length, 'A');
    if (shape == Shape::Words) {
        for (std::size_t i = 5; i < length; i += 6)
            legend[i] = ' ';
    }
    return legend;
}

// The editor started on a file whose legend on `axis` is `legend`.
struct EditorOnLongLegend {
    QTemporaryDir folder;
    QtPrompts prompts;
    std::unique_ptr<CTolvaneApp> app;

    bool start(Axis axis, const std::string &legend)
    {
        CurveSlot curve;
        resetSlot(curve);
        (axis == Axis::X ? curve.xLegend : curve.yLegend) = legend;
        curve.sampleCount = 2;
        curve.samples[1] = {1000, 1000};
        const QString path = folder.filePath(QStringLiteral("long.crv"));
        if (writeCurveFile(path, curve) != FileWriteResult::Written)
            return false;
        app = std::make_unique<CTolvaneApp>(prompts);
        return app->initInstance({path}) && app->mainFrame()->activeView();
    }
    CMainFrame &frame() const { return *app->mainFrame(); }
    // The command, then the layout and paint that follow it.
    void run(int command) const
    {
        frame().runCommand(command);
        QCoreApplication::processEvents();
    }
    // Empties the edit bars' legend boxes, as they are before the first
    // entry or after another curve's.
    void forgetEditLegends() const
    {
        for (const auto &[bar, box] : {std::pair{BarId::Edit, 1019}, std::pair{BarId::EditY, 1036}}) {
            if (CAxisBar *shown = frame().bar(bar))
                setControlText(shown->control(box), QString());
        }
    }
};

// "Edit" pressed on a curve the edit bars have not shown yet.
void enterEditMode(benchmark::State &state, Axis axis, Shape shape)
{
    EditorOnLongLegend editor;
    if (!editor.start(axis, legendOf(shape, static_cast<std::size_t>(state.range(0))))) {
        state.SkipWithError("the editor did not open the file");
        return;
    }
    for (auto _ : state) {
        editor.run(cmd::EditMode);
        state.PauseTiming();
        editor.run(cmd::EditMode);
        editor.forgetEditLegends();
        state.ResumeTiming();
    }
}

// "OK" or "Cancel" pressed in edit mode.
void leaveEditMode(benchmark::State &state, Axis axis, Shape shape, int command)
{
    EditorOnLongLegend editor;
    if (!editor.start(axis, legendOf(shape, static_cast<std::size_t>(state.range(0))))) {
        state.SkipWithError("the editor did not open the file");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        editor.run(cmd::EditMode);
        state.ResumeTiming();
        editor.run(command);
    }
}

}  // namespace

BENCHMARK_CAPTURE(enterEditMode, y_one_word, Axis::Y, Shape::OneWord)->Arg(300'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(enterEditMode, y_words, Axis::Y, Shape::Words)->Arg(300'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(enterEditMode, x_one_word, Axis::X, Shape::OneWord)->Arg(300'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(leaveEditMode, y_one_word_ok, Axis::Y, Shape::OneWord, cmd::EditMode)
    ->Arg(300'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(leaveEditMode, x_one_word_cancel, Axis::X, Shape::OneWord, cmd::CancelEdit)
    ->Arg(300'000)
    ->Unit(benchmark::kMillisecond);
// The longest legends a curve file within the 64 MiB limit holds.
BENCHMARK_CAPTURE(enterEditMode, y_one_word, Axis::Y, Shape::OneWord)->Arg(60'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(enterEditMode, x_words, Axis::X, Shape::Words)->Arg(60'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(leaveEditMode, y_words_ok, Axis::Y, Shape::Words, cmd::EditMode)
    ->Arg(60'000'000)
    ->Unit(benchmark::kMillisecond);

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
