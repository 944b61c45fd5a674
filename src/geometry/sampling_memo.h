#pragma once

#include "curves/curve_slot.h"
#include "geometry/sampler.h"

#include <array>
#include <cstdint>
#include <vector>

namespace ombrelis {

// Re-sampling a curve that has not changed gives back the very points it
// holds. Most repaints (a cursor step, a resize, another curve dragged)
// change nothing a curve is sampled from, so a memo remembers, for one slot,
// what the sampler last read and wrote, and skips the sampler while both are
// still there bit for bit. When only control points changed, on the same
// grid, only the segments they belong to are sampled again.
class SamplingMemo {
public:
    // Leaves `slot` exactly as sampleCurve(slot) would.
    void sample(CurveSlot &slot);

private:
    // Everything the sampler reads, laid out without padding so that bytes
    // compare exactly: NaN equals itself and -0 differs from 0.
    struct Inputs {
        std::array<CurvePoint, kMaxSamples> samples;
        std::array<CurvePoint, kMaxSamples> startTangents;
        std::array<CurvePoint, kMaxSamples> endTangents;
        double xmin;
        double xmax;
        double ymin;
        std::int32_t sampleCount;
        std::int32_t samplingCount;
    };

    static Inputs inputsOf(const CurveSlot &slot);
    bool holdsPointsOf(const CurveSlot &slot) const;
    bool sameGrid(const Inputs &inputs) const;
    std::bitset<kMaxSamples - 1> unchangedSegments(const Inputs &inputs) const;

    Inputs inputs_{};
    std::vector<CurvePoint> points_;  // empty: nothing remembered
    PointSegments segments_;          // of points_
};

}  // namespace ombrelis
