#include "curves/windows1252.h"

#include <array>
#include <cstdio>
#include <optional>

namespace ombrelis {

namespace {

// Code points of the bytes 0x80..0x9F; the unassigned ones keep their value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t codePointOf(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> byteOf(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

void appendUtf8(std::string &out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Reads one UTF-8 character at `pos` and advances past it; nullopt (advancing
// one byte) for a malformed, overlong or surrogate sequence.
std::optional<char32_t> nextUtf8(std::string_view text, std::size_t &pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    char32_t codePoint = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (pos + length > text.size()) {
        ++pos;
        return std::nullopt;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += length;
    return codePoint;
}

}  // namespace

std::string decodeWindows1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string encodeWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto codePoint = nextUtf8(utf8, pos);
        const auto byte = codePoint ? byteOf(*codePoint) : std::nullopt;
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

bool isWindows1252Representable(char32_t codePoint)
{
    return byteOf(codePoint).has_value();
}

Status checkWindows1252(std::string_view utf8)
{
    char message[96];
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const auto codePoint = nextUtf8(utf8, pos);
        if (!codePoint) {
            std::snprintf(message, sizeof message, "l'octet 0x%02X n'est pas de l'UTF-8",
                          static_cast<unsigned>(static_cast<unsigned char>(utf8[start])));
            return Status::refused(message);
        }
        if (!byteOf(*codePoint)) {
            std::snprintf(message, sizeof message, " » (U+%04X) ne s'écrit pas en Windows-1252",
                          static_cast<unsigned>(*codePoint));
            const std::string character(utf8.substr(start, pos - start));
            return Status::refused("le caractère « " + character + message);
        }
    }
    return Status::done();
}

char32_t windows1252Capital(char32_t codePoint)
{
    // a..z and à..þ sit 0x20 above their capitals, as in Latin-1; ÷ has none.
    if ((codePoint >= U'a' && codePoint <= U'z') ||
        (codePoint >= U'à' && codePoint <= U'þ' && codePoint != U'÷'))
        return codePoint - 0x20;
    switch (codePoint) {
    case U'š':
        return U'Š';
    case U'œ':
        return U'Œ';
    case U'ž':
        return U'Ž';
    case U'ÿ':
        return U'Ÿ';
    default:
        return codePoint;
    }
}

std::string upperCaseWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        if (const auto codePoint = nextUtf8(utf8, pos))
            appendUtf8(out, windows1252Capital(*codePoint));
        else
            out += utf8.substr(start, pos - start);
    }
    return out;
}

}  // namespace ombrelis
