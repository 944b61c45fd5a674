#include "view/plot_scene.h"

#include "curves/number_text.h"
#include "geometry/sampler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ombrelis {

namespace {

// v + delta without leaving the int range: mapped pixels may already sit at
// its ends.
int offsetPixel(int v, int delta)
{
    const std::int64_t sum = std::int64_t{v} + delta;
    return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

bool isDrawn(const CurveSlot &slot)
{
    return slot.sampleCount > 0 || slot.interpolationFlag != 0;
}

enum class CurveStyle {
    Bezier,
    BezierWithHandles,
    Polyline,
    Bars
};

class SceneBuilder {
public:
    // `mapping` in device pixels, none for a blank plot.
    SceneBuilder(const CurveStore &store, std::optional<ScreenMapping> mapping, double ratio,
                 PlotScene &scene)
        : store_(store), scene_(scene), ratio_(ratio), mapping_(mapping)
    { }

    void addAxes();
    void addFrame();
    void addCurve(int slot, Colour colour);
    void addCursor();

private:
    PixelPoint map(double x, double y) const { return (*mapping_)(x, y); }
    PixelPoint map(CurvePoint p) const { return map(p.x, p.y); }
    template <typename Primitive> void add(Primitive primitive)
    {
        scene_.primitives.emplace_back(std::move(primitive));
    }

    CurveStyle styleOf(int slot) const;
    void addBezier(const CurveSlot &slot, Colour colour);
    void addHandles(const CurveSlot &slot);
    void addPolyline(const CurveSlot &slot, Colour colour);
    void addBars(const CurveSlot &slot, Colour colour);
    void addCursorLabels(double x);

    const CurveStore &store_;
    PlotScene &scene_;
    double ratio_;
    // The bounds stay the same while a scene is built; none for a blank plot.
    std::optional<ScreenMapping> mapping_;
};

void SceneBuilder::addAxes()
{
    if (!mapping_)
        return;
    const CurveSlot &b = store_.current();
    add(SceneLine{map(0, b.ymin), map(0, b.ymax)});
    add(SceneLine{map(b.xmin, 0), map(b.xmax, 0)});
}

void SceneBuilder::addFrame()
{
    if (!mapping_)
        return;
    const CurveSlot &b = store_.current();
    const PixelPoint a = map(b.xmin, b.ymin);
    const PixelPoint c = map(b.xmax, b.ymax);
    add(ScenePolyline{{a, {a.x, c.y}, c, {c.x, a.y}, a}});
}

CurveStyle SceneBuilder::styleOf(int slot) const
{
    const bool computed = store_.slots()[slot].interpolationFlag != 0;
    if (store_.editMode && !computed)
        return slot == store_.currentCurve ? CurveStyle::BezierWithHandles : CurveStyle::Bezier;
    if (store_.smoothing && !computed)
        return CurveStyle::Bezier;
    return store_.interpolationOption ? CurveStyle::Polyline : CurveStyle::Bars;
}

void SceneBuilder::addCurve(int slot, Colour colour)
{
    const CurveSlot &curve = store_.slots()[slot];
    if (!mapping_)
        return;
    switch (styleOf(slot)) {
    case CurveStyle::BezierWithHandles:
        addBezier(curve, colour);
        addHandles(curve);
        break;
    case CurveStyle::Bezier:
        addBezier(curve, colour);
        break;
    case CurveStyle::Polyline:
        addPolyline(curve, colour);
        break;
    case CurveStyle::Bars:
        addBars(curve, colour);
        break;
    }
}

void SceneBuilder::addBezier(const CurveSlot &slot, Colour colour)
{
    const std::vector<CurvePoint> polygon = controlPolygon(slot);
    if (polygon.size() < 4)
        return;  // one sample: no segment
    SceneBezier bezier{{}, colour};
    bezier.points.reserve(polygon.size());
    for (const CurvePoint &p : polygon)
        bezier.points.push_back(map(p));
    add(std::move(bezier));
}

void SceneBuilder::addHandles(const CurveSlot &slot)
{
    const int n = sampleTotal(slot);
    const int half = devicePixels(kMarkHalf, ratio_);
    for (int k = 0; k < n; ++k) {
        const PixelPoint s = map(slot.startTangents[k]);
        const PixelPoint p = map(slot.samples[k]);
        const PixelPoint e = map(slot.endTangents[k]);
        add(SceneMark{s, kBlack, half});
        add(SceneLine{s, p, kBlue});
        add(SceneMark{p, kBlack, half});
        add(SceneLine{p, e, kBlue});
        add(SceneMark{e, kBlack, half});
    }
}

void SceneBuilder::addPolyline(const CurveSlot &slot, Colour colour)
{
    const int count = usedEntries(slot.samplingCount, kMaxSampledPoints);
    if (count < 2)
        return;  // a single point draws no line
    ScenePolyline line{{}, colour};
    line.points.reserve(count);
    for (int j = 0; j < count; ++j)
        line.points.push_back(map(slot.sampledPoints[j]));
    add(std::move(line));
}

// Each bar runs from the midpoint with its left neighbour to the midpoint with
// its right one (the outer bars stop at the first and last x), and from the
// point's y to the world line y = 0.
void SceneBuilder::addBars(const CurveSlot &slot, Colour colour)
{
    const int count = usedEntries(slot.samplingCount, kMaxSampledPoints);
    if (count < 2)
        return;  // the outer bars need a neighbour
    const auto &p = slot.sampledPoints;
    SceneBars bars;
    bars.rectangles.reserve(count);
    // A bar's right edge is its right neighbour's left edge: each edge and
    // the line y = 0 are mapped once.
    const int base = mapping_->pixelY(0);
    int left = mapping_->pixelX(p[0].x);
    for (int j = 0; j < count; ++j) {
        const int right = mapping_->pixelX(j == count - 1 ? p[j].x : (p[j].x + p[j + 1].x) * 0.5);
        const int top = mapping_->pixelY(p[j].y);
        bars.rectangles.push_back({std::min(left, right), std::min(top, base),
                                   std::max(left, right), std::max(top, base), colour, kWhite});
        left = right;
    }
    add(std::move(bars));
}

void SceneBuilder::addCursor()
{
    const CurveSlot &current = store_.current();
    if (store_.cursorIndex < 0 || store_.cursorIndex >= kMaxSampledPoints)
        return;
    const CurvePoint point = current.sampledPoints[store_.cursorIndex];
    scene_.cursorReadout = CursorReadout{formatNumber(point.x), formatNumber(point.y)};
    if (!mapping_)
        return;
    const PixelPoint q = map(point.x, current.ymin);
    add(SceneLine{q, map(point.x, current.ymax)});
    const int half = devicePixels(6, ratio_);
    const int l = offsetPixel(q.x, -half);
    const int r = offsetPixel(q.x, half);
    const int b = offsetPixel(q.y, devicePixels(12, ratio_));
    add(ScenePolyline{{{r, b}, {r, q.y}, {l, q.y}, {l, b}, {r, b}}});
    addCursorLabels(point.x);
}

// The y of `slot` at x, read straight between its sampled points; none when x
// lies outside them.
std::optional<double> interpolatedY(const CurveSlot &slot, double x)
{
    const int i = findSampledIndex(slot, x);
    if (i == -1)
        return std::nullopt;
    const auto &p = slot.sampledPoints;
    if (i == usedEntries(slot.samplingCount, kMaxSampledPoints) - 1)
        return p[i].y;
    return p[i].y + (x - p[i].x) * (p[i + 1].y - p[i].y) / (p[i + 1].x - p[i].x);
}

void SceneBuilder::addCursorLabels(double x)
{
    const FontDescription font = cursorLabelFont(ratio_);
    add(SceneText{map(x, 0), formatNumber(x), font});
    for (int k = 0; k < kCurveCount; ++k) {
        if (const std::optional<double> y = interpolatedY(store_.slots()[k], x))
            add(SceneText{map(x, *y), formatNumber(*y), font});
    }
}

}  // namespace

double plotPixelRatio(double ratio)
{
    return std::isnan(ratio) ? 1.0 : std::clamp(ratio, 1.0, kMaxPixelRatio);
}

ClientSize deviceClient(ClientSize client, double ratio)
{
    const double r = plotPixelRatio(ratio);
    const auto scaled = [r](int side) {
        return static_cast<int>(std::clamp<double>(std::round(side * r),
                                                   std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
    };
    return {scaled(client.width), scaled(client.height)};
}

int devicePixels(int logical, double ratio)
{
    return static_cast<int>(std::lround(logical * plotPixelRatio(ratio)));
}

std::optional<ScreenMapping> sceneMapping(const CurveSlot &bounds, ClientSize client, double ratio)
{
    return deviceMapping(bounds, deviceClient(client, ratio));
}

std::optional<ScreenMapping> deviceMapping(const CurveSlot &bounds, ClientSize device)
{
    if (!mappingHasRange(bounds, device))
        return std::nullopt;
    return ScreenMapping(bounds, device);
}

int lineWidthAt(double ratio)
{
    return std::max(1, devicePixels(1, ratio));
}

FontDescription cursorLabelFont(double ratio)
{
    return {"Courier", devicePixels(10, ratio), 400, false};
}

std::array<PixelPoint, 5> markOutline(PixelPoint centre, int half)
{
    const int l = offsetPixel(centre.x, -half);
    const int r = offsetPixel(centre.x, half);
    const int t = offsetPixel(centre.y, -half);
    const int b = offsetPixel(centre.y, half);
    return {{{r, b}, {r, t}, {l, t}, {l, b}, {r, b}}};
}

std::vector<DrawnCurve> drawnCurves(const CurveStore &store)
{
    std::vector<DrawnCurve> curves;
    if (store.currentCurve < 0 || store.currentCurve >= kCurveCount)
        return curves;
    for (int slot = 0; slot < kCurveCount; ++slot) {
        if (slot != store.currentCurve && isDrawn(store.slots()[slot]))
            curves.push_back({slot, store.slots()[slot].colour});
    }
    if (isDrawn(store.current()))
        curves.push_back({store.currentCurve, store.currentColour});
    return curves;
}

PlotScene buildPlotScene(const CurveStore &store, ClientSize client, double ratio)
{
    return buildDevicePlotScene(store, deviceClient(client, ratio), ratio);
}

PlotScene buildDevicePlotScene(const CurveStore &store, ClientSize device, double ratio)
{
    PlotScene scene;
    ratio = plotPixelRatio(ratio);
    scene.lineWidth = lineWidthAt(ratio);
    if (store.currentCurve < 0 || store.currentCurve >= kCurveCount)
        return scene;
    SceneBuilder builder(store, deviceMapping(store.current(), device), ratio, scene);
    if (store.showAxes)
        builder.addAxes();
    if (store.showFrame)
        builder.addFrame();
    for (const DrawnCurve &curve : drawnCurves(store))
        builder.addCurve(curve.slot, curve.colour);
    if (store.cursorOn)
        builder.addCursor();
    return scene;
}

namespace {

class SceneTranslation {
public:
    SceneTranslation(int dx, int dy) : dx_(dx), dy_(dy) { }

    void operator()(SceneLine &line) { move(line.from), move(line.to); }
    void operator()(ScenePolyline &line) { moveAll(line.points); }
    void operator()(SceneBezier &bezier) { moveAll(bezier.points); }
    void operator()(SceneMark &mark) { move(mark.centre); }
    void operator()(SceneText &text) { move(text.topLeft); }
    void operator()(SceneRectangle &r)
    {
        r.left = offsetPixel(r.left, dx_), r.right = offsetPixel(r.right, dx_);
        r.top = offsetPixel(r.top, dy_), r.bottom = offsetPixel(r.bottom, dy_);
    }
    void operator()(SceneBars &bars)
    {
        for (SceneRectangle &r : bars.rectangles)
            (*this)(r);
    }

private:
    void move(PixelPoint &p) const { p = {offsetPixel(p.x, dx_), offsetPixel(p.y, dy_)}; }
    void moveAll(std::vector<PixelPoint> &points) const
    {
        for (PixelPoint &p : points)
            move(p);
    }

    int dx_;
    int dy_;
};

}  // namespace

void translateScene(PlotScene &scene, int dx, int dy)
{
    SceneTranslation translation(dx, dy);
    for (ScenePrimitive &primitive : scene.primitives)
        std::visit(translation, primitive);
}

std::string plotDescription(const CurveStore &store, const PlotScene &scene)
{
    std::string text = "Courbe " + std::to_string(store.currentCurve + 1);
    if (store.currentCurve >= 0 && store.currentCurve < 4 && !store.current().name.empty())
        text += " : " + store.current().name;
    if (scene.cursorReadout)
        text +=
            ", curseur X = " + scene.cursorReadout->xText + ", Y = " + scene.cursorReadout->yText;
    return text;
}

}  // namespace ombrelis
