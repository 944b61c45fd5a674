// The example curves are written by the program's own writer, as the editor
// saves them after opening them. This test keeps them canonical;
// OMBRELIS_WRITE_EXAMPLES=1 rewrites them.
#include "curves/crv_format.h"
#include "geometry/sampler.h"
#include "test_support.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace ombrelis;

namespace {

// Eight samples of a sine period with tangent handles a third of the spacing away.
std::unique_ptr<CurveSlot> wave()
{
    auto slot = makeSlot();
    slot->xLegend = "temps (ms)";
    slot->yLegend = "amplitude";
    slot->ymin = -500;
    slot->ymax = 500;
    slot->sampleCount = 8;
    const double spacing = 1000.0 / 7;
    for (int k = 0; k < 8; ++k) {
        const double x = spacing * k;
        const double phase = 2 * std::numbers::pi * k / 7;
        const double y = 400 * std::sin(phase);
        const double slope = 400 * std::cos(phase) * 2 * std::numbers::pi / 1000;
        slot->samples[k] = {x, y};
        slot->startTangents[k] = {x - spacing / 3, y - slope * spacing / 3};
        slot->endTangents[k] = {x + spacing / 3, y + slope * spacing / 3};
    }
    sampleCurve(*slot);
    return slot;
}

std::unique_ptr<CurveSlot> ramp()
{
    auto slot = makeStraightLine();
    slot->xLegend = "entrée";
    slot->yLegend = "sortie";
    sampleCurve(*slot);
    return slot;
}

// What the script «X^2/1000» computes: points only, flagged as computed.
std::unique_ptr<CurveSlot> parabola()
{
    auto slot = makeSlot();
    slot->xLegend = "Xscript";
    slot->yLegend = "Yscript";
    slot->interpolationFlag = 1;
    const double step = 1000.0 / 63;
    for (int j = 0; j < 64; ++j) {
        const double x = j * step + 0.0;
        slot->sampledPoints[j] = {x, std::pow(x, 2.0) / 1000};
    }
    return slot;
}

// The bytes the editor saves once it has read `slot` back from its file: the
// samples and handles as written, to six decimals, and the points sampled
// from those.
QByteArray asSaved(const CurveSlot &slot)
{
    const std::string written = formatCurveFile(slot);
    auto read = makeSlot();
    if (!parseCurveFile(written, "example.crv", *read).ok())
        return {};
    if (read->sampleCount >= 2)
        sampleCurve(*read);
    return QByteArray::fromStdString(formatCurveFile(*read));
}

}  // namespace

class TestExamples : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void examplesAreCanonical_data();
    void examplesAreCanonical();
};

void TestExamples::examplesAreCanonical_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("wave") << "wave.crv" << asSaved(*wave());
    QTest::newRow("ramp") << "ramp.crv" << asSaved(*ramp());
    QTest::newRow("parabola") << "parabola.crv" << asSaved(*parabola());
}

void TestExamples::examplesAreCanonical()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFile example(qEnvironmentVariable("OMBRELIS_EXAMPLES") + '/' + file);
    if (qEnvironmentVariableIsSet("OMBRELIS_WRITE_EXAMPLES")) {
        QVERIFY(example.open(QIODevice::WriteOnly));
        example.write(bytes);
        return;
    }
    QVERIFY2(example.open(QIODevice::ReadOnly), qPrintable(example.fileName()));
    QCOMPARE(example.readAll(), bytes);
}

QTEST_APPLESS_MAIN(TestExamples)
#include "test_examples.moc"
