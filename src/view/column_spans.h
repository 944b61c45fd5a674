#pragma once

#include "view/pixel_runs.h"
#include "view/plot_scene.h"

#include <functional>
#include <span>
#include <vector>

namespace ombrelis {

// Rectangles drawn one over another resolved into the pixels that show in the
// end, column by column. Thousands of bars narrower than a pixel hide one
// another; writing only what stays visible costs about one write per pixel
// however many rectangles cover it.

// Rows top..bottom-1 of column x, in one colour.
struct ColumnSpan {
    int x = 0;
    int top = 0;
    int bottom = 0;
    Colour colour = 0;
    friend bool operator==(const ColumnSpan &, const ColumnSpan &) = default;
};

// Takes the rectangles of a run from the last drawn to the first and hands
// out the spans of their pixels that nothing drawn later hides. Every pixel
// the run covers inside the clip comes out once, in the colour the last
// rectangle covering it gives it. Memory grows with the clip's width.
class ColumnResolver {
public:
    using Emit = std::function<void(std::span<const ColumnSpan>)>;

    // Outlines are `lineWidth` pixels thick, inside each rectangle.
    ColumnResolver(const PixelRect &clip, Emit emit, int lineWidth = 1);

    // `rects` were drawn, in their order, before everything added so far.
    void addUnder(std::span<const SceneRectangle> rects);
    // Hands out the spans not yet handed out; call it after the first
    // rectangle of the run.
    void flush();

private:
    struct RowRange {
        int top;
        int bottom;
    };
    // Rows of one column already decided: sorted, disjoint, not touching.
    using Covered = std::vector<RowRange>;

    void addUnder(const SceneRectangle &rect);
    void emitUncovered(const Covered &covered, int x, int top, int bottom, Colour colour);
    void push(const ColumnSpan &span);
    static void cover(Covered &covered, int top, int bottom);

    PixelRect clip_;
    Emit emit_;
    int lineWidth_;
    std::vector<Covered> columns_;
    std::vector<ColumnSpan> pending_;
};

}  // namespace ombrelis
