#include "curves/curve_slot.h"
#include "script/sampled_lookup.h"
#include "script/script_messages.h"
#include "script/script_run.h"
#include "script_test_support.h"
#include "test_support.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using namespace ombrelis;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

bool sameValue(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

int randomInt(std::mt19937 &random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

double randomReal(std::mt19937 &random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

bool chance(std::mt19937 &random, double probability)
{
    return std::bernoulli_distribution(probability)(random);
}

// ---- Sampled points of every shape a slot can hold -------------------------

enum class Shape {
    distinct,
    repeated,
    unsorted,
    withNonFinite,
    descending,
    count
};

void fillSampledPoints(CurveSlot &slot, Shape shape, int count, std::mt19937 &random)
{
    double x = randomReal(random, -500, 500);
    for (int j = 0; j < count; ++j) {
        switch (shape) {
        case Shape::distinct:
            x += randomReal(random, 0.001, 50);
            break;
        case Shape::repeated:
            x += randomInt(random, 0, 2);
            break;
        case Shape::unsorted:
            x = randomInt(random, -20, 20);
            break;
        case Shape::withNonFinite:
            x += randomInt(random, 0, 3);
            break;
        case Shape::descending:
            x -= randomInt(random, 0, 3);
            break;
        case Shape::count:
            break;
        }
        slot.sampledPoints[j] = {x, randomReal(random, -100, 100)};
    }
    if (shape == Shape::withNonFinite && count > 0) {
        const double odd[] = {kNaN, kInfinity, -kInfinity};
        slot.sampledPoints[randomInt(random, 0, count - 1)].x = odd[randomInt(random, 0, 2)];
    }
}

// The abscissae worth asking about: every sampled x, its neighbours, points
// between, beyond both ends, and the non-finite values.
std::vector<double> queriesFor(const CurveSlot &slot, int count, std::mt19937 &random)
{
    std::vector<double> queries = {kNaN, kInfinity, -kInfinity, 0.0, -0.0};
    for (int j = 0; j < std::min(count, 64); ++j) {
        const double x = slot.sampledPoints[j].x;
        queries.insert(queries.end(),
                       {x, std::nextafter(x, kInfinity), std::nextafter(x, -kInfinity),
                        x + randomReal(random, -30, 30)});
    }
    return queries;
}

// ---- An independent evaluator: precedence climbing over tokens -------------

// The curves and the abscissa an expression reads, as the run should see them.
struct ReferenceInputs {
    std::vector<CurvePoint> curves[kCurveCount];
    double x = 0.0;
};

// The value of a curve at x by the plain definition: linear between the first
// pair of sampled points that brackets x, the last ordinate at the last
// abscissa, 0 elsewhere.
double referenceCurveValue(const std::vector<CurvePoint> &points, double x)
{
    if (points.size() < 2 || x < points.front().x || x > points.back().x)
        return 0.0;
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const CurvePoint p = points[k];
        const CurvePoint q = points[k + 1];
        if (p.x <= x && x < q.x)
            return p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x);
    }
    return points.back().y;
}

bool isDelimiterChar(char c)
{
    return std::string_view("()+-*/^=").find(c) != std::string_view::npos;
}

// Binding power: "^" binds tightest, "+" loosest; every operator groups to
// the right, and a missing operand is 0.
int bindingPower(char c)
{
    switch (c) {
    case '^':
        return 5;
    case '/':
        return 4;
    case '*':
        return 3;
    case '-':
        return 2;
    case '+':
        return 1;
    default:
        return 0;
    }
}

class ReferenceEvaluator {
public:
    ReferenceEvaluator(std::string_view text, const ReferenceInputs &inputs)
        : text_(text), inputs_(inputs)
    { }

    double value() { return expression(1); }

private:
    double expression(int minimumPower)
    {
        double left = primary();
        while (pos_ < text_.size() && bindingPower(text_[pos_]) >= minimumPower) {
            const char op = text_[pos_++];
            const double right = expression(bindingPower(op));
            left = combine(op, left, right);
        }
        return left;
    }

    double primary()
    {
        if (pos_ < text_.size() && text_[pos_] == '(') {
            ++pos_;
            const double inner = expression(1);
            ++pos_;  // ")"
            return inner;
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !isDelimiterChar(text_[pos_]))
            ++pos_;
        return operand(text_.substr(start, pos_ - start));
    }

    double operand(std::string_view token) const
    {
        if (token == "X")
            return inputs_.x;
        if (token.size() == 2 && token[0] == 'C')
            return referenceCurveValue(inputs_.curves[token[1] - '1'], inputs_.x);
        return std::strtod(std::string(token).c_str(), nullptr);
    }

    static double combine(char op, double l, double r)
    {
        switch (op) {
        case '+':
            return l + r;
        case '-':
            return l - r;
        case '*':
            return l * r;
        case '/':
            return l / r;
        default:
            return std::pow(l, r);
        }
    }

    std::string_view text_;
    const ReferenceInputs &inputs_;
    std::size_t pos_ = 0;
};

// ---- Random well-formed expressions ---------------------------------------

struct Printed {
    std::string text;
    char op = 0;         // the top operator, 0 for an operand
    bool group = false;  // the whole text is one parenthesised group
};

int looseness(char op)
{
    return 6 - bindingPower(op);
}

// Parenthesises a part when grouping needs it, or when its text starts with
// "(" and ends with ")" without being one group: the evaluator would strip
// that pair. A group is never wrapped again, as "((X))" is refused.
std::string operandText(const Printed &part, bool needed)
{
    const bool looksGrouped =
        part.text.size() > 1 && part.text.front() == '(' && part.text.back() == ')';
    if (part.group || !(needed || looksGrouped))
        return part.text;
    return "(" + part.text + ")";
}

Printed randomExpression(std::mt19937 &random, int depth)
{
    static const char *const operands[] = {"C1",  "C2",  "C3", "C4", "X", "X", "2",
                                           "0.5", ".25", "3.", "10", "0", ".", ""};
    Printed printed;
    if (depth == 0 || chance(random, 0.3)) {
        printed.text = operands[randomInt(random, 0, std::size(operands) - 1)];
    } else {
        printed.op = "+-*/^"[randomInt(random, 0, 4)];
        const Printed left = randomExpression(random, depth - 1);
        const Printed right = randomExpression(random, depth - 1);
        const bool leftNeeds = left.op != 0 && looseness(left.op) >= looseness(printed.op);
        const bool rightNeeds = right.op != 0 && looseness(right.op) > looseness(printed.op);
        printed.text = operandText(left, leftNeeds) + printed.op + operandText(right, rightNeeds);
    }
    if (chance(random, 0.15))
        return {"(" + printed.text + ")", printed.op, true};
    return printed;
}

// ---- Random curve stores ---------------------------------------------------

void randomCurve(CurveSlot &slot, std::mt19937 &random)
{
    slot.xmin = randomReal(random, -1000, 500);
    slot.xmax = slot.xmin + randomReal(random, 1, 2000);
    slot.samplingCount = randomInt(random, 0, 40);
    fillSampledPoints(slot, chance(random, 0.8) ? Shape::distinct : Shape::repeated,
                      slot.samplingCount, random);
    slot.active = chance(random, 0.5);
}

std::vector<CurvePoint> pointsOf(const CurveSlot &slot)
{
    return {slot.sampledPoints.begin(), slot.sampledPoints.begin() + slot.samplingCount};
}

// What runScript should produce for a valid line, worked out from scratch.
struct Expected {
    double x0 = 0.0;
    double x1 = 0.0;
    std::vector<CurvePoint> points;
};

Expected referenceRun(const CurveStore &store, std::string_view expression)
{
    const CurveSlot &cur = store.current();
    Expected expected{cur.xmin, cur.xmax, {}};
    ReferenceInputs inputs;
    for (int k = 0; k < kCurveCount; ++k) {
        inputs.curves[k] = pointsOf(store.slots()[k]);
        const std::string name = "C" + std::to_string(k + 1);
        if (expression.find(name) == std::string_view::npos)
            continue;
        expected.x0 = std::min(expected.x0, store.slots()[k].xmin);
        expected.x1 = std::max(expected.x1, store.slots()[k].xmax);
    }
    const int n = cur.samplingCount;
    const double step = n > 1 ? (expected.x1 - expected.x0) / (n - 1) : 0.0;
    for (int j = 0; j < n; ++j) {
        inputs.x = j == n - 1 && n > 1 ? expected.x1 : j * step + expected.x0;
        expected.points.push_back({inputs.x, ReferenceEvaluator(expression, inputs).value()});
    }
    return expected;
}

bool isKnownMessage(const std::string &message)
{
    return message == kBadLeftMemberMessage || message == kNoFreeCurveMessage ||
           message == kUnbalancedParenthesesMessage || message == kSyntaxMessage ||
           message == kTooDeepMessage;
}

}  // namespace

