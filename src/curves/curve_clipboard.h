#pragma once

#include "curves/curve_slot.h"

namespace ombrelis {

// The one curve clipboard of the application: a curve whose script text is
// never used. Before the first copy it holds an empty curve with no sampled
// points, red, inactive and not computed.
struct CurveClipboard : CurveSlot {
    CurveClipboard() { samplingCount = 0; }
};

// Copies the curve, its colour and flags into the clipboard: texts, bounds,
// counts, the folder and the entries below the counts; entries beyond them
// keep what they held.
void copyToClipboard(const CurveSlot &curve, CurveClipboard &clipboard);

// The same fields back into a curve; its scriptText is kept.
void pasteFromClipboard(const CurveClipboard &clipboard, CurveSlot &curve);

}  // namespace ombrelis
