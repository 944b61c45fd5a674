#include "view/pointer_editing.h"

#include <cmath>
#include <cstdint>

namespace ombrelis {

namespace {

constexpr int kPickHalf = 3;  // pick squares are 6 x 6 around the mark's centre
constexpr int kGripHalf = 6;  // the cursor grip is 12 x 12 below the bottom bound

int sampleTotal(const CurveSlot &curve)
{
    return usedEntries(curve.sampleCount, kMaxSamples);
}

bool isFinite(CurvePoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// left <= at < right on both axes, in 64 bits: mapped pixels may sit at the
// int limits.
bool inHalfOpen(PixelPoint at, std::int64_t left, std::int64_t top, std::int64_t right,
                std::int64_t bottom)
{
    return left <= at.x && at.x < right && top <= at.y && at.y < bottom;
}

bool inPickSquare(const CurveSlot &curve, ClientSize client, CurvePoint anchor, PixelPoint at)
{
    const PixelPoint centre = worldToScreen(curve, client, anchor.x, anchor.y);
    const std::int64_t x = centre.x;
    const std::int64_t y = centre.y;
    return inHalfOpen(at, x - kPickHalf, y - kPickHalf, x + kPickHalf, y + kPickHalf);
}

template <typename Anchors>
bool hitTestAnchors(const CurveStore &store, ClientSize client, PixelPoint at,
                    const Anchors &anchors, int &index)
{
    const CurveSlot &curve = store.current();
    if (!mappingHasRange(curve, client))
        return false;
    for (int k = 0; k < sampleTotal(curve); ++k) {
        if (inPickSquare(curve, client, anchors[k], at)) {
            index = k;
            return true;
        }
    }
    return false;
}

bool insideClient(ClientSize client, PixelPoint at)
{
    return inHalfOpen(at, 0, 0, client.width, client.height);
}

// Where a pointer position lies in world units, if it lies anywhere.
std::optional<CurvePoint> worldAt(const CurveStore &store, ClientSize client, PixelPoint at)
{
    const CurvePoint world = screenToWorld(store.current(), client, at.x, at.y);
    if (!isFinite(world))
        return std::nullopt;
    return world;
}

std::optional<CurvePoint> shownSample(const CurveSlot &curve, int k)
{
    if (!isSample(curve, k) || !isFinite(curve.samples[k]))
        return std::nullopt;
    return curve.samples[k];
}

void takeCapture(CurveStore &store, PointerState &pointer)
{
    if (!pointer.capture)
        store.beginStep();
    pointer.capture = true;
}

void releaseCapture(CurveStore &store, PointerState &pointer)
{
    if (pointer.capture)
        store.endStep();
    pointer.capture = false;
}

}  // namespace

bool hitTestSamples(const CurveStore &store, ClientSize client, PixelPoint at, int &index)
{
    return hitTestAnchors(store, client, at, store.current().samples, index);
}

bool hitTestStartTangents(const CurveStore &store, ClientSize client, PixelPoint at, int &index)
{
    return store.editMode &&
           hitTestAnchors(store, client, at, store.current().startTangents, index);
}

bool hitTestEndTangents(const CurveStore &store, ClientSize client, PixelPoint at, int &index)
{
    return store.editMode && hitTestAnchors(store, client, at, store.current().endTangents, index);
}

bool hitTestCursor(const CurveStore &store, ClientSize client, PixelPoint at)
{
    const CurveSlot &curve = store.current();
    if (!store.cursorOn || store.cursorIndex < 0 || store.cursorIndex >= kMaxSampledPoints ||
        !mappingHasRange(curve, client))
        return false;
    const PixelPoint q =
        worldToScreen(curve, client, curve.sampledPoints[store.cursorIndex].x, curve.ymin);
    const std::int64_t x = q.x;
    const std::int64_t y = q.y;
    return inHalfOpen(at, x - kGripHalf, y, x + kGripHalf, y + 2 * kGripHalf);
}

bool insertSampleAtPointer(CurveStore &store, ClientSize client, PixelPoint at)
{
    const std::optional<CurvePoint> world = worldAt(store, client, at);
    return world && store.insertSample(world->x, world->y);
}

void dragCursorTo(CurveStore &store, double x)
{
    const int i = findSampledIndex(store.current(), x);
    store.cursorIndex = i == -1 ? 0 : i;
}

// An index past the end (the sampling count went down) steps in as if it
// stood on the last point.
void stepCursor(CurveStore &store, int direction)
{
    const int last = usedEntries(store.current().samplingCount, kMaxSampledPoints) - 1;
    int &index = store.cursorIndex;
    if (last < 0)
        index = 0;
    else if (direction > 0)
        index = (index >= last || index < 0) ? 0 : index + 1;
    else if (direction < 0)
        index = (index <= 0 || index > last) ? last : index - 1;
}

PointerOutcome leftButtonDown(CurveStore &store, PointerState &pointer, ClientSize client,
                              PixelPoint at)
{
    if (store.editMode) {
        int k = 0;
        if (hitTestSamples(store, client, at, k)) {
            pointer.hitSample = k;
            pointer.dragSample = true;
            takeCapture(store, pointer);
        }
        if (hitTestStartTangents(store, client, at, k)) {
            pointer.hitSample = k;
            pointer.dragStartTangent = true;
            takeCapture(store, pointer);
        }
        if (hitTestEndTangents(store, client, at, k)) {
            pointer.hitSample = k;
            pointer.dragEndTangent = true;
            takeCapture(store, pointer);
        }
    }
    if (hitTestCursor(store, client, at)) {
        pointer.dragCursor = true;
        takeCapture(store, pointer);
    }
    return {};
}

// Each drag moves what the press picked and the hover may re-target it: a
// pointer that passes over another sample carries on with that one.
PointerOutcome pointerMoved(CurveStore &store, PointerState &pointer, ClientSize client,
                            PixelPoint at)
{
    PointerOutcome out;
    const std::optional<CurvePoint> world = worldAt(store, client, at);
    if (!store.cursorOn && world && mappingHasRange(store.current(), client))
        out.readout = world;
    const CurveSlot &curve = store.current();
    const int hit = pointer.hitSample;
    const bool capture = pointer.capture;
    if (store.editMode) {
        if (capture && pointer.dragSample && isSample(curve, hit)) {
            if (world && insideClient(client, at)) {
                store.moveSample(world->x, world->y, hit);
                out.repaint = true;
            }
            out.pointFields = shownSample(curve, hit);
        }
        if (capture && pointer.dragStartTangent && isSample(curve, hit) && world) {
            store.moveStartTangent(hit, *world);
            out.repaint = true;
        }
        if (capture && pointer.dragEndTangent && isSample(curve, hit) && world) {
            store.moveEndTangent(hit, *world);
            out.repaint = true;
        }
        int k = 0;
        if (hitTestSamples(store, client, at, k)) {
            pointer.hitSample = k;
            out.pointFields = shownSample(curve, k);
        }
    }
    if (capture && pointer.dragCursor && world) {
        dragCursorTo(store, world->x);
        out.repaint = true;
    }
    return out;
}

PointerOutcome leftButtonUp(CurveStore &store, PointerState &pointer)
{
    if (pointer.capture) {
        releaseCapture(store, pointer);
        pointer.dragSample = pointer.dragStartTangent = pointer.dragEndTangent =
            pointer.dragCursor = false;
    }
    return {};
}

PointerOutcome rightButtonDown(CurveStore &store, PointerState &pointer, ClientSize client,
                               PixelPoint at)
{
    PointerOutcome out;
    if (!store.editMode)
        return out;
    int k = 0;
    if (hitTestSamples(store, client, at, k)) {
        pointer.hitSample = k;
        store.deleteSample(k);
        out.repaint = true;
    } else {
        takeCapture(store, pointer);
    }
    return out;
}

PointerOutcome rightButtonUp(CurveStore &store, PointerState &pointer, ClientSize client,
                             PixelPoint at)
{
    PointerOutcome out;
    if (!pointer.capture)
        return out;
    if (insertSampleAtPointer(store, client, at))
        out.repaint = true;
    else
        out.beep = true;
    releaseCapture(store, pointer);
    return out;
}

}  // namespace ombrelis
