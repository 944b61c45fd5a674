#pragma once

#include "curves/curve_slot.h"

namespace ombrelis {

// The signed area between the sampled points and the line y = 0, by the
// trapezoid rule over all samplingCount points (0 with fewer than two), in
// world x units times world y units. Parts below y = 0 count negatively.
double computeSurface(const CurveSlot &slot);

}  // namespace ombrelis
