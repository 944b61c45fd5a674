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

// The bound's field, writable or not as the slot is.
template <typename Slot> auto &boundRef(Slot &slot, Bound which)
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

// Names the typed bound, the opposite one it would cross, and the bound the
// curve keeps, as the bar shows numbers.
std::string crossedXRange(const CurveSlot &slot, Bound which, double newValue)
{
    const bool min = which == Bound::Xmin;
    std::string text(min ? "Xmin (" : "Xmax (");
    appendGeneral(text, newValue, 15);
    text += min ? ") doit être inférieur à Xmax (" : ") doit être supérieur à Xmin (";
    appendGeneral(text, oppositeBound(slot, which), 15);
    // No-break spaces keep "Xmax = 1000" on one line of the message.
    text += min ? ") : la courbe garde Xmin\u00a0=\u00a0" : ") : la courbe garde Xmax\u00a0=\u00a0";
    appendGeneral(text, boundValue(slot, which), 15);
    text += '.';
    return text;
}

}  // namespace

double boundValue(const CurveSlot &slot, Bound which)
{
    return boundRef(slot, which);
}

double boundFromText(std::string_view text)
{
    const double value = readLeadingReal(text);
    return std::isfinite(value) ? value : 0.0;
}

Status checkBound(const CurveSlot &slot, Bound which, double newValue)
{
    const double fixed = oppositeBound(slot, which);
    if (isXBound(which) && !(which == Bound::Xmin ? newValue < fixed : fixed < newValue))
        return Status::refused(crossedXRange(slot, which, newValue));
    return Status::done();
}

Status remapBound(CurveSlot &slot, Bound which, double newValue)
{
    if (Status checked = checkBound(slot, which, newValue); !checked.ok())
        return checked;
    const bool onX = isXBound(which);
    const double fixed = oppositeBound(slot, which);
    double &bound = boundRef(slot, which);
    const double oldValue = bound;
    bound = newValue;
    if (oldValue == fixed)
        return Status::done();
    const int count = sampleTotal(slot);
    const double scale = (fixed - newValue) / (fixed - oldValue);
    if (onX && scale < 0)
        return Status::done();
    const auto image = [&](const CurvePoint &p) {
        const double v = onX ? p.x : p.y;
        return newValue + (v - oldValue) * scale;
    };
    // All or nothing: a single non-finite image leaves every sample in place.
    for (int i = 0; i < count; ++i) {
        for (const auto *points : {&slot.samples, &slot.startTangents, &slot.endTangents}) {
            if (!std::isfinite(image((*points)[static_cast<std::size_t>(i)])))
                return Status::done();
        }
    }
    for (int i = 0; i < count; ++i) {
        for (auto *points : {&slot.samples, &slot.startTangents, &slot.endTangents}) {
            CurvePoint &p = (*points)[static_cast<std::size_t>(i)];
            (onX ? p.x : p.y) = image(p);
        }
    }
    return Status::done();
}

bool isAcceptableLegend(std::string_view utf8)
{
    return checkLegend(utf8).ok();
}

}  // namespace ombrelis
