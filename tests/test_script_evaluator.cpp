#include "script/expression_evaluator.h"
#include "script/script_messages.h"
#include "script/script_run.h"
#include "script_test_support.h"
#include "test_support.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <string>

using namespace ombrelis;

namespace {

const double kInfinity = std::numeric_limits<double>::infinity();

QString text(std::string_view message)
{
    return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
}

const QString kBadLeft = text(kBadLeftMemberMessage);
const QString kNoRoom = text(kNoFreeCurveMessage);
const QString kParen = text(kUnbalancedParenthesesMessage);
const QString kSyntax = text(kSyntaxMessage);
const QString kTooDeep = text(kTooDeepMessage);

ScriptRunResult run(CurveStore &store, const QByteArray &line)
{
    return runScript(store, std::string_view(line.constData(), static_cast<size_t>(line.size())));
}

QList<double> ordinates(const CurveSlot &slot)
{
    QList<double> ys;
    for (int j = 0; j < slot.samplingCount; ++j)
        ys << slot.sampledPoints[j].y;
    return ys;
}

QList<double> abscissae(const CurveSlot &slot)
{
    QList<double> xs;
    for (int j = 0; j < slot.samplingCount; ++j)
        xs << slot.sampledPoints[j].x;
    return xs;
}

// "1+1+...+1" with `operators` operators: one nesting level per "+".
QByteArray sumOfOnes(int operators)
{
    QByteArray sum = "1";
    for (int k = 0; k < operators; ++k)
        sum += "+1";
    return sum;
}

// "(1+(1+(...(1+1)...)))": each "+" one level deeper inside parentheses.
QByteArray nestedSum(int operators)
{
    QByteArray inner = "1";
    for (int k = 0; k < operators; ++k)
        inner = "(1+" + inner + ")";
    return inner;
}

// Curve 1 of the worked example: three points over 0..1000.
void setWorkedCurve1(CurveStore &store)
{
    setSampledCurve(store, 0, 0, 1000, {{0, 0}, {500, 100}, {1000, 200}});
}

}  // namespace

class TestScriptEvaluator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void operatorMeaning_data();
    void operatorMeaning();
    void workedExample();
    void curveOperands();
    void targetChoice();
    void emptyLine();
    void messageSequences_data();
    void messageSequences();
    void faultyPartCountsAsZero();
    void selfReference();
    void depthLimit_data();
    void depthLimit();
    void longLines_data();
    void longLines();
    void degenerateGrids();
};

void TestScriptEvaluator::operatorMeaning_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<double>("value");
    QTest::newRow("A-B+C is (A-B)+C") << QByteArray("C4=8-4+2") << 6.0;
    QTest::newRow("A+B-C is A+(B-C)") << QByteArray("C4=8+4-2") << 10.0;
    QTest::newRow("A-B-C is A-(B-C)") << QByteArray("C4=8-4-2") << 6.0;
    QTest::newRow("A/B/C is A/(B/C)") << QByteArray("C4=8/4/2") << 4.0;
    QTest::newRow("A/B*C is (A/B)*C") << QByteArray("C4=8/4*2") << 4.0;
    QTest::newRow("A^B^C is A^(B^C)") << QByteArray("C4=2^3^2") << 512.0;
    QTest::newRow("* before +") << QByteArray("C4=1+2*3") << 7.0;
    QTest::newRow("^ before /") << QByteArray("C4=8/2^2") << 2.0;
    QTest::newRow("parentheses group") << QByteArray("C4=(1+2)*3") << 9.0;
    QTest::newRow("2*-3 is (2*0)-3") << QByteArray("C4=2*-3") << -3.0;
    QTest::newRow("unary minus binds loosest") << QByteArray("C4=-2^2") << -4.0;
    QTest::newRow("1/0 is infinity") << QByteArray("C4=1/0") << kInfinity;
    QTest::newRow("-1/0 is minus infinity") << QByteArray("C4=-1/0") << -kInfinity;
    QTest::newRow("pow") << QByteArray("C4=2^0.5") << std::pow(2.0, 0.5);
    QTest::newRow("number with no fraction digits") << QByteArray("C4=5.") << 5.0;
    QTest::newRow("point alone is 0") << QByteArray("C4=.+7") << 7.0;
    QTest::newRow("empty operands are 0") << QByteArray("C4=+") << 0.0;
    QTest::newRow("empty expression") << QByteArray("C4=") << 0.0;
    QTest::newRow("blanks anywhere") << QByteArray(" C 4 = 1 0\t*\n2 ") << 20.0;
}

