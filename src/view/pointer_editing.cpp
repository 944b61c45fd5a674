#include "view/pointer_editing.h"

#include <cmath>
#include <cstdint>

namespace ombrelis {

namespace {

constexpr int kPickHalf = 3;  // pick squares are 6 x 6 around the mark's centre
constexpr int kGripHalf = 6;  // the cursor grip is 12 x 12 below the bottom bound
constexpr double kThird = 1.0 / 3.0;

int sampleTotal(const CurveSlot &curve)
{
    return usedEntries(curve.sampleCount, kMaxSamples);
}

bool isSample(const CurveSlot &curve, int k)
{
    return k >= 0 && k < sampleTotal(curve);
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

void moveSample(CurveStore &store, double x, double y, int k)
{
    CurveSlot &curve = store.current();
    if (!isSample(curve, k))
        return;
    const CurvePoint old = curve.samples[k];
    curve.startTangents[k] = {curve.startTangents[k].x - old.x + x,
                              curve.startTangents[k].y - old.y + y};
    curve.endTangents[k] = {curve.endTangents[k].x - old.x + x, curve.endTangents[k].y - old.y + y};
    curve.samples[k] = {x, y};
}

bool insertSample(CurveStore &store, double x, double y)
{
    CurveSlot &curve = store.current();
    const int count = sampleTotal(curve);
    if (count >= kMaxSamples || !isFinite({x, y}))
        return false;
    int i = 0;
    while (i < count && !(curve.samples[i].x > x))
        ++i;
    for (int k = count; k > i; --k) {
        curve.samples[k] = curve.samples[k - 1];
        curve.startTangents[k] = curve.startTangents[k - 1];
        curve.endTangents[k] = curve.endTangents[k - 1];
    }
    curve.samples[i] = {x, y};
    const double dx = (curve.xmax - curve.xmin) * store.tangentLength * 0.01;
    const double dy = (curve.ymax - curve.ymin) * store.tangentLength * 0.01;
    if (store.verticalTangents) {
        curve.startTangents[i] = {x, y - dy * kThird};
        curve.endTangents[i] = {x, y - dy * -kThird};
    } else {
        curve.startTangents[i] = {x - dx * kThird, y};
        curve.endTangents[i] = {x - dx * -kThird, y};
    }
    curve.sampleCount = count + 1;
    return true;
}

bool insertSampleAtPointer(CurveStore &store, ClientSize client, PixelPoint at)
{
    const std::optional<CurvePoint> world = worldAt(store, client, at);
    return world && insertSample(store, world->x, world->y);
}

void deleteSample(CurveStore &store, int k)
{
    CurveSlot &curve = store.current();
    const int count = sampleTotal(curve);
    if (!isSample(curve, k))
        return;
    for (int j = k; j + 1 < count; ++j) {
        curve.samples[j] = curve.samples[j + 1];
        curve.startTangents[j] = curve.startTangents[j + 1];
        curve.endTangents[j] = curve.endTangents[j + 1];
    }
    curve.sampleCount = count - 1;
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
            pointer.dragSample = pointer.capture = true;
        }
        if (hitTestStartTangents(store, client, at, k)) {
            pointer.hitSample = k;
            pointer.dragStartTangent = pointer.capture = true;
        }
        if (hitTestEndTangents(store, client, at, k)) {
            pointer.hitSample = k;
            pointer.dragEndTangent = pointer.capture = true;
        }
    }
    if (hitTestCursor(store, client, at))
        pointer.dragCursor = pointer.capture = true;
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
    CurveSlot &curve = store.current();
    const int hit = pointer.hitSample;
    const bool capture = pointer.capture;
    if (store.editMode) {
        if (capture && pointer.dragSample && isSample(curve, hit)) {
            if (world && insideClient(client, at)) {
                moveSample(store, world->x, world->y, hit);
                out.repaint = true;
            }
            out.pointFields = shownSample(curve, hit);
        }
        if (capture && pointer.dragStartTangent && isSample(curve, hit) && world) {
            curve.startTangents[hit] = *world;
            out.repaint = true;
        }
        if (capture && pointer.dragEndTangent && isSample(curve, hit) && world) {
            curve.endTangents[hit] = *world;
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

PointerOutcome leftButtonUp(CurveStore &, PointerState &pointer)
{
    if (pointer.capture) {
        pointer.capture = false;
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
        deleteSample(store, k);
        out.repaint = true;
    } else {
        pointer.capture = true;
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
    pointer.capture = false;
    return out;
}

}  // namespace ombrelis
