#include "bars/bound_remap.h"

#include "curves/number_text.h"
#include "curves/windows1252.h"

#include <array>
#include <cmath>

namespace {

bool isXBound(Bound which)
{
    return which == Bound::Xmin || which == Bound::Xmax;
}

double &boundRef(CurveSlot &slot, Bound which)
{
    switch (which) {
    case Bound::Xmin: return slot.xmin;
    case Bound::Xmax: return slot.xmax;
    case Bound::Ymin: return slot.ymin;
    case Bound::Ymax: return slot.ymax;
    }
    return slot.xmin;
}

double oppositeBound(const CurveSlot &slot, Bound which)
{
    switch (which) {
    case Bound::Xmin: return slot.xmax;
    case Bound::Xmax: return slot.xmin;
    case Bound::Ymin: return slot.ymax;
    case Bound::Ymax: return slot.ymin;
    }
    return slot.xmax;
}

// The code point starting at utf8[i], advancing i; an invalid sequence gives
// a value no character set holds.
char32_t nextCodePoint(std::string_view utf8, std::size_t &i)
{
    constexpr char32_t kInvalid = 0xFFFFFFFF;
    const auto lead = static_cast<unsigned char>(utf8[i++]);
    int extra = 0;
    char32_t code = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        extra = 3;
        code = lead & 0x07;
    } else if (lead >= 0xE0) {
        extra = 2;
        code = lead & 0x0F;
    } else if (lead >= 0xC2) {
        extra = 1;
        code = lead & 0x1F;
    } else if (lead >= 0x80) {
        return kInvalid;
    }
    for (; extra > 0; --extra, ++i) {
        if (i >= utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80)
            return kInvalid;
        code = (code << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    }
    return code;
}

}  // namespace

double boundFromText(std::string_view text)
{
    const double value = readLeadingReal(text);
    return std::isfinite(value) ? value : 0.0;
}

void remapBound(CurveSlot &slot, Bound which, double newValue)
{
    double &bound = boundRef(slot, which);
    const double oldValue = bound;
    const double fixed = oppositeBound(slot, which);
    bound = newValue;
    if (oldValue == fixed)
        return;
    const int count = usedEntries(slot.sampleCount, kMaxSamples);
    const bool onX = isXBound(which);
    const double scale = (fixed - newValue) / (fixed - oldValue);
    const auto image = [&](const CurvePoint &p) {
        const double v = onX ? p.x : p.y;
        return newValue + (v - oldValue) * scale;
    };
    // All or nothing: a single non-finite image leaves every sample in place.
    for (int i = 0; i < count; ++i) {
        for (const auto *points : {&slot.samples, &slot.startTangents, &slot.endTangents}) {
            if (!std::isfinite(image((*points)[static_cast<std::size_t>(i)])))
                return;
        }
    }
    for (int i = 0; i < count; ++i) {
        for (auto *points : {&slot.samples, &slot.startTangents, &slot.endTangents}) {
            CurvePoint &p = (*points)[static_cast<std::size_t>(i)];
            (onX ? p.x : p.y) = image(p);
        }
    }
}

bool isAcceptableLegend(std::string_view utf8)
{
    if (!utf8.empty() && utf8.front() == ';')
        return false;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t code = nextCodePoint(utf8, i);
        if (code == U'\n' || code == U'\r' || !isWindows1252Representable(code))
            return false;
    }
    return true;
}
