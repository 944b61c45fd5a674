#include "script/sampled_lookup.h"

#include <algorithm>
#include <cmath>

namespace ombrelis {

SampledLookup::SampledLookup(const CurvePoint *points, int samplingCount)
    : points_(points), count_(usedEntries(samplingCount, kMaxSampledPoints)), ascending_(true)
{
    for (int k = 0; k < count_ && ascending_; ++k)
        ascending_ = !std::isnan(points_[k].x) && (k == 0 || points_[k - 1].x <= points_[k].x);
}

SampledLookup::SampledLookup(const CurveSlot &slot)
    : SampledLookup(slot.sampledPoints.data(), slot.samplingCount)
{ }

int SampledLookup::findIndex(double x, int hint) const
{
    if (count_ < 2)
        return -1;
    if (x < points_[0].x || x > points_[count_ - 1].x)
        return -1;
    // A NaN x passes the range test and fits no interval.
    if (std::isnan(x))
        return count_ - 1;
    return ascending_ ? searchIndex(x, hint) : scanIndex(x);
}

int SampledLookup::scanIndex(double x) const
{
    for (int k = 0; k + 1 < count_; ++k) {
        if (points_[k].x <= x && x < points_[k + 1].x)
            return k;
    }
    return count_ - 1;
}

// On ascending abscissae the interval that holds x starts at the last
// abscissa not greater than x; when that is the last point, x equals it.
// From a hint at or left of x, strides doubling from 1 bracket the answer.
int SampledLookup::searchIndex(double x, int hint) const
{
    int low = 0;        // points_[low].x <= x, known from the range test
    int high = count_;  // count_, or an index whose abscissa exceeds x
    if (hint > 0 && hint < count_ && points_[hint].x <= x) {
        int stride = 1;
        low = hint;
        while (low + stride < count_ && points_[low + stride].x <= x) {
            low += stride;
            stride *= 2;
        }
        high = std::min(low + stride, count_);
    }
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        if (points_[middle].x <= x)
            low = middle;
        else
            high = middle;
    }
    return low;
}

double SampledLookup::interpolate(int index, double x) const
{
    const CurvePoint &p = points_[index];
    if (index == count_ - 1)
        return p.y;
    const CurvePoint &q = points_[index + 1];
    return p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x);
}

std::optional<double> curveValueAt(const SampledLookup &curve, double x)
{
    const int i = curve.findIndex(x);
    if (i < 0)
        return std::nullopt;
    return curve.interpolate(i, x);
}

}  // namespace ombrelis
