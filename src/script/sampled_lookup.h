#pragma once

#include "curves/curve_slot.h"

#include <optional>

// The sampled points of one curve, read by abscissa. Gives exactly what
// findSampledIndex gives for the same points, but in logarithmic time when
// the abscissae never decrease (as on every sampled grid with xmin < xmax):
// a script reads each named curve once per grid point.
class SampledLookup {
public:
    // No points: every lookup fails.
    SampledLookup() = default;
    // The first usedEntries(samplingCount) points, which must outlive the lookup.
    SampledLookup(const CurvePoint *points, int samplingCount);
    explicit SampledLookup(const CurveSlot &slot);

    // The k with x[k] <= x < x[k+1] found first from the left; the last index
    // when no k fits but x lies in [first x, last x] (x equal to the last
    // abscissa, or NaN); -1 with fewer than two points or x outside that range.
    int findIndex(double x) const;

    int count() const { return count_; }
    const CurvePoint &point(int index) const { return points_[index]; }

private:
    int scanIndex(double x) const;
    int searchIndex(double x) const;

    const CurvePoint *points_ = nullptr;
    int count_ = 0;
    bool ascending_ = false;  // no NaN abscissa, none smaller than the one before
};

// The curve's ordinate at x, interpolated linearly between the sampled points
// around it; the last ordinate at the last abscissa; nothing outside the
// curve's sampled abscissae.
std::optional<double> curveValueAt(const SampledLookup &curve, double x);
