#pragma once

#include "curves/curve_store.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelis {

// What a script run leaves for the editor to do: show `messages` one by one,
// in order, then, if the line was valid, select curve `target`.
struct ScriptRunResult {
    std::vector<std::string> messages;
    bool endedEarly = false;  // refused before the expression was evaluated
    int target = -1;          // the curve written, 0..3; -1 when nothing was
    bool valid = false;       // the whole expression was valid: the target is a computed curve
};

// Runs one script line (as typed, blanks included) on a window's curves:
// "C3=(C1+C2)/2" replaces curve 3, a line without "=" fills the first
// inactive curve. The named curves are read as they stood before the run, so
// "C1=C1*2" doubles curve 1. The target takes the expression as its name,
// the legends "Xscript" and "Yscript", the range of the current curve widened
// to every curve named, the current curve's y bounds and sampling count; it
// turns active and computed, without control samples, and becomes the
// current curve. A line with a faulty part gives its messages and changes
// nothing: the result is computed apart and written only when valid.
ScriptRunResult runScript(CurveStore &store, std::string_view scriptLine);

// The lowest of curves 1 to 4 (slots 0 to 3) that is not active.
std::optional<int> findFreeCurve(const CurveStore &store);

// X range of a script result: the current curve's range widened to the range
// of every curve the expression names ("C1" to "C4" between delimiters),
// active or not.
struct ScriptRange {
    double x0 = 0.0;
    double x1 = 0.0;
};
ScriptRange scriptRange(const CurveStore &store, std::string_view expression);

}  // namespace ombrelis
