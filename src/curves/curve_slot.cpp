#include "curves/curve_slot.h"

#include "curves/same_bytes.h"

#include <algorithm>

namespace ombrelis {

int usedEntries(std::int32_t count, int capacity)
{
    return std::clamp<int>(count, 0, capacity);
}

int sampleTotal(const CurveSlot &slot)
{
    return usedEntries(slot.sampleCount, kMaxSamples);
}

bool isSample(const CurveSlot &slot, int k)
{
    return k >= 0 && k < sampleTotal(slot);
}

bool sameContents(const CurveSlot &a, const CurveSlot &b)
{
    return a.name == b.name && a.xLegend == b.xLegend && a.yLegend == b.yLegend &&
           sameBytes(a.xmin, b.xmin) && sameBytes(a.xmax, b.xmax) && sameBytes(a.ymin, b.ymin) &&
           sameBytes(a.ymax, b.ymax) && a.sampleCount == b.sampleCount &&
           a.samplingCount == b.samplingCount && sameBytes(a.samples, b.samples) &&
           sameBytes(a.startTangents, b.startTangents) && sameBytes(a.endTangents, b.endTangents) &&
           sameBytes(a.sampledPoints, b.sampledPoints) && a.colour == b.colour &&
           a.active == b.active && a.interpolationFlag == b.interpolationFlag &&
           a.scriptText == b.scriptText && a.folder == b.folder;
}

void resetSlot(CurveSlot &slot)
{
    slot = CurveSlot{};
}

void copySlot(const CurveSlot &src, CurveSlot &dst)
{
    dst.name = src.name;
    dst.xLegend = src.xLegend;
    dst.yLegend = src.yLegend;
    dst.xmin = src.xmin;
    dst.xmax = src.xmax;
    dst.ymin = src.ymin;
    dst.ymax = src.ymax;
    dst.sampleCount = src.sampleCount;
    dst.samplingCount = src.samplingCount;
    dst.folder = src.folder;

    const int samples = sampleTotal(src);
    std::copy_n(src.samples.begin(), samples, dst.samples.begin());
    std::copy_n(src.startTangents.begin(), samples, dst.startTangents.begin());
    std::copy_n(src.endTangents.begin(), samples, dst.endTangents.begin());

    const int points = usedEntries(src.samplingCount, kMaxSampledPoints);
    std::copy_n(src.sampledPoints.begin(), points, dst.sampledPoints.begin());
}

int findSampledIndex(const CurveSlot &slot, double x)
{
    const int count = usedEntries(slot.samplingCount, kMaxSampledPoints);
    const auto &p = slot.sampledPoints;
    if (count < 2)
        return -1;
    if (x < p[0].x || x > p[count - 1].x)
        return -1;
    for (int k = 0; k + 1 < count; ++k) {
        if (p[k].x <= x && x < p[k + 1].x)
            return k;
    }
    return count - 1;
}

}  // namespace ombrelis
