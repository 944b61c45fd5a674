// Typed bounds remap the control samples; legend texts a curve file keeps.
#include "bars/bound_remap.h"
#include "curves/crv_format.h"

#include <QTest>

#include <limits>
#include <memory>

using namespace ombrelis;

Q_DECLARE_METATYPE(Bound)

using Coords = QList<double>;

class BoundRemapTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void remap_data();
    void remap();
    void legends_data();
    void legends();
};

namespace {

// Samples at 0, 500 and 1000 on both axes, handles 10 before and after each,
// and sampled points that must never move.
std::unique_ptr<CurveSlot> threeSamples(double xmin)
{
    auto slot = std::make_unique<CurveSlot>();
    slot->xmin = xmin;
    slot->sampleCount = 3;
    for (std::size_t i = 0; i < 3; ++i) {
        const double v = 500.0 * static_cast<double>(i);
        slot->samples[i] = {v, v};
        slot->startTangents[i] = {v - 10, v - 10};
        slot->endTangents[i] = {v + 10, v + 10};
    }
    slot->samplingCount = 2;
    slot->sampledPoints[0] = {1, 2};
    slot->sampledPoints[1] = {3, 4};
    return slot;
}

Coords axis(const CurveSlot &slot, const std::array<CurvePoint, kMaxSamples> &points, bool onX)
{
    Coords coords;
    for (int i = 0; i < slot.sampleCount; ++i)
        coords.append(onX ? points[static_cast<std::size_t>(i)].x
                          : points[static_cast<std::size_t>(i)].y);
    return coords;
}

}  // namespace

void BoundRemapTest::remap_data()
{
    QTest::addColumn<double>("xmin");  // before the edit
    QTest::addColumn<Bound>("bound");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");  // the bound after the edit
    QTest::addColumn<Coords>("samples");
    QTest::addColumn<Coords>("starts");
    QTest::addColumn<Coords>("ends");

    QTest::newRow("xmin 500") << 0.0 << Bound::Xmin << "500" << 500.0 << Coords{500, 750, 1000}
                              << Coords{495, 745, 995} << Coords{505, 755, 1005};
    QTest::newRow("numeric prefix")
        << 0.0 << Bound::Xmin << " 500abc" << 500.0 << Coords{500, 750, 1000}
        << Coords{495, 745, 995} << Coords{505, 755, 1005};
    QTest::newRow("xmax 2000") << 0.0 << Bound::Xmax << "2000" << 2000.0 << Coords{0, 1000, 2000}
                               << Coords{-20, 980, 1980} << Coords{20, 1020, 2020};
    QTest::newRow("ymax 2000") << 0.0 << Bound::Ymax << "2000" << 2000.0 << Coords{0, 1000, 2000}
                               << Coords{-20, 980, 1980} << Coords{20, 1020, 2020};
    QTest::newRow("ymin -1000") << 0.0 << Bound::Ymin << "-1000" << -1000.0
                                << Coords{-1000, 0, 1000} << Coords{-1020, -20, 980}
                                << Coords{-980, 20, 1020};
    // Not a number: the bound becomes 0, the range collapses onto ymin.
    QTest::newRow("abc as 0") << 0.0 << Bound::Ymax << "abc" << 0.0 << Coords{0, 0, 0}
                              << Coords{0, 0, 0} << Coords{0, 0, 0};
    QTest::newRow("inf as 0") << 0.0 << Bound::Ymax << "inf" << 0.0 << Coords{0, 0, 0}
                              << Coords{0, 0, 0} << Coords{0, 0, 0};
    QTest::newRow("nan as 0") << 0.0 << Bound::Ymax << "-nan" << 0.0 << Coords{0, 0, 0}
                              << Coords{0, 0, 0} << Coords{0, 0, 0};
    QTest::newRow("overflow as 0") << 0.0 << Bound::Ymax << "1e999" << 0.0 << Coords{0, 0, 0}
                                   << Coords{0, 0, 0} << Coords{0, 0, 0};
    // An X range is never crossed: refused, the curve keeps its bound (value).
    QTest::newRow("xmax below xmin refused")
        << 0.0 << Bound::Xmax << "-3.5" << 1000.0 << Coords{0, 500, 1000} << Coords{-10, 490, 990}
        << Coords{10, 510, 1010};
    QTest::newRow("crossed range uncrossed, samples kept in order")
        << 2000.0 << Bound::Xmax << "3000" << 3000.0 << Coords{0, 500, 1000}
        << Coords{-10, 490, 990} << Coords{10, 510, 1010};
    // Regressions: a division by zero, and a map whose factor overflows.
    QTest::newRow("zero width") << 1000.0 << Bound::Xmin << "0" << 0.0 << Coords{0, 500, 1000}
                                << Coords{-10, 490, 990} << Coords{10, 510, 1010};
    QTest::newRow("infinite factor")
        << -1e308 << Bound::Xmax << "1e308" << 1e308 << Coords{0, 500, 1000}
        << Coords{-10, 490, 990} << Coords{10, 510, 1010};
}

