#include "script/sampled_lookup.h"

#include <cmath>

SampledLookup::SampledLookup(const CurvePoint *points, int samplingCount)
    : points_(points), count_(usedEntries(samplingCount, kMaxSampledPoints)), ascending_(true)
{
    for (int k = 0; k < count_ && ascending_; ++k)
        ascending_ = !std::isnan(points_[k].x) && (k == 0 || points_[k - 1].x <= points_[k].x);
}

SampledLookup::SampledLookup(const CurveSlot &slot)
    : SampledLookup(slot.sampledPoints.data(), slot.samplingCount)
{
}

int SampledLookup::findIndex(double x) const
{
    if (count_ < 2)
        return -1;
    if (x < points_[0].x || x > points_[count_ - 1].x)
        return -1;
    // A NaN x passes the range test and fits no interval.
    if (std::isnan(x))
        return count_ - 1;
    return ascending_ ? searchIndex(x) : scanIndex(x);
}

int SampledLookup::scanIndex(double x) const
{
    for (int k = 0; k + 1 < count_; ++k) {
        if (points_[k].x <= x && x < points_[k + 1].x)
            return k;
    }
    return count_ - 1;
}

// On ascending abscissae the only interval that can hold x ends at the first
// abscissa greater than x; when there is none, x is the last abscissa.
int SampledLookup::searchIndex(double x) const
{
    int low = 0;  // points_[low].x <= x, known from the range test
    int high = count_;  // first index whose abscissa may exceed x
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        if (points_[middle].x <= x)
            low = middle;
        else
            high = middle;
    }
    return high == count_ ? count_ - 1 : low;
}

std::optional<double> curveValueAt(const SampledLookup &curve, double x)
{
    const int i = curve.findIndex(x);
    if (i < 0)
        return std::nullopt;
    const CurvePoint &p = curve.point(i);
    if (i == curve.count() - 1)
        return p.y;
    const CurvePoint &q = curve.point(i + 1);
    return p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x);
}
