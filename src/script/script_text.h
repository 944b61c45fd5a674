#pragma once

#include <string>
#include <string_view>

namespace ombrelis {

// Text operations of the script language. A script line is UTF-8 text; only
// the ASCII characters named here mean anything. Every other byte (accented
// letters, NUL, control characters) is a plain character of an operand.
// Functions returning string_views return parts of their argument.

// The text without its blanks: space, tab, line feed, vertical tab, form feed
// and carriage return, wherever they stand.
std::string removeBlanks(std::string_view text);

// A line cut at its first "=". Without "=", `left` is empty and `right` is
// the whole line; later "=" characters stay in `right`.
struct Assignment {
    bool found = false;
    std::string_view left;
    std::string_view right;
};
Assignment splitAssignment(std::string_view text);

// "(", ")", "*", "+", "-", "/", "=" and "^": the characters that end an operand.
bool isScriptDelimiter(char c);

// A possibly empty run of digits, optionally followed by "." and a possibly
// empty run of digits: "12", ".5", "5." and "." pass, and so does "".
bool isNumber(std::string_view text);

// The curve slot (0 to 3) that an operand names ("C1" to "C4" exactly), or -1.
int curveReferenceSlot(std::string_view text);

// Drops the first and last character when the text is longer than one
// character and they are "(" and ")", whether or not they match each other.
std::string_view stripOuterParentheses(std::string_view text);

// "+" 5, "-" 4, "*" 3, "/" 2, "^" 1, anything else 0. The higher the number,
// the more loosely the operator binds.
int operatorPriority(char c);

enum class SplitOutcome {
    Split,
    NoOperator,
    UnbalancedParentheses
};

struct OperatorSplit {
    SplitOutcome outcome = SplitOutcome::NoOperator;
    char op = 0;
    std::string_view left;
    std::string_view right;
};

// Divides an expression at the first occurrence, outside all parentheses, of
// its loosest operator. Either side may be empty (a leading "-" is a unary
// minus through an empty left operand). Operators inside parentheses, or
// after a ")" that closes more than was opened, are never candidates.
OperatorSplit splitAtOperator(std::string_view text);

// What one character becomes in the file-name form of a curve name: "_add_"
// for "+", "_ob_" for "(", ...; other characters stand for themselves.
std::string tokenText(char c);

// The name with every delimiter spelt out, fit to stand in a file name:
// "(C1+C2)/2" gives "_ob_C1_add_C2_cb__div_2".
std::string fileNameForm(std::string_view name);

}  // namespace ombrelis
