#include "curves/json_text.h"

#include "curves/number_text.h"
#include "curves/utf8.h"

#include <cmath>
#include <cstdio>

namespace ombrelis {

void appendJsonString(std::string &out, std::string_view text)
{
    out += '"';
    for (std::size_t pos = 0; pos < text.size();) {
        const std::optional<char32_t> character = nextUtf8(text, pos);
        const char32_t c = character.value_or(U'\uFFFD');
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        } else {
            appendUtf8(out, c);
        }
    }
    out += '"';
}

void appendJsonNumber(std::string &out, double value)
{
    if (std::isfinite(value))
        appendShortest(out, value);
    else
        out += "null";
}

}  // namespace ombrelis
