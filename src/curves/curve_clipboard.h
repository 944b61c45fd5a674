#pragma once

#include "curves/curve_slot.h"

#include <string>
#include <string_view>

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

// The curve's sampled points as other programs take them from the system
// clipboard: one "x<TAB>y" line each, numbers in their shortest round-trip
// form, which a spreadsheet pastes as two columns.
std::string sampledPointsText(const CurveSlot &curve);

// The same lines with another separator, each after `linePrefix`.
void appendSampledPointRows(std::string &out, const CurveSlot &curve, char separator,
                            std::string_view linePrefix = {});

}  // namespace ombrelis
