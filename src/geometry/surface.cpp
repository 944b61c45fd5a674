#include "geometry/surface.h"

namespace ombrelis {

double computeSurface(const CurveSlot &slot)
{
    const int count = usedEntries(slot.samplingCount, kMaxSampledPoints);
    const auto &p = slot.sampledPoints;
    double area = 0.0;
    for (int j = 0; j + 1 < count; ++j)
        area = area + ((p[j + 1].x - p[j].x) * (p[j].y + p[j + 1].y)) * 0.5;
    return area;
}

}  // namespace ombrelis
