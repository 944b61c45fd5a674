#include "curves/number_text.h"
#include "geometry/sampler.h"
#include "geometry/sampling_memo.h"
#include "geometry/surface.h"
#include "test_support.h"

#include <QTest>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace ombrelis;

namespace {

// Curve of two samples at (200, 0) and (800, 1000), handles 50 to each side.
std::unique_ptr<CurveSlot> twoSampleCurve()
{
    auto slot = makeSlot();
    slot->sampleCount = 2;
    setSample(*slot, 0, 200, 0, 50);
    setSample(*slot, 1, 800, 1000, 50);
    return slot;
}

// Flat curve at height y between x0 and x1, handles along it.
std::unique_ptr<CurveSlot> flatCurve(double x0, double x1, double y)
{
    auto slot = makeSlot();
    slot->sampleCount = 2;
    setSample(*slot, 0, x0, y, 10);
    setSample(*slot, 1, x1, y, 10);
    return slot;
}

// The sampler as plainly as it can be written: every point bisects its
// segment from scratch.
double plainBisection(const CurvePoint (&q)[4], double x, double eps)
{
    double lo = 0, hi = 1, t = 0.5;
    for (;;) {
        const double u = 1.0 - t;
        const double w[4] = {u * u * u, 3.0 * t * u * u, 3.0 * t * t * u, t * t * t};
        const double segmentX = w[0] * q[0].x + w[1] * q[1].x + w[2] * q[2].x + w[3] * q[3].x;
        const double y = w[0] * q[0].y + w[1] * q[1].y + w[2] * q[2].y + w[3] * q[3].y;
        if (x < segmentX - eps)
            hi = t;
        else if (x > segmentX + eps)
            lo = t;
        else
            return y;
        const double next = (lo + hi) * 0.5;
        if (next == lo || next == hi)
            return y;
        t = next;
    }
}

void plainSampler(CurveSlot &slot)
{
    const int n = slot.sampleCount, count = slot.samplingCount;
    const double step = (slot.xmax - slot.xmin) / (count - 1);
    int k = 0;
    for (int j = 0; j < count; ++j) {
        const double x = j == count - 1 ? slot.xmax : j * step + slot.xmin;
        double y = slot.ymin;
        if (x >= slot.samples[0].x && x <= slot.samples[n - 1].x) {
            while (k < n - 2 && x > slot.samples[k + 1].x)
                ++k;
            const CurvePoint q[4] = {slot.samples[k], slot.endTangents[k],
                                     slot.startTangents[k + 1], slot.samples[k + 1]};
            y = plainBisection(q, x, step * 0.01);
        }
        slot.sampledPoints[j] = {x, y};
    }
}

bool startsWithDigits(double value, double truncated, double unit)
{
    return value >= truncated && value < truncated + unit;
}

}  // namespace

class TestGeometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExampleOfTheSampler();
    void gridDependsOnlyOnBoundsAndCount();
    void spanEndsAreInclusive();
    void zeroWidthSegments();
    void foldBackHandlesGiveOneYPerX();
    void fewSamplesOrBadCountsWriteNothing();
    void degenerateInputTerminates_data();
    void degenerateInputTerminates();
    void segmentFarWiderThanTheStep();
    void samplingMemoMatchesTheSampler();
    void samplerMatchesAPlainBisection();
    void controlPolygonOrder();
    void surfaceOfStraightLine();
    void surfaceBelowZeroIsNegative();
    void surfaceCountsYminFlatRuns();
    void surfaceOfEmptyOrTinyCurves();
};

void TestGeometry::workedExampleOfTheSampler()
{
    auto slot = twoSampleCurve();
    sampleCurve(*slot);
    const auto &p = slot->sampledPoints;
    for (int j : {0, 12, 51, 63})
        QCOMPARE(p[j].y, 0.0);
    QCOMPARE(p[13].x, 1000.0 * 13 / 63);
    QVERIFY(startsWithDigits(p[13].y, 3.234, 0.001));
    QVERIFY(startsWithDigits(p[14].y, 20.886, 0.001));
    QVERIFY(startsWithDigits(p[31].y, 485.353, 0.001));
    QVERIFY(startsWithDigits(p[50].y, 996.765, 0.001));
}