void TestScriptEvaluator::operatorMeaning()
{
    QFETCH(QByteArray, line);
    QFETCH(double, value);
    auto store = makeStore();
    const ScriptRunResult result = run(*store, line);
    QCOMPARE(toQStringList(result.messages), QStringList());
    QCOMPARE(result.target, 3);
    const CurveSlot &c4 = store->slots()[3];
    QVERIFY(c4.active);
    QCOMPARE(c4.interpolationFlag, 1);
    QCOMPARE(ordinates(c4), QList<double>(64, value));
}

void TestScriptEvaluator::workedExample()
{
    auto store = makeStore();
    setWorkedCurve1(*store);
    store->currentCurve = 2;
    editSlot(*store, 2, [&](CurveSlot &c) {
        c.samplingCount = 5;
        c.ymin = -50;
        c.ymax = 2000;
    });
    editSlot(*store, 1, [](CurveSlot &c2) {
        c2.sampleCount = 3;
        c2.samples[0] = {1, 2};
        c2.colour = 0x00FF00;
    });
    const CurveSlot &c2 = store->slots()[1];

    const ScriptRunResult result = run(*store, "C2 = C1*2+X");
    QCOMPARE(toQStringList(result.messages), QStringList());
    QVERIFY(!result.endedEarly);
    QCOMPARE(result.target, 1);
    QCOMPARE(store->currentCurve, 1);
    QCOMPARE(abscissae(c2), (QList<double>{0, 250, 500, 750, 1000}));
    QCOMPARE(ordinates(c2), (QList<double>{0, 350, 700, 1050, 1400}));
    QCOMPARE(c2.name, "C1*2+X");
    QCOMPARE(c2.scriptText, "C2 = C1*2+X");
    QCOMPARE(c2.xLegend, "Xscript");
    QCOMPARE(c2.yLegend, "Yscript");
    QCOMPARE(c2.xmin, 0.0);
    QCOMPARE(c2.xmax, 1000.0);
    QCOMPARE(c2.ymin, -50.0);
    QCOMPARE(c2.ymax, 2000.0);
    QVERIFY(c2.active);
    QCOMPARE(c2.interpolationFlag, 1);
    // Regression: the old control samples resampled over the result at the next repaint.
    QCOMPARE(c2.sampleCount, 0);
    store->resampleDrawnCurves();
    QCOMPARE(ordinates(c2), (QList<double>{0, 350, 700, 1050, 1400}));
    // What the assignment does not own stays.
    QCOMPARE(c2.samples[0], (CurvePoint{1, 2}));
    QCOMPARE(c2.colour, Colour{0x00FF00});
}

void TestScriptEvaluator::curveOperands()
{
    auto store = makeStore();
    // Curve 1 covers only 0..1000 of its own range -500..1500.
    setSampledCurve(*store, 0, -500, 1500, {{0, 10}, {1000, 40}});
    editSlot(*store, 1, [&](CurveSlot &c) {
        c.xmin = 200;
        c.xmax = 2500;
    });
    store->currentCurve = 3;
    editSlot(*store, 3, [&](CurveSlot &c) { c.samplingCount = 5; });

    QVERIFY(run(*store, "C3=C1").messages.empty());
    const CurveSlot &c3 = store->slots()[2];
    QCOMPARE(c3.xmin, -500.0);
    QCOMPARE(c3.xmax, 1500.0);
    QCOMPARE(abscissae(c3), (QList<double>{-500, 0, 500, 1000, 1500}));
    // 0 outside the sampled points, the last ordinate exactly at the last abscissa.
    QCOMPARE(ordinates(c3), (QList<double>{0, 10, 25, 40, 0}));

    // The range is the union with every curve named.
    store->currentCurve = 3;
    QVERIFY(run(*store, "C3=-C1+C2*0").messages.empty());
    QCOMPARE(c3.xmin, -500.0);
    QCOMPARE(c3.xmax, 2500.0);

    store->currentCurve = 3;
    QVERIFY(run(*store, "C3=-C1").messages.empty());
    QCOMPARE(ordinates(c3), (QList<double>{0, -10, -25, -40, 0}));
}

