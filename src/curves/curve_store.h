#pragma once

#include "curves/curve_slot.h"
#include "curves/status.h"
#include "geometry/sampling_memo.h"

#include <array>
#include <string>
#include <string_view>

namespace ombrelis {

// The curves of one window and the window's own settings. A view owns one;
// tests and the batch tool build it without any window system.
struct CurveStore {
    std::array<CurveSlot, kSlotCount> slots{};

    int currentCurve = 0;  // 0..3
    bool editMode = false;
    Colour currentColour = 0;  // black
    bool smoothing = true;     // "Smoothing"; false is "Sampled"
    int hitSample = -1;        // set by the last successful pick test
    // Check marks of the sampling entries: 16, 32, 64, 128, 256, custom.
    std::array<bool, 6> samplingMarks{false, false, true, false, false, false};
    bool dragSample = false;
    bool dragStartTangent = false;
    bool dragEndTangent = false;
    bool cursorOn = false;
    bool dragCursor = false;
    int cursorIndex = 0;
    bool showAxes = false;
    bool showFrame = false;
    bool interpolationOption = false;
    bool verticalTangents = false;
    int tangentLength = 15;  // per cent of the axis range, 5..25

    CurveSlot &current() { return slots[currentCurve]; }
    const CurveSlot &current() const { return slots[currentCurve]; }

    void resetSlot(int slot) { ombrelis::resetSlot(slots[slot]); }
    void copySlot(int src, int dst) { ombrelis::copySlot(slots[src], slots[dst]); }

    // Gives every slot whose points were not computed by a script `count`
    // sampled points, as the sampling commands do.
    void setSamplingCount(int count);

    // Re-samples the curves a paint draws: curves 1 to 4 with two or more
    // control samples.
    void resampleDrawnCurves();

    // Re-samples curve `slot` (0..3), skipping the sampler when nothing it
    // reads or wrote has changed since the last time.
    void resampleCurve(int slot) { samplingMemos[slot].sample(slots[slot]); }

    std::array<SamplingMemo, kCurveCount> samplingMemos;

    // Loads the bytes of the file `baseName`.crv into `slot`: on success the
    // slot takes the file's fields, `name` becomes baseName and the slot
    // becomes the current curve, and *fault (if given) tells what the lenient
    // reading passed over (parseCurveFile). A refused file leaves everything
    // unchanged and says why.
    Status readCurveBytes(std::string_view baseName, int slot, std::string_view fileBytes,
                          std::string *fault = nullptr);
};

}  // namespace ombrelis
