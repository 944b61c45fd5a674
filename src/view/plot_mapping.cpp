#include "view/plot_mapping.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace ombrelis {

PlotArea plotArea(ClientSize client)
{
    const int mx = client.width / 30;
    const int my = client.height / 20;
    return {mx, my, client.width - 2 * mx, client.height - 2 * my};
}

PixelPoint worldToScreen(const CurveSlot &bounds, ClientSize client, double x, double y)
{
    return ScreenMapping(bounds, client)(x, y);
}

ScreenMapping::ScreenMapping(const CurveSlot &bounds, ClientSize client)
    : area_(plotArea(client)),
      xmin_(bounds.xmin),
      ymax_(bounds.ymax),
      sx_(area_.width / (bounds.xmax - bounds.xmin)),
      sy_(area_.height / (bounds.ymax - bounds.ymin))
{ }

bool mappingHasRange(const CurveSlot &bounds, ClientSize client)
{
    const PlotArea area = plotArea(client);
    const double sx = area.width / (bounds.xmax - bounds.xmin);
    const double sy = area.height / (bounds.ymax - bounds.ymin);
    return std::isfinite(sx) && std::isfinite(sy) && sx != 0.0 && sy != 0.0;
}

CurvePoint screenToWorld(const CurveSlot &bounds, ClientSize client, int px, int py)
{
    const PlotArea area = plotArea(client);
    CurvePoint world{bounds.xmin, bounds.ymax};
    if (area.width > 0)
        world.x =
            bounds.xmin + ((double(px) - area.left) * (bounds.xmax - bounds.xmin)) / area.width;
    if (area.height > 0)
        world.y =
            bounds.ymax - ((double(py) - area.top) * (bounds.ymax - bounds.ymin)) / area.height;
    return world;
}

}  // namespace ombrelis
