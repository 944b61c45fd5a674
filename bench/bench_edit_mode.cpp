// Entering and leaving edit mode in the editor with a curve whose legend is
// very long: the bars hand it to their boxes and lay it out. Pasting a very
// long word into a legend box in edit mode.
#include "app/main_frame.h"
#include "app/qt_prompts.h"
#include "app/settings_file.h"
#include "app/tolvane_app.h"
#include "bars/axis_bar.h"
#include "curves/curve_file_io.h"
#include "framework/command_ids.h"
#include "run_benchmarks.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <string>

using namespace ombrelis;

namespace {

enum class Axis {
    X,
    Y
};
// One unbreakable word, or words of five letters.
enum class Shape {
    OneWord,
    Words
};

std::string legendOf(Shape shape, std::size_t length)
{
    std::string legend(length, 'A');
    if (shape == Shape::Words) {
        for (std::size_t i = 5; i < length; i += 6)
            legend[i] = ' ';
    }
    return legend;
}

// The editor on a file whose legend on `axis` is `legend`.
class EditorOnLongLegend {
public:
    EditorOnLongLegend(benchmark::State &state, Axis axis, Shape shape)
        : EditorOnLongLegend(state, axis, legendOf(shape, static_cast<std::size_t>(state.range(0))))
    { }
    EditorOnLongLegend(benchmark::State &state, Axis axis, const std::string &legend)
    {
        CurveSlot curve;
        resetSlot(curve);
        (axis == Axis::X ? curve.xLegend : curve.yLegend) = legend;
        curve.sampleCount = 2;
        curve.samples[1] = {1000, 1000};
        if (writeCurveFile(path_, curve) != FileWriteResult::Written)
            state.SkipWithError("the curve file could not be written");
    }
    // Starts the editor anew on the file, the last one closed first.
    bool open()
    {
        app_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app_ = std::make_unique<CTolvaneApp>(prompts_);
        const bool opened = app_->initInstance({path_}) && app_->mainFrame()->activeView();
        QCoreApplication::processEvents();
        return opened;
    }
    // A click on a bar's button, then the layout and paint that follow it.
    void press(BarId bar, int button) const
    {
        static_cast<QAbstractButton *>(app_->mainFrame()->bar(bar)->control(button))->click();
        QCoreApplication::processEvents();
    }
    // Ctrl+V in the edit bars' legend box of `axis`, then the layout and
    // paint that follow it.
    void paste(Axis axis) const
    {
        QWidget *box = axis == Axis::X
                           ? app_->mainFrame()->bar(BarId::Edit)->control(ctl::EditXLegend)
                           : app_->mainFrame()->bar(BarId::EditY)->control(ctl::EditYLegend);
        box->setFocus();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::sendEvent(box, &press);
        QCoreApplication::processEvents();
    }

private:
    QTemporaryDir folder_;
    QString path_ = folder_.filePath(QStringLiteral("long.crv"));
    QtPrompts prompts_;
    std::unique_ptr<CTolvaneApp> app_;
};

// The file opened, up to its window painted with the display bars.
void openFile(benchmark::State &state, Axis axis, Shape shape)
{
    EditorOnLongLegend editor(state, axis, shape);
    for (auto _ : state) {
        if (!editor.open()) {
            state.SkipWithError("the editor did not open the file");
            break;
        }
    }
}

// "Edit" clicked first thing after the file was opened.
void enterEditMode(benchmark::State &state, Axis axis, Shape shape)
{
    EditorOnLongLegend editor(state, axis, shape);
    for (auto _ : state) {
        state.PauseTiming();
        const bool opened = editor.open();
        state.ResumeTiming();
        if (!opened) {
            state.SkipWithError("the editor did not open the file");
            break;
        }
        editor.press(BarId::Display, cmd::EditMode);
    }
}

// "OK" or "Cancel" clicked in edit mode.
void leaveEditMode(benchmark::State &state, Axis axis, Shape shape, int button)
{
    EditorOnLongLegend editor(state, axis, shape);
    if (!editor.open()) {
        state.SkipWithError("the editor did not open the file");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        editor.press(BarId::Display, cmd::EditMode);
        state.ResumeTiming();
        editor.press(BarId::Edit, button);
    }
}

// A word of state.range(0) small letters pasted into a legend box of edit mode.
void pasteLegend(benchmark::State &state, Axis axis)
{
    EditorOnLongLegend editor(state, axis, std::string("LEGENDE"));
    QGuiApplication::clipboard()->setText(QString(static_cast<qsizetype>(state.range(0)), u'a'));
    for (auto _ : state) {
        state.PauseTiming();
        const bool opened = editor.open();
        if (opened)
            editor.press(BarId::Display, cmd::EditMode);
        state.ResumeTiming();
        if (!opened) {
            state.SkipWithError("the editor did not open the file");
            break;
        }
        editor.paste(axis);
    }
}

}  // namespace

BENCHMARK_CAPTURE(pasteLegend, y_one_word, Axis::Y)
    ->Arg(300'000)
    ->Arg(60'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pasteLegend, x_one_word, Axis::X)
    ->Arg(300'000)
    ->Arg(60'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(enterEditMode, y_one_word, Axis::Y, Shape::OneWord)
    ->Arg(300'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(enterEditMode, y_words, Axis::Y, Shape::Words)
    ->Arg(300'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(enterEditMode, x_one_word, Axis::X, Shape::OneWord)
    ->Arg(300'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(leaveEditMode, y_one_word_ok, Axis::Y, Shape::OneWord, cmd::EditMode)
    ->Arg(300'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(leaveEditMode, x_one_word_cancel, Axis::X, Shape::OneWord, cmd::CancelEdit)
    ->Arg(300'000)
    ->Unit(benchmark::kMillisecond);
// The longest legends a curve file within the 64 MiB limit holds.
BENCHMARK_CAPTURE(openFile, y_one_word, Axis::Y, Shape::OneWord)
    ->Arg(60'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(enterEditMode, y_one_word, Axis::Y, Shape::OneWord)
    ->Arg(60'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(enterEditMode, x_words, Axis::X, Shape::Words)
    ->Arg(60'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(leaveEditMode, y_words_ok, Axis::Y, Shape::Words, cmd::EditMode)
    ->Arg(60'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(leaveEditMode, x_one_word_cancel, Axis::X, Shape::OneWord, cmd::CancelEdit)
    ->Arg(60'000'000)
    ->Unit(benchmark::kMillisecond);

// Offscreen, and with a private settings store: the editor records the file
// it opened in its recent-file list.
int main(int argc, char **argv)
{
    preferOffscreenPlatform();
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir recoveryFolder;
    keepRecoveryCopiesIn(recoveryFolder);
    QSettings(settingsFormat(), QSettings::UserScope, kSettingsOrganisation, kSettingsApplication)
        .clear();
    QFile::remove(oldSettingsFile());
    return runBenchmarks(argc, argv);
}
