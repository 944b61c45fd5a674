#include "curves/number_text.h"
#include "geometry/sampler.h"
#include "scene_support.h"
#include "view/plot_annotation.h"
#include "view/plot_scene.h"

#include <QTest>

#include <limits>

using namespace ombrelis;

namespace {

constexpr ClientSize kClient{600, 400};
constexpr int kIntMax = std::numeric_limits<int>::max();

// One letter per primitive in drawing order: Line, Polyline, Rectangle,
// Bézier, Mark, Text; one Rectangle per bar.
QString signature(const PlotScene &scene)
{
    static const char letters[] = "LPRBMT";
    QString text;
    for (const ScenePrimitive &primitive : scene.primitives) {
        if (const auto *bars = std::get_if<SceneBars>(&primitive))
            text += QString(qsizetype(bars->rectangles.size()), QLatin1Char('R'));
        else
            text += QLatin1Char(letters[primitive.index()]);
    }
    return text;
}

// A store whose current curve (slot 0) has `count` flat points at y = 490.
std::unique_ptr<CurveStore> flatBarsStore(int count)
{
    auto store = makeStore();
    store->smoothing = false;
    editSlot(*store, 0, [&](CurveSlot &c) { setFlatComputedCurve(c, count, 490); });
    return store;
}

// A store whose current curve is three flat points at x = 0, 500, 1000,
// y = 490, with the cursor on the middle one.
std::unique_ptr<CurveStore> cursorStore()
{
    auto store = flatBarsStore(3);
    store->interpolationOption = true;
    store->cursorOn = true;
    store->cursorIndex = 1;
    return store;
}

std::vector<PixelPoint> polylineAt(const PlotScene &scene, int index)
{
    return std::get<ScenePolyline>(scene.primitives.at(index)).points;
}

}  // namespace

class TestPlotScene : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyWindowDrawsNothing();
    void barsOfAFlatCurve();
    void barsReachWorldZero_data();
    void barsReachWorldZero();
    void mirroredBoundsGiveOrderedBars();
    void barsNeedTwoSampledPoints_data();
    void barsNeedTwoSampledPoints();
    void cursorLineGripAndLabels();
    void cursorLabelsEmptySlotsAtZero();
    void cursorIndexOutsideTheArrayShowsNoCursor();
    void editModeMarksAndHandleLines();
    void styleChoice_data();
    void styleChoice();
    void oneSampleCurve();
    void currentCurveIsDrawnLastInBlack();
    void axesAndFrameOnThePlotEdges();
    void axesFollowWorldZero();
    void paintOrder();
    void paintResamplesDrawnCurves();
    void emptyRangeDrawsNothing_data();
    void emptyRangeDrawsNothing();
    void offsetsSaturateAtTheIntLimits();
    void nonFiniteValuesStayDefined();
    void currentCurveOutsideTheFourDrawsNothing();
    void markOutlineIsA7By7Square();
    void sceneAtADevicePixelRatio_data();
    void sceneAtADevicePixelRatio();
    void axisTicks_data();
    void axisTicks();
    void annotatedLayout_data();
    void annotatedLayout();
};

void TestPlotScene::emptyWindowDrawsNothing()
{
    auto store = makeStore();
    const PlotScene scene = paintedScene(*store, kClient);
    QVERIFY(scene.primitives.empty());
    QVERIFY(!scene.cursorReadout);
}

void TestPlotScene::barsOfAFlatCurve()
{
    auto store = flatBarsStore(16);
    const PlotScene scene = paintedScene(*store, kClient);
    QCOMPARE(signature(scene), QString(16, QLatin1Char('R')));
    const auto bars = primitivesOf<SceneRectangle>(scene);
    QCOMPARE(bars[0], (SceneRectangle{20, 203, 38, 380, kBlack, kWhite}));
    QCOMPARE(bars[1], (SceneRectangle{38, 203, 76, 380, kBlack, kWhite}));
    QCOMPARE(bars[15], (SceneRectangle{561, 203, 580, 380, kBlack, kWhite}));
    for (std::size_t j = 1; j < bars.size(); ++j)
        QCOMPARE(bars[j].left, bars[j - 1].right);  // neighbours share their edge
}

