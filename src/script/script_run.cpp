#include "script/script_run.h"

#include "script/expression_evaluator.h"
#include "script/sampled_lookup.h"
#include "script/script_messages.h"
#include "script/script_text.h"

#include <algorithm>
#include <array>

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

// The curves an expression reads, as they stand before the target is written:
// a target that names itself is read from a copy of its old points.
class ScriptSources {
public:
    ScriptSources(const CurveStore &store, const NamedCurves &named, int target)
    {
        for (int k = 0; k < kCurveCount; ++k) {
            if (named[static_cast<std::size_t>(k)] && k != target)
                curves_[static_cast<std::size_t>(k)] = SampledLookup(store.slots[k]);
        }
        if (named[static_cast<std::size_t>(target)]) {
            const CurveSlot &slot = store.slots[target];
            const int count = usedEntries(slot.samplingCount, kMaxSampledPoints);
            targetCopy_.assign(slot.sampledPoints.begin(), slot.sampledPoints.begin() + count);
            curves_[static_cast<std::size_t>(target)] =
                SampledLookup(targetCopy_.data(), slot.samplingCount);
        }
    }
    ScriptSources(const ScriptSources &) = delete;
    ScriptSources &operator=(const ScriptSources &) = delete;

    const std::array<SampledLookup, kCurveCount> &curves() const { return curves_; }

private:
    std::vector<CurvePoint> targetCopy_;
    std::array<SampledLookup, kCurveCount> curves_{};
};

ScriptRunResult endEarly(std::string_view message)
{
    return {{std::string(message)}, true, -1};
}

// The slot fields an assignment writes before it evaluates, in the order the
// window shows them should it repaint between messages.
void prepareTarget(CurveStore &store, int target, std::string_view expression,
                   std::string_view scriptLine, ScriptRange range)
{
    const CurveSlot &cur = store.current();
    const double ymin = cur.ymin;
    const double ymax = cur.ymax;
    const std::int32_t samplingCount = cur.samplingCount;
    CurveSlot &slot = store.slots[target];
    slot.name = expression;
    slot.scriptText = scriptLine;
    slot.xLegend = "Xscript";
    slot.xmin = range.x0;
    slot.xmax = range.x1;
    slot.yLegend = "Yscript";
    slot.ymin = ymin;
    slot.ymax = ymax;
    slot.samplingCount = samplingCount;
    store.currentCurve = target;
}

}  // namespace

std::optional<int> findFreeCurve(const CurveStore &store)
{
    for (int k = 0; k < kCurveCount; ++k) {
        if (!store.slots[k].active)
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
        if (store.slots[k].xmin < range.x0)
            range.x0 = store.slots[k].xmin;
        if (store.slots[k].xmax > range.x1)
            range.x1 = store.slots[k].xmax;
    }
    return range;
}

ScriptRunResult runScript(CurveStore &store, std::string_view scriptLine)
{
    const std::string line = removeBlanks(scriptLine);
    const Assignment assignment = splitAssignment(line);
    int target = -1;
    if (assignment.found) {
        target = curveReferenceSlot(assignment.left);
        if (target < 0)
            return endEarly(kBadLeftMemberMessage);
    } else {
        const std::optional<int> free = findFreeCurve(store);
        if (!free)
            return endEarly(kNoFreeCurveMessage);
        target = *free;
    }
    const std::string_view expression = assignment.right;
    if (expressionDepth(expression, kMaxScriptDepth) > kMaxScriptDepth)
        return endEarly(kTooDeepMessage);

    const ScriptSources sources(store, namedCurves(expression), target);
    prepareTarget(store, target, expression, scriptLine, scriptRange(store, expression));

    CurveSlot &slot = store.slots[target];
    const ScriptGrid grid = makeScriptGrid(slot.xmin, slot.xmax, slot.samplingCount);
    std::vector<double> ordinates(static_cast<std::size_t>(grid.count));
    ScriptRunResult result;
    result.target = target;
    ExpressionEvaluator evaluator(sources.curves(), grid, result.messages);
    const bool valid = evaluator.evaluateExpression(expression, ordinates);
    for (int j = 0; j < grid.count; ++j)
        slot.sampledPoints[j] = {grid.x(j), ordinates[static_cast<std::size_t>(j)]};
    if (valid) {
        slot.active = true;
        slot.interpolationFlag = 1;
    }
    return result;
}