void TestScriptEvaluator::targetChoice()
{
    auto store = makeStore();
    editSlot(*store, 0, [&](CurveSlot &c) { c.active = true; });
    editSlot(*store, 1, [&](CurveSlot &c) { c.active = true; });

    ScriptRunResult result = run(*store, "X");
    QCOMPARE(result.target, 2);
    QVERIFY(result.messages.empty());
    QVERIFY(store->slots()[2].active);
    QCOMPARE(store->slots()[2].name, "X");
    QCOMPARE(ordinates(store->slots()[2]), abscissae(store->slots()[2]));

    result = run(*store, "X");
    QCOMPARE(result.target, 3);
    QVERIFY(store->slots()[3].active);

    const auto before = std::make_unique<CurveStore>(*store);
    result = run(*store, "X");
    QCOMPARE(toQStringList(result.messages), QStringList{kNoRoom});
    QVERIFY(result.endedEarly);
    QCOMPARE(result.target, -1);
    QVERIFY(sameStore(*store, *before));

    // An assignment may replace an active curve.
    result = run(*store, "C1=2");
    QCOMPARE(result.target, 0);
    QCOMPARE(store->slots()[0].sampledPoints[0].y, 2.0);
}

void TestScriptEvaluator::emptyLine()
{
    auto store = makeStore();
    editSlot(*store, 0, [&](CurveSlot &c) {
        c.active = true;
        c.sampledPoints[5] = {1, 1};
    });
    editSlot(*store, 1, [&](CurveSlot &c) { c.sampledPoints[5] = {1, 1}; });
    const ScriptRunResult result = run(*store, "  ");
    QVERIFY(result.messages.empty());
    QCOMPARE(result.target, 1);
    const CurveSlot &c2 = store->slots()[1];
    QVERIFY(c2.active);
    QCOMPARE(c2.interpolationFlag, 1);
    QCOMPARE(c2.name, "");
    QCOMPARE(c2.scriptText, "  ");
    QCOMPARE(c2.xLegend, "Xscript");
    QCOMPARE(ordinates(c2), QList<double>(64, 0.0));

    editSlot(*store, 2, [&](CurveSlot &c) { c.active = true; });
    editSlot(*store, 3, [&](CurveSlot &c) { c.active = true; });
    QCOMPARE(toQStringList(run(*store, "").messages), QStringList{kNoRoom});
}

void TestScriptEvaluator::messageSequences_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("endedEarly");
    QTest::newRow("C5=X") << QByteArray("C5=X") << QStringList{kBadLeft} << true;
    QTest::newRow("=X") << QByteArray("=X") << QStringList{kBadLeft} << true;
    QTest::newRow("lower-case target") << QByteArray("c1=X") << QStringList{kBadLeft} << true;
    QTest::newRow("expression as target") << QByteArray("C1+C2=X") << QStringList{kBadLeft} << true;
    QTest::newRow("bad target before bad expression")
        << QByteArray("C0=(") << QStringList{kBadLeft} << true;
    QTest::newRow("C1=C2=C3") << QByteArray("C1=C2=C3") << QStringList{kSyntax} << false;
    QTest::newRow("C1=(C2") << QByteArray("C1=(C2") << QStringList{kParen, kSyntax} << false;
    QTest::newRow("a typo leaves its target as it was")
        << QByteArray("C1=(C1") << QStringList{kParen, kSyntax} << false;
    QTest::newRow("C1=C2+(C3") << QByteArray("C1=C2+(C3") << QStringList{kParen, kSyntax} << false;
    QTest::newRow("C1=C2+Y") << QByteArray("C1=C2+Y") << QStringList{kSyntax} << false;
    QTest::newRow("unbalanced whole is not split")
        << QByteArray("C1=Y*2+(C2-(C3)") << QStringList{kParen, kSyntax} << false;
    QTest::newRow("every faulty part")
        << QByteArray("C1=Y+Z*2-W") << QStringList{kSyntax, kSyntax, kSyntax} << false;
    QTest::newRow("((X)) strips one pair only")
        << QByteArray("C1=((X))") << QStringList{kSyntax} << false;
    QTest::newRow("(C1)+(C2) loses its outer pair")
        << QByteArray("C1=(C1)+(C2)") << QStringList{kSyntax} << false;
    QTest::newRow("((C1)+(C2)) is fine") << QByteArray("C1=((C1)+(C2))") << QStringList{} << false;
    QTest::newRow("operator at depth -1")
        << QByteArray("C1=C1)+(C2") << QStringList{kSyntax} << false;
    QTest::newRow("two points") << QByteArray("C1=1.2.3") << QStringList{kSyntax} << false;
    QTest::newRow("exponent") << QByteArray("C1=1E5") << QStringList{kSyntax} << false;
    QTest::newRow("2X") << QByteArray("C1=2X") << QStringList{kSyntax} << false;
    QTest::newRow("accented letter") << QByteArray("C1=é+X") << QStringList{kSyntax} << false;
    QTest::newRow("NUL character") << QByteArray("C1=C2+\0", 7) << QStringList{kSyntax} << false;
    QTest::newRow("control character") << QByteArray("C1=\x01-X") << QStringList{kSyntax} << false;
    QTest::newRow("no-break space is no blank")
        << QByteArray("C1=1\xC2\xA0+X") << QStringList{kSyntax} << false;
}

