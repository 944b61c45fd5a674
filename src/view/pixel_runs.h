#pragma once

#include "view/plot_mapping.h"

#include <span>
#include <vector>

namespace ombrelis {

// The Win32 pixel rules of the plot's lines and rectangles, as runs of pixels
// that any painter can fill: a line leaves out its last pixel, a rectangle
// (l, t, r, b) covers columns l..r-1 and rows t..b-1.

// Columns left..right-1 and rows top..bottom-1; empty when right <= left or
// bottom <= top.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool isEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const PixelRect &, const PixelRect &) = default;
};

PixelRect intersected(const PixelRect &a, const PixelRect &b);

// The rectangle without its outermost `ring` pixels on each side (empty when
// it is 2 * ring pixels wide or high, or less).
PixelRect interior(const PixelRect &r, int ring = 1);

// The pixels a pen `width` pixels wide covers along `run`: each pixel of the
// run grows into a width x width square to its right and below, so that at
// a whole device pixel ratio a line covers what its logical pixels cover.
PixelRect widened(const PixelRect &run, int width);

// The area whose pixels, widened by `width`, can reach `clip`.
PixelRect reachOfWidened(const PixelRect &clip, int width);

// Appends to `runs` the pixels of the line from `from` to `to`, leaving out
// `to`, that lie inside `clip`: one pixel per column (per row for a line
// steeper than 45 degrees), the one nearest the ideal line, a tie going to the
// pixel further from `from`. Runs follow the line from `from`; a run that
// carries on the last run already in `runs` is joined to it. Exact for any
// int coordinates: clipping never moves a pixel, and the work is bounded by
// the size of `clip`.
void appendLineRuns(PixelPoint from, PixelPoint to, const PixelRect &clip,
                    std::vector<PixelRect> &runs);

// Appends the pixels of a poly-Bézier inside `clip`: `points` holds a start
// point, then two control points and an end point per cubic segment (points
// beyond the last whole segment are ignored). Each segment is drawn as lines
// between its points at bezierSteps() even steps of t, rounded to the nearest
// pixel; unlike a lone line the curve also covers its very last pixel.
void appendBezierRuns(std::span<const PixelPoint> points, const PixelRect &clip,
                      std::vector<PixelRect> &runs);

// Steps per cubic segment: about one per four pixels of its control polygon,
// at least one and at most kMaxBezierSteps.
int bezierSteps(PixelPoint p0, PixelPoint p1, PixelPoint p2, PixelPoint p3);
inline constexpr int kMaxBezierSteps = 1024;

}  // namespace ombrelis
