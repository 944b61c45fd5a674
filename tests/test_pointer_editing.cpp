// The arithmetic of pointer editing: pick squares, insertion, cursor steps,
// and what a pointer position shows on degenerate plots.
#include "view/pointer_editing.h"

#include <QTest>

#include <limits>
#include <memory>

Q_DECLARE_METATYPE(CurvePoint)

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
    CurveSlot &curve = store.current();
    curve.samples[curve.sampleCount] = at;
    curve.startTangents[curve.sampleCount] = start;
    curve.endTangents[curve.sampleCount] = end;
    ++curve.sampleCount;
}

}  // namespace

class TestPointerEditing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pickAreas_data();
    void pickAreas();
    void insertionPlace_data();
    void insertionPlace();
    void defaultHandles_data();
    void defaultHandles();
    void refusedInsertionsChangeNothing();
    void moveAndDeleteKeepHandlesWithTheirSample();
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
    QTest::newRow("right edge of the second outside") << 305 << 200 << true << -1 << -1 << -1 << false;
    QTest::newRow("left edge outside") << 296 << 200 << true << -1 << -1 << -1 << false;
    QTest::newRow("bottom edge outside") << 300 << 203 << true << -1 << -1 << -1 << false;
    QTest::newRow("start handle") << 269 << 197 << true << -1 << 0 << -1 << false;
    QTest::newRow("end handle") << 330 << 202 << true << -1 << -1 << 0 << false;
    QTest::newRow("display mode: no handles") << 328 << 200 << false << -1 << -1 << -1 << false;
    QTest::newRow("display mode: samples still tested") << 300 << 200 << false << 0 << -1 << -1 << false;
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
    store->current().sampledPoints[0] = {500, 123};
    const PixelPoint at{px, py};

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
    store->current().xmax = store->current().xmin;
    QVERIFY(!hitTestSamples(*store, kClient, at, sample));
}

void TestPointerEditing::insertionPlace_data()
{
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("index");

    QTest::newRow("empty curve") << QList<double>{} << 500.0 << 0;
    QTest::newRow("left of all samples gives 0") << QList<double>{100, 200} << 50.0 << 0;
    QTest::newRow("same x goes after the existing ones") << QList<double>{100, 200, 200, 300} << 200.0 << 3;
    QTest::newRow("right of all at the end") << QList<double>{100, 200} << 900.0 << 2;
    QTest::newRow("unsorted: before the first greater x") << QList<double>{100, 600, 300} << 400.0 << 1;
}

void TestPointerEditing::insertionPlace()
{
    QFETCH(QList<double>, xs);
    QFETCH(double, x);
    QFETCH(int, index);
    auto store = editStore();
    for (double existing : xs)
        addSample(*store, {existing, 1}, {existing - 1, 1}, {existing + 1, 1});

    QVERIFY(insertSample(*store, x, 777));
    const CurveSlot &curve = store->current();
    QCOMPARE(curve.sampleCount, xs.size() + 1);
    QCOMPARE(curve.samples[index], (CurvePoint{x, 777}));
    for (int k = 0; k < xs.size(); ++k) {
        const int moved = k < index ? k : k + 1;
        QCOMPARE(curve.samples[moved].x, xs[k]);
        QCOMPARE(curve.endTangents[moved].x, xs[k] + 1);  // handles travel with their sample
    }
}

void TestPointerEditing::defaultHandles_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("ymax");
    QTest::addColumn<CurvePoint>("start");
    QTest::addColumn<CurvePoint>("end");

    QTest::newRow("horizontal, 15 %") << false << 15 << 1000.0 << CurvePoint{450, 500} << CurvePoint{550, 500};
    QTest::newRow("vertical, 15 %") << true << 15 << 1000.0 << CurvePoint{500, 450} << CurvePoint{500, 550};
    QTest::newRow("vertical, 15 % of y range 3000") << true << 15 << 3000.0 << CurvePoint{500, 350}
                                                    << CurvePoint{500, 650};
    QTest::newRow("horizontal, 6 %") << false << 6 << 1000.0 << CurvePoint{480, 500} << CurvePoint{520, 500};
}

