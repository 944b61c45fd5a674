#pragma once

namespace ombrelis {

class CurveStore;

// Entries of the sampling menu, in the order of `samplingMarks`.
inline constexpr int kSamplingPresetCount = 5;
inline constexpr int kSamplingPresets[kSamplingPresetCount] = {16, 32, 64, 128, 256};
inline constexpr int kCustomSamplingMark = 5;

// Gives every slot whose points were not computed by a script `count` points
// and moves the check mark: entry `mark` flips (choosing the checked entry
// again leaves none checked) and every other entry is cleared. The cursor is
// kept on a point of the current curve.
void applySamplingCount(CurveStore &store, int mark, int count);

// Keeps the cursor on a sampled point of the current curve: at most its
// count less one, and 0 when it has no points. Call it wherever the count
// or the cursor changes.
void clampCursorIndex(CurveStore &store);

}  // namespace ombrelis