void TestGeometry::gridDependsOnlyOnBoundsAndCount()
{
    // At 80 points the last x, 79 steps on, lands a rounding step past xmax.
    for (int count : {16, 80, 4096}) {
        auto slot = twoSampleCurve();
        slot->xmin = -300;
        slot->xmax = 1200;
        slot->samplingCount = count;
        slot->sampledPoints[16] = {-1, -1};
        sampleCurve(*slot);
        const double step = 1500.0 / (count - 1);
        QCOMPARE(slot->sampledPoints[0].x, -300.0);
        QCOMPARE(slot->sampledPoints[1].x, step - 300.0);
        QVERIFY(slot->sampledPoints[count - 1].x == 1200.0);  // exactly: QCOMPARE is fuzzy
        if (count == 16)
            QCOMPARE(slot->sampledPoints[16], (CurvePoint{-1, -1}));  // beyond N: untouched
    }
}

void TestGeometry::spanEndsAreInclusive()
{
    // Step 100 on 0..1500 lands exactly on both samples.
    auto slot = flatCurve(300, 1500, 40);
    slot->xmax = 1500;
    slot->ymin = -50;
    slot->samplingCount = 16;
    sampleCurve(*slot);
    QCOMPARE(slot->sampledPoints[2].y, -50.0);
    QCOMPARE(slot->sampledPoints[3].y, 40.0);
    QCOMPARE(slot->sampledPoints[15].y, 40.0);
    QCOMPARE(slot->sampledPoints[15].x, 1500.0);
}

void TestGeometry::zeroWidthSegments()
{
    // (0,0) (500,100) (500,900) (1000,1000): x = 500 belongs to segment 0,
    // x = 600 to the segment after the zero-width one.
    auto slot = makeSlot();
    slot->sampleCount = 4;
    setSample(*slot, 0, 0, 0, 50);
    setSample(*slot, 1, 500, 100, 50);
    setSample(*slot, 2, 500, 900, 50);
    setSample(*slot, 3, 1000, 1000, 50);
    slot->samplingCount = 11;
    sampleCurve(*slot);
    QVERIFY(qAbs(slot->sampledPoints[5].y - 100) < 1);
    QVERIFY(slot->sampledPoints[6].y > 900 && slot->sampledPoints[6].y < 1000);

    // As segment 0 the zero-width segment is used: the first try t = 0.5 hits.
    auto first = makeSlot();
    first->sampleCount = 3;
    setSample(*first, 0, 0, 0, 50);
    setSample(*first, 1, 0, 500, 50);
    setSample(*first, 2, 1000, 1000, 50);
    sampleCurve(*first);
    QCOMPARE(first->sampledPoints[0].y, 250.0);
}

void TestGeometry::foldBackHandlesGiveOneYPerX()
{
    // The x of this segment runs forward, back and forward again; its y rises
    // steadily, so each y identifies the t that produced it.
    auto slot = makeSlot();
    slot->sampleCount = 2;
    slot->samples[0] = {0, 0};
    slot->endTangents[0] = {2000, 0};
    slot->startTangents[1] = {-1000, 1000};
    slot->samples[1] = {1000, 1000};
    slot->samplingCount = 128;
    sampleCurve(*slot);
    const double eps = 1000.0 / 127 * 0.01;
    for (int j = 0; j < 128; ++j) {
        const auto [x, y] = slot->sampledPoints[j];
        double lo = 0, hi = 1;
        for (int i = 0; i < 100; ++i) {
            const double t = (lo + hi) / 2;
            const double yt = 3 * t * t * (1 - t) * 1000 + t * t * t * 1000;
            (yt < y ? lo : hi) = t;
        }
        const double t = lo, u = 1 - t;
        const double xt = 3 * t * u * u * 2000 - 3 * t * t * u * 1000 + t * t * t * 1000;
        QVERIFY2(qAbs(xt - x) <= eps * 1.001, qPrintable(QString::number(j)));
    }
}

