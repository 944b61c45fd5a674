#pragma once

#include "curves/curve_store.h"
#include "view/plot_mapping.h"

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ombrelis {

// What one paint of a plot view draws, as an ordered list of primitives in
// client pixels. Building it is pure arithmetic on the curve store; a painter
// turns it into pixels with the Win32 rules the geometry was written for: a
// rectangle (l, t, r, b) covers columns l..r-1 and rows t..b-1, a line leaves
// out its last pixel. Every pen is solid and lineWidth pixels wide.
//
// On a screen of more than one device pixel per logical pixel the scene is
// built in device pixels: the same mapping on the client's device size, pens
// round(ratio) pixels wide, marks, grip and label font scaled to whole device
// pixels. At a ratio of 1 it is the plain scene.

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlue = 0xFF0000;  // 0x00BBGGRR

// A straight line from `from` towards `to`; the pixel `to` is left out.
struct SceneLine {
    PixelPoint from;
    PixelPoint to;
    Colour colour = kBlack;
};

// Straight lines joining consecutive points, each leaving out its last pixel:
// an outline that ends where it started therefore covers all its corners.
struct ScenePolyline {
    std::vector<PixelPoint> points;
    Colour colour = kBlack;
};

// Covers columns left..right-1 and rows top..bottom-1 (left <= right,
// top <= bottom): the outermost ring of those pixels in `pen`, the inside in
// `fill`. Nothing when right == left or bottom == top.
struct SceneRectangle {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    Colour pen = kBlack;
    Colour fill = kWhite;
    friend bool operator==(const SceneRectangle &, const SceneRectangle &) = default;
};

// The bars of one curve: rectangles drawn in order, each over the ones
// before it. One primitive for thousands of them keeps a scene small.
struct SceneBars {
    std::vector<SceneRectangle> rectangles;
};

// Cubic Bézier segments through 3k + 1 points (k >= 1): a start point, then two
// control points and an end point per segment. Drawn as short lines between
// points of the curve rounded to pixels, and covering both its ends.
struct SceneBezier {
    std::vector<PixelPoint> points;
    Colour colour = kBlack;
};

inline constexpr int kMarkHalf = 3;  // a mark is 7 x 7 logical pixels

// The outline of the square from centre - half to centre + half on both axes.
struct SceneMark {
    PixelPoint centre;
    Colour colour = kBlack;
    int half = kMarkHalf;
};

// A font as the plot asks for it. When `family` is not installed the painter
// takes a monospaced face of the same em height.
struct FontDescription {
    std::string family;
    int emHeight = 0;  // pixels
    int weight = 400;  // 100 (thin) .. 900 (black); 400 is normal
    bool italic = false;
    friend bool operator==(const FontDescription &, const FontDescription &) = default;
};

// `text` with the top-left corner of its cell at `topLeft`, in `colour` on an
// opaque `background` that fills the cell (advance width x font height).
struct SceneText {
    PixelPoint topLeft;
    std::string text;  // UTF-8
    FontDescription font;
    Colour colour = kBlack;
    Colour background = kWhite;
};

using ScenePrimitive = std::variant<SceneLine, ScenePolyline, SceneRectangle, SceneBezier,
                                    SceneMark, SceneText, SceneBars>;

// The cursor's sampled point of the current curve as the bars show it.
struct CursorReadout {
    std::string xText;
    std::string yText;
};

struct PlotScene {
    std::vector<ScenePrimitive> primitives;      // in drawing order, over the background
    std::optional<CursorReadout> cursorReadout;  // set while the cursor is on
    int lineWidth = 1;                           // pixels, every line and outline
};

// Device pixels per logical pixel as a plot is drawn: from 1 to
// kMaxPixelRatio; a smaller or undefined ratio is drawn at 1 and left to the
// screen to scale.
inline constexpr double kMaxPixelRatio = 8;
double plotPixelRatio(double ratio);

// The client area in device pixels at `ratio` (plotPixelRatio applied), each
// side rounded to the nearest pixel.
ClientSize deviceClient(ClientSize client, double ratio);

// A length of `logical` pixels in whole device pixels at `ratio`.
int devicePixels(int logical, double ratio);

// Where a scene at `ratio` draws world points on a client area of `client`
// logical pixels: the bounds of `bounds` mapped onto the client's device
// pixels. Nothing when that mapping has no range (mappingHasRange): such a
// plot is left blank. Pointer picks test against these same positions.
std::optional<ScreenMapping> sceneMapping(const CurveSlot &bounds, ClientSize client, double ratio);

// The same for a client area already given in device pixels.
std::optional<ScreenMapping> deviceMapping(const CurveSlot &bounds, ClientSize device);

// The width of every pen at `ratio`: max(1, round(ratio)), so that all lines
// come out equally thick (2 pixels at 150 %).
int lineWidthAt(double ratio);

// The font of the cursor labels: "Courier", 10 logical pixels, normal weight.
FontDescription cursorLabelFont(double ratio = 1);

// The closed outline of a mark: five points, the last equal to the first.
std::array<PixelPoint, 5> markOutline(PixelPoint centre, int half = kMarkHalf);

// Everything one paint of the view draws into a client area of `client`
// logical pixels, in device pixels at `ratio`:
// axes, frame, the other curves, the current curve last, the cursor. It only
// reads the store: a paint re-samples the drawn curves first
// (CurveStore::resampleDrawnCurves).
//
// The mapping uses the bounds of the current curve. When it has no range
// (mappingHasRange), nothing is drawn at all — no axes, frame, curves or
// cursor — but the cursor readout is still given. A cursorIndex outside the sampled-point array
// shows no cursor and gives no readout; a currentCurve outside 0..3 gives an empty scene.
PlotScene buildPlotScene(const CurveStore &store, ClientSize client, double ratio = 1);

// The same for a client area already given in device pixels.
PlotScene buildDevicePlotScene(const CurveStore &store, ClientSize device, double ratio);

// A curve that a paint draws, in the colour it is drawn in.
struct DrawnCurve {
    int slot = 0;
    Colour colour = kBlack;
};

// The curves a paint draws, in drawing order: the others in slot order, the
// current one last in the current colour. Empty when currentCurve is outside
// 0..3.
std::vector<DrawnCurve> drawnCurves(const CurveStore &store);

// Moves every primitive of `scene` by (dx, dy) pixels; coordinates already at
// the int limits stay there.
void translateScene(PlotScene &scene, int dx, int dy);

// What a screen reader says of the plot that `scene` draws: the current curve
// with its name, and the cursor's readout while the cursor is on, e.g.
// "Courbe 3 : wave, curseur X = 12.50, Y = -3.00".
std::string plotDescription(const CurveStore &store, const PlotScene &scene);

}  // namespace ombrelis
