// Random press/move/release/key/insert/delete sequences on one window's store:
// any pointer positions, client size, pixel ratio, mode, cursor, current curve
// and bounds (ordinary, mirrored, empty, huge, non-finite). After every step the counts
// stay within capacity, the cursor on a sampled point, the samples finite, and
// only a sample drag may unsort samples that were in order.
#include "fuzz_support.h"
#include "view/pointer_editing.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

using namespace ombrelis;

namespace {

double anyBound(FuzzedDataProvider &input)
{
    constexpr double kSpecial[] = {std::numeric_limits<double>::quiet_NaN(),
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::max(),
                                   std::numeric_limits<double>::max(),
                                   1e-300,
                                   0.0};
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return input.PickValueInArray(kSpecial);
    case 1:
        return input.ConsumeFloatingPoint<double>();
    default:
        return input.ConsumeIntegralInRange(-1000, 1000);
    }
}

// Mostly near something that can be picked (a sample, a handle, the cursor
// grip), else anywhere in the int range.
PixelPoint anyPixel(FuzzedDataProvider &input, const CurveStore &store, ClientSize client)
{
    const CurveSlot &curve = store.current();
    const int k = input.ConsumeIntegralInRange(0, kMaxSamples - 1);
    PixelPoint p{};
    switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0:
        return {input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>()};
    case 1:
        return {input.ConsumeIntegralInRange(-50, client.width + 50),
                input.ConsumeIntegralInRange(-50, client.height + 50)};
    case 2:
        p = worldToScreen(curve, client, curve.startTangents[k].x, curve.startTangents[k].y);
        break;
    case 3:
        p = worldToScreen(curve, client, curve.endTangents[k].x, curve.endTangents[k].y);
        break;
    case 4:
        p = worldToScreen(curve, client, curve.sampledPoints[store.cursorIndex].x, curve.ymin);
        break;
    default:
        p = worldToScreen(curve, client, curve.samples[k].x, curve.samples[k].y);
        break;
    }
    const auto nudge = [&](int v) {
        return static_cast<int>(std::clamp<std::int64_t>(
            std::int64_t{v} + input.ConsumeIntegralInRange(-7, 7), INT32_MIN, INT32_MAX));
    };
    return {nudge(p.x), nudge(p.y)};
}

// A point within such a pixel, on a screen of any ratio (those out of range
// are drawn at 1).
PointerAt anyPointer(FuzzedDataProvider &input, const CurveStore &store, ClientSize client)
{
    constexpr double kRatios[] = {1, 1.25, 1.5, 2,
                                  3, 0.5,  100, std::numeric_limits<double>::quiet_NaN()};
    const double ratio = input.PickValueInArray(kRatios);
    const double fraction = input.ConsumeProbability<double>();
    const PixelPoint p = anyPixel(input, store, client);
    return {p.x + fraction, p.y + fraction, ratio};
}

// The four curves with the input's bounds, no samples and `count` sampled
// points on the even grid, as the sampler leaves them.
void resetCurves(FuzzedDataProvider &input, CurveStore &store, int count)
{
    for (int c = 0; c < kCurveCount; ++c) {
        const auto reset = std::make_unique<CurveSlot>(store.slots()[c]);
        CurveSlot &curve = *reset;
        curve.xmin = anyBound(input), curve.xmax = anyBound(input);
        curve.ymin = anyBound(input), curve.ymax = anyBound(input);
        if (input.ConsumeBool())
            curve.xmax = curve.xmin;  // an empty range
        curve.sampleCount = 0;
        curve.samplingCount = count;
        const double step = (curve.xmax - curve.xmin) / std::max(count - 1, 1);
        for (int j = 0; j < count; ++j)
            curve.sampledPoints[j] = {curve.xmin + j * step, 0.0};
        store.replaceSlot(c, curve);
    }
}

bool samplesInOrder(const CurveSlot &curve)
{
    for (int k = 1; k < curve.sampleCount; ++k)
        if (curve.samples[k - 1].x > curve.samples[k].x)
            return false;
    return true;
}

bool finite(std::optional<CurvePoint> p)
{
    return !p || (std::isfinite(p->x) && std::isfinite(p->y));
}