class TestScriptProperty : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lookupAnswersLikeFindSampledIndex();
    void evaluatorAgreesWithReference();
    void anyBytesGiveWellFormedRuns();
};

void TestScriptProperty::lookupAnswersLikeFindSampledIndex()
{
    std::mt19937 random(4096);
    auto slot = std::make_unique<CurveSlot>();
    const int counts[] = {-3, 0, 1, 2, 3, 17, 64, kMaxSampledPoints, 5000};
    for (int trial = 0; trial < 3000; ++trial) {
        const auto shape = static_cast<Shape>(trial % static_cast<int>(Shape::count));
        slot->samplingCount = trial % 4 == 0 ? counts[randomInt(random, 0, std::size(counts) - 1)]
                                             : randomInt(random, 0, 50);
        const int used = usedEntries(slot->samplingCount, kMaxSampledPoints);
        fillSampledPoints(*slot, shape, used, random);
        const SampledLookup lookup(*slot);
        std::vector<double> queries = queriesFor(*slot, used, random);
        if (trial % 2 == 0)
            std::sort(queries.begin(), queries.end());
        int previous = 0;
        for (double x : queries) {
            const int expected = findSampledIndex(*slot, x);
            // No hint, the previous answer (a walk when the queries ascend), any index.
            const int hints[] = {0, previous, randomInt(random, -1, std::max(used, 1))};
            for (int hint : hints) {
                const int found = lookup.findIndex(x, hint);
                if (found != expected)
                    QFAIL(qPrintable(QString("trial %1, shape %2, %3 points, x = %4, hint %5: "
                                             "%6 instead of %7")
                                         .arg(trial)
                                         .arg(static_cast<int>(shape))
                                         .arg(used)
                                         .arg(x, 0, 'g', 17)
                                         .arg(hint)
                                         .arg(found)
                                         .arg(expected)));
            }
            previous = std::max(expected, 0);
        }
    }
}

