// The option commands of a view: what each changes, what it checks and
// whether it repaints, run through the view's own command map.
#include "fake_view_host.h"
#include "framework/command_ids.h"
#include "test_support.h"
#include "view/plot_scene.h"

#include <QApplication>
#include <QTest>

#include <functional>

using namespace ombrelis;

namespace {

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

bool drawsColour(const PlotScene &scene, Colour colour)
{
    for (const ScenePrimitive &primitive : scene.primitives) {
        if (const auto *bezier = std::get_if<SceneBezier>(&primitive);
            bezier && bezier->colour == colour)
            return true;
    }
    return false;
}

}  // namespace

class ViewOptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void commandsChangeCheckAndRepaint();
    void samplingMarksAndCounts();
    void cursorStaysOnAPoint();
    void colourShowsOnceAnotherCurveIsCurrent();

private:
    // Runs the command as the frame does (only when its update allows it)
    // and tells whether the view repainted.
    bool run(int id);
    std::optional<bool> checkOf(int id) const;

    std::unique_ptr<FakeViewHost> host;
    std::unique_ptr<MyView> view;
    PaintCounter counter;
};

void ViewOptionsTest::init()
{
    host = std::make_unique<FakeViewHost>();
    view = std::make_unique<MyView>(*host);
    view->resize(300, 200);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    view->installEventFilter(&counter);
}

void ViewOptionsTest::cleanup()
{
    QVERIFY2(host->scripted.mismatches.isEmpty(), qPrintable(host->scripted.mismatches.join('\n')));
    QCOMPARE(host->scripted.unusedAnswers(), 0);
    view.reset();
    host.reset();
}

bool ViewOptionsTest::run(int id)
{
    QCoreApplication::processEvents();
    counter.paints = 0;
    const CommandMap::Entry *entry = view->commands().find(id);
    if (!entry)
        return false;
    entry->handler();
    QCoreApplication::processEvents();
    return counter.paints > 0;
}

std::optional<bool> ViewOptionsTest::checkOf(int id) const
{
    const CommandMap::Entry *entry = view->commands().find(id);
    if (!entry || !entry->update)
        return std::nullopt;
    CommandUpdate state;
    entry->update(state);
    return state.checked;
}

void ViewOptionsTest::commandsChangeCheckAndRepaint()
{
    CurveStore &s = view->store();
    struct Row {
        const char *what;
        int id;
        std::function<void()> answer;    // the dialog's scripted answer, if any
        std::function<bool()> changed;   // the state after one run
        std::optional<bool> checkAfter;  // nullopt: the item has no update handler
        bool repaints;
    };
    ScriptedPrompts &p = host->scripted;
    const Row rows[] = {
        {"interpolation",
         cmd::Interpolation,
         {},
         [&] { return s.interpolationOption; },
         true,
         true},
        {"vertical tangents",
         cmd::VerticalTangents,
         {},
         [&] { return s.verticalTangents; },
         true,
         false},
        {"tangent length 5", cmd::TangentLength, [&] { p.enter(5); },
         [&] { return s.tangentLength == 5; }, std::nullopt, false},
        {"tangent length 25", cmd::TangentLength, [&] { p.enter(25); },
         [&] { return s.tangentLength == 25; }, std::nullopt, false},
        {"tangent length cancelled", cmd::TangentLength, [&] { p.pressCancel(); },
         [&] { return s.tangentLength == 25; }, std::nullopt, false},
        {"cursor", cmd::Cursor, {}, [&] { return s.cursorOn; }, true, true},
        {"sampled", cmd::Sampled, {}, [&] { return !s.smoothing; }, true, true},
        {"smoothing", cmd::Smoothing, {}, [&] { return s.smoothing; }, true, true},
        {"axes", cmd::Axes, {}, [&] { return s.showAxes; }, true, true},
        {"frame", cmd::Frame, {}, [&] { return s.showFrame; }, std::nullopt, true},
        {"colour cancelled", cmd::CurveColour, [&] { p.pressCancel(); },
         [&] { return s.current().colour == kDefaultCurveColour; }, std::nullopt, false},
    };
    for (const Row &row : rows) {
        if (row.answer)
            row.answer();
        QVERIFY2(run(row.id) == row.repaints, row.what);
        QVERIFY2(row.changed(), row.what);
        QVERIFY2(checkOf(row.id) == row.checkAfter, row.what);
    }
    // "Sampled" checks while "Smoothing" does not, and toggles come back.
    QCOMPARE(checkOf(cmd::Sampled), std::optional<bool>(false));
    for (int id : {cmd::Interpolation, cmd::VerticalTangents, cmd::Axes, cmd::Frame}) {
        run(id);
        QVERIFY(!checkOf(id).value_or(false));
    }
    QVERIFY(!s.interpolationOption && !s.verticalTangents && !s.showAxes && !s.showFrame);
}