void TestPlotScene::barsReachWorldZero_data()
{
    QTest::addColumn<double>("ymin");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    // y = 0 lies at 380 + (200 - 0) * 360 / 800 = 470, below the plot area.
    QTest::newRow("ymin 200: below the plot area") << 200.0 << 490.0 << 249 << 470;
    QTest::newRow("negative y: the bar hangs below y = 0") << -1000.0 << -500.0 << 200 << 290;
}

void TestPlotScene::barsReachWorldZero()
{
    QFETCH(double, ymin);
    QFETCH(double, y);
    QFETCH(int, top);
    QFETCH(int, bottom);
    auto store = makeStore();
    store->smoothing = false;
    editSlot(*store, 0, [&](CurveSlot &c) {
        c.ymin = ymin;
        setFlatComputedCurve(c, 16, y);
    });
    const auto bars = primitivesOf<SceneRectangle>(paintedScene(*store, kClient));
    QCOMPARE(bars.size(), std::size_t{16});
    QCOMPARE(bars[0].top, top);
    QCOMPARE(bars[0].bottom, bottom);
}

// xmax < xmin mirrors the plot: a bar's left world edge lands on its right
// pixel edge, and the rectangle still runs from left to right.
void TestPlotScene::mirroredBoundsGiveOrderedBars()
{
    auto store = flatBarsStore(16);
    editSlot(*store, 0, [](CurveSlot &curve) {
        curve.xmin = 1000;
        curve.xmax = 0;
    });
    const auto bars = primitivesOf<SceneRectangle>(paintedScene(*store, kClient));
    QCOMPARE(bars[0], (SceneRectangle{561, 203, 580, 380, kBlack, kWhite}));
    QCOMPARE(bars[15], (SceneRectangle{20, 203, 38, 380, kBlack, kWhite}));
}

void TestPlotScene::barsNeedTwoSampledPoints_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("interpolation");
    QTest::newRow("bars, one point") << 1 << false;
    QTest::newRow("bars, no point") << 0 << false;
    QTest::newRow("bars, negative count") << -5 << false;
    QTest::newRow("polyline, one point") << 1 << true;
}

// Only the other curve draws: the one-point curve has no neighbour for its bar.
void TestPlotScene::barsNeedTwoSampledPoints()
{
    QFETCH(int, count);
    QFETCH(bool, interpolation);
    auto store = makeStore();
    store->smoothing = false;
    store->interpolationOption = interpolation;
    editSlot(*store, 1, [&](CurveSlot &c) { setFlatComputedCurve(c, 2, 100); });
    editSlot(*store, 0, [&](CurveSlot &c) {
        c.interpolationFlag = 1;
        c.samplingCount = count;
    });
    const PlotScene scene = paintedScene(*store, kClient);
    QCOMPARE(signature(scene), interpolation ? QString("P") : QString("RR"));
}

void TestPlotScene::cursorLineGripAndLabels()
{
    auto store = cursorStore();
    const PlotScene scene = paintedScene(*store, kClient);
    QCOMPARE(signature(scene), QString("PLPTT"));
    const auto line = std::get<SceneLine>(scene.primitives[1]);
    QCOMPARE(line.from, (PixelPoint{300, 380}));
    QCOMPARE(line.to, (PixelPoint{300, 20}));
    QCOMPARE(line.colour, kBlack);
    const std::vector<PixelPoint> grip{{306, 392}, {306, 380}, {294, 380}, {294, 392}, {306, 392}};
    QCOMPARE(polylineAt(scene, 2), grip);
    const auto labels = primitivesOf<SceneText>(scene);
    QCOMPARE(labels[0].text, "500.00");
    QCOMPARE(labels[0].topLeft, (PixelPoint{300, 380}));
    QCOMPARE(labels[1].text, "490.00");
    QCOMPARE(labels[1].topLeft, (PixelPoint{300, 203}));
    for (const SceneText &label : labels) {
        QCOMPARE(label.font, cursorLabelFont());
        QCOMPARE(label.colour, kBlack);
        QCOMPARE(label.background, kWhite);
    }
    QCOMPARE(cursorLabelFont(), (FontDescription{"Courier", 10, 400, false}));
    QVERIFY(scene.cursorReadout);
    QCOMPARE(scene.cursorReadout->xText, "500.00");
    QCOMPARE(scene.cursorReadout->yText, "490.00");
}

