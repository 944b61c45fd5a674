#include "script/script_text.h"

#include <QTest>

#include <string>
#include <string_view>

using namespace ombrelis;

namespace {

std::string quoted(std::string_view text)
{
    return "«" + std::string(text) + "»";
}

std::string describeSplit(const OperatorSplit &split)
{
    switch (split.outcome) {
    case SplitOutcome::Split:
        return std::string(1, split.op) + " " + quoted(split.left) + " " + quoted(split.right);
    case SplitOutcome::NoOperator:
        return "no operator";
    case SplitOutcome::UnbalancedParentheses:
        return "unbalanced";
    }
    return {};
}

std::string describeAssignment(const Assignment &assignment)
{
    return std::string(assignment.found ? "found " : "none ") + quoted(assignment.left) + " " +
           quoted(assignment.right);
}

// Every text operation as one function from text to text, so that a single
// table checks them all.
std::string apply(std::string_view operation, std::string_view input)
{
    if (operation == "split")
        return describeSplit(splitAtOperator(input));
    if (operation == "strip")
        return std::string(stripOuterParentheses(input));
    if (operation == "number")
        return isNumber(input) ? "number" : "not a number";
    if (operation == "file")
        return fileNameForm(input);
    if (operation == "blanks")
        return removeBlanks(input);
    if (operation == "assign")
        return describeAssignment(splitAssignment(input));
    if (operation == "curve")
        return std::to_string(curveReferenceSlot(input));
    return "unknown operation";
}

QByteArray bytes(const char *text, int size)
{
    return QByteArray(text, size);
}

}  // namespace

class TestScriptLexer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textOperations_data();
    void textOperations();
    void characterClasses();
};

