#include "view/plot_mapping.h"

#include "curves/curve_slot.h"
#include "curves/number_text.h"

#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

using namespace ombrelis;

Q_DECLARE_METATYPE(PixelPoint)

namespace {

constexpr ClientSize kClient{600, 400};
constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

std::unique_ptr<CurveSlot> boundsSlot(double xmin, double xmax, double ymin, double ymax)
{
    auto slot = std::make_unique<CurveSlot>();
    slot->xmin = xmin;
    slot->xmax = xmax;
    slot->ymin = ymin;
    slot->ymax = ymax;
    return slot;
}

// A slot whose sampled points are the given abscissae (y = 10 x).
std::unique_ptr<CurveSlot> sampledAt(std::initializer_list<double> xs)
{
    auto slot = std::make_unique<CurveSlot>();
    slot->samplingCount = static_cast<int>(xs.size());
    int j = 0;
    for (double x : xs)
        slot->sampledPoints[j++] = {x, 10 * x};
    return slot;
}

}  // namespace

class TestMapping : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plotAreaMargins_data();
    void plotAreaMargins();
    void worldToScreenExamples_data();
    void worldToScreenExamples();
    void screenToWorldKeepsFractions();
    void mirroredBoundsMirrorThePlot();
    void degenerateMappingIsDefined();
    void pixelsSaturateLikeTheUnboundedSum();
    void findSampledIndexEnds();
    void formatNumberExamples_data();
    void formatNumberExamples();
    void formatNumberIgnoresTheUserLocale();
};

void TestMapping::plotAreaMargins_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("mx");
    QTest::addColumn<int>("my");
    QTest::newRow("600 x 400") << 600 << 400 << 20 << 20;
    QTest::newRow("599 x 399") << 599 << 399 << 19 << 19;
    QTest::newRow("narrow and low") << 29 << 19 << 0 << 0;
    QTest::newRow("empty") << 0 << 0 << 0 << 0;
}

void TestMapping::plotAreaMargins()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, mx);
    QFETCH(int, my);
    const PlotArea area = plotArea({width, height});
    QCOMPARE(area, (PlotArea{mx, my, width - 2 * mx, height - 2 * my}));
}

void TestMapping::worldToScreenExamples_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<PixelPoint>("pixel");
    QTest::newRow("origin") << 0.0 << 0.0 << PixelPoint{20, 380};
    QTest::newRow("top right") << 1000.0 << 1000.0 << PixelPoint{580, 20};
    QTest::newRow("centre") << 500.0 << 500.0 << PixelPoint{300, 200};
    QTest::newRow("just left of xmin truncates to the margin")
        << -1.5 << 490.0 << PixelPoint{20, 203};
    QTest::newRow("below ymin") << 0.0 << -100.0 << PixelPoint{20, 416};
}

void TestMapping::worldToScreenExamples()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(PixelPoint, pixel);
    const auto bounds = boundsSlot(0, 1000, 0, 1000);
    QCOMPARE(worldToScreen(*bounds, kClient, x, y), pixel);
}

void TestMapping::screenToWorldKeepsFractions()
{
    const auto bounds = boundsSlot(0, 1000, 0, 1000);
    const CurvePoint world = screenToWorld(*bounds, kClient, 21, 379);
    QCOMPARE(world.x, 1000.0 / 560);
    QCOMPARE(world.y, 1000.0 - 359 * 1000.0 / 360);
    QCOMPARE(screenToWorld(*bounds, kClient, 300, 200), (CurvePoint{500, 500}));
}

void TestMapping::mirroredBoundsMirrorThePlot()
{
    const auto mirrored = boundsSlot(1000, 0, 1000, 0);
    QCOMPARE(worldToScreen(*mirrored, kClient, 0, 0), (PixelPoint{580, 20}));
    QCOMPARE(worldToScreen(*mirrored, kClient, 1000, 1000), (PixelPoint{20, 380}));
    QCOMPARE(screenToWorld(*mirrored, kClient, 580, 20), (CurvePoint{0, 0}));
}

