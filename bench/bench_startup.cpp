#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/qt_prompts.h"
#include "app/qt_translations.h"
#include "app/settings_file.h"
#include "app/tolvane_app.h"
#include "run_benchmarks.h"
#include "view/my_view.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QSettings>
#include <QStandardPaths>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <vector>

using namespace ombrelis;

extern char **environ;

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
enum class Grab {
    View,
    Window
};

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

// What Qt alone costs: a main window with an MDI area and one empty child,
// shown at the editor's sizes. The child is titled as the editor's document
// window is: a window without any text never loads a font on screen.
struct BareWindow {
    QMainWindow window;
    QWidget *child = new QWidget;

    explicit BareWindow(const StartupSizes &sizes)
    {
        auto *area = new QMdiArea;
        window.setCentralWidget(area);
        QMdiSubWindow *frame = area->addSubWindow(child);
        frame->setWindowTitle(QStringLiteral("wave.crv"));
        frame->resize(sizes.child);
        frame->show();
        window.resize(sizes.window);
        window.show();
    }
    QPixmap firstFrame(Grab grab) { return grab == Grab::View ? child->grab() : window.grab(); }
};

void bareWindowFirstFrame(benchmark::State &state, Grab grab)
{
    const StartupSizes sizes = editorSizes();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (auto _ : state) {
        {
            BareWindow bare(sizes);
            benchmark::DoNotOptimize(bare.firstFrame(grab).cacheKey());
            state.PauseTiming();
        }
        state.ResumeTiming();
        tearDown(state);
    }
}

const QStringList kWave{QStringLiteral(OMBRELIS_EXAMPLES "/wave.crv")};

// A start as the user sees it: from launching a process to its first frame.
// The process is this program again, told what to start and how to get its
// first frame; it loads the same libraries, the platform plugin and the fonts
// as the editor does, then leaves at once without tearing its window down.
const QByteArray kColdEditor = "--cold-start-editor";
const QByteArray kColdBare = "--cold-start-bare";
const QByteArray kGrabbed = "grab";
const QByteArray kOnScreen = "screen";

void coldFirstFrame(benchmark::State &state, const QByteArray &mode, const QByteArray &firstFrame)
{
    const StartupSizes sizes = editorSizes();
    QByteArrayList words{"/proc/self/exe", mode, firstFrame};
    for (int number :
         {sizes.window.width(), sizes.window.height(), sizes.child.width(), sizes.child.height()})
        words << QByteArray::number(number);
    std::vector<char *> arguments;
    for (QByteArray &word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, arguments[0], nullptr, nullptr, arguments.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child process did not paint its first frame");
            break;
        }
    }
}

// Runs the event loop until `widget` has been painted on its screen.
bool paintedOnScreen(QWidget *widget)
{
    struct PaintWatch : QObject {
        bool painted = false;
        bool eventFilter(QObject *, QEvent *event) override
        {
            painted = painted || event->type() == QEvent::Paint;
            return false;
        }
    } watch;
    widget->installEventFilter(&watch);
    const QDeadlineTimer deadline(10'000);
    while (!watch.painted && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    widget->removeEventFilter(&watch);
    return watch.painted;
}

// A grab first sends every pending resize in the window, the hidden menus'
// too, which then lay out their items; a paint on screen leaves them alone.
bool firstFramePainted(QWidget *widget, const QByteArray &firstFrame)
{
    return firstFrame == kGrabbed ? !widget->grab().isNull() : paintedOnScreen(widget);
}

// The child's side of `coldFirstFrame`: argv[1] is the mode, argv[2] how to
// get the first frame, then the editor's window and MDI child sizes. Its exit
// status tells whether it painted; it leaves before its window is torn down,
// which a start does not wait for.
[[noreturn]] void startColdAndLeave(QApplication &application, char **argv)
{
    const QByteArray firstFrame = argv[2];
    if (argv[1] == kColdEditor) {
        installQtFrenchTranslations(application);
        QtPrompts prompts;
        CTolvaneApp app(prompts);
        std::_Exit(app.initInstance(kWave) &&
                           firstFramePainted(app.mainFrame()->activeView(), firstFrame)
                       ? 0
                       : 1);
    }
    const auto number = [argv](int i) { return std::atoi(argv[i]); };
    BareWindow bare({{number(3), number(4)}, {number(5), number(6)}});
    std::_Exit(firstFramePainted(bare.child, firstFrame) ? 0 : 1);
}

}  // namespace

// examples/wave.crv as the document; an empty new window tells the cost of
// opening a file from the rest.
// The whole-window cases also count painting the menu bar, toolbar and bars;
// grabbing a window also lays out its hidden menus, which a first paint on
// screen leaves until they open.
BENCHMARK_CAPTURE(editorFirstFrame, wave_crv, kWave, Grab::View)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(editorFirstFrame, new_window, QStringList{}, Grab::View)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareWindowFirstFrame, child, Grab::View)
    ->Name("bareWindowFirstFrame")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(editorFirstFrame, wave_crv_whole_window, kWave, Grab::Window)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareWindowFirstFrame, whole_window, Grab::Window)->Unit(benchmark::kMillisecond);
// The cases above run in one warm process and so leave out what every start
// pays: loading the libraries, QApplication, the platform plugin and the font
// system. The cases below count it, from process launch to the first frame,
// grabbed or painted on screen.
BENCHMARK_CAPTURE(coldFirstFrame, editor_wave_crv_grab, kColdEditor, kGrabbed)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(coldFirstFrame, bare_window_grab, kColdBare, kGrabbed)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(coldFirstFrame, editor_wave_crv_on_screen, kColdEditor, kOnScreen)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(coldFirstFrame, bare_window_on_screen, kColdBare, kOnScreen)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Offscreen, and with a private settings store: the editor records the file
// it opened in its recent-file list. The cold starts inherit the private
// recovery folder.
int main(int argc, char **argv)
{
    preferOffscreenPlatform();
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    if (argc == 7 && (argv[1] == kColdEditor || argv[1] == kColdBare))
        startColdAndLeave(application, argv);
    const QTemporaryDir recoveryFolder;
    keepRecoveryCopiesIn(recoveryFolder);
    QSettings(settingsFormat(), QSettings::UserScope, kSettingsOrganisation, kSettingsApplication)
        .clear();
    QFile::remove(oldSettingsFile());
    return runBenchmarks(argc, argv);
}