// Empty slots hold 64 points at (0, 0): x = 0 lies in their range [0, 0].
void TestPlotScene::cursorLabelsEmptySlotsAtZero()
{
    auto store = cursorStore();
    store->cursorIndex = 0;
    // A straight line from (0, 700).
    editSlot(*store, 2, [&](CurveSlot &c) { setFlatComputedCurve(c, 2, 700); });
    editSlot(*store, 2, [&](CurveSlot &c) { c.sampledPoints[1] = {1000, 300}; });
    const auto labels = primitivesOf<SceneText>(paintedScene(*store, kClient));
    QCOMPARE(labels.size(), std::size_t{5});
    const char *texts[] = {"0.00", "490.00", "0.00", "700.00", "0.00"};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(labels[i].text, texts[i]);
    QCOMPARE(labels[2].topLeft, (PixelPoint{20, 380}));
    QCOMPARE(labels[4].topLeft, (PixelPoint{20, 380}));

    // Between sampled points the labels read the straight line; outside, none.
    store->cursorIndex = 1;
    const auto middle = primitivesOf<SceneText>(paintedScene(*store, kClient));
    QCOMPARE(middle.size(), std::size_t{3});
    QCOMPARE(middle[2].text, "500.00");
    QCOMPARE(middle[2].topLeft, (PixelPoint{300, 200}));
}

void TestPlotScene::cursorIndexOutsideTheArrayShowsNoCursor()
{
    auto store = cursorStore();
    for (int index : {-1, kMaxSampledPoints}) {
        store->cursorIndex = index;
        const PlotScene scene = paintedScene(*store, kClient);
        QCOMPARE(signature(scene), QString("P"));
        QVERIFY(!scene.cursorReadout);
    }
    // Inside the array but past the count: the stale entry, as it stands.
    store->cursorIndex = 10;
    editSlot(*store, 0, [&](CurveSlot &c) { c.sampledPoints[10] = {250, 125}; });
    const PlotScene stale = paintedScene(*store, kClient);
    QCOMPARE(stale.cursorReadout->xText, "250.00");
    QCOMPARE(stale.cursorReadout->yText, "125.00");
}

void TestPlotScene::editModeMarksAndHandleLines()
{
    auto store = makeStore();
    store->editMode = true;
    editSlot(*store, 0, [&](CurveSlot &c) {
        c.sampleCount = 1;
        c.samples[0] = {500, 500};
        c.startTangents[0] = {450, 500};
        c.endTangents[0] = {550, 500};
    });
    const PlotScene scene = paintedScene(*store, kClient);
    QCOMPARE(signature(scene), QString("MLMLM"));
    const auto marks = primitivesOf<SceneMark>(scene);
    QCOMPARE(marks[0].centre, (PixelPoint{272, 200}));
    QCOMPARE(marks[1].centre, (PixelPoint{300, 200}));
    QCOMPARE(marks[2].centre, (PixelPoint{328, 200}));
    for (const SceneMark &mark : marks)
        QCOMPARE(mark.colour, kBlack);
    const auto lines = primitivesOf<SceneLine>(scene);
    QCOMPARE(lines[0].from, (PixelPoint{272, 200}));
    QCOMPARE(lines[0].to, (PixelPoint{300, 200}));
    QCOMPARE(lines[1].from, (PixelPoint{300, 200}));
    QCOMPARE(lines[1].to, (PixelPoint{328, 200}));
    QCOMPARE(lines[0].colour, kBlue);
    QCOMPARE(lines[1].colour, kBlue);
}

