#pragma once

#include "curves/curve_slot.h"
#include "curves/status.h"

#include <string_view>

namespace ombrelis {

// The four bounds a bar's edit box can change.
enum class Bound {
    Xmin,
    Xmax,
    Ymin,
    Ymax
};

// The value that bound `which` of `slot` holds.
double boundValue(const CurveSlot &slot, Bound which);

// The value of a typed bound: its numeric prefix, as atof reads it, or 0.
// Infinity and NaN read as 0, so that no typed text makes a bound non-finite.
double boundFromText(std::string_view text);

// Gives bound `which` of `slot` the value `newValue` and moves the control
// samples and both handle tips of each along that axis by the affine map that
// sends the old bound to the new one and keeps the opposite bound fixed.
// Sampled points stay where they are. With a zero-width range (old bound equal
// to the opposite one), when the map would give a non-finite coordinate, or
// when it would turn the samples' x order round (the old X range was crossed),
// only the bound changes.
// An X bound that would leave xmax <= xmin is refused and changes nothing:
// the samples must stay sorted by x. Y bounds take any value.
Status remapBound(CurveSlot &slot, Bound which, double newValue);

// What remapBound would answer, without changing anything: its refusal, or done.
Status checkBound(const CurveSlot &slot, Bound which, double newValue);

// Whether a legend box may hold `utf8`: whether checkLegend accepts it.
bool isAcceptableLegend(std::string_view utf8);

}  // namespace ombrelis