void TestScriptEvaluator::messageSequences()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, messages);
    QFETCH(bool, endedEarly);
    auto store = makeStore();
    editSlot(*store, 0, [&](CurveSlot &c) {
        c.interpolationFlag = 0;
        c.active = true;
        c.sampledPoints[3] = {7, 7};
        c.sampleCount = 2;
    });
    const auto before = std::make_unique<CurveStore>(*store);

    const ScriptRunResult result = run(*store, line);
    QCOMPARE(toQStringList(result.messages), messages);
    QCOMPARE(result.endedEarly, endedEarly);
    // A refused line and a faulty one change nothing.
    if (!messages.isEmpty()) {
        QCOMPARE(result.target, -1);
        QVERIFY(sameStore(*store, *before));
        return;
    }
    const CurveSlot &c1 = store->slots()[0];
    QCOMPARE(result.target, 0);
    QCOMPARE(c1.scriptText, line.toStdString());
    QCOMPARE(c1.xLegend, "Xscript");
    QVERIFY(c1.active);
    QCOMPARE(c1.interpolationFlag, 1);
    QCOMPARE(c1.sampleCount, 0);  // the result is the curve now
}

// The evaluation goes on past a faulty part, which counts as 0.
void TestScriptEvaluator::faultyPartCountsAsZero()
{
    auto store = makeStore();
    setSampledCurve(*store, 1, 0, 1000, {{0, 5}, {1000, 1005}});
    std::array<SampledLookup, kCurveCount> curves{};
    curves[1] = SampledLookup(store->slots()[1]);
    std::vector<std::string> messages;
    ExpressionEvaluator evaluator(curves, evenGrid(0, 1000, 5), messages);
    std::vector<double> out(5);
    QVERIFY(!evaluator.evaluateExpression("C2+Y", out));
    QCOMPARE(toQStringList(messages), QStringList{kSyntax});
    QCOMPARE(QList<double>(out.begin(), out.end()), (QList<double>{5, 255, 505, 755, 1005}));
    QVERIFY(!evaluator.evaluateExpression("(C2", out));
    QCOMPARE(QList<double>(out.begin(), out.end()), QList<double>(5, 0.0));
}

void TestScriptEvaluator::selfReference()
{
    auto store = makeStore();
    setSampledCurve(*store, 0, 0, 1000, {{0, 1}, {250, 2}, {500, 3}, {750, 4}, {1000, 5}});
    QVERIFY(run(*store, "C1=C1*2").messages.empty());
    QCOMPARE(ordinates(store->slots()[0]), (QList<double>{2, 4, 6, 8, 10}));
    QVERIFY(run(*store, "C1=C1+C1*C1").messages.empty());
    QCOMPARE(ordinates(store->slots()[0]), (QList<double>{6, 20, 42, 72, 110}));

    // A target that is not the current curve keeps its own old range in the union.
    setSampledCurve(*store, 1, -1000, 3000, {{-1000, 0}, {3000, 400}});
    store->currentCurve = 0;
    QVERIFY(run(*store, "C2=C2+C1").messages.empty());
    const CurveSlot &c2 = store->slots()[1];
    QCOMPARE(c2.xmin, -1000.0);
    QCOMPARE(c2.xmax, 3000.0);
    QCOMPARE(abscissae(c2), (QList<double>{-1000, 0, 1000, 2000, 3000}));
    QCOMPARE(ordinates(c2), (QList<double>{0, 100 + 6, 200 + 110, 300, 400}));
}

void TestScriptEvaluator::depthLimit_data()
{
    QTest::addColumn<QByteArray>("expression");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<double>("value");
    QTest::newRow("256 chained levels") << sumOfOnes(256) << false << 257.0;
    QTest::newRow("257 chained levels") << sumOfOnes(257) << true << 0.0;
    QTest::newRow("256 nested levels") << nestedSum(256) << false << 257.0;
    QTest::newRow("257 nested levels") << nestedSum(257) << true << 0.0;
    QTest::newRow("deep right operand of a split") << "1*(" + sumOfOnes(256) + ")" << true << 0.0;
    QTest::newRow("deep left part") << nestedSum(256) + "*2" << true << 0.0;
    QTest::newRow("parentheses alone do not nest")
        << QByteArray(300, '(') + "1+1" + QByteArray(300, ')') << false << 0.0;
}

