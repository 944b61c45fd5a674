#include "geometry/sampling_memo.h"

#include "geometry/sampler.h"

#include <cstring>

static_assert(sizeof(CurvePoint) == 2 * sizeof(double), "points compare as bytes");

SamplingMemo::Inputs SamplingMemo::inputsOf(const CurveSlot &slot)
{
    Inputs inputs;
    static_assert(sizeof inputs == 3 * sizeof inputs.samples + 3 * sizeof(double) + 8,
                  "no padding between the fields");
    inputs.samples = slot.samples;
    inputs.startTangents = slot.startTangents;
    inputs.endTangents = slot.endTangents;
    inputs.xmin = slot.xmin;
    inputs.xmax = slot.xmax;
    inputs.ymin = slot.ymin;
    inputs.sampleCount = slot.sampleCount;
    inputs.samplingCount = slot.samplingCount;
    return inputs;
}

bool SamplingMemo::holds(const Inputs &inputs, const CurveSlot &slot) const
{
    return !points_.empty() && std::memcmp(&inputs, &inputs_, sizeof inputs) == 0
           && std::memcmp(points_.data(), slot.sampledPoints.data(),
                          points_.size() * sizeof(CurvePoint)) == 0;
}

void SamplingMemo::sample(CurveSlot &slot)
{
    const Inputs inputs = inputsOf(slot);
    if (holds(inputs, slot))
        return;
    sampleCurve(slot);
    const int count = slot.samplingCount;
    if (usedEntries(slot.sampleCount, kMaxSamples) < 2 || count < 2 || count > kMaxSampledPoints) {
        points_.clear();  // the sampler wrote nothing
        return;
    }
    inputs_ = inputs;
    points_.assign(slot.sampledPoints.begin(), slot.sampledPoints.begin() + count);
}
