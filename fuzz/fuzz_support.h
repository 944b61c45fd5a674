#pragma once

#include "view/pixel_runs.h"
#include "view/plot_scene.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <variant>
#include <vector>

namespace ombrelis {

// A broken invariant is a finding: libFuzzer keeps the input that aborts.
inline void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

inline bool inside(const PixelRect &run, const PixelRect &clip)
{
    return !run.isEmpty() && run.left >= clip.left && run.top >= clip.top &&
           run.right <= clip.right && run.bottom <= clip.bottom;
}

inline void requireInside(const std::vector<PixelRect> &runs, const PixelRect &clip)
{
    for (const PixelRect &run : runs)
        require(inside(run, clip), "a run leaves the clip");
}

// Every pixel the painter would fill for `scene` in a client of `client`
// lies inside it, and the primitives keep their documented shapes.
inline void requireSceneInsideClient(const PlotScene &scene, ClientSize client)
{
    const PixelRect clip{0, 0, client.width, client.height};
    static std::vector<PixelRect> runs;
    const auto lines = [&](const auto &points) {
        runs.clear();
        for (std::size_t i = 0; i + 1 < std::size(points); ++i)
            appendLineRuns(points[i], points[i + 1], clip, runs);
        requireInside(runs, clip);
    };
    for (const ScenePrimitive &primitive : scene.primitives) {
        if (const auto *line = std::get_if<SceneLine>(&primitive)) {
            lines(std::array<PixelPoint, 2>{line->from, line->to});
        } else if (const auto *polyline = std::get_if<ScenePolyline>(&primitive)) {
            lines(polyline->points);
        } else if (const auto *mark = std::get_if<SceneMark>(&primitive)) {
            lines(markOutline(mark->centre));
        } else if (const auto *bezier = std::get_if<SceneBezier>(&primitive)) {
            require(bezier->points.size() >= 4 && bezier->points.size() % 3 == 1,
                    "a Bézier of 3k + 1 points");
            runs.clear();
            appendBezierRuns(bezier->points, clip, runs);
            requireInside(runs, clip);
        } else if (const auto *r = std::get_if<SceneRectangle>(&primitive)) {
            require(r->left <= r->right && r->top <= r->bottom, "a rectangle with ordered sides");
        }
    }
}

}  // namespace ombrelis
