#include "geometry/sampler.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

// Sixteen samples across the range, wavy handles: the worst regular case.
static void BM_SampleCurve16SamplesTo4096Points(benchmark::State &state)
{
    auto slot = std::make_unique<CurveSlot>();
    slot->sampleCount = kMaxSamples;
    for (int k = 0; k < kMaxSamples; ++k) {
        const double x = 1000.0 * k / (kMaxSamples - 1);
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
BENCHMARK(BM_SampleCurve16SamplesTo4096Points)->Unit(benchmark::kMicrosecond);
