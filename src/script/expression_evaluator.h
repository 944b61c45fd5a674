#pragma once

#include "curves/curve_slot.h"
#include "geometry/even_grid.h"
#include "script/sampled_lookup.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelis {

// Deepest chain of operators the evaluator accepts: each level holds a
// temporary of one ordinate per grid point, so depth bounds memory and stack.
inline constexpr int kMaxScriptDepth = 256;

// What an expression is once one pair of outer parentheses is removed, in the
// order the evaluator asks: empty, curve reference, "X", number, else split.
enum class ExpressionKind {
    Empty,
    Curve,
    Abscissa,
    Number,
    Split,
    NoOperator,
    Unbalanced
};

struct ExpressionNode {
    ExpressionKind kind = ExpressionKind::Empty;
    std::string_view text;  // the expression after the strip
    int curve = -1;         // slot 0..3 of a curve reference
    char op = 0;            // operator of a split
    std::string_view left;
    std::string_view right;
};
ExpressionNode classifyExpression(std::string_view expression);

// The number of operator splits on the longest path of the expression's
// evaluation ("1+1+1" has two, "((1))" none); limit + 1 as soon as it goes
// beyond limit, so that any text, however long, is measured in bounded stack.
int expressionDepth(std::string_view expression, int limit);

// out[j] = left[j] op right[j] in IEEE arithmetic ("^" is pow): a division
// by zero gives an infinity or a NaN, silently. `out` may be `left`.
void applyOperator(char op, std::span<const double> left, std::span<const double> right,
                   std::span<double> out);

// Evaluates expressions point by point over a grid, reading curves 1 to 4
// through `curves` and appending the user's messages to `messages`.
class ExpressionEvaluator {
public:
    ExpressionEvaluator(const std::array<SampledLookup, kCurveCount> &curves, EvenGrid grid,
                        std::vector<std::string> &messages);

    // Fills out[0 .. grid.count) with the expression's ordinates and tells
    // whether every part of it was valid. A faulty part adds its messages,
    // counts as 0 and the evaluation goes on, left part before right part.
    // Expressions deeper than kMaxScriptDepth must be refused beforehand
    // (expressionDepth); the parts beyond it would count as faulty.
    bool evaluateExpression(std::string_view expression, std::span<double> out);

private:
    bool evaluate(std::string_view expression, std::span<double> out, int depth);
    bool evaluateSplit(const ExpressionNode &node, std::span<double> out, int depth);
    void fillCurve(const SampledLookup &curve, std::span<double> out) const;
    std::span<double> temporary(int depth);

    const std::array<SampledLookup, kCurveCount> &curves_;
    EvenGrid grid_;
    std::vector<std::string> &messages_;
    std::vector<std::vector<double>> temporaries_;  // one per depth, made when first reached
};

}  // namespace ombrelis
