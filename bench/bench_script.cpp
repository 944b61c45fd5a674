#include "script/script_run.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

using namespace ombrelis;

namespace {

// Curves 1 to 3 sampled on 4096 points over 0..1000, curve 4 the current
// curve with 4096 points: every grid point reads three curves.
std::unique_ptr<CurveStore> storeOf4096Points()
{
    auto store = std::make_unique<CurveStore>();
    for (int k = 0; k < kCurveCount; ++k) {
        auto slot = std::make_unique<CurveSlot>();
        slot->samplingCount = kMaxSampledPoints;
        slot->active = true;
        for (int j = 0; j < kMaxSampledPoints; ++j) {
            const double x = 1000.0 * j / (kMaxSampledPoints - 1);
            slot->sampledPoints[j] = {x, 500 + 400 * std::sin(x / (50.0 * (k + 1)))};
        }
        store->replaceSlot(k, *slot);
    }
    store->currentCurve = 3;
    return store;
}

}  // namespace

static void BM_RunScriptOn4096Points(benchmark::State &state)
{
    auto store = storeOf4096Points();
    for (auto _ : state) {
        const ScriptRunResult result = runScript(*store, "C4=((C1+C2)*(C3-X))/2^X");
        benchmark::DoNotOptimize(result.messages.data());
        benchmark::DoNotOptimize(store->slots()[3].sampledPoints.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RunScriptOn4096Points)->Unit(benchmark::kMicrosecond);
