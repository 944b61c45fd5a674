#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ombrelis {

// Appends one character as UTF-8.
void appendUtf8(std::string &out, char32_t codePoint);

// Reads one UTF-8 character at `pos` and advances past it; nullopt (advancing
// one byte) for a malformed, overlong or surrogate sequence.
std::optional<char32_t> nextUtf8(std::string_view text, std::size_t &pos);

}  // namespace ombrelis
