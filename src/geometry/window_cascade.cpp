#include "geometry/window_cascade.h"

#include <algorithm>

namespace ombrelis {

namespace {

// Even a lone window leaves one step free around it, so that it does not
// look maximised.
constexpr int kShallowestStack = 2;

}  // namespace

int cascadeDepth(const CascadeArea &area)
{
    const int step = std::max(area.step, 1);
    const int room =
        std::min(area.width - kUsableWindowWidth, area.height - kUsableWindowHeight) / step;
    return 1 + std::max(room, 0);
}

WindowPlace cascadePlace(const CascadeArea &area, int position, int count)
{
    const int step = std::max(area.step, 1);
    const int depth = cascadeDepth(area);
    const int stack = std::clamp(count, kShallowestStack, std::max(depth, kShallowestStack));
    const int shrink = step * (std::min(stack, depth) - 1);
    const int offset = step * (std::max(position, 0) % depth);
    return {offset, offset, std::max(area.width - shrink, kUsableWindowWidth),
            std::max(area.height - shrink, kUsableWindowHeight)};
}

}  // namespace ombrelis