void TestMapping::degenerateMappingIsDefined()
{
    const auto flat = boundsSlot(500, 500, 300, 300);
    QCOMPARE(worldToScreen(*flat, kClient, 500, 300), (PixelPoint{20, 20}));  // 0 x inf: margin
    QCOMPARE(worldToScreen(*flat, kClient, 600, 200), (PixelPoint{kIntMax, kIntMax}));
    QCOMPARE(worldToScreen(*flat, kClient, 400, 400), (PixelPoint{kIntMin, kIntMin}));

    const auto normal = boundsSlot(0, 1000, 0, 1000);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QCOMPARE(worldToScreen(*normal, kClient, nan, nan), (PixelPoint{20, 20}));
    QCOMPARE(worldToScreen(*normal, kClient, inf, -inf), (PixelPoint{kIntMax, kIntMax}));
    QCOMPARE(worldToScreen(*normal, kClient, 1e300, 1e300), (PixelPoint{kIntMax, kIntMin}));

    QCOMPARE(worldToScreen(*normal, {0, 0}, 500, 500), (PixelPoint{0, 0}));
    QCOMPARE(screenToWorld(*normal, {0, 0}, 10, 10), (CurvePoint{0, 1000}));
    QCOMPARE(screenToWorld(*normal, {1, 1}, kIntMin, kIntMax).x, kIntMin * 1000.0);
}

// Any offset, as raw bits or as a scaled integer, lands where trunc(offset) +
// margin computed without bounds would, held to the int32 range.
void TestMapping::pixelsSaturateLikeTheUnboundedSum()
{
    const auto expected = [](double offset, int margin) {
        if (std::isnan(offset))
            return margin;
        const double pixel = std::trunc(offset) + margin;
        return pixel >= kIntMax ? kIntMax : pixel <= kIntMin ? kIntMin : int(pixel);
    };
    const auto identity = boundsSlot(0, kClient.width - 40, 0, 1);  // x scale 1, margin 20
    std::mt19937_64 rng(3);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = rng();
        double x = std::ldexp(double(std::int64_t(bits)), int(rng() % 96) - 64);
        if (i % 2)
            std::memcpy(&x, &bits, sizeof x);
        QCOMPARE(worldToScreen(*identity, kClient, x, 0).x, expected(x, 20));
    }
}

void TestMapping::findSampledIndexEnds()
{
    const auto slot = sampledAt({0, 100, 200, 300});
    QCOMPARE(findSampledIndex(*slot, 0), 0);
    QCOMPARE(findSampledIndex(*slot, 99.9), 0);
    QCOMPARE(findSampledIndex(*slot, 100), 1);
    QCOMPARE(findSampledIndex(*slot, 300), 3);
    QCOMPARE(findSampledIndex(*slot, -0.001), -1);
    QCOMPARE(findSampledIndex(*slot, 300.001), -1);
    QCOMPARE(findSampledIndex(*sampledAt({5}), 5), -1);
    QCOMPARE(findSampledIndex(*sampledAt({}), 0), -1);
    // An empty slot: all points at 0, range [0, 0].
    const auto empty = std::make_unique<CurveSlot>();
    QCOMPARE(findSampledIndex(*empty, 0), 63);
    QCOMPARE(findSampledIndex(*empty, 0.5), -1);
}

void TestMapping::formatNumberExamples_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 12.5 << "12.50";
    QTest::newRow("rounds up") << 2.345 << "2.35";
    QTest::newRow("negative") << -0.5 << "-0.50";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("twenty digits") << 1e19 << "10000000000000000000.00";
    QTest::newRow("all digits of 1e300") << 1e300 << QString::asprintf("%.2f", 1e300);
}

void TestMapping::formatNumberExamples()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(formatNumber(value)), text);
}

void TestMapping::formatNumberIgnoresTheUserLocale()
{
    const char *locales[] = {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8"};
    for (const char *locale : locales) {
        if (!std::setlocale(LC_ALL, locale))
            continue;
        QCOMPARE(formatNumber(1234.5), "1234.50");
        std::setlocale(LC_ALL, "C");
        return;
    }
    QSKIP("no locale with a decimal comma is installed");
}

QTEST_APPLESS_MAIN(TestMapping)
#include "test_mapping.moc"
