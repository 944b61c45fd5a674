#pragma once

#include "bars/bar_fields.h"

namespace ombrelis {

class CurveStore;

// What the bars show of a window's current curve. These only set members;
// the caller writes the bars afterwards.

// The current curve's name, legends and bounds into the display pair, and
// the radio button of the current curve.
void fillDisplayBarFields(AxisBarFields &bars, const CurveStore &store);
// All four names, where a whole window's curves come into view.
void refreshCurveNameFields(AxisBarFields &bars, const CurveStore &store);
// The current curve's legends and bounds ("%.2f") into the edit pair.
void fillEditBarFields(AxisBarFields &bars, const CurveStore &store);

}  // namespace ombrelis
