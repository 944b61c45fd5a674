#include "geometry/sampler.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

using namespace ombrelis;

namespace {

// Sixteen samples across the range, wavy handles, sampled to 4096 points:
// the worst regular case. With `uneven`, the samples are spread unevenly.
// Evenly spaced, every segment spans the same 273 grid steps, so each
// segment's bisections turn the same ways as the last one's, which the
// processor's branch prediction learns; unevenly spaced, as a user's curve
// is, the turns cannot be guessed.
void sampleCurveTo4096Points(benchmark::State &state, bool uneven)
{
    auto slot = std::make_unique<CurveSlot>();
    slot->sampleCount = kMaxSamples;
    for (int k = 0; k < kMaxSamples; ++k) {
        const double spread =
            uneven && k > 0 && k < kMaxSamples - 1 ? 0.3 * std::sin(3.0 * k) : 0.0;
        const double x = 1000.0 * (k + spread) / (kMaxSamples - 1);
        const double y = 500 + 400 * std::sin(k);
        slot->samples[k] = {x, y};
        slot->startTangents[k] = {x - 20, y - 30};
        slot->endTangents[k] = {x + 20, y + 30};
    }
    slot->samplingCount = kMaxSampledPoints;
    for (auto _ : state) {
        sampleCurve(*slot);
        benchmark::DoNotOptimize(slot->sampledPoints.data());
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK_CAPTURE(sampleCurveTo4096Points, even_samples, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(sampleCurveTo4096Points, uneven_samples, true)->Unit(benchmark::kMicrosecond);
