#include "curves/curve_clipboard.h"

#include <algorithm>

namespace {

// Both directions move the same fields; only the types differ.
template <typename From, typename To>
void transfer(const From &from, To &to)
{
    to.name = from.name;
    to.folder = from.folder;
    to.xLegend = from.xLegend;
    to.yLegend = from.yLegend;
    to.xmin = from.xmin;
    to.xmax = from.xmax;
    to.ymin = from.ymin;
    to.ymax = from.ymax;
    to.sampleCount = from.sampleCount;
    to.samplingCount = from.samplingCount;
    const int samples = usedEntries(from.sampleCount, kMaxSamples);
    std::copy_n(from.samples.begin(), samples, to.samples.begin());
    std::copy_n(from.startTangents.begin(), samples, to.startTangents.begin());
    std::copy_n(from.endTangents.begin(), samples, to.endTangents.begin());
    std::copy_n(from.sampledPoints.begin(), usedEntries(from.samplingCount, kMaxSampledPoints),
                to.sampledPoints.begin());
    to.colour = from.colour;
    to.active = from.active;
    to.interpolationFlag = from.interpolationFlag;
}

}  // namespace

void copyToClipboard(const CurveSlot &curve, CurveClipboard &clipboard)
{
    transfer(curve, clipboard);
}

void pasteFromClipboard(const CurveClipboard &clipboard, CurveSlot &curve)
{
    transfer(clipboard, curve);
}