void TestPlotScene::styleChoice_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<bool>("smoothing");
    QTest::addColumn<bool>("interpolation");
    QTest::addColumn<bool>("computed");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("drawn");
    // Two control samples, 4 sampled points; handles draw "MLMLM" per sample.
    QTest::newRow("smoothing: Bézier") << false << true << false << false << 0 << "B";
    QTest::newRow("smoothing ignores the option") << false << true << true << false << 1 << "B";
    QTest::newRow("smoothing, computed: polyline") << false << true << true << true << 0 << "P";
    QTest::newRow("smoothing, computed: bars") << false << true << false << true << 1 << "RRRR";
    QTest::newRow("sampled, interpolation: polyline")
        << false << false << true << false << 0 << "P";
    QTest::newRow("sampled: bars") << false << false << false << false << 0 << "RRRR";
    QTest::newRow("edit, current: Bézier and handles")
        << true << false << false << false << 0 << "BMLMLMMLMLM";
    QTest::newRow("edit, other curve: Bézier only") << true << false << true << false << 1 << "B";
    QTest::newRow("edit, computed current: no handles") << true << true << true << true << 0 << "P";
}

void TestPlotScene::styleChoice()
{
    QFETCH(bool, editMode);
    QFETCH(bool, smoothing);
    QFETCH(bool, interpolation);
    QFETCH(bool, computed);
    QFETCH(int, slot);
    QFETCH(QString, drawn);
    auto store = makeStore();
    store->editMode = editMode;
    store->smoothing = smoothing;
    store->interpolationOption = interpolation;
    editSlot(*store, slot, [&](CurveSlot &curve) {
        setSamples(curve, {{200, 100}, {800, 900}});
        curve.samplingCount = 4;
        curve.interpolationFlag = computed ? 1 : 0;
    });
    QCOMPARE(signature(paintedScene(*store, kClient)), drawn);
}

void TestPlotScene::oneSampleCurve()
{
    auto store = makeStore();
    editSlot(*store, 0, [&](CurveSlot &c) {
        setSamples(c, {{500, 500}});
        c.samplingCount = 2;
        c.sampledPoints[0] = {0, 100};
        c.sampledPoints[1] = {1000, 100};
    });
    QCOMPARE(signature(paintedScene(*store, kClient)), QString());  // smoothing
    store->smoothing = false;
    store->interpolationOption = true;
    const PlotScene sampled = paintedScene(*store, kClient);
    // Its old sampled points, not resampled from the one sample.
    const std::vector<PixelPoint> old{{20, 344}, {580, 344}};
    QCOMPARE(polylineAt(sampled, 0), old);
}

void TestPlotScene::currentCurveIsDrawnLastInBlack()
{
    auto store = makeStore();
    const Colour colours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
    for (int slot = 0; slot < kCurveCount; ++slot) {
        editSlot(*store, slot, [&](CurveSlot &c) {
            setSamples(c, {{100, 100.0 * slot}, {900, 100.0 * slot}});
            c.colour = colours[slot];
        });
    }
    store->currentCurve = 1;
    const auto curves = primitivesOf<SceneBezier>(paintedScene(*store, kClient));
    QCOMPARE(curves.size(), std::size_t{4});
    const Colour expected[] = {colours[0], colours[2], colours[3], kBlack};
    const int heights[] = {380, 308, 272, 344};  // y = 0, 200, 300, 100
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(curves[i].colour, expected[i]);
        QCOMPARE(curves[i].points[0], (PixelPoint{76, heights[i]}));
        QCOMPARE(curves[i].points.size(), std::size_t{4});
    }
}

void TestPlotScene::axesAndFrameOnThePlotEdges()
{
    auto store = makeStore();
    store->showAxes = true;
    store->showFrame = true;
    const PlotScene scene = paintedScene(*store, kClient);
    QCOMPARE(signature(scene), QString("LLP"));
    const auto axes = primitivesOf<SceneLine>(scene);
    QCOMPARE(axes[0].from, (PixelPoint{20, 380}));  // vertical: ymin to ymax
    QCOMPARE(axes[0].to, (PixelPoint{20, 20}));
    QCOMPARE(axes[1].from, (PixelPoint{20, 380}));  // horizontal: xmin to xmax
    QCOMPARE(axes[1].to, (PixelPoint{580, 380}));
    const std::vector<PixelPoint> frame{{20, 380}, {20, 20}, {580, 20}, {580, 380}, {20, 380}};
    QCOMPARE(polylineAt(scene, 2), frame);
}