void TestScriptProperty::evaluatorAgreesWithReference()
{
    std::mt19937 random(20260101);
    auto store = makeStore();
    const int samplingCounts[] = {1, 2, 5, 16, 33, 64};
    for (int trial = 0; trial < 2000; ++trial) {
        for (int k = 0; k < kCurveCount; ++k)
            editSlot(*store, k, [&](CurveSlot &c) { randomCurve(c, random); });
        store->currentCurve = randomInt(random, 0, kCurveCount - 1);
        editSlot(*store, store->currentCurve,
                 [&](CurveSlot &c) { c.samplingCount = samplingCounts[randomInt(random, 0, 5)]; });
        const std::string expression = operandText(randomExpression(random, 5), false);
        const int target = randomInt(random, 0, kCurveCount - 1);
        const std::string line = "C" + std::to_string(target + 1) + "=" + expression;

        const Expected expected = referenceRun(*store, expression);
        const ScriptRunResult result = runScript(*store, line);
        const CurveSlot &slot = store->slots()[target];
        QVERIFY2(result.messages.empty(), line.c_str());
        QVERIFY2(slot.active && slot.interpolationFlag == 1, line.c_str());
        QVERIFY2(slot.xmin == expected.x0 && slot.xmax == expected.x1, line.c_str());
        QCOMPARE(slot.samplingCount, static_cast<int>(expected.points.size()));
        for (std::size_t j = 0; j < expected.points.size(); ++j) {
            const CurvePoint got = slot.sampledPoints[j];
            if (!sameValue(got.x, expected.points[j].x) || !sameValue(got.y, expected.points[j].y))
                QFAIL(qPrintable(QString("%1 at point %2: (%3, %4) instead of (%5, %6)")
                                     .arg(line.c_str())
                                     .arg(j)
                                     .arg(got.x, 0, 'g', 17)
                                     .arg(got.y, 0, 'g', 17)
                                     .arg(expected.points[j].x, 0, 'g', 17)
                                     .arg(expected.points[j].y, 0, 'g', 17)));
        }
    }
}

void TestScriptProperty::anyBytesGiveWellFormedRuns()
{
    std::mt19937 random(1015);
    static constexpr char kAlphabet[] = "C1234X=()+-*/^.0123456789 Y\0\x01\t\xC3\xA9\xFF";
    const std::string_view alphabet(kAlphabet, sizeof kAlphabet - 1);
    auto store = makeStore();
    for (int trial = 0; trial < 1000; ++trial) {
        for (int k = 0; k < kCurveCount; ++k)
            editSlot(*store, k, [&](CurveSlot &c) { c.active = chance(random, 0.6); });
        std::string line(static_cast<std::size_t>(randomInt(random, 0, 60)), ' ');
        for (char &c : line)
            c = chance(random, 0.9) ? alphabet[randomInt(random, 0, alphabet.size() - 1)]
                                    : static_cast<char>(randomInt(random, -128, 127));
        const auto before = std::make_unique<CurveStore>(*store);
        const ScriptRunResult result = runScript(*store, line);

        const auto &messages = result.messages;
        QVERIFY(std::all_of(messages.begin(), messages.end(), isKnownMessage));
        if (result.endedEarly) {
            QCOMPARE(messages.size(), std::size_t{1});
            QVERIFY(sameStore(*store, *before));
            continue;
        }
        // Unbalanced parentheses can only concern the whole expression.
        for (std::size_t m = 0; m < messages.size(); ++m) {
            if (messages[m] == kUnbalancedParenthesesMessage)
                QVERIFY(m == 0 && messages.size() == 2 && messages[1] == kSyntaxMessage);
            else
                QCOMPARE(messages[m], std::string(kSyntaxMessage));
        }
        // A faulty line changes nothing; a valid one writes its target.
        QCOMPARE(result.valid, messages.empty());
        QCOMPARE(result.target >= 0 && result.target < kCurveCount, result.valid);
        QVERIFY(result.valid ? store->currentCurve == result.target && store->current().active
                             : sameStore(*store, *before));
    }
}

QTEST_APPLESS_MAIN(TestScriptProperty)
#include "test_script_property.moc"
