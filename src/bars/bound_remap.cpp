#include "bars/bound_remap.h"

#include "curves/crv_format.h"
#include "curves/number_text.h"

#include <array>
#include <cmath>

namespace ombrelis {

namespace {

bool isXBound(Bound which)
{
    return which == Bound::Xmin || which == Bound::Xmax;
}

double &boundRef(CurveSlot &slot, Bound which)
{
    switch (which) {
    case Bound::Xmin:
        return slot.xmin;
    case Bound::Xmax:
        return slot.xmax;
    case Bound::Ymin:
        return slot.ymin;
    case Bound::Ymax:
        return slot.ymax;
    }
    return slot.xmin;
}

double oppositeBound(const CurveSlot &slot, Bound which)
{
    switch (which) {
    case Bound::Xmin:
        return slot.xmax;
    case Bound::Xmax:
        return slot.xmin;
    case Bound::Ymin:
        return slot.ymax;
    case Bound::Ymax:
        return slot.ymin;
    }
    return slot.xmax;
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
    return checkLegend(utf8).ok();
}

}  // namespace ombrelis
