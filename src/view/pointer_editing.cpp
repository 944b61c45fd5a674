#include "view/pointer_editing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ombrelis {

namespace {

// In client pixels; at a ratio r the areas are r times as wide in device pixels.
constexpr double kPickHalf = 3;  // pick squares are 6 x 6 around the mark's centre
constexpr double kGripHalf = 6;  // the cursor grip is 12 x 12 below the bottom bound

bool isFinite(CurvePoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// A position in pixels, fractions kept.
struct Position {
    double x;
    double y;
};

// left <= at < right on both axes. In doubles: mapped pixels may sit at the
// int limits, and a pointer between device pixels.
bool inHalfOpen(Position at, double left, double top, double right, double bottom)
{
    return left <= at.x && at.x < right && top <= at.y && at.y < bottom;
}

// The logical pixel holding the pointer.
PixelPoint pixelOf(PointerAt at)
{
    const auto whole = [](double v) {
        constexpr double kMin = std::numeric_limits<int>::min();
        constexpr double kMax = std::numeric_limits<int>::max();
        return std::isnan(v) ? 0 : static_cast<int>(std::clamp(std::floor(v), kMin, kMax));
    };
    return {whole(at.x), whole(at.y)};
}

// The marks as the scene draws them, and the pointer among them, in device
// pixels.
class DevicePicks {
public:
    DevicePicks(const CurveSlot &curve, ClientSize client, PointerAt at)
        : mapping_(sceneMapping(curve, client, at.ratio)),
          ratio_(plotPixelRatio(at.ratio)),
          pointer_{at.x * ratio_, at.y * ratio_}
    { }

    // False on a plot left blank: nothing drawn, nothing to pick.
    bool drawn() const { return mapping_.has_value(); }

    // The pick square of the mark drawn at world `anchor`.
    bool inSquare(CurvePoint anchor) const
    {
        const PixelPoint c = (*mapping_)(anchor.x, anchor.y);
        const double half = kPickHalf * ratio_;
        return inHalfOpen(pointer_, c.x - half, c.y - half, c.x + half, c.y + half);
    }

    // The grip hanging below the world point `bottom`.
    bool inGrip(CurvePoint bottom) const
    {
        const PixelPoint c = (*mapping_)(bottom.x, bottom.y);
        const double half = kGripHalf * ratio_;
        return inHalfOpen(pointer_, c.x - half, c.y, c.x + half, c.y + 2 * half);
    }

private:
    std::optional<ScreenMapping> mapping_;
    double ratio_;
    Position pointer_;
};

template <typename Anchors>
bool hitTestAnchors(const CurveStore &store, ClientSize client, PointerAt at,
                    const Anchors &anchors, int &index)
{
    const CurveSlot &curve = store.current();
    const DevicePicks picks(curve, client, at);
    if (!picks.drawn())
        return false;
    for (int k = 0; k < sampleTotal(curve); ++k) {
        if (picks.inSquare(anchors[k])) {
            index = k;
            return true;
        }
    }
    return false;
}

bool insideClient(ClientSize client, PixelPoint at)
{
    return inHalfOpen({double(at.x), double(at.y)}, 0, 0, client.width, client.height);
}

// Where the logical pixel holding the pointer lies in world units, if it lies
// anywhere.
std::optional<CurvePoint> worldAt(const CurveStore &store, ClientSize client, PointerAt pointer)
{
    const PixelPoint at = pixelOf(pointer);
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

// Taking the pointer opens a step of the store and giving it back closes it:
// everything a drag changes is one step.
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

bool hitTestSamples(const CurveStore &store, ClientSize client, PointerAt at, int &index)
{
    return hitTestAnchors(store, client, at, store.current().samples, index);
}

bool hitTestStartTangents(const CurveStore &store, ClientSize client, PointerAt at, int &index)
{
    return store.editMode &&
           hitTestAnchors(store, client, at, store.current().startTangents, index);
}

bool hitTestEndTangents(const CurveStore &store, ClientSize client, PointerAt at, int &index)
{
    return store.editMode && hitTestAnchors(store, client, at, store.current().endTangents, index);
}

bool hitTestCursor(const CurveStore &store, ClientSize client, PointerAt at)
{
    const CurveSlot &curve = store.current();
    if (!store.cursorOn || store.cursorIndex < 0 || store.cursorIndex >= kMaxSampledPoints)
        return false;
    const DevicePicks picks(curve, client, at);
    return picks.drawn() && picks.inGrip({curve.sampledPoints[store.cursorIndex].x, curve.ymin});
}

bool insertSampleAtPointer(CurveStore &store, ClientSize client, PointerAt at)
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
                              PointerAt at)
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
                            PointerAt at)
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
            if (world && insideClient(client, pixelOf(at))) {
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
                               PointerAt at)
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
                             PointerAt at)
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
