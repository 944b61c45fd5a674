#pragma once

#include "curves/curve_slot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ombrelis {

// Pixel geometry of the plot: margins of a thirtieth of the client width and a
// twentieth of its height (integer divisions), the bounds of a curve mapped
// onto the plot area between them, pixel y growing downwards.

struct ClientSize {
    int width = 0;
    int height = 0;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint &, const PixelPoint &) = default;
};

// The plot area in client pixels: (left, top) to (left + width, top + height).
struct PlotArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PlotArea &, const PlotArea &) = default;
};

PlotArea plotArea(ClientSize client);

// trunc(offset) + margin, saturated to the int32 range; NaN gives the margin.
// Inline and without a call to trunc: a paint maps tens of thousands of
// points. Offsets are first held within +-4e18, where the int64 conversion
// truncates exactly and the sum still saturates as the unbounded one would.
inline int toPixel(double offset, int margin)
{
    if (std::isnan(offset))
        return margin;
    constexpr double kHeld = 4e18;
    const auto pixel = static_cast<std::int64_t>(std::clamp(offset, -kHeld, kHeld)) + margin;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    return static_cast<int>(std::clamp(pixel, kMin, kMax));
}

// World (x, y) to client pixels with the bounds of `bounds`; fractions of a
// pixel are dropped towards zero. Never undefined: a coordinate beyond the
// int32 range (a huge value, or an infinite scale from an empty range)
// saturates to INT32_MIN or INT32_MAX, and a NaN one (such as 0 times an
// infinite scale) lands on the margin, the left or top edge of the plot area.
PixelPoint worldToScreen(const CurveSlot &bounds, ClientSize client, double x, double y);

// worldToScreen with the scales worked out once, for mapping many points:
// the same pixels, without two divisions per point.
class ScreenMapping {
public:
    ScreenMapping(const CurveSlot &bounds, ClientSize client);
    PixelPoint operator()(double x, double y) const { return {pixelX(x), pixelY(y)}; }
    int pixelX(double x) const { return toPixel((x - xmin_) * sx_, area_.left); }
    int pixelY(double y) const { return toPixel((ymax_ - y) * sy_, area_.top); }

private:
    PlotArea area_;
    double xmin_;
    double ymax_;
    double sx_;
    double sy_;
};

// Whether the mapping gives both axes a finite, non-zero scale. Without one
// (an empty or undefined range, a range wider than the doubles reach, a
// client area of no width or height) every point would land on the int
// limits, the margin or one line of pixels: such a plot is left blank and
// nothing on it can be picked.
bool mappingHasRange(const CurveSlot &bounds, ClientSize client);

// Client pixels to world units with the bounds of `bounds`, fraction kept.
// When the plot area has no width (or no height) the result is xmin (or ymax)
// instead of a division by zero.
CurvePoint screenToWorld(const CurveSlot &bounds, ClientSize client, int px, int py);

}  // namespace ombrelis
