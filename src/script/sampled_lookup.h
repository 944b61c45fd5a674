#pragma once

#include "curves/curve_slot.h"

#include <optional>

namespace ombrelis {

// The sampled points of one curve, read by abscissa. Gives exactly what
// findSampledIndex gives for the same points, but without its linear scan
// when the abscissae never decrease (as on every sampled grid with
// xmin < xmax): a script reads each named curve at every grid point.
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
    // `hint`, any index, is where the search starts on ascending abscissae:
    // the previous answer makes a walk along ascending x cost nearly nothing.
    int findIndex(double x, int hint = 0) const;

    // The ordinate at x by linear interpolation on interval `index` (a result
    // of findIndex other than -1); the last ordinate on the last index.
    double interpolate(int index, double x) const;

    int count() const { return count_; }

private:
    int scanIndex(double x) const;
    int searchIndex(double x, int hint) const;

    const CurvePoint *points_ = nullptr;
    int count_ = 0;
    bool ascending_ = false;  // no NaN abscissa, none smaller than the one before
};

// The curve's ordinate at x, interpolated linearly between the sampled points
// around it; the last ordinate at the last abscissa; nothing outside the
// curve's sampled abscissae.
std::optional<double> curveValueAt(const SampledLookup &curve, double x);

}  // namespace ombrelis