void TestPlotScene::axesFollowWorldZero()
{
    auto store = makeStore();
    store->showAxes = true;
    editSlot(*store, 0, [](CurveSlot &bounds) {
        bounds.xmin = -500;
        bounds.ymin = 200;  // y = 0 below the plot area
    });
    const auto axes = primitivesOf<SceneLine>(paintedScene(*store, kClient));
    QCOMPARE(axes[0].from, (PixelPoint{206, 380}));  // from ymin, not from y = 0
    QCOMPARE(axes[0].to, (PixelPoint{206, 20}));
    QCOMPARE(axes[1].from, (PixelPoint{20, 470}));
    QCOMPARE(axes[1].to, (PixelPoint{580, 470}));
}

void TestPlotScene::paintOrder()
{
    auto store = cursorStore();
    store->showAxes = true;
    store->showFrame = true;
    editSlot(*store, 3, [&](CurveSlot &c) { setSamples(c, {{0, 0}, {1000, 1000}}); });
    store->smoothing = false;
    store->interpolationOption = false;
    // Axes, frame, curve 4 (64 bars), the current curve (3 bars), the cursor.
    const QString bars = QString(64 + 3, QLatin1Char('R'));
    QCOMPARE(signature(paintedScene(*store, kClient)), "LLP" + bars + "LPTTT");
}

void TestPlotScene::paintResamplesDrawnCurves()
{
    auto store = makeStore();
    for (int slot : {1, 5}) {
        editSlot(*store, slot, [&](CurveSlot &c) {
            setSamples(c, {{0, 0}, {1000, 1000}});
            c.sampledPoints[10] = {-1, -1};
        });
    }
    auto expected = std::make_unique<CurveSlot>(store->slots()[1]);
    sampleCurve(*expected);
    store->resampleDrawnCurves();
    QCOMPARE(store->slots()[1].sampledPoints, expected->sampledPoints);
    QCOMPARE(store->slots()[5].sampledPoints[10], (CurvePoint{-1, -1}));  // never drawn
}

void TestPlotScene::emptyRangeDrawsNothing_data()
{
    QTest::addColumn<double>("xmax");
    QTest::addColumn<double>("ymax");
    QTest::addColumn<int>("width");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("xmax == xmin") << 0.0 << 1000.0 << 600;
    QTest::newRow("ymax == ymin") << 1000.0 << 0.0 << 600;
    QTest::newRow("range below the smallest double step") << 5e-324 << 1000.0 << 600;
    QTest::newRow("NaN bound") << nan << 1000.0 << 600;
    QTest::newRow("empty range in a window of no width") << 0.0 << 1000.0 << 0;
    // Decided: a zero scale collapses the plot onto one line of pixels, where
    // nothing could be picked either.
    QTest::newRow("zero scale: infinite xmax") << inf << 1000.0 << 600;
    QTest::newRow("zero scale: window of no width") << 1000.0 << 1000.0 << 0;
}

// Axes, frame, every curve style and the cursor at once: nothing is drawn,
// but the paint still samples and the readout still reads the cursor's point.
void TestPlotScene::emptyRangeDrawsNothing()
{
    QFETCH(double, xmax);
    QFETCH(double, ymax);
    QFETCH(int, width);
    for (bool editMode : {false, true}) {
        for (bool interpolation : {false, true}) {
            auto store = cursorStore();
            store->editMode = editMode;
            store->interpolationOption = interpolation;
            store->showAxes = store->showFrame = true;
            editSlot(*store, 0, [&](CurveSlot &c) {
                c.xmax = xmax;
                c.ymax = ymax;
            });
            editSlot(*store, 1, [&](CurveSlot &c) {
                setSamples(c, {{0, 0}, {1000, 1000}});
                c.sampledPoints[10] = {-1, -1};
            });
            const PlotScene scene = paintedScene(*store, {width, 400});
            QCOMPARE(signature(scene), QString());
            QCOMPARE(store->slots()[1].sampledPoints[10].x, 10 * (1000.0 / 63));
            QVERIFY(scene.cursorReadout);
            QCOMPARE(scene.cursorReadout->yText, "490.00");
        }
    }
}