void BoundRemapTest::remap()
{
    QFETCH(double, xmin);
    QFETCH(Bound, bound);
    QFETCH(QString, typed);
    QFETCH(double, value);
    auto slot = threeSamples(xmin);
    const auto before = std::make_unique<CurveSlot>(*slot);
    const double typedValue = boundFromText(typed.toStdString());
    const Status remapped = remapBound(*slot, bound, typedValue);
    QCOMPARE(remapped.ok(), typedValue == value);
    QVERIFY(remapped.ok() || QString::fromStdString(remapped.message()).contains(typed));

    const bool onX = bound == Bound::Xmin || bound == Bound::Xmax;
    const double bounds[] = {slot->xmin, slot->xmax, slot->ymin, slot->ymax};
    QCOMPARE(bounds[static_cast<int>(bound)], value);
    QTEST(axis(*slot, slot->samples, onX), "samples");
    QTEST(axis(*slot, slot->startTangents, onX), "starts");
    QTEST(axis(*slot, slot->endTangents, onX), "ends");
    // The other axis and the sampled points stay.
    QCOMPARE(axis(*slot, slot->samples, !onX), axis(*before, before->samples, !onX));
    QCOMPARE(axis(*slot, slot->endTangents, !onX), axis(*before, before->endTangents, !onX));
    QCOMPARE(slot->sampledPoints, before->sampledPoints);
}

void BoundRemapTest::legends_data()
{
    QTest::addColumn<QString>("legend");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("semicolon first: read as a comment") << ";x" << false;
    QTest::newRow("semicolon inside") << "a;b" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("accents and euro") << QString::fromUtf8("DURÉE € ŒUVRE") << true;
    QTest::newRow("outside Windows-1252") << QString::fromUtf8("AXE 中") << false;
    QTest::newRow("line break") << "A\nB" << false;
    QTest::newRow("carriage return") << "A\rB" << false;
    QTest::newRow("unassigned byte kept") << QString(QChar(0x81)) << true;
}

// What a box accepts reads back from a curve file unchanged.
void BoundRemapTest::legends()
{
    QFETCH(QString, legend);
    QFETCH(bool, accepted);
    const std::string text = legend.toStdString();
    QCOMPARE(isAcceptableLegend(text), accepted);
    if (!accepted)
        return;
    auto slot = std::make_unique<CurveSlot>();
    slot->xLegend = text;
    slot->yLegend = text;
    auto read = std::make_unique<CurveSlot>();
    QVERIFY(parseCurveFile(formatCurveFile(*slot), "a.crv", *read).ok());
    QCOMPARE(read->xLegend, text);
    QCOMPARE(read->yLegend, text);
    QCOMPARE(read->xmax, 1000.0);
}

QTEST_GUILESS_MAIN(BoundRemapTest)
#include "test_bound_remap.moc"
