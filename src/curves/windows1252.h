#pragma once

#include "curves/status.h"

#include <string>
#include <string_view>

namespace ombrelis {

// Curve files store texts as Windows-1252; the program keeps them as UTF-8.

// Decodes every byte: the five bytes that Windows-1252 leaves unassigned (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same value, so that
// decoding then encoding gives back the original bytes.
std::string decodeWindows1252(std::string_view bytes);

// Encodes UTF-8 text; characters that Windows-1252 cannot hold, and bytes that
// are not valid UTF-8, become '?'.
std::string encodeWindows1252(std::string_view utf8);

// Whether the character can be stored in a curve file.
bool isWindows1252Representable(char32_t codePoint);

// Whether UTF-8 text can be stored in a curve file; refused, in French, at
// the first character that Windows-1252 cannot hold or the first byte that is
// not UTF-8.
Status checkWindows1252(std::string_view utf8);

// The capital that a single-byte Windows-1252 code page gives a character:
// a letter whose capital is in Windows-1252 gets it (é → É, ÿ → Ÿ, œ → Œ);
// every other character stays as it is, µ and ß among them, whose capitals
// (Greek Mu, "SS") the code page cannot hold.
char32_t windows1252Capital(char32_t codePoint);

// windows1252Capital applied to each character of UTF-8 text, as an
// upper-case box converts what is typed; bytes that are not UTF-8 stay.
std::string upperCaseWindows1252(std::string_view utf8);

}  // namespace ombrelis
