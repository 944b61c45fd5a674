#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ombrelis {

// Numbers as text, always in the "C" locale whatever the user's locale.

// The "C" locale's white space and decimal digits; bytes 0x80 and above are
// neither, whatever the user's locale says.
constexpr bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The real number at the start of `text`, read as the C library's atof does:
// leading white space, an optional sign, then the longest prefix that reads as
// a decimal real (digits with an optional point and exponent, "inf", "nan").
// Out-of-range values become infinity or zero. leadingReal gives nothing when
// there is no such prefix, readLeadingReal 0.
std::optional<double> leadingReal(std::string_view text);
double readLeadingReal(std::string_view text);

// The integer at the start of `text`, read as atoi does; values beyond the
// int32 range saturate to it. Nothing, or 0, when there is none.
std::optional<std::int32_t> leadingInt(std::string_view text);
std::int32_t readLeadingInt(std::string_view text);

// Appends `value` written like printf("%.<decimals>f").
void appendFixed(std::string &out, double value, int decimals);

// Appends `value` written like printf("%.<digits>g").
void appendGeneral(std::string &out, double value, int digits);

// Appends the shortest text that reads back as `value` exactly ("0.350621",
// "1e-07"), for numbers other programs read.
void appendShortest(std::string &out, double value);
std::string shortestText(double value);

// Appends `value` written like printf("%d").
void appendInt(std::string &out, std::int32_t value);

// The value written like printf("%.2f") in the "C" locale: 12.5 gives "12.50".
// Every coordinate the user interface shows is written so.
std::string formatNumber(double value);

}  // namespace ombrelis
