#include "curves/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace ombrelis {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view word)
{
    if (text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != word[i])
            return false;
    }
    return true;
}

std::size_t skipDigits(std::string_view text, std::size_t i)
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

// Reads the decimal exponent after "e", saturating far beyond any double.
long long readExponent(std::string_view digits)
{
    long long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > 1'000'000'000)
            return value;
    }
    return value;
}

// For a mantissa whose value does not fit a double: does it overflow (true)
// or underflow (false)? The power of ten of its first significant digit tells.
bool overflows(std::string_view intDigits, std::string_view fracDigits, long long exponent)
{
    const auto firstInt = intDigits.find_first_not_of('0');
    if (firstInt != std::string_view::npos)
        return exponent + static_cast<long long>(intDigits.size() - firstInt) - 1 >= 0;
    const auto firstFrac = fracDigits.find_first_not_of('0');
    if (firstFrac == std::string_view::npos)
        return false;
    return exponent - static_cast<long long>(firstFrac) - 1 >= 0;
}

}  // namespace

std::optional<double> leadingReal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    const std::size_t numberStart = i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const double sign = negative ? -1.0 : 1.0;
    const std::string_view rest = text.substr(i);
    if (startsWithNoCase(rest, "inf"))
        return sign * std::numeric_limits<double>::infinity();
    if (startsWithNoCase(rest, "nan"))
        return std::copysign(std::numeric_limits<double>::quiet_NaN(), sign);

    const std::size_t intStart = i;
    i = skipDigits(text, i);
    const std::string_view intDigits = text.substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = i + 1;
        i = skipDigits(text, fracStart);
        fracDigits = text.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty())
        return std::nullopt;

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        const std::size_t expEnd = skipDigits(text, j);
        if (expEnd > j) {
            exponent = readExponent(text.substr(j, expEnd - j));
            if (negativeExponent)
                exponent = -exponent;
            i = expEnd;
        }
    }

    // from_chars takes a leading '-' but no '+'.
    const char *first = text.data() + (negative ? numberStart : intStart);
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, text.data() + i, value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        value = overflows(intDigits, fracDigits, exponent) ? std::numeric_limits<double>::infinity()
                                                           : 0.0;
        return sign * value;
    }
    if (error != std::errc())
        return std::nullopt;
    return value;
}

double readLeadingReal(std::string_view text)
{
    return leadingReal(text).value_or(0.0);
}

std::optional<std::int32_t> leadingInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size() || !isDigit(text[i]))
        return std::nullopt;
    constexpr long long limit = 1LL << 31;
    long long magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::int32_t readLeadingInt(std::string_view text)
{
    return leadingInt(text).value_or(0);
}

void appendFixed(std::string &out, double value, int decimals)
{
    // The largest double has 309 integer digits.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    out.append(buffer, result.ptr);
}

void appendGeneral(std::string &out, double value, int digits)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    out.append(buffer, result.ptr);
}

void appendShortest(std::string &out, double value)
{
    char buffer[32];  // the longest shortest form has 24 characters
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

std::string shortestText(double value)
{
    std::string text;
    appendShortest(text, value);
    return text;
}

void appendInt(std::string &out, std::int32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

std::string formatNumber(double value)
{
    std::string text;
    appendFixed(text, value, 2);
    return text;
}

}  // namespace ombrelis