void TestGeometry::fewSamplesOrBadCountsWriteNothing()
{
    const CurvePoint sentinel{-7, -7};
    const auto untouched = [&](CurveSlot &slot) {
        slot.sampledPoints[0] = sentinel;
        sampleCurve(slot);
        return slot.sampledPoints[0] == sentinel;
    };
    auto one = twoSampleCurve();
    one->sampleCount = 1;
    QVERIFY(untouched(*one));
    auto none = twoSampleCurve();
    none->sampleCount = 0;
    QVERIFY(untouched(*none));
    for (int count : {-1, 0, 1, 4097, std::numeric_limits<int>::max()}) {
        auto slot = twoSampleCurve();
        slot->samplingCount = count;
        QVERIFY(untouched(*slot));
    }
}

void TestGeometry::degenerateInputTerminates_data()
{
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<double>("sampleX");
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("xmax equal to xmin") << 500.0 << 500.0 << 200.0;
    QTest::newRow("xmax below xmin") << 1000.0 << 0.0 << 200.0;
    QTest::newRow("infinite range") << -inf << inf << 200.0;
    QTest::newRow("nan bound") << nan << 1000.0 << 200.0;
    QTest::newRow("nan sample") << 0.0 << 1000.0 << nan;
    QTest::newRow("infinite sample") << 0.0 << 1000.0 << -inf;
    QTest::newRow("samples far beyond range") << 0.0 << 1000.0 << -1e300;
}

void TestGeometry::degenerateInputTerminates()
{
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(double, sampleX);
    auto slot = twoSampleCurve();
    slot->xmin = xmin;
    slot->xmax = xmax;
    slot->samples[0].x = sampleX;
    slot->samplingCount = 4096;
    sampleCurve(*slot);  // returns: the bisection is bounded
    QVERIFY(true);
}

// Regression: a halving cap of 64 stopped short of the band on a segment
// 10^19 steps wide, leaving the same y at every point.
void TestGeometry::segmentFarWiderThanTheStep()
{
    auto slot = makeSlot();
    slot->sampleCount = 2;
    slot->samples[1] = {1e22, 1e22};
    slot->endTangents[0] = {1e22 / 3, 1e22 / 3};
    slot->startTangents[1] = {2e22 / 3, 2e22 / 3};
    slot->samplingCount = 64;
    sampleCurve(*slot);
    const double band = 1000.0 / 63 * 0.01;  // y = x on this segment, met within the band
    for (int j = 0; j < 64; ++j) {
        const CurvePoint p = slot->sampledPoints[j];
        QVERIFY2(std::abs(p.y - p.x) <= band, qPrintable(QString::number(j)));
    }
}

