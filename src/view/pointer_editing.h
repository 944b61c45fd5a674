#pragma once

#include "curves/curve_store.h"
#include "view/plot_mapping.h"

#include <optional>

namespace ombrelis {

// Mouse and keyboard editing of a window's current curve (currentCurve 0..3),
// as pure steps on its store. Pointer positions are client pixels of a view of size `client`; every
// conversion goes through the plot mapping with the current curve's bounds.
//
// Nothing can be picked on a plot whose mapping has no range (it draws
// nothing), and a pointer position that maps to an infinite or undefined
// world point moves, inserts and shows nothing.

// Pick tests: the first k, in ascending order, whose half-open 6 x 6 square
// [sx - 3, sx + 3) x [sy - 3, sy + 3) around the screen position holds `at`.
// `index` is written only on success. Samples are picked in either mode; the
// handles only in edit mode.
bool hitTestSamples(const CurveStore &store, ClientSize client, PixelPoint at, int &index);
bool hitTestStartTangents(const CurveStore &store, ClientSize client, PixelPoint at, int &index);
bool hitTestEndTangents(const CurveStore &store, ClientSize client, PixelPoint at, int &index);
// The 12 x 12 grip hanging below the cursor line's bottom end, while the
// cursor is on.
bool hitTestCursor(const CurveStore &store, ClientSize client, PixelPoint at);

// A new sample where the pointer is (CurveStore::insertSample); refused
// where the position maps to no finite world point.
bool insertSampleAtPointer(CurveStore &store, ClientSize client, PixelPoint at);

// The cursor to the sampled interval holding world x, or to 0 outside them.
void dragCursorTo(CurveStore &store, double x);
// One sampled point right (+1) or left (-1), wrapping at both ends; stays at
// 0 when the current curve has no sampled points.
void stepCursor(CurveStore &store, int direction);

// What the view's pointer editing remembers between events.
struct PointerState {
    int hitSample = -1;  // set by the last successful pick test
    bool dragSample = false;
    bool dragStartTangent = false;
    bool dragEndTangent = false;
    bool dragCursor = false;
    // The view holds the pointer: a press that grabs something takes it, the
    // release that finds it gives it back. Meanwhile moves and releases
    // arrive also outside the client area, and the store's changes make one
    // step: a whole drag is one user action.
    bool capture = false;
};

// What a view does after a pointer step.
struct PointerOutcome {
    bool repaint = false;
    bool beep = false;
    // The pointer in world units, for the cursor readouts of the bar in use.
    std::optional<CurvePoint> readout;
    // A sample's coordinates, for the edit bar's point fields X and Y.
    std::optional<CurvePoint> pointFields;
};

// The view's pointer events, on its curves and its pointer state.
PointerOutcome leftButtonDown(CurveStore &store, PointerState &pointer, ClientSize client,
                              PixelPoint at);
PointerOutcome pointerMoved(CurveStore &store, PointerState &pointer, ClientSize client,
                            PixelPoint at);
PointerOutcome leftButtonUp(CurveStore &store, PointerState &pointer);
PointerOutcome rightButtonDown(CurveStore &store, PointerState &pointer, ClientSize client,
                               PixelPoint at);
PointerOutcome rightButtonUp(CurveStore &store, PointerState &pointer, ClientSize client,
                             PixelPoint at);

}  // namespace ombrelis
