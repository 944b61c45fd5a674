#pragma once

#include "curves/curve_store.h"

#include <cmath>
#include <memory>

namespace ombrelis {

// Four curves of 16 wavy samples each, sampled to `samplingCount` points: a
// busy plot for the speed checks.
inline void fillBusyCurves(CurveStore &store, int samplingCount)
{
    for (int slot = 0; slot < kCurveCount; ++slot) {
        auto curve = std::make_unique<CurveSlot>();
        curve->sampleCount = kMaxSamples;
        curve->samplingCount = samplingCount;
        for (int k = 0; k < kMaxSamples; ++k) {
            const double x = 1000.0 * k / (kMaxSamples - 1);
            const double y = 500 + 400 * std::sin(k + slot);
            curve->samples[k] = {x, y};
            curve->startTangents[k] = {x - 20, y - 30};
            curve->endTangents[k] = {x + 20, y + 30};
        }
        store.replaceSlot(slot, *curve);
    }
}

}  // namespace ombrelis