// A cursor point far outside the bounds maps to the int limits; the grip
// offsets stay there instead of wrapping.
void TestPlotScene::offsetsSaturateAtTheIntLimits()
{
    auto store = cursorStore();
    editSlot(*store, 0, [&](CurveSlot &c) { c.sampledPoints[1] = {1e300, 490}; });
    const PlotScene scene = paintedScene(*store, kClient);
    const std::vector<PixelPoint> grip{
        {kIntMax, 392}, {kIntMax, 380}, {kIntMax - 6, 380}, {kIntMax - 6, 392}, {kIntMax, 392}};
    QCOMPARE(polylineAt(scene, 2), grip);
    const auto outline = markOutline({kIntMax - 1, std::numeric_limits<int>::min() + 1});
    QCOMPARE(outline[0], (PixelPoint{kIntMax, std::numeric_limits<int>::min() + 4}));
    QCOMPARE(outline[2], (PixelPoint{kIntMax - 4, std::numeric_limits<int>::min()}));
}

// Computed curves may hold infinities and NaNs: they map to the int limits or
// the margin and their labels read "inf" or "nan", never an undefined value.
void TestPlotScene::nonFiniteValuesStayDefined()
{
    auto store = cursorStore();
    store->interpolationOption = false;
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    editSlot(*store, 1, [&](CurveSlot &other) {
        other.interpolationFlag = 1;
        other.samplingCount = 3;
        other.sampledPoints[0] = {0, inf};
        other.sampledPoints[1] = {500, nan};
        other.sampledPoints[2] = {1000, -inf};
    });
    const PlotScene scene = paintedScene(*store, kClient);
    const auto bars = primitivesOf<SceneRectangle>(scene);
    QCOMPARE(bars.size(), std::size_t{6});
    QCOMPARE(bars[0].top, std::numeric_limits<int>::min());
    QCOMPARE(bars[1].top, 20);  // NaN: the margin
    QCOMPARE(bars[2].bottom, kIntMax);
    const auto labels = primitivesOf<SceneText>(scene);
    QCOMPARE(labels.size(), std::size_t{3});
    QCOMPARE(labels[2].text, "nan");
}

void TestPlotScene::currentCurveOutsideTheFourDrawsNothing()
{
    auto store = cursorStore();
    store->showAxes = true;
    for (int current : {-1, kBackupSlot}) {
        store->currentCurve = current;
        const PlotScene scene = paintedScene(*store, kClient);
        QVERIFY(scene.primitives.empty());
        QVERIFY(!scene.cursorReadout);
    }
}

void TestPlotScene::markOutlineIsA7By7Square()
{
    const std::array<PixelPoint, 5> expected{{{103, 53}, {103, 47}, {97, 47}, {97, 53}, {103, 53}}};
    QCOMPARE(markOutline({100, 50}), expected);
}

void TestPlotScene::sceneAtADevicePixelRatio_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("width");  // device pixels of the 600 x 400 client
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<int>("markHalf");
    QTest::addColumn<int>("gripHalf");
    QTest::addColumn<int>("gripHeight");
    QTest::addColumn<int>("em");
    QTest::newRow("100 %") << 1.0 << 600 << 1 << 3 << 6 << 12 << 10;
    QTest::newRow("125 %: lines stay thin") << 1.25 << 750 << 1 << 4 << 8 << 15 << 13;
    QTest::newRow("150 %: even 2-pixel lines") << 1.5 << 900 << 2 << 5 << 9 << 18 << 15;
    QTest::newRow("200 %") << 2.0 << 1200 << 2 << 6 << 12 << 24 << 20;
    QTest::newRow("300 %") << 3.0 << 1800 << 3 << 9 << 18 << 36 << 30;
    QTest::newRow("below 1 drawn at 1") << 0.5 << 600 << 1 << 3 << 6 << 12 << 10;
    QTest::newRow("NaN drawn at 1") << std::nan("") << 600 << 1 << 3 << 6 << 12 << 10;
    QTest::newRow("held at the largest") << 20.0 << 4800 << 8 << 24 << 48 << 96 << 80;
}

