#pragma once

#include "curves/curve_slot.h"

#include <string>

namespace ombrelis {

// Texts that ombrelis-cli prints or writes.

// One "key: value" line per field of the file, numbers as the file writes them.
std::string curveInfoText(const CurveSlot &slot);

// The sampled points, one "x y" line each (six decimals).
std::string pointLines(const CurveSlot &slot);

// The sampled points as CSV: a header "x,y", then full-precision rows.
std::string pointCsv(const CurveSlot &slot);

}  // namespace ombrelis
