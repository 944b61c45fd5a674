#include "script/script_text.h"

#include "curves/number_text.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace ombrelis {

namespace {

std::size_t skipDigits(std::string_view text, std::size_t i)
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

}  // namespace

std::string removeBlanks(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return !isCSpace(c); });
    return kept;
}

Assignment splitAssignment(std::string_view text)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {false, {}, text};
    return {true, text.substr(0, equals), text.substr(equals + 1)};
}

bool isScriptDelimiter(char c)
{
    return c == '=' || c == '(' || c == ')' || operatorPriority(c) > 0;
}

bool isNumber(std::string_view text)
{
    std::size_t i = skipDigits(text, 0);
    if (i < text.size() && text[i] == '.')
        i = skipDigits(text, i + 1);
    return i == text.size();
}

int curveReferenceSlot(std::string_view text)
{
    if (text.size() == 2 && text[0] == 'C' && text[1] >= '1' && text[1] <= '4')
        return text[1] - '1';
    return -1;
}

std::string_view stripOuterParentheses(std::string_view text)
{
    if (text.size() > 1 && text.front() == '(' && text.back() == ')')
        return text.substr(1, text.size() - 2);
    return text;
}

int operatorPriority(char c)
{
    switch (c) {
    case '+':
        return 5;
    case '-':
        return 4;
    case '*':
        return 3;
    case '/':
        return 2;
    case '^':
        return 1;
    default:
        return 0;
    }
}

OperatorSplit splitAtOperator(std::string_view text)
{
    std::ptrdiff_t depth = 0;
    int bestPriority = 0;
    std::size_t position = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int priority = operatorPriority(text[i]);
        if (priority > bestPriority && depth == 0) {
            bestPriority = priority;
            position = i;
        } else if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')') {
            --depth;
        }
    }
    if (depth != 0)
        return {SplitOutcome::UnbalancedParentheses, 0, {}, {}};
    if (bestPriority == 0)
        return {SplitOutcome::NoOperator, 0, {}, {}};
    return {SplitOutcome::Split, text[position], text.substr(0, position),
            text.substr(position + 1)};
}

std::string tokenText(char c)
{
    switch (c) {
    case '(':
        return "_ob_";
    case ')':
        return "_cb_";
    case '*':
        return "_mul_";
    case '+':
        return "_add_";
    case '-':
        return "_sub_";
    case '/':
        return "_div_";
    case '=':
        return "_eq_";
    case '^':
        return "_exp_";
    default:
        return std::string(1, c);
    }
}

std::string fileNameForm(std::string_view name)
{
    std::string form;
    form.reserve(name.size());
    for (char c : name)
        form += tokenText(c);
    return form;
}

}  // namespace ombrelis