// Edit mode with the cursor on: every position is the mapping on the device
// client, every size a whole number of device pixels.
void TestPlotScene::sceneAtADevicePixelRatio()
{
    QFETCH(double, ratio);
    QFETCH(int, width);
    QFETCH(int, lineWidth);
    QFETCH(int, markHalf);
    QFETCH(int, gripHalf);
    QFETCH(int, gripHeight);
    QFETCH(int, em);
    auto store = makeStore();
    store->editMode = store->cursorOn = true;
    editSlot(*store, 0, [&](CurveSlot &c) { setSamples(c, {{100, 200}, {480, 730}, {910, 350}}); });
    store->cursorIndex = 20;
    const ClientSize device = deviceClient(kClient, ratio);
    QCOMPARE(device.width, width);
    QCOMPARE(device.height, width * 2 / 3);

    const PlotScene scene = paintedScene(*store, kClient, ratio);
    QCOMPARE(scene.lineWidth, lineWidth);
    QCOMPARE(signature(scene), QString("BMLMLMMLMLMMLMLMLPTT"));
    const CurveSlot &curve = store->current();
    const auto marks = primitivesOf<SceneMark>(scene);
    for (int k = 0; k < 3; ++k) {
        const CurvePoint anchors[] = {curve.startTangents[k], curve.samples[k],
                                      curve.endTangents[k]};
        for (int i = 0; i < 3; ++i) {
            const SceneMark &mark = marks[3 * k + i];
            QCOMPARE(mark.centre, worldToScreen(curve, device, anchors[i].x, anchors[i].y));
            QCOMPARE(mark.half, markHalf);
        }
    }
    const CurvePoint cursor = curve.sampledPoints[20];
    const PixelPoint q = worldToScreen(curve, device, cursor.x, curve.ymin);
    const std::vector<PixelPoint> grip{{q.x + gripHalf, q.y + gripHeight},
                                       {q.x + gripHalf, q.y},
                                       {q.x - gripHalf, q.y},
                                       {q.x - gripHalf, q.y + gripHeight},
                                       {q.x + gripHalf, q.y + gripHeight}};
    QCOMPARE(polylineAt(scene, 17), grip);
    for (const SceneText &label : primitivesOf<SceneText>(scene))
        QCOMPARE(label.font, (FontDescription{"Courier", em, 400, false}));
}

void TestPlotScene::axisTicks_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<QString>("ticks");  // their shortest texts
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("0..1000") << 0.0 << 1000.0 << "0 200 400 600 800 1000";
    QTest::newRow("no exponent where it is short")
        << 0.0 << 1e6 << "0 200000 400000 600000 800000 1000000";
    QTest::newRow("-500..500") << -500.0 << 500.0 << "-400 -200 0 200 400";
    QTest::newRow("tenths read as written") << 0.0 << 1.0 << "0 0.2 0.4 0.6 0.8 1";
    QTest::newRow("thousandths") << 0.001 << 0.0023
                                 << "0.001 0.0012 0.0014 0.0016 0.0018 0.002 0.0022";
    QTest::newRow("steps of 5") << 0.0 << 30.0 << "0 5 10 15 20 25 30";
    QTest::newRow("reversed") << 3.0 << -0.5 << "-0.5 0 0.5 1 1.5 2 2.5 3";
    QTest::newRow("no exponent beside a long number")
        << 1e6 << 1e6 + 3 << "1000000 1000000.5 1000001 1000001.5 1000002 1000002.5 1000003";
    QTest::newRow("huge") << -1e300 << 1e300 << "-1e+300 -5e+299 0 5e+299 1e+300";
    QTest::newRow("empty") << 5.0 << 5.0 << "";
    QTest::newRow("infinite") << 0.0 << inf << "";
    QTest::newRow("wider than the doubles") << -1e308 << 1e308 << "";
    QTest::newRow("too narrow for its values") << 1e20 << 1e20 + 1e5 << "";
    QTest::newRow("a step below the smallest double")
        << 2.2250738585072014e-308 << 2.225073858507202e-308 << "";
}

