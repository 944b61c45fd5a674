#include "view/column_spans.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace ombrelis {

namespace {

// Spans handed out at a time: small enough to stay in cache.
constexpr std::size_t kBatch = 4096;

}  // namespace

ColumnResolver::ColumnResolver(const PixelRect &clip, Emit emit, int lineWidth)
    : clip_(clip), emit_(std::move(emit)), lineWidth_(lineWidth)
{
    if (!clip_.isEmpty())
        columns_.resize(static_cast<std::size_t>(clip_.right - std::int64_t{clip_.left}));
    pending_.reserve(kBatch);
}

void ColumnResolver::addUnder(std::span<const SceneRectangle> rects)
{
    for (auto it = rects.rbegin(); it != rects.rend(); ++it)
        addUnder(*it);
}

void ColumnResolver::flush()
{
    if (!pending_.empty())
        emit_(pending_);
    pending_.clear();
}

void ColumnResolver::addUnder(const SceneRectangle &r)
{
    const PixelRect rect{r.left, r.top, r.right, r.bottom};
    const PixelRect outer = intersected(rect, clip_);
    if (outer.isEmpty())
        return;
    const PixelRect inner = interior(rect, lineWidth_);
    // The rows of the top edge, the inside and the bottom edge, clipped.
    const int topEdgeEnd = std::min(inner.top, outer.bottom);
    const int fillTop = std::max(inner.top, clip_.top);
    const int fillBottom = std::min(inner.bottom, clip_.bottom);
    const int bottomEdgeTop = std::max(inner.bottom, outer.top);
    for (int x = outer.left; x < outer.right; ++x) {
        Covered &covered = columns_[static_cast<std::size_t>(x - std::int64_t{clip_.left})];
        if (covered.size() == 1 && covered[0].top <= outer.top && covered[0].bottom >= outer.bottom)
            continue;  // wholly hidden in this column
        if (inner.isEmpty() || x < inner.left || x >= inner.right) {
            emitUncovered(covered, x, outer.top, outer.bottom, r.pen);
        } else {
            emitUncovered(covered, x, outer.top, topEdgeEnd, r.pen);
            emitUncovered(covered, x, fillTop, fillBottom, r.fill);
            emitUncovered(covered, x, bottomEdgeTop, outer.bottom, r.pen);
        }
        cover(covered, outer.top, outer.bottom);
    }
}

void ColumnResolver::emitUncovered(const Covered &covered, int x, int top, int bottom,
                                   Colour colour)
{
    int y = top;
    for (const RowRange &range : covered) {
        if (y >= bottom)
            return;
        if (range.bottom <= y)
            continue;
        if (range.top >= bottom)
            break;
        if (range.top > y)
            push({x, y, range.top, colour});
        y = range.bottom;
    }
    if (y < bottom)
        push({x, y, bottom, colour});
}

void ColumnResolver::push(const ColumnSpan &span)
{
    pending_.push_back(span);
    if (pending_.size() == kBatch)
        flush();
}

void ColumnResolver::cover(Covered &covered, int top, int bottom)
{
    // The ranges that touch or overlap [top, bottom) merge with it.
    const auto first = std::find_if(covered.begin(), covered.end(),
                                    [top](const RowRange &r) { return r.bottom >= top; });
    const auto last =
        std::find_if(first, covered.end(), [bottom](const RowRange &r) { return r.top > bottom; });
    if (first == last) {
        covered.insert(first, {top, bottom});
        return;
    }
    first->top = std::min(first->top, top);
    first->bottom = std::max(std::prev(last)->bottom, bottom);
    covered.erase(std::next(first), last);
}

}  // namespace ombrelis