void TestScriptEvaluator::depthLimit()
{
    QFETCH(QByteArray, expression);
    QFETCH(bool, refused);
    QFETCH(double, value);
    auto store = makeStore();
    const auto before = std::make_unique<CurveStore>(*store);
    const ScriptRunResult result = run(*store, "C2=" + expression);
    QCOMPARE(result.endedEarly, refused);
    if (refused) {
        QCOMPARE(toQStringList(result.messages), QStringList{kTooDeep});
        QVERIFY(sameStore(*store, *before));
    } else {
        QCOMPARE(ordinates(store->slots()[1]), QList<double>(64, value));
    }
}

void TestScriptEvaluator::longLines_data()
{
    constexpr int kLength = 100'000;
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("1+1+1+...") << "C3=" + sumOfOnes(kLength / 2) << QStringList{kTooDeep};
    QTest::newRow("((((...") << "C3=" + QByteArray(kLength, '(') << QStringList{kParen, kSyntax};
    QTest::newRow("((((...X...))))")
        << "C3=" + QByteArray(kLength / 2, '(') + "X" + QByteArray(kLength / 2, ')')
        << QStringList{kSyntax};
    QTest::newRow("))))...") << "C3=" + QByteArray(kLength, ')') << QStringList{kParen, kSyntax};
    QTest::newRow("long number") << "C3=" + QByteArray(kLength, '9') << QStringList{};
    QTest::newRow("long name") << "C3=" + QByteArray(kLength, 'C') << QStringList{kSyntax};
    QTest::newRow("blanks only") << QByteArray(kLength, ' ') << QStringList{};
    QTest::newRow("many assignments") << "C3=" + QByteArray(kLength, '=') << QStringList{kSyntax};
    QByteArray nuls(kLength, '\0');
    QTest::newRow("NUL characters") << "C3=" + nuls << QStringList{kSyntax};
    // 32768 operands in a balanced tree: within the depth limit however long.
    QByteArray balanced = "X";
    for (int level = 0; level < 15; ++level)
        balanced = "(" + balanced + ")+" + balanced;
    QTest::newRow("balanced tree of sums") << "C3=" + balanced << QStringList{};
}

void TestScriptEvaluator::longLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, messages);
    auto store = makeStore();
    const ScriptRunResult result = run(*store, line);
    QCOMPARE(toQStringList(result.messages), messages);
}

void TestScriptEvaluator::degenerateGrids()
{
    auto store = makeStore();
    // One point: it stands at the start of the range instead of at 0 times an
    // infinite step.
    editSlot(*store, 0, [&](CurveSlot &c) {
        c.xmin = 100;
        c.samplingCount = 1;
    });
    QVERIFY(run(*store, "C2=X").messages.empty());
    QCOMPARE(store->slots()[1].sampledPoints[0], (CurvePoint{100, 100}));

    // No points: the messages still come; a valid line writes the fields.
    store->currentCurve = 0;
    editSlot(*store, 0, [&](CurveSlot &c) { c.samplingCount = 0; });
    QCOMPARE(toQStringList(run(*store, "C3=(").messages), (QStringList{kParen, kSyntax}));
    QVERIFY(run(*store, "C3=X").messages.empty());
    QCOMPARE(store->slots()[2].samplingCount, 0);

    // Counts beyond the capacity fill the capacity.
    store->currentCurve = 0;
    editSlot(*store, 0, [&](CurveSlot &c) { c.samplingCount = 5000; });
    QVERIFY(run(*store, "C4=X").messages.empty());
    QCOMPARE(store->slots()[3].samplingCount, 5000);
    QCOMPARE(store->slots()[3].sampledPoints[kMaxSampledPoints - 1].x, store->slots()[0].xmax);

    // 15 steps over 0..1000 land a rounding step past 1000: the last point
    // stands at 1000 and reads curve 1's last point.
    setSampledCurve(*store, 0, 0, 1000, {{0, 0}, {1000, 1000}});
    store->currentCurve = 3;
    editSlot(*store, 3, [](CurveSlot &c) { c.samplingCount = 16; });
    QVERIFY(run(*store, "C2=C1").messages.empty());
    QCOMPARE(store->slots()[1].sampledPoints[15], (CurvePoint{1000, 1000}));
}

QTEST_APPLESS_MAIN(TestScriptEvaluator)
#include "test_script_evaluator.moc"
