#include "script/expression_evaluator.h"

#include "curves/number_text.h"
#include "script/script_messages.h"
#include "script/script_text.h"

#include <algorithm>
#include <cmath>

namespace ombrelis {

ExpressionNode classifyExpression(std::string_view expression)
{
    ExpressionNode node;
    node.text = stripOuterParentheses(expression);
    if (node.text.empty()) {
        node.kind = ExpressionKind::Empty;
    } else if ((node.curve = curveReferenceSlot(node.text)) >= 0) {
        node.kind = ExpressionKind::Curve;
    } else if (node.text == "X") {
        node.kind = ExpressionKind::Abscissa;
    } else if (isNumber(node.text)) {
        node.kind = ExpressionKind::Number;
    } else {
        const OperatorSplit split = splitAtOperator(node.text);
        switch (split.outcome) {
        case SplitOutcome::Split:
            node.kind = ExpressionKind::Split;
            break;
        case SplitOutcome::NoOperator:
            node.kind = ExpressionKind::NoOperator;
            break;
        case SplitOutcome::UnbalancedParentheses:
            node.kind = ExpressionKind::Unbalanced;
            break;
        }
        node.op = split.op;
        node.left = split.left;
        node.right = split.right;
    }
    return node;
}

int expressionDepth(std::string_view expression, int limit)
{
    const ExpressionNode node = classifyExpression(expression);
    if (node.kind != ExpressionKind::Split)
        return 0;
    if (limit <= 0)
        return 1;
    const int left = expressionDepth(node.left, limit - 1);
    if (left >= limit)
        return limit + 1;
    const int right = expressionDepth(node.right, limit - 1);
    return 1 + std::max(left, right);
}

void applyOperator(char op, std::span<const double> left, std::span<const double> right,
                   std::span<double> out)
{
    const std::size_t n = std::min({left.size(), right.size(), out.size()});
    for (std::size_t j = 0; j < n; ++j) {
        const double l = left[j];
        const double r = right[j];
        switch (op) {
        case '+':
            out[j] = l + r;
            break;
        case '-':
            out[j] = l - r;
            break;
        case '*':
            out[j] = l * r;
            break;
        case '/':
            out[j] = l / r;
            break;
        case '^':
            out[j] = std::pow(l, r);
            break;
        default:
            break;
        }
    }
}

ExpressionEvaluator::ExpressionEvaluator(const std::array<SampledLookup, kCurveCount> &curves,
                                         EvenGrid grid, std::vector<std::string> &messages)
    : curves_(curves), grid_(grid), messages_(messages)
{ }

bool ExpressionEvaluator::evaluateExpression(std::string_view expression, std::span<double> out)
{
    return evaluate(expression, out.first(std::min<std::size_t>(out.size(), grid_.count)), 0);
}

bool ExpressionEvaluator::evaluate(std::string_view expression, std::span<double> out, int depth)
{
    const ExpressionNode node = classifyExpression(expression);
    switch (node.kind) {
    case ExpressionKind::Empty:
        std::fill(out.begin(), out.end(), 0.0);
        return true;
    case ExpressionKind::Curve:
        fillCurve(curves_[node.curve], out);
        return true;
    case ExpressionKind::Abscissa:
        for (std::size_t j = 0; j < out.size(); ++j)
            out[j] = grid_.x(static_cast<int>(j));
        return true;
    case ExpressionKind::Number:
        std::fill(out.begin(), out.end(), readLeadingReal(node.text));
        return true;
    case ExpressionKind::Split:
        if (depth < kMaxScriptDepth)
            return evaluateSplit(node, out, depth);
        break;
    case ExpressionKind::Unbalanced:
        messages_.emplace_back(kUnbalancedParenthesesMessage);
        [[fallthrough]];
    case ExpressionKind::NoOperator:
        messages_.emplace_back(kSyntaxMessage);
        break;
    }
    std::fill(out.begin(), out.end(), 0.0);
    return false;
}

// The left operand is computed in place in `out`, the right one in this
// depth's temporary; deeper levels only use deeper temporaries.
bool ExpressionEvaluator::evaluateSplit(const ExpressionNode &node, std::span<double> out,
                                        int depth)
{
    const bool leftValid = evaluate(node.left, out, depth + 1);
    const std::span<double> right = temporary(depth).first(out.size());
    const bool rightValid = evaluate(node.right, right, depth + 1);
    applyOperator(node.op, out, right, out);
    return leftValid && rightValid;
}

// Grids ascend whenever xmin < xmax, so each lookup starts from the interval
// found for the point before.
void ExpressionEvaluator::fillCurve(const SampledLookup &curve, std::span<double> out) const
{
    int hint = 0;
    for (std::size_t j = 0; j < out.size(); ++j) {
        const double x = grid_.x(static_cast<int>(j));
        const int index = curve.findIndex(x, hint);
        out[j] = index < 0 ? 0.0 : curve.interpolate(index, x);
        hint = std::max(index, 0);
    }
}

std::span<double> ExpressionEvaluator::temporary(int depth)
{
    const auto needed = static_cast<std::size_t>(depth) + 1;
    // Growing the outer vector moves the inner vectors but not their heap
    // buffers, so the spans that shallower levels hold stay valid.
    while (temporaries_.size() < needed)
        temporaries_.emplace_back(static_cast<std::size_t>(grid_.count));
    return temporaries_[static_cast<std::size_t>(depth)];
}

}  // namespace ombrelis
