#include "curves/crv_format.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

using namespace ombrelis;

namespace {

std::unique_ptr<CurveSlot> fullSlot()
{
    auto slot = std::make_unique<CurveSlot>();
    slot->xLegend = "temps (s)";
    slot->yLegend = "Énergie";
    slot->sampleCount = kMaxSamples;
    for (int k = 0; k < kMaxSamples; ++k) {
        const double x = 1000.0 * k / (kMaxSamples - 1);
        slot->samples[k] = {x, 500 + 400 * std::sin(k)};
        slot->startTangents[k] = {x - 20, 480};
        slot->endTangents[k] = {x + 20, 520};
    }
    slot->samplingCount = kMaxSampledPoints;
    for (int j = 0; j < kMaxSampledPoints; ++j)
        slot->sampledPoints[j] = {j * 1000.0 / 4095, 1234.5678 * std::sin(j * 0.01)};
    return slot;
}

}  // namespace

static void BM_FormatCurveFile4096Points(benchmark::State &state)
{
    const auto slot = fullSlot();
    for (auto _ : state)
        benchmark::DoNotOptimize(formatCurveFile(*slot));
}
BENCHMARK(BM_FormatCurveFile4096Points)->Unit(benchmark::kMicrosecond);

static void BM_ParseCurveFile4096Points(benchmark::State &state)
{
    const std::string bytes = formatCurveFile(*fullSlot());
    auto slot = std::make_unique<CurveSlot>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseCurveFile(bytes, "bench.crv", *slot));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ParseCurveFile4096Points)->Unit(benchmark::kMicrosecond);
