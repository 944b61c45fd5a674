#include "view/column_spans.h"
#include "view/pixel_runs.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <utility>

using namespace ombrelis;

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr PixelRect kWide{-1000, -1000, 1000, 1000};

using Pixel = std::pair<int, int>;

// The pixels of the runs, run by run, each run from left to right and top to
// bottom.
std::vector<Pixel> pixelsOf(const std::vector<PixelRect> &runs)
{
    std::vector<Pixel> pixels;
    for (const PixelRect &r : runs) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                pixels.emplace_back(x, y);
    }
    return pixels;
}

std::vector<PixelRect> lineRuns(PixelPoint from, PixelPoint to, PixelRect clip = kWide)
{
    std::vector<PixelRect> runs;
    appendLineRuns(from, to, clip, runs);
    return runs;
}

std::set<Pixel> pixelSet(const std::vector<PixelRect> &runs)
{
    const std::vector<Pixel> pixels = pixelsOf(runs);
    return {pixels.begin(), pixels.end()};
}

}  // namespace

class TestPixelRuns : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rectangleHelpers();
    void straightLinesAreOneRun_data();
    void straightLinesAreOneRun();
    void tiesGoAwayFromTheStart();
    void consecutiveRunsJoin();
    void randomLinesFollowTheRules();
    void clippingNeverMovesAPixel();
    void coordinatesAtTheIntLimits();
    void bezierStepsFollowTheControlPolygon();
    void straightBezierIsItsLineWithBothEnds();
    void bezierStaysOnTheCurve();
    void bezierAtTheIntLimits();
    void columnSpansAreTheLastRectangleOnTop();
};

void TestPixelRuns::rectangleHelpers()
{
    QCOMPARE(intersected({0, 0, 10, 10}, {5, -5, 20, 7}), (PixelRect{5, 0, 10, 7}));
    QVERIFY(intersected({0, 0, 10, 10}, {20, 20, 30, 30}).isEmpty());
    QCOMPARE(interior({10, 20, 13, 30}), (PixelRect{11, 21, 12, 29}));
    QVERIFY(interior({10, 20, 12, 30}).isEmpty());
    QVERIFY(interior({kIntMin, kIntMin, kIntMax, kIntMin + 2}).isEmpty());
    QCOMPARE(interior({kIntMin, kIntMin, kIntMax, kIntMax}),
             (PixelRect{kIntMin + 1, kIntMin + 1, kIntMax - 1, kIntMax - 1}));
}

void TestPixelRuns::straightLinesAreOneRun_data()
{
    QTest::addColumn<int>("x0");
    QTest::addColumn<int>("y0");
    QTest::addColumn<int>("x1");
    QTest::addColumn<int>("y1");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("bottom");
    QTest::newRow("rightwards") << 10 << 5 << 20 << 5 << 10 << 5 << 20 << 6;
    QTest::newRow("leftwards") << 20 << 5 << 10 << 5 << 11 << 5 << 21 << 6;
    QTest::newRow("downwards") << 3 << 0 << 3 << 9 << 3 << 0 << 4 << 9;
    QTest::newRow("upwards, the cursor line") << 300 << 380 << 300 << 20 << 300 << 21 << 301 << 381;
}

void TestPixelRuns::straightLinesAreOneRun()
{
    QFETCH(int, x0);
    QFETCH(int, y0);
    QFETCH(int, x1);
    QFETCH(int, y1);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, right);
    QFETCH(int, bottom);
    const auto runs = lineRuns({x0, y0}, {x1, y1});
    QCOMPARE(runs.size(), std::size_t{1});
    QCOMPARE(runs[0], (PixelRect{left, top, right, bottom}));
}

void TestPixelRuns::tiesGoAwayFromTheStart()
{
    QCOMPARE(pixelsOf(lineRuns({0, 0}, {2, 1})), (std::vector<Pixel>{{0, 0}, {1, 1}}));
    QCOMPARE(pixelsOf(lineRuns({2, 1}, {0, 0})), (std::vector<Pixel>{{2, 1}, {1, 0}}));
    QCOMPARE(pixelsOf(lineRuns({0, 0}, {1, 2})), (std::vector<Pixel>{{0, 0}, {1, 1}}));
    QVERIFY(lineRuns({7, 7}, {7, 7}).empty());
}

void TestPixelRuns::consecutiveRunsJoin()
{
    std::vector<PixelRect> runs;
    appendLineRuns({0, 0}, {5, 0}, kWide, runs);
    appendLineRuns({5, 0}, {9, 0}, kWide, runs);
    appendLineRuns({9, 0}, {9, 4}, kWide, runs);  // a corner: a new run
    appendLineRuns({9, 4}, {9, 8}, kWide, runs);
    QCOMPARE(runs, (std::vector<PixelRect>{{0, 0, 9, 1}, {9, 0, 10, 8}}));
    appendLineRuns({20, 20}, {10, 20}, kWide, runs);  // leftwards, then on to the left
    appendLineRuns({10, 20}, {5, 20}, kWide, runs);
    QCOMPARE(runs.back(), (PixelRect{6, 20, 21, 21}));
}