void ViewOptionsTest::samplingMarksAndCounts()
{
    CurveStore &s = view->store();
    editSlot(s, 2,
             [&](CurveSlot &c) { c.interpolationFlag = 1; });  // a script result keeps its points
    editSlot(s, 2, [&](CurveSlot &c) { c.samplingCount = 300; });
    const std::array<bool, 6> none{};
    struct Row {
        const char *what;
        int id;
        int entered;  // for "Personnalisé"; 0 cancels it
        int count;
        std::array<bool, 6> marks;
    };
    const Row rows[] = {
        {"32 points", cmd::Sampling32, 0, 32, {false, true, false, false, false, false}},
        {"32 points again: no mark, count applied", cmd::Sampling32, 0, 32, none},
        {"16 points", cmd::Sampling16, 0, 16, {true, false, false, false, false, false}},
        {"256 points", cmd::Sampling256, 0, 256, {false, false, false, false, true, false}},
        {"custom 100", cmd::SamplingCustom, 100, 100, {false, false, false, false, false, true}},
        {"custom cancelled",
         cmd::SamplingCustom,
         0,
         100,
         {false, false, false, false, false, true}},
        {"custom again: no mark", cmd::SamplingCustom, 4096, 4096, none},
        {"128 points", cmd::Sampling128, 0, 128, {false, false, false, true, false, false}},
        {"64 points", cmd::Sampling64, 0, 64, {false, false, true, false, false, false}},
    };
    const int ids[] = {cmd::Sampling16,  cmd::Sampling32,  cmd::Sampling64,
                       cmd::Sampling128, cmd::Sampling256, cmd::SamplingCustom};
    for (const Row &row : rows) {
        if (row.id == cmd::SamplingCustom) {
            if (row.entered)
                host->scripted.enter(row.entered);
            else
                host->scripted.pressCancel();
        }
        QVERIFY2(run(row.id) == (row.entered != 0 || row.id != cmd::SamplingCustom), row.what);
        QVERIFY2(s.samplingMarks == row.marks, row.what);
        for (int k = 0; k < kSlotCount; ++k)
            QVERIFY2(s.slots()[k].samplingCount == (k == 2 ? 300 : row.count), row.what);
        for (std::size_t i = 0; i < std::size(ids); ++i)
            QVERIFY2(checkOf(ids[i]) == std::optional<bool>(row.marks[i]), row.what);
    }
}

// The cursor reads the current curve's point at its index: it starts on the
// first point and never stands beyond the last one.
void ViewOptionsTest::cursorStaysOnAPoint()
{
    CurveStore &s = view->store();
    run(cmd::Cursor);
    s.cursorIndex = 60;
    run(cmd::Sampling16);
    QCOMPARE(s.cursorIndex, 15);
    run(cmd::Cursor);
    run(cmd::Cursor);
    QCOMPARE(s.cursorIndex, 0);

    // A current script result keeps its count, and the cursor its place in it.
    s.currentCurve = 1;
    editSlot(s, 1, [&](CurveSlot &c) {
        c.interpolationFlag = 1;
        c.samplingCount = 20;
    });
    s.cursorIndex = 19;
    run(cmd::Sampling256);
    QCOMPARE(s.cursorIndex, 19);
    editSlot(s, 1, [&](CurveSlot &c) { c.samplingCount = 0; });  // no points at all
    run(cmd::Sampling32);
    QCOMPARE(s.cursorIndex, 0);
}

void ViewOptionsTest::colourShowsOnceAnotherCurveIsCurrent()
{
    CurveStore &s = view->store();
    constexpr Colour kGreen = 0x00FF00;
    s.replaceSlot(0, *makeStraightLine());
    s.replaceSlot(1, *makeStraightLine());
    host->scripted.pickColour(kGreen);
    QVERIFY(!run(cmd::CurveColour));
    QCOMPARE(s.slots()[0].colour, kGreen);
    QCOMPARE(s.slots()[1].colour, kDefaultCurveColour);
    QVERIFY(!drawsColour(buildPlotScene(s, {300, 200}), kGreen));
    s.currentCurve = 1;
    QVERIFY(drawsColour(buildPlotScene(s, {300, 200}), kGreen));
}

QTEST_MAIN(ViewOptionsTest)
#include "test_view_options.moc"
