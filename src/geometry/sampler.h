#pragma once

#include "curves/curve_slot.h"

#include <vector>

// Fills sampledPoints[0..N-1] (N = samplingCount) with points on the even x
// grid from xmin to xmax, y read off the piecewise Bézier curve of the control
// samples, ymin outside the samples' x span (both ends inclusive). Does
// nothing with fewer than two samples or with N outside 2..4096; entries N and
// above are left as they are. World units throughout.
void sampleCurve(CurveSlot &slot);

// The poly-Bézier points of the control samples: samples[0], then for each
// later sample k the end handle of k-1, the start handle of k and sample k
// (3n - 2 points for n >= 1, none for n = 0). World units.
std::vector<CurvePoint> controlPolygon(const CurveSlot &slot);
