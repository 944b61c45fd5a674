#include "script/script_run.h"

#include "script/expression_evaluator.h"
#include "script/sampled_lookup.h"
#include "script/script_messages.h"
#include "script/script_text.h"

#include <algorithm>
#include <array>
#include <memory>

namespace ombrelis {

namespace {

using NamedCurves = std::array<bool, kCurveCount>;

// The curves named by the operands of an expression, cut at every delimiter.
NamedCurves namedCurves(std::string_view expression)
{
    NamedCurves named{};
    std::size_t start = 0;
    for (std::size_t i = 0; i <= expression.size(); ++i) {
        if (i < expression.size() && !isScriptDelimiter(expression[i]))
            continue;
        const int slot = curveReferenceSlot(expression.substr(start, i - start));
        if (slot >= 0)
            named[static_cast<std::size_t>(slot)] = true;
        start = i + 1;
    }
    return named;
}

// The curves an expression reads. The target is written only once the
// evaluation is over, so a target that names itself is read as it stood
// before the run.
std::array<SampledLookup, kCurveCount> sourceCurves(const CurveStore &store,
                                                    const NamedCurves &named)
{
    std::array<SampledLookup, kCurveCount> curves{};
    for (int k = 0; k < kCurveCount; ++k) {
        if (named[static_cast<std::size_t>(k)])
            curves[static_cast<std::size_t>(k)] = SampledLookup(store.slots()[k]);
    }
    return curves;
}

// The curve a line writes, or the message that refuses the line.
struct TargetChoice {
    int target = -1;
    std::string_view refusal;
};

TargetChoice chooseTarget(const CurveStore &store, const Assignment &assignment)
{
    if (assignment.found) {
        const int target = curveReferenceSlot(assignment.left);
        return target >= 0 ? TargetChoice{target, {}} : TargetChoice{-1, kBadLeftMemberMessage};
    }
    const std::optional<int> free = findFreeCurve(store);
    return free ? TargetChoice{*free, {}} : TargetChoice{-1, kNoFreeCurveMessage};
}

ScriptRunResult endEarly(std::string_view message)
{
    return {{std::string(message)}, true, -1};
}

// The result of a valid line, computed apart from the curves so that a
// faulty line leaves them all as they were.
struct ScriptResult {
    EvenGrid grid;
    std::vector<double> ordinates;
};

// Computes the expression on the grid of the target-to-be: the range of the
// line, the current curve's sampling count. Nothing when a part is faulty.
std::optional<ScriptResult> evaluate(const CurveStore &store, std::string_view expression,
                                     ScriptRange range,
                                     const std::array<SampledLookup, kCurveCount> &curves,
                                     std::vector<std::string> &messages)
{
    ScriptResult result{
        evenGrid(range.x0, range.x1, usedEntries(store.current().samplingCount, kMaxSampledPoints)),
        {}};
    result.ordinates.resize(static_cast<std::size_t>(result.grid.count));
    ExpressionEvaluator evaluator(curves, result.grid, messages);
    if (!evaluator.evaluateExpression(expression, result.ordinates))
        return std::nullopt;
    return result;
}

// Writes a valid result into the target, which becomes the current curve:
// a computed curve without control samples, which would otherwise resample
// the old curve over it at the next repaint.
void writeTarget(CurveStore &store, int target, std::string_view expression,
                 std::string_view scriptLine, ScriptRange range, const ScriptResult &result)
{
    const CurveSlot &cur = store.current();
    const double ymin = cur.ymin;
    const double ymax = cur.ymax;
    const std::int32_t samplingCount = cur.samplingCount;
    const auto written = std::make_unique<CurveSlot>(store.slots()[target]);
    CurveSlot &slot = *written;
    slot.name = expression;
    slot.folder.clear();  // a computed curve has no file yet: Save uses the current folder
    slot.scriptText = scriptLine;
    slot.xLegend = "Xscript";
    slot.xmin = range.x0;
    slot.xmax = range.x1;
    slot.yLegend = "Yscript";
    slot.ymin = ymin;
    slot.ymax = ymax;
    slot.samplingCount = samplingCount;
    for (int j = 0; j < result.grid.count; ++j)
        slot.sampledPoints[j] = {result.grid.x(j), result.ordinates[static_cast<std::size_t>(j)]};
    slot.active = true;
    slot.interpolationFlag = 1;
    slot.sampleCount = 0;
    store.applyScriptResult(target, slot);
}

}  // namespace

std::optional<int> findFreeCurve(const CurveStore &store)
{
    for (int k = 0; k < kCurveCount; ++k) {
        if (!store.slots()[k].active)
            return k;
    }
    return std::nullopt;
}

ScriptRange scriptRange(const CurveStore &store, std::string_view expression)
{
    ScriptRange range{store.current().xmin, store.current().xmax};
    const NamedCurves named = namedCurves(expression);
    for (int k = 0; k < kCurveCount; ++k) {
        if (!named[static_cast<std::size_t>(k)])
            continue;
        if (store.slots()[k].xmin < range.x0)
            range.x0 = store.slots()[k].xmin;
        if (store.slots()[k].xmax > range.x1)
            range.x1 = store.slots()[k].xmax;
    }
    return range;
}

ScriptRunResult runScript(CurveStore &store, std::string_view scriptLine)
{
    const std::string line = removeBlanks(scriptLine);
    const Assignment assignment = splitAssignment(line);
    const TargetChoice choice = chooseTarget(store, assignment);
    if (choice.target < 0)
        return endEarly(choice.refusal);
    const std::string_view expression = assignment.right;
    if (expressionDepth(expression, kMaxScriptDepth) > kMaxScriptDepth)
        return endEarly(kTooDeepMessage);

    const std::array<SampledLookup, kCurveCount> curves =
        sourceCurves(store, namedCurves(expression));
    const ScriptRange range = scriptRange(store, expression);
    ScriptRunResult result;
    const std::optional<ScriptResult> computed =
        evaluate(store, expression, range, curves, result.messages);
    if (computed) {
        writeTarget(store, choice.target, expression, scriptLine, range, *computed);
        result.target = choice.target;
        result.valid = true;
    }
    return result;
}

}  // namespace ombrelis