// One pixel per step of the major axis, from `from` up to but not including
// `to`, each within half a pixel of the ideal line.
void TestPixelRuns::randomLinesFollowTheRules()
{
    std::mt19937 random(4);
    std::uniform_int_distribution<int> coordinate(-60, 60);
    for (int n = 0; n < 5000; ++n) {
        const PixelPoint from{coordinate(random), coordinate(random)};
        const PixelPoint to{coordinate(random), coordinate(random)};
        const std::vector<Pixel> pixels = pixelsOf(lineRuns(from, to));
        const int dx = to.x - from.x;
        const int dy = to.y - from.y;
        const bool steep = std::abs(dy) > std::abs(dx);
        const int length = std::max(std::abs(dx), std::abs(dy));
        QCOMPARE(int(pixels.size()), length);
        std::set<int> majors;
        for (const auto &[x, y] : pixels) {
            QVERIFY(x != to.x || y != to.y);
            if (steep) {
                QVERIFY(std::abs(x - (from.x + double(y - from.y) * dx / dy)) <= 0.5);
                majors.insert(std::abs(y - from.y));
            } else {
                QVERIFY(std::abs(y - (from.y + double(x - from.x) * dy / dx)) <= 0.5);
                majors.insert(std::abs(x - from.x));
            }
        }
        if (length == 0)
            continue;
        QCOMPARE(int(majors.size()), length);  // steps 0 .. length-1, once each
        QCOMPARE(*majors.rbegin(), length - 1);
        QVERIFY(std::count(pixels.begin(), pixels.end(), Pixel{from.x, from.y}) == 1);
    }
}

void TestPixelRuns::clippingNeverMovesAPixel()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-80, 80);
    for (int n = 0; n < 3000; ++n) {
        const PixelPoint from{coordinate(random), coordinate(random)};
        const PixelPoint to{coordinate(random), coordinate(random)};
        const PixelRect clip{coordinate(random) / 2, coordinate(random) / 2,
                             coordinate(random) / 2 + 40, coordinate(random) / 2 + 40};
        std::set<Pixel> expected;
        for (const Pixel &p : pixelSet(lineRuns(from, to))) {
            if (p.first >= clip.left && p.first < clip.right && p.second >= clip.top &&
                p.second < clip.bottom)
                expected.insert(p);
        }
        QCOMPARE(pixelSet(lineRuns(from, to, clip)), expected);
    }
}

// The walk starts where the clip begins, so a line from one end of the int
// range to the other costs no more than the clip and still lands exactly.
void TestPixelRuns::coordinatesAtTheIntLimits()
{
    const PixelRect clip{0, 1073741820, 4, 1073741830};
    const auto runs = lineRuns({kIntMin, 0}, {kIntMax, kIntMax}, clip);
    // Column x holds y = round((x + 2^31) (2^31 - 1) / (2^32 - 1)), ties upwards.
    const std::vector<Pixel> expected{
        {0, 1073741824}, {1, 1073741824}, {2, 1073741825}, {3, 1073741825}};
    QCOMPARE(pixelsOf(runs), expected);

    const auto vertical = lineRuns({5, kIntMax}, {5, kIntMin}, {0, 0, 10, 10});
    QCOMPARE(vertical.size(), std::size_t{1});
    QCOMPARE(vertical[0], (PixelRect{5, 0, 6, 10}));
    QVERIFY(lineRuns({kIntMin, kIntMin}, {kIntMax, kIntMin}, {0, 0, 10, 10}).empty());
    const auto clipAtTheTop =
        lineRuns({0, 0}, {kIntMax, kIntMax}, {kIntMax - 3, kIntMax - 3, kIntMax, kIntMax});
    QCOMPARE(pixelsOf(clipAtTheTop), (std::vector<Pixel>{{kIntMax - 3, kIntMax - 3},
                                                         {kIntMax - 2, kIntMax - 2},
                                                         {kIntMax - 1, kIntMax - 1}}));
}

void TestPixelRuns::bezierStepsFollowTheControlPolygon()
{
    QCOMPARE(bezierSteps({5, 5}, {5, 5}, {5, 5}, {5, 5}), 1);
    QCOMPARE(bezierSteps({0, 0}, {4, 0}, {8, 0}, {12, 0}), 3);
    QCOMPARE(bezierSteps({0, 0}, {4, 0}, {8, 0}, {13, 0}), 4);
    QCOMPARE(
        bezierSteps({kIntMin, kIntMin}, {kIntMax, kIntMax}, {kIntMin, kIntMax}, {kIntMax, kIntMin}),
        kMaxBezierSteps);
}

void TestPixelRuns::straightBezierIsItsLineWithBothEnds()
{
    const std::vector<PixelPoint> points{{10, 30}, {30, 30}, {50, 30}, {70, 30}, {99, 99}};
    std::vector<PixelRect> runs;
    appendBezierRuns(points, kWide, runs);
    std::set<Pixel> expected;
    for (int x = 10; x <= 70; ++x)
        expected.insert({x, 30});
    QCOMPARE(pixelSet(runs), expected);  // the odd fifth point is no segment
}

