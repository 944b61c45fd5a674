#include "curves/windows1252.h"

#include "curves/utf8.h"

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
