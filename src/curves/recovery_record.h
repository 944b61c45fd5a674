#pragma once

#include "curves/curve_store.h"
#include "curves/status.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ombrelis {

// The recovery copy of a window: what the editor keeps on disk while a
// window has changes, so that its curves survive a crash. It holds curves
// 1 to 4 as .crv text with what a save needs to find their files again
// (name, folder, active flag) and their colours, the current curve, the
// window's title and the time of its last change. Texts are stored with
// their length, so any bytes survive.

// The window's state: everything but the time. Two states compare equal
// exactly when a recovery would give the same window, so the editor writes
// only when the state moved. The curves are written as they are: re-sample
// the drawn ones first, as a save does.
std::string formatRecoveryState(const CurveStore &store, std::string_view title);

// The whole record: the time of the last change (milliseconds since the
// epoch), then the state.
std::string formatRecoveryRecord(std::int64_t lastChangeMs, std::string_view state);

// What a record says about its window besides the curves.
struct RecoveredWindow {
    std::int64_t lastChangeMs = 0;
    std::string title;
};

// Reads a record into curves 1 to 4 and the current curve of `store`, in one
// step, and the rest into *window. Only a whole, well-formed record changes
// anything; anything else is refused in French.
Status parseRecoveryRecord(std::string_view bytes, CurveStore &store, RecoveredWindow &window);

}  // namespace ombrelis
