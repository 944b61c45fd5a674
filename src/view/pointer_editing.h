#pragma once

#include "curves/curve_store.h"
#include "view/plot_mapping.h"
#include "view/plot_scene.h"

#include <optional>

namespace ombrelis {

// Mouse and keyboard editing of a window's current curve (currentCurve 0..3),
// as pure steps on its store, for a view of `client` logical pixels. Every
// conversion goes through the plot mapping with the current curve's bounds:
// world units from the logical pixel holding the pointer, picks against the
// device pixels where the scene draws the marks.
//
// Nothing can be picked on a plot whose mapping has no range (it draws
// nothing), and a pointer position that maps to an infinite or undefined
// world point moves, inserts and shows nothing.

// Where a pointer event happened: its position in logical client pixels,
// fractions kept, on a view drawn at `ratio` device pixels per logical pixel
// (the ratio buildPlotScene takes).
struct PointerAt {
    double x = 0;
    double y = 0;
    double ratio = 1;
};

// Pick tests, at the pointer's unrounded device position (x, y) times the
// ratio r: the first k, in ascending order, whose half-open square
// [dx - 3r, dx + 3r) x [dy - 3r, dy + 3r) around the device pixel (dx, dy)
// where the scene draws the mark holds it; at r = 1 the 6 x 6 square of
// client pixels. `index` is written only on success. Samples are picked in
// either mode; the handles only in edit mode.
bool hitTestSamples(const CurveStore &store, ClientSize client, PointerAt at, int &index);
bool hitTestStartTangents(const CurveStore &store, ClientSize client, PointerAt at, int &index);
bool hitTestEndTangents(const CurveStore &store, ClientSize client, PointerAt at, int &index);
// The grip hanging below the cursor line's bottom end (dx, dy), while the
// cursor is on: [dx - 6r, dx + 6r) x [dy, dy + 12r), 12 x 12 client pixels.
bool hitTestCursor(const CurveStore &store, ClientSize client, PointerAt at);

// A new sample where the pointer is (CurveStore::insertSample); refused
// where the position maps to no finite world point.
bool insertSampleAtPointer(CurveStore &store, ClientSize client, PointerAt at);

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
                              PointerAt at);
PointerOutcome pointerMoved(CurveStore &store, PointerState &pointer, ClientSize client,
                            PointerAt at);
PointerOutcome leftButtonUp(CurveStore &store, PointerState &pointer);
PointerOutcome rightButtonDown(CurveStore &store, PointerState &pointer, ClientSize client,
                               PointerAt at);
PointerOutcome rightButtonUp(CurveStore &store, PointerState &pointer, ClientSize client,
                             PointerAt at);

}  // namespace ombrelis
