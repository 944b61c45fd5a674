// The sampler, the area and the scene builder on a window made from the
// input: any doubles (NaN, infinities, extremes), any counts, current curve,
// cursor and client size. Every run the painter would fill stays inside the client.
#include "fuzz_support.h"
#include "geometry/surface.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

using namespace ombrelis;

namespace {

double anyDouble(FuzzedDataProvider &input)
{
    constexpr double kSpecial[] = {std::numeric_limits<double>::quiet_NaN(),
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity(),
                                   std::numeric_limits<double>::max(),
                                   -std::numeric_limits<double>::max(),
                                   std::numeric_limits<double>::denorm_min(),
                                   -0.0,
                                   1e-300};
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>());
    case 1:
        return input.ConsumeIntegralInRange(-100, 1100);
    case 2:
        return input.PickValueInArray(kSpecial);
    default:
        return input.ConsumeFloatingPointInRange(-1e6, 1e6);
    }
}

// Mostly a count the arrays hold, small enough to keep thousands of inputs a second.
std::int32_t anyCount(FuzzedDataProvider &input, std::int32_t usual)
{
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return input.ConsumeIntegral<std::int32_t>();
    case 1:
        return input.ConsumeIntegralInRange(-2, usual);
    default:
        return input.ConsumeIntegralInRange(-2, std::min(usual, 300));
    }
}

// Fills every field of curve slot `slot` that the sampler, the area or a
// paint with the cursor at `cursor` reads.
void fillSlot(FuzzedDataProvider &input, CurveSlot &slot, int cursor)
{
    slot.xmin = anyDouble(input), slot.xmax = anyDouble(input);
    slot.ymin = anyDouble(input), slot.ymax = anyDouble(input);
    slot.sampleCount = anyCount(input, kMaxSamples + 1);
    slot.samplingCount = anyCount(input, kMaxSampledPoints + 1);
    slot.interpolationFlag = input.ConsumeIntegralInRange(0, 1);
    slot.active = input.ConsumeBool();
    slot.colour = input.ConsumeIntegral<Colour>();
    std::vector<double> pool(input.ConsumeIntegralInRange(1, 24));
    for (double &value : pool)
        value = anyDouble(input);
    auto next = [&, i = std::size_t{0}]() mutable {
        i = i + 1 < pool.size() ? i + 1 : 0;
        return pool[i];
    };
    for (int k = 0; k < kMaxSamples; ++k) {
        slot.samples[k] = {next(), next()};
        slot.startTangents[k] = {next(), next()};
        slot.endTangents[k] = {next(), next()};
    }
    // Sampled abscissae on the even grid, as the sampler writes them, or
    // anywhere; the cursor may read beyond the count.
    const bool grid = input.ConsumeBool();
    const int used = usedEntries(slot.samplingCount, kMaxSampledPoints);
    const double step = (slot.xmax - slot.xmin) / std::max(used - 1, 1);
    for (int j = 0; j < used; ++j)
        slot.sampledPoints[j] = {grid ? slot.xmin + j * step : next(), next()};
    if (cursor >= used && cursor < kMaxSampledPoints)
        slot.sampledPoints[cursor] = {next(), next()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const auto store = std::make_unique<CurveStore>();
    FuzzedDataProvider input(data, size);
    const ClientSize client{input.ConsumeIntegralInRange(0, 1024),
                            input.ConsumeIntegralInRange(0, 1024)};
    store->currentCurve =
        input.ConsumeBool() ? input.ConsumeIntegralInRange(0, 3) : input.ConsumeIntegral<int>();
    store->currentColour = input.ConsumeIntegral<Colour>();
    store->smoothing = input.ConsumeBool();
    store->showAxes = input.ConsumeBool();
    store->showFrame = input.ConsumeBool();
    store->editMode = input.ConsumeBool();
    store->interpolationOption = input.ConsumeBool();
    store->verticalTangents = input.ConsumeBool();
    store->tangentLength = input.ConsumeIntegralInRange(5, 25);
    store->cursorOn = input.ConsumeBool();
    store->cursorIndex =
        input.ConsumeBool() ? input.ConsumeIntegralInRange(-1, 64) : input.ConsumeIntegral<int>();
    for (int k = 0; k < kCurveCount; ++k) {
        const auto slot = std::make_unique<CurveSlot>(store->slots()[k]);
        fillSlot(input, *slot, store->cursorIndex);
        store->replaceSlot(k, *slot);
    }

    store->resampleDrawnCurves();  // as a paint does before it draws
    const PlotScene scene = buildPlotScene(*store, client);
    requireSceneInsideClient(scene, client);
    for (int k = 0; k < kCurveCount; ++k)
        computeSurface(store->slots()[k]);
    return 0;
}
