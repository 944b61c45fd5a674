#pragma once

#include "curves/curve_store.h"

#include <memory>

namespace ombrelis {

// Slots are large (4096 points); tests keep them on the heap.
inline std::unique_ptr<CurveSlot> makeSlot()
{
    return std::make_unique<CurveSlot>();
}

// Changes slot `slot` of `store` as `edit` changes a copy of it: how a test
// sets curves up.
template <typename Edit> void editSlot(CurveStore &store, int slot, Edit edit)
{
    auto copy = std::make_unique<CurveSlot>(store.slots()[slot]);
    edit(*copy);
    store.replaceSlot(slot, *copy);
}

// Sets sample k at (x, y) with its handles `handle` units to the left and right.
inline void setSample(CurveSlot &slot, int k, double x, double y, double handle)
{
    slot.samples[k] = {x, y};
    slot.startTangents[k] = {x - handle, y};
    slot.endTangents[k] = {x + handle, y};
}

// The straight line from (0, 0) to (1000, 1000), handles on the line at one
// and two thirds.
inline std::unique_ptr<CurveSlot> makeStraightLine()
{
    auto slot = makeSlot();
    slot->sampleCount = 2;
    slot->samples[0] = {0, 0};
    slot->startTangents[0] = {-100, -100};
    slot->endTangents[0] = {1000.0 / 3, 1000.0 / 3};
    slot->samples[1] = {1000, 1000};
    slot->startTangents[1] = {2000.0 / 3, 2000.0 / 3};
    slot->endTangents[1] = {1100, 1100};
    return slot;
}

}  // namespace ombrelis