void TestScriptLexer::textOperations_data()
{
    QTest::addColumn<QByteArray>("operation");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("split: + before *")
        << QByteArray("split") << QByteArray("C1+C2*C3") << QByteArray("+ «C1» «C2*C3»");
    QTest::newRow("split: + after *")
        << QByteArray("split") << QByteArray("C1*C2+C3") << QByteArray("+ «C1*C2» «C3»");
    QTest::newRow("split: first of a - run")
        << QByteArray("split") << QByteArray("C1-C2-C3") << QByteArray("- «C1» «C2-C3»");
    QTest::newRow("split: + looser than -")
        << QByteArray("split") << QByteArray("A-B+C") << QByteArray("+ «A-B» «C»");
    QTest::newRow("split: * looser than /")
        << QByteArray("split") << QByteArray("A/B*C") << QByteArray("* «A/B» «C»");
    QTest::newRow("split: first of a ^ run")
        << QByteArray("split") << QByteArray("A^B^C") << QByteArray("^ «A» «B^C»");
    QTest::newRow("split: outside parentheses")
        << QByteArray("split") << QByteArray("(C1+C2)*X") << QByteArray("* «(C1+C2)» «X»");
    QTest::newRow("split: unary minus")
        << QByteArray("split") << QByteArray("-C1") << QByteArray("- «» «C1»");
    QTest::newRow("split: 2*-3") << QByteArray("split") << QByteArray("2*-3")
                                 << QByteArray("- «2*» «3»");
    QTest::newRow("split: trailing operator")
        << QByteArray("split") << QByteArray("C1+") << QByteArray("+ «C1» «»");
    QTest::newRow("split: operand alone")
        << QByteArray("split") << QByteArray("C1") << QByteArray("no operator");
    QTest::newRow("split: unclosed")
        << QByteArray("split") << QByteArray("(C1+C2") << QByteArray("unbalanced");
    QTest::newRow("split: unopened")
        << QByteArray("split") << QByteArray("C1+C2)") << QByteArray("unbalanced");
    QTest::newRow("split: operator at depth -1")
        << QByteArray("split") << QByteArray("C1)+(C2") << QByteArray("no operator");
    QTest::newRow("split: = is no operator")
        << QByteArray("split") << QByteArray("C2=C3") << QByteArray("no operator");
    QTest::newRow("split: non-ASCII operands")
        << QByteArray("split") << QByteArray("é*\x01") << QByteArray("* «é» «\x01»");
    QTest::newRow("split: NUL is plain")
        << QByteArray("split") << bytes("a\0-b", 4)
        << QByteArray("- «a") + QByteArray(1, '\0') + QByteArray("» «b»");

    QTest::newRow("strip: one pair")
        << QByteArray("strip") << QByteArray("(C1+C2)") << QByteArray("C1+C2");
    QTest::newRow("strip: only one pair")
        << QByteArray("strip") << QByteArray("((X))") << QByteArray("(X)");
    QTest::newRow("strip: unmatched pair")
        << QByteArray("strip") << QByteArray("(C1)+(C2)") << QByteArray("C1)+(C2");
    QTest::newRow("strip: empty pair") << QByteArray("strip") << QByteArray("()") << QByteArray("");
    QTest::newRow("strip: lone parenthesis")
        << QByteArray("strip") << QByteArray("(") << QByteArray("(");
    QTest::newRow("strip: not at both ends")
        << QByteArray("strip") << QByteArray("(C1+C2)*2") << QByteArray("(C1+C2)*2");

    QTest::newRow("number: digits")
        << QByteArray("number") << QByteArray("12") << QByteArray("number");
    QTest::newRow("number: fraction")
        << QByteArray("number") << QByteArray("0.5") << QByteArray("number");
    QTest::newRow("number: no integer part")
        << QByteArray("number") << QByteArray(".5") << QByteArray("number");
    QTest::newRow("number: no fraction digits")
        << QByteArray("number") << QByteArray("5.") << QByteArray("number");
    QTest::newRow("number: point alone")
        << QByteArray("number") << QByteArray(".") << QByteArray("number");
    QTest::newRow("number: empty")
        << QByteArray("number") << QByteArray("") << QByteArray("number");
    QTest::newRow("number: two points")
        << QByteArray("number") << QByteArray("1.2.3") << QByteArray("not a number");
    QTest::newRow("number: exponent")
        << QByteArray("number") << QByteArray("1e5") << QByteArray("not a number");
    QTest::newRow("number: sign") << QByteArray("number") << QByteArray("+1")
                                  << QByteArray("not a number");
    QTest::newRow("number: comma")
        << QByteArray("number") << QByteArray("1,5") << QByteArray("not a number");
    QTest::newRow("number: curve")
        << QByteArray("number") << QByteArray("C1") << QByteArray("not a number");
    QTest::newRow("number: Arabic-Indic digit")
        << QByteArray("number") << QByteArray("١") << QByteArray("not a number");

    QTest::newRow("file: sum") << QByteArray("file") << QByteArray("C1+C2")
                               << QByteArray("C1_add_C2");
    QTest::newRow("file: mean") << QByteArray("file") << QByteArray("(C1+C2)/2")
                                << QByteArray("_ob_C1_add_C2_cb__div_2");
    QTest::newRow("file: power") << QByteArray("file") << QByteArray("X^2")
                                 << QByteArray("X_exp_2");
    QTest::newRow("file: product and equals")
        << QByteArray("file") << QByteArray("C1=2*X") << QByteArray("C1_eq_2_mul_X");
    QTest::newRow("file: plain name")
        << QByteArray("file") << QByteArray("courbe1") << QByteArray("courbe1");
    QTest::newRow("file: hyphen") << QByteArray("file") << QByteArray("a-b")
                                  << QByteArray("a_sub_b");
    QTest::newRow("file: accents kept")
        << QByteArray("file") << QByteArray("été-1") << QByteArray("été_sub_1");

    QTest::newRow("blanks: everywhere")
        << QByteArray("blanks") << QByteArray(" C3 = ( C1 + C 2 ) / 2 ")
        << QByteArray("C3=(C1+C2)/2");
    QTest::newRow("blanks: inside a number")
        << QByteArray("blanks") << QByteArray("1 000") << QByteArray("1000");
    QTest::newRow("blanks: all six")
        << QByteArray("blanks") << QByteArray("a\tb\nc\vd\fe\rf g") << QByteArray("abcdefg");
    QTest::newRow("blanks: no-break space kept") << QByteArray("blanks")
                                                 << QByteArray("1\xC2\xA0"
                                                               "0\x85")
                                                 << QByteArray("1\xC2\xA0"
                                                               "0\x85");
    QTest::newRow("blanks: NUL kept")
        << QByteArray("blanks") << bytes("a \0b", 4) << bytes("a\0b", 3);

    QTest::newRow("assign: assignment")
        << QByteArray("assign") << QByteArray("C3=C1+C2") << QByteArray("found «C3» «C1+C2»");
    QTest::newRow("assign: bare expression")
        << QByteArray("assign") << QByteArray("C1+C2") << QByteArray("none «» «C1+C2»");
    QTest::newRow("assign: first = splits")
        << QByteArray("assign") << QByteArray("C1=C2=C3") << QByteArray("found «C1» «C2=C3»");
    QTest::newRow("assign: empty left")
        << QByteArray("assign") << QByteArray("=C1") << QByteArray("found «» «C1»");

    QTest::newRow("curve: C1") << QByteArray("curve") << QByteArray("C1") << QByteArray("0");
    QTest::newRow("curve: C4") << QByteArray("curve") << QByteArray("C4") << QByteArray("3");
    QTest::newRow("curve: C5") << QByteArray("curve") << QByteArray("C5") << QByteArray("-1");
    QTest::newRow("curve: C0") << QByteArray("curve") << QByteArray("C0") << QByteArray("-1");
    QTest::newRow("curve: lower case")
        << QByteArray("curve") << QByteArray("c1") << QByteArray("-1");
    QTest::newRow("curve: C12") << QByteArray("curve") << QByteArray("C12") << QByteArray("-1");
}

void TestScriptLexer::textOperations()
{
    QFETCH(QByteArray, operation);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    const std::string result = apply(std::string_view(operation.constData(), operation.size()),
                                     std::string_view(input.constData(), input.size()));
    QCOMPARE(QByteArray(result.data(), static_cast<int>(result.size())), expected);
}

void TestScriptLexer::characterClasses()
{
    const std::string_view delimiters = "()*+-/=^";
    const std::string_view operators = "+-*/^";
    for (int code = -128; code < 128; ++code) {
        const char c = static_cast<char>(code);
        QCOMPARE(isScriptDelimiter(c), delimiters.find(c) != std::string_view::npos);
        const auto op = operators.find(c);
        QCOMPARE(operatorPriority(c), op == std::string_view::npos ? 0 : 5 - static_cast<int>(op));
        if (!isScriptDelimiter(c))
            QCOMPARE(tokenText(c), std::string(1, c));
    }
}

QTEST_APPLESS_MAIN(TestScriptLexer)
#include "test_script_lexer.moc"