// Whatever changes between two paints (what the sampler reads, the sampled
// points behind its back, or nothing), the memo leaves the slot bit for bit
// as the sampler would.
void TestGeometry::samplingMemoMatchesTheSampler()
{
    std::mt19937 rng(12);
    const auto pick = [&rng](std::initializer_list<double> values) {
        return values.begin()[rng() % values.size()];
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto slot = makeSlot();
    slot->sampleCount = 6;
    for (int k = 0; k < 6; ++k)
        setSample(*slot, k, 200.0 * k, 100.0 * (k % 3), 60);
    SamplingMemo memo;
    for (int step = 0; step < 3000; ++step) {
        CurveSlot &s = *slot;
        // One control point moved, as a drag does: a sample, whose x may
        // pass its neighbours', or a handle.
        auto &moved =
            std::array{&s.samples, &s.startTangents, &s.endTangents}[rng() % 3]->at(rng() % 7);
        switch (rng() % 8) {
        case 0:
            (rng() % 2 ? moved.x : moved.y) += pick({1e-9, -250, 0, 170, nan});
            break;
        case 1:
            s.samplingCount = int(pick({1, 2, 16, 64, 4096, 4097}));
            break;
        case 2:
            s.sampleCount = int(pick({0, 1, 2, 3, 6, 7}));
            break;
        case 3:
            (rng() % 2 ? s.xmax : s.ymin) = pick({0.0, -0.0, 1000, nan, 250});
            break;
        case 4:
            s.sampledPoints[rng() % 64].y = pick({7, -0.0, nan});
            break;
        case 6:
        case 7:
            moved = {pick({0, 400, 1000}), pick({-0.0, 500})};
            break;
        default:
            break;  // a repaint with nothing changed
        }
        auto expected = std::make_unique<CurveSlot>(s);
        sampleCurve(*expected);
        memo.sample(s);
        QVERIFY2(std::memcmp(s.sampledPoints.data(), expected->sampledPoints.data(),
                             sizeof s.sampledPoints) == 0,
                 qPrintable(QString::number(step)));
    }
}

// Random curves, handles folding back included, mirrored bounds included:
// the sampler gives every point bit for bit as a plain bisection would.
void TestGeometry::samplerMatchesAPlainBisection()
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> offset(-300, 300);
    for (int round = 0; round < 300; ++round) {
        auto slot = makeSlot();
        slot->sampleCount = 2 + int(rng() % 15);
        slot->samplingCount = int(rng() % 2 ? 2 + rng() % 4095 : 4096);
        if (round % 10 == 0) {
            std::swap(slot->xmin, slot->xmax);  // no band: ~1,100 halvings a point
            slot->samplingCount = 64;
        }
        double x = offset(rng);
        for (int k = 0; k < slot->sampleCount; ++k) {
            x += std::abs(offset(rng)) * (rng() % 4 ? 1 : 0);  // some zero-width segments
            slot->samples[k] = {x, offset(rng) + 500};
            slot->startTangents[k] = {x + offset(rng), offset(rng) + 500};
            slot->endTangents[k] = {x + offset(rng), offset(rng) + 500};
        }
        auto plain = std::make_unique<CurveSlot>(*slot);
        sampleCurve(*slot);
        plainSampler(*plain);
        QVERIFY2(std::memcmp(slot->sampledPoints.data(), plain->sampledPoints.data(),
                             sizeof slot->sampledPoints) == 0,
                 qPrintable(QString::number(round)));
    }
}

void TestGeometry::controlPolygonOrder()
{
    auto slot = makeSlot();
    slot->sampleCount = 3;
    for (int k = 0; k < 3; ++k)
        setSample(*slot, k, 100.0 * k, 10.0 * k, 5);
    const std::vector<CurvePoint> expected = {{0, 0},    {5, 0},    {95, 10}, {100, 10},
                                              {105, 10}, {195, 20}, {200, 20}};
    QCOMPARE(controlPolygon(*slot), expected);
    slot->sampleCount = 1;
    QCOMPARE(controlPolygon(*slot), (std::vector<CurvePoint>{{0, 0}}));
    slot->sampleCount = 0;
    QVERIFY(controlPolygon(*slot).empty());
}

void TestGeometry::surfaceOfStraightLine()
{
    auto slot = makeStraightLine();
    sampleCurve(*slot);
    QCOMPARE(formatNumber(computeSurface(*slot)), "500000.00");
}

void TestGeometry::surfaceBelowZeroIsNegative()
{
    auto slot = flatCurve(0, 1000, -100);
    slot->ymin = -200;
    sampleCurve(*slot);
    QCOMPARE(formatNumber(computeSurface(*slot)), "-100000.00");
}

void TestGeometry::surfaceCountsYminFlatRuns()
{
    // The curve spans 250..750 at height 100; outside it the points lie at ymin.
    auto raised = flatCurve(250, 750, 100);
    raised->ymin = 100;
    sampleCurve(*raised);
    QCOMPARE(formatNumber(computeSurface(*raised)), "100000.00");

    // With ymin 0 only the 32 grid steps touching the span count: 100 x 32 x 1000/63.
    auto grounded = flatCurve(250, 750, 100);
    sampleCurve(*grounded);
    QCOMPARE(formatNumber(computeSurface(*grounded)), "50793.65");
}

void TestGeometry::surfaceOfEmptyOrTinyCurves()
{
    auto empty = makeSlot();
    QCOMPARE(formatNumber(computeSurface(*empty)), "0.00");
    auto single = makeSlot();
    single->samplingCount = 1;
    single->sampledPoints[0] = {5, 5};
    QCOMPARE(computeSurface(*single), 0.0);
    single->samplingCount = -4;
    QCOMPARE(computeSurface(*single), 0.0);
}

QTEST_APPLESS_MAIN(TestGeometry)
#include "test_geometry.moc"
