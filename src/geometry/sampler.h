#pragma once

#include "curves/curve_slot.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace ombrelis {

// Fills sampledPoints[0..N-1] (N = samplingCount) with points on the even x
// grid from xmin to xmax (EvenGrid: the last x is xmax), y read off the piecewise Bézier curve of
// the control samples, ymin outside the samples' x span (both ends inclusive). Does nothing with
// fewer than two samples or with N outside 2..4096; entries N and above are left as they are. World
// units throughout.
void sampleCurve(CurveSlot &slot);

// The segment each grid point is read from: k between samples k and k + 1,
// -1 for ymin outside the samples' x span.
using PointSegments = std::array<std::int8_t, kMaxSampledPoints>;

// What an earlier sampling of the same slot on the same grid (same xmin,
// xmax, ymin, sampleCount and samplingCount) left: the segment of each point
// the slot still holds, and the segments whose four control points have not
// changed since.
struct EarlierSampling {
    const PointSegments &segments;
    std::bitset<kMaxSamples - 1> unchangedSegments;
};

// sampleCurve, also writing the segment of each point to `segments`, which
// may be the earlier sampling's own. A point that lies in the same unchanged
// segment as in the earlier sampling keeps the value it holds: each point
// depends only on its x and its segment, so that is the value the sampler
// would give again. Dragging one sample re-samples two segments, not all.
void sampleCurve(CurveSlot &slot, PointSegments &segments, const EarlierSampling *earlier);

// The poly-Bézier points of the control samples: samples[0], then for each
// later sample k the end handle of k-1, the start handle of k and sample k
// (3n - 2 points for n >= 1, none for n = 0). World units.
std::vector<CurvePoint> controlPolygon(const CurveSlot &slot);

}  // namespace ombrelis
