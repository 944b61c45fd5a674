#pragma once

#include <string>
#include <string_view>

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