void requireInvariants(const CurveStore &store, const PointerOutcome &out)
{
    for (int c = 0; c < kCurveCount; ++c) {
        const CurveSlot &curve = store.slots()[c];
        require(curve.sampleCount >= 0 && curve.sampleCount <= kMaxSamples,
                "sampleCount within 0..16");
        // Handles are offsets of a per cent of the range: finite while the bounds are ordinary.
        const auto small = [](double v) { return std::fabs(v) <= 1e6; };
        const bool ordinary =
            small(curve.xmin) && small(curve.xmax) && small(curve.ymin) && small(curve.ymax);
        for (int k = 0; k < curve.sampleCount; ++k) {
            require(finite(curve.samples[k]), "a finite sample");
            require(!ordinary || (finite(curve.startTangents[k]) && finite(curve.endTangents[k])),
                    "finite handles");
        }
    }
    const int last = std::max(store.current().samplingCount - 1, 0);
    require(store.cursorIndex >= 0 && store.cursorIndex <= last, "the cursor on a sampled point");
    require(finite(out.readout) && finite(out.pointFields), "finite readouts");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const auto store = std::make_unique<CurveStore>();
    FuzzedDataProvider input(data, size);
    ClientSize client{input.ConsumeIntegralInRange(0, 2048), input.ConsumeIntegralInRange(0, 2048)};
    const int sampling = input.ConsumeIntegralInRange(0, 300);
    resetCurves(input, *store, sampling);
    store->currentCurve = input.ConsumeIntegralInRange(0, 3);
    store->editMode = input.ConsumeBool();
    store->cursorOn = input.ConsumeBool();
    store->verticalTangents = input.ConsumeBool();
    store->tangentLength = input.ConsumeIntegralInRange(5, 25);
    store->cursorIndex = input.ConsumeIntegralInRange(0, std::max(sampling - 1, 0));
    PointerState pointer;

    while (input.remaining_bytes() > 0) {
        const CurveSlot &curve = store->current();
        const bool wasInOrder = samplesInOrder(curve);
        const int countBefore = curve.sampleCount;
        bool mayUnsort = false;
        PointerOutcome out;
        int index = -2;
        switch (input.ConsumeIntegralInRange(0, 11)) {
        case 0:
            out = leftButtonDown(*store, pointer, client, anyPointer(input, *store, client));
            break;
        case 1:
            mayUnsort = pointer.capture && pointer.dragSample;
            out = pointerMoved(*store, pointer, client, anyPointer(input, *store, client));
            break;
        case 2: {
            // A right release may already have dropped the capture, leaving the flags.
            const bool held = pointer.capture;
            out = leftButtonUp(*store, pointer);
            require(!pointer.capture && (!held || !(pointer.dragSample || pointer.dragCursor)),
                    "a release drops the drags");
            break;
        }
        case 3:
            out = rightButtonDown(*store, pointer, client, anyPointer(input, *store, client));
            break;
        case 4:
            out = rightButtonUp(*store, pointer, client, anyPointer(input, *store, client));
            break;
        case 5:
            stepCursor(*store, input.ConsumeBool() ? 1 : -1);
            break;
        case 6: {
            const double x = anyBound(input), y = anyBound(input);
            const bool inserted = store->insertSample(x, y);
            require(inserted == (countBefore < kMaxSamples && std::isfinite(x) && std::isfinite(y)),
                    "insertion refused only when full or not finite");
            break;
        }
        case 7:
            store->deleteSample(input.ConsumeIntegralInRange(-2, kMaxSamples + 1));
            break;
        case 8:
            if (hitTestSamples(*store, client, anyPointer(input, *store, client), index) ||
                hitTestStartTangents(*store, client, anyPointer(input, *store, client), index) ||
                hitTestEndTangents(*store, client, anyPointer(input, *store, client), index))
                require(index >= 0 && index < curve.sampleCount, "a pick names a sample");
            else
                require(index == -2, "a missed pick writes no index");
            break;
        case 9:
            hitTestCursor(*store, client, anyPointer(input, *store, client));
            break;
        case 10:
            store->currentCurve = input.ConsumeIntegralInRange(0, 3);
            break;
        default:
            store->editMode = input.ConsumeBool();
            store->cursorOn = input.ConsumeBool();
            break;
        }
        requireInvariants(*store, out);
        require(mayUnsort || !wasInOrder || samplesInOrder(curve),
                "only a drag unsorts the samples");
    }
    leftButtonUp(*store, pointer);  // the next input starts with the button up
    return 0;
}
