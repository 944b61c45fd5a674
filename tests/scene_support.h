#pragma once

#include "curves/curve_store.h"
#include "test_support.h"
#include "view/plot_scene.h"

#include <QTest>

#include <memory>
#include <type_traits>
#include <vector>

namespace ombrelis {

// A store is eight 4096-point slots; tests keep it on the heap.
inline std::unique_ptr<CurveStore> makeStore()
{
    return std::make_unique<CurveStore>();
}

// The scene a paint draws: the drawn curves re-sampled, then the scene built.
inline PlotScene paintedScene(CurveStore &store, ClientSize client, double ratio = 1)
{
    store.resampleDrawnCurves();
    return buildPlotScene(store, client, ratio);
}

// Makes `slot` a computed curve (drawn from its sampled points only) of
// `count` points evenly spread over its x range, all at height y.
inline void setFlatComputedCurve(CurveSlot &slot, int count, double y)
{
    slot.interpolationFlag = 1;
    slot.samplingCount = count;
    for (int j = 0; j < count; ++j)
        slot.sampledPoints[j] = {slot.xmin + (slot.xmax - slot.xmin) * j / (count - 1), y};
}

// Gives `slot` the control samples (x, y) with flat handles `handle` units
// to either side.
inline void setSamples(CurveSlot &slot, std::initializer_list<CurvePoint> samples,
                       double handle = 50)
{
    slot.sampleCount = static_cast<int>(samples.size());
    int k = 0;
    for (const CurvePoint &p : samples) {
        slot.samples[k] = p;
        slot.startTangents[k] = {p.x - handle, p.y};
        slot.endTangents[k] = {p.x + handle, p.y};
        ++k;
    }
}

// The primitives of one kind in drawing order; the rectangles of a curve's
// bars count as rectangles.
template <typename Primitive> std::vector<Primitive> primitivesOf(const PlotScene &scene)
{
    std::vector<Primitive> found;
    for (const ScenePrimitive &primitive : scene.primitives) {
        if (const auto *p = std::get_if<Primitive>(&primitive))
            found.push_back(*p);
        if constexpr (std::is_same_v<Primitive, SceneRectangle>) {
            if (const auto *bars = std::get_if<SceneBars>(&primitive))
                found.insert(found.end(), bars->rectangles.begin(), bars->rectangles.end());
        }
    }
    return found;
}

inline char *toString(const PixelPoint &p)
{
    return QTest::toString(QStringLiteral("(%1, %2)").arg(p.x).arg(p.y));
}

inline char *toString(const SceneRectangle &r)
{
    return QTest::toString(QStringLiteral("(%1, %2)-(%3, %4) pen %5 fill %6")
                               .arg(r.left)
                               .arg(r.top)
                               .arg(r.right)
                               .arg(r.bottom)
                               .arg(r.pen, 6, 16, QLatin1Char('0'))
                               .arg(r.fill, 6, 16, QLatin1Char('0')));
}

}  // namespace ombrelis