void TestPlotScene::axisTicks()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(QString, ticks);
    const std::vector<double> values = ombrelis::axisTicks(low, high);
    QStringList texts;
    for (const std::string &label : tickLabels(values)) {
        texts.append(QString::fromStdString(label));
        QVERIFY(std::stod(label) == values[std::size_t(texts.size() - 1)]);
    }
    QCOMPARE(texts.join(' '), ticks);
}

void TestPlotScene::annotatedLayout_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QStringList>("names");   // of curves 1.., the first current
    QTest::addColumn<QList<int>>("margins");  // left, top, right, bottom
    QTest::newRow("600x400") << QSize(600, 400) << 1.0 << QStringList{"wave"}
                             << QList<int>{24, 11, 3, 26};
    QTest::newRow("at 200 %") << QSize(600, 400) << 2.0 << QStringList{"wave"}
                              << QList<int>{47, 21, 5, 50};
    QTest::newRow("key wrapped under the title")
        << QSize(300, 300) << 1.0 << QStringList{"premiere", "deuxieme", "troisieme", "quatrieme"}
        << QList<int>{34, 31, 13, 32};
}

// The fake face: 6 x 10 pixels a byte at 100 %.
void TestPlotScene::annotatedLayout()
{
    QFETCH(QSize, client);
    QFETCH(double, ratio);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, margins);
    auto store = makeStore();
    for (int k = 0; k < names.size(); ++k) {
        editSlot(*store, k, [&](CurveSlot &curve) {
            curve.name = names[k].toStdString();
            curve.colour = Colour(0x10 * k);
            setSamples(curve, {{0, 100}, {1000, 900}});
        });
    }
    const int advance = devicePixels(6, ratio), height = devicePixels(10, ratio);
    const TextMeasure measure{[advance](const std::string &t) { return advance * int(t.size()); },
                              height};
    const ClientSize size{client.width(), client.height()};
    const AnnotatedPlot plot = buildAnnotatedPlot(*store, size, ratio, measure);
    const AnnotationMargins m = plot.margins;
    QCOMPARE((QList<int>{m.left, m.top, m.right, m.bottom}), margins);

    // The editor's scene of what the margins leave, moved into place.
    const ClientSize device = deviceClient(size, ratio);
    PlotScene inner = buildDevicePlotScene(
        *store, {device.width - m.left - m.right, device.height - m.top - m.bottom}, ratio);
    translateScene(inner, m.left, m.top);
    const QString all = signature(plot.scene), plain = signature(inner);
    QVERIFY(all.startsWith(plain + "RRRR"));  // then the margins covered again
    QCOMPARE(primitivesOf<SceneBezier>(plot.scene).front().points,
             primitivesOf<SceneBezier>(inner).front().points);

    // Every text lies inside the image and clear of the others; the key
    // names each curve in its colour.
    QList<QRect> cells;
    qsizetype keyed = 0;
    for (const SceneText &text : primitivesOf<SceneText>(plot.scene)) {
        const QRect cell(text.topLeft.x, text.topLeft.y, measure.width(text.text), height);
        QVERIFY2(QRect(0, 0, device.width, device.height).contains(cell), text.text.c_str());
        for (const QRect &other : cells)
            QVERIFY2(!cell.intersects(other), text.text.c_str());
        cells.append(cell);
        if (const auto k = names.indexOf(QString::fromStdString(text.text)); k >= 0) {
            ++keyed;
            QCOMPARE(text.colour, k == 0 ? store->currentColour : Colour(0x10 * k));
        }
    }
    QCOMPARE(keyed, names.size());
}

QTEST_APPLESS_MAIN(TestPlotScene)
#include "test_plot_scene.moc"
