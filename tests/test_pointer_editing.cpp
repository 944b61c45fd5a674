// The arithmetic of pointer editing that events cannot reach easily: pick
// square edges, cursor steps without points, degenerate plots.
#include "test_support.h"
#include "view/pointer_editing.h"

#include <QTest>

#include <limits>
#include <memory>

using namespace ombrelis;

namespace {

constexpr ClientSize kClient{600, 400};
constexpr double kInf = std::numeric_limits<double>::infinity();

// Default bounds 0..1000 on both axes: world (500, 500) is pixel (300, 200).
std::unique_ptr<CurveStore> editStore()
{
    auto store = std::make_unique<CurveStore>();
    store->editMode = true;
    return store;
}

void addSample(CurveStore &store, CurvePoint at, CurvePoint start, CurvePoint end)
{
    editSlot(store, store.currentCurve, [&](CurveSlot &curve) {
        curve.samples[curve.sampleCount] = at;
        curve.startTangents[curve.sampleCount] = start;
        curve.endTangents[curve.sampleCount] = end;
        ++curve.sampleCount;
    });
}

}  // namespace

class TestPointerEditing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pickAreas_data();
    void pickAreas();
    void cursorSteps_data();
    void cursorSteps();
    void pointerReadout_data();
    void pointerReadout();
};

// Sample 0 at pixel (300, 200), sample 1 at (302, 200), start handle 0 at
// (272, 200), end handle 0 at (328, 200); the cursor on sampled x 500 hangs
// its grip at [294, 306) x [380, 392).
void TestPointerEditing::pickAreas_data()
{
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("py");
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<int>("sample");  // -1: no hit
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("grip");

    QTest::newRow("top-left corner inside") << 297 << 197 << true << 0 << -1 << -1 << false;
    QTest::newRow("overlap: the lowest index wins") << 302 << 202 << true << 0 << -1 << -1 << false;
    QTest::newRow("only the second sample") << 304 << 200 << true << 1 << -1 << -1 << false;
    QTest::newRow("right edge of the second outside")
        << 305 << 200 << true << -1 << -1 << -1 << false;
    QTest::newRow("left edge outside") << 296 << 200 << true << -1 << -1 << -1 << false;
    QTest::newRow("bottom edge outside") << 300 << 203 << true << -1 << -1 << -1 << false;
    QTest::newRow("start handle") << 269 << 197 << true << -1 << 0 << -1 << false;
    QTest::newRow("end handle") << 330 << 202 << true << -1 << -1 << 0 << false;
    QTest::newRow("display mode: no handles") << 328 << 200 << false << -1 << -1 << -1 << false;
    QTest::newRow("display mode: samples still tested")
        << 300 << 200 << false << 0 << -1 << -1 << false;
    QTest::newRow("grip top-left") << 294 << 380 << false << -1 << -1 << -1 << true;
    QTest::newRow("grip bottom-right") << 305 << 391 << true << -1 << -1 << -1 << true;
    QTest::newRow("grip right edge outside") << 306 << 385 << true << -1 << -1 << -1 << false;
    QTest::newRow("above the grip") << 300 << 379 << true << -1 << -1 << -1 << false;
    QTest::newRow("grip bottom edge outside") << 300 << 392 << true << -1 << -1 << -1 << false;
}

void TestPointerEditing::pickAreas()
{
    QFETCH(int, px);
    QFETCH(int, py);
    QFETCH(bool, editMode);
    auto store = editStore();
    store->editMode = editMode;
    store->cursorOn = true;
    addSample(*store, {500, 500}, {450, 500}, {550, 500});
    addSample(*store, {505, 500}, {455, 900}, {555, 900});
    editSlot(*store, 0, [](CurveSlot &curve) { curve.sampledPoints[0] = {500, 123}; });
    const PointerAt at{double(px), double(py)};

    int sample = -1;
    int start = -1;
    int end = -1;
    hitTestSamples(*store, kClient, at, sample);
    hitTestStartTangents(*store, kClient, at, start);
    hitTestEndTangents(*store, kClient, at, end);
    QTEST(sample, "sample");
    QTEST(start, "start");
    QTEST(end, "end");
    QTEST(hitTestCursor(*store, kClient, at), "grip");

    store->cursorOn = false;
    QVERIFY(!hitTestCursor(*store, kClient, at));
    // A plot with an empty range draws nothing, so nothing can be picked.
    editSlot(*store, 0, [](CurveSlot &curve) { curve.xmax = curve.xmin; });
    QVERIFY(!hitTestSamples(*store, kClient, at, sample));
}

void TestPointerEditing::cursorSteps_data()
{
    QTest::addColumn<int>("samplingCount");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("expected");

    QTest::newRow("left") << 64 << 5 << -1 << 4;
    QTest::newRow("no sampled points: right stays 0") << 0 << 0 << 1 << 0;
    QTest::newRow("no sampled points: left stays 0") << 0 << 0 << -1 << 0;
    QTest::newRow("past the end after fewer points: right") << 16 << 40 << 1 << 0;
    QTest::newRow("past the end after fewer points: left") << 16 << 40 << -1 << 15;
}

void TestPointerEditing::cursorSteps()
{
    QFETCH(int, samplingCount);
    QFETCH(int, index);
    QFETCH(int, direction);
    auto store = editStore();
    editSlot(*store, 0, [&](CurveSlot &curve) { curve.samplingCount = samplingCount; });
    store->cursorIndex = index;
    stepCursor(*store, direction);
    QTEST(store->cursorIndex, "expected");
}

// Decided: a degenerate mapping never shows "nan" or "inf"; the readout is
// then left as it was.
void TestPointerEditing::pointerReadout_data()
{
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<bool>("cursorOn");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("insertable");  // the pointer maps to a finite point

    QTest::newRow("ordinary plot") << 0.0 << 1000.0 << false << true << true;
    QTest::newRow("cursor on: not touched") << 0.0 << 1000.0 << true << false << true;
    QTest::newRow("empty x range") << 500.0 << 500.0 << false << false << true;
    QTest::newRow("range beyond doubles") << -1e308 << 1e308 << false << false << false;
    QTest::newRow("infinite bound") << 0.0 << kInf << false << false << false;
}

void TestPointerEditing::pointerReadout()
{
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(bool, cursorOn);
    auto store = editStore();
    editSlot(*store, 0, [&](CurveSlot &curve) {
        curve.xmin = xmin;
        curve.xmax = xmax;
    });
    store->cursorOn = cursorOn;
    PointerState pointer;
    const PointerOutcome out = pointerMoved(*store, pointer, kClient, {20, 380});
    QTEST(out.readout.has_value(), "shown");
    QTEST(insertSampleAtPointer(*store, kClient, {20, 380}), "insertable");
}

QTEST_APPLESS_MAIN(TestPointerEditing)
#include "test_pointer_editing.moc"