void TestPointerEditing::defaultHandles()
{
    QFETCH(bool, vertical);
    QFETCH(int, length);
    QFETCH(double, ymax);
    auto store = editStore();
    store->verticalTangents = vertical;
    store->tangentLength = length;
    store->current().ymax = ymax;
    QVERIFY(insertSample(*store, 500, 500));
    QFETCH(CurvePoint, start);
    QFETCH(CurvePoint, end);
    QCOMPARE(store->current().startTangents[0].x, start.x);
    QCOMPARE(store->current().startTangents[0].y, start.y);
    QCOMPARE(store->current().endTangents[0].x, end.x);
    QCOMPARE(store->current().endTangents[0].y, end.y);
}

void TestPointerEditing::refusedInsertionsChangeNothing()
{
    auto store = editStore();
    for (int k = 0; k < kMaxSamples; ++k)
        QVERIFY(insertSample(*store, 10.0 * k, 5));
    const CurveSlot before = store->current();
    QVERIFY(!insertSample(*store, 1, 1));
    QVERIFY(!insertSampleAtPointer(*store, kClient, {100, 100}));
    QCOMPARE(store->current().sampleCount, kMaxSamples);
    QVERIFY(store->current().samples == before.samples);
    QVERIFY(store->current().startTangents == before.startTangents);

    // Typed "inf" or an overflowing number is no place for a sample.
    deleteSample(*store, 3);
    QVERIFY(!insertSample(*store, kInf, 1));
    QVERIFY(!insertSample(*store, 1, std::numeric_limits<double>::quiet_NaN()));
    QCOMPARE(store->current().sampleCount, kMaxSamples - 1);
}

void TestPointerEditing::moveAndDeleteKeepHandlesWithTheirSample()
{
    auto store = editStore();
    addSample(*store, {100, 100}, {90, 80}, {120, 130});
    addSample(*store, {200, 200}, {150, 200}, {250, 200});
    addSample(*store, {300, 300}, {250, 300}, {350, 300});
    moveSample(*store, 1000, 0, 0);
    const CurveSlot &curve = store->current();
    QCOMPARE(curve.samples[0], (CurvePoint{1000, 0}));
    QCOMPARE(curve.startTangents[0], (CurvePoint{990, -20}));
    QCOMPARE(curve.endTangents[0], (CurvePoint{1020, 30}));
    QCOMPARE(curve.samples[1].x, 200.0);  // not re-sorted

    deleteSample(*store, 1);
    QCOMPARE(curve.sampleCount, 2);
    QCOMPARE(curve.samples[1], (CurvePoint{300, 300}));
    QCOMPARE(curve.startTangents[1], (CurvePoint{250, 300}));
    deleteSample(*store, 2);  // beyond the samples: ignored
    moveSample(*store, 5, 5, 2);
    QCOMPARE(curve.sampleCount, 2);
    QCOMPARE(curve.samples[2], (CurvePoint{300, 300}));
}

void TestPointerEditing::cursorSteps_data()
{
    QTest::addColumn<int>("samplingCount");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("expected");

    QTest::newRow("right") << 64 << 5 << 1 << 6;
    QTest::newRow("left") << 64 << 5 << -1 << 4;
    QTest::newRow("right at the last point wraps to 0") << 64 << 63 << 1 << 0;
    QTest::newRow("left at 0 wraps to the last") << 64 << 0 << -1 << 63;
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
    store->current().samplingCount = samplingCount;
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
    store->current().xmin = xmin;
    store->current().xmax = xmax;
    store->cursorOn = cursorOn;
    const PointerOutcome out = pointerMoved(*store, kClient, {20, 380}, false);
    QTEST(out.readout.has_value(), "shown");
    QTEST(insertSampleAtPointer(*store, kClient, {20, 380}), "insertable");
}

QTEST_APPLESS_MAIN(TestPointerEditing)
#include "test_pointer_editing.moc"