// Two arches joined at (70, 50): every pixel lies on the curve's band, the
// tops and the ends are covered.
void TestPixelRuns::bezierStaysOnTheCurve()
{
    const std::vector<PixelPoint> points{{10, 50}, {10, 10},  {70, 10}, {70, 50},
                                         {70, 90}, {130, 90}, {130, 50}};
    std::vector<PixelRect> runs;
    appendBezierRuns(points, kWide, runs);
    const std::set<Pixel> pixels = pixelSet(runs);
    for (const Pixel &p :
         {Pixel{10, 50}, Pixel{40, 20}, Pixel{70, 50}, Pixel{100, 80}, Pixel{130, 50}})
        QVERIFY(pixels.count(p));
    for (const auto &[x, y] : pixels) {
        QVERIFY(x >= 10 && x <= 130 && y >= 20 && y <= 80);
        // Each arch is symmetric: its pixels mirror within a pixel.
        const bool firstArch = x < 70 || (x == 70 && y <= 50);
        const int mirrorX = firstArch ? 80 - x : 200 - x;
        bool mirrored = false;
        for (int d = -1; d <= 1; ++d)
            mirrored = mirrored || pixels.count({mirrorX + d, y});
        QVERIFY2(mirrored, qPrintable(QString("%1,%2").arg(x).arg(y)));
    }
    QVERIFY(!pixels.count({40, 19}));
    QVERIFY(!pixels.count({40, 21}));
}

void TestPixelRuns::bezierAtTheIntLimits()
{
    const std::vector<PixelPoint> points{{kIntMin, 0}, {kIntMax, 10}, {kIntMin, 20}, {kIntMax, 30}};
    const PixelRect clip{-50, 0, 50, 40};
    std::vector<PixelRect> runs;
    appendBezierRuns(points, clip, runs);
    QVERIFY(!runs.empty());
    for (const PixelRect &run : runs)
        QCOMPARE(intersected(run, clip), run);
    std::vector<PixelRect> corner;
    appendBezierRuns(std::vector<PixelPoint>{{0, 0}, {0, 0}, {0, 0}, {kIntMax, kIntMax}},
                     {kIntMax - 1, kIntMax - 1, kIntMax, kIntMax}, corner);
    QCOMPARE(corner, (std::vector<PixelRect>{{kIntMax - 1, kIntMax - 1, kIntMax, kIntMax}}));
}

// Rectangles painted one by one into a grid give the same pixels as their
// spans, and the spans never write a pixel twice: runs handed in pieces,
// rectangles of every size, some at the int limits.
void TestPixelRuns::columnSpansAreTheLastRectangleOnTop()
{
    std::mt19937 random(9);
    std::uniform_int_distribution<int> coordinate(-8, 40);
    const PixelRect clip{0, 0, 32, 24};
    for (int n = 0; n < 500; ++n) {
        std::vector<SceneRectangle> rects;
        for (int k = int(random() % 40); k >= 0; --k) {
            int l = coordinate(random), r = coordinate(random);
            int t = coordinate(random), b = coordinate(random);
            if (random() % 20 == 0)
                (random() % 2 ? l : b) = random() % 2 ? kIntMin : kIntMax;
            rects.push_back({std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b),
                             Colour(random() % 4), Colour(4 + random() % 4)});
        }
        std::vector<Colour> painted(32 * 24, 99);
        for (const SceneRectangle &r : rects) {
            const PixelRect rect{r.left, r.top, r.right, r.bottom};
            const PixelRect inner = interior(rect);
            const PixelRect outer = intersected(rect, clip);
            for (int y = outer.top; y < outer.bottom; ++y)
                for (int x = outer.left; x < outer.right; ++x)
                    painted[y * 32 + x] =
                        x >= inner.left && x < inner.right && y >= inner.top && y < inner.bottom
                            ? r.fill
                            : r.pen;
        }
        std::vector<Colour> resolved(32 * 24, 99);
        std::vector<int> writes(32 * 24, 0);
        ColumnResolver resolver(clip, [&](std::span<const ColumnSpan> spans) {
            for (const ColumnSpan &s : spans) {
                for (int y = s.top; y < s.bottom; ++y) {
                    resolved[y * 32 + s.x] = s.colour;
                    ++writes[y * 32 + s.x];
                }
            }
        });
        const std::size_t split = rects.size() / 2;  // the later half first
        resolver.addUnder(std::span(rects).subspan(split));
        resolver.addUnder(std::span(rects).first(split));
        resolver.flush();
        QCOMPARE(resolved, painted);
        QVERIFY(std::all_of(writes.begin(), writes.end(), [](int w) { return w <= 1; }));
    }
}

QTEST_APPLESS_MAIN(TestPixelRuns)
#include "test_pixel_runs.moc"
