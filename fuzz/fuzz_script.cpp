// The script runner on one window: curves 1 to 3 from the example files,
// curve 4 with unsorted, non-finite abscissae, curve 1 current. Any line,
// then the target's invariants, its area and the scene of the window.
#include "curves/crv_format.h"
#include "fuzz_support.h"
#include "geometry/surface.h"
#include "script/script_run.h"
#include "script/script_text.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <sstream>

using namespace ombrelis;

namespace {

void load(CurveStore &store, int slot, const char *name, int samplingCount)
{
    std::ifstream file(std::string(OMBRELIS_EXAMPLES) + '/' + name, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    auto curve = std::make_unique<CurveSlot>();
    require(parseCurveFile(bytes, name, *curve).ok(), "an example file reads");
    curve->active = true;
    curve->samplingCount = samplingCount;
    store.replaceSlot(slot, *curve);
}

std::unique_ptr<CurveStore> makeWindow()
{
    auto store = std::make_unique<CurveStore>();
    load(*store, 0, "wave.crv", 64);
    load(*store, 1, "ramp.crv", 100);
    load(*store, 2, "parabola.crv", 33);
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    auto odd = std::make_unique<CurveSlot>();
    odd->active = true;
    odd->interpolationFlag = 1;
    odd->xmin = -50;
    odd->xmax = 1e300;
    const double xs[] = {500, nan, -inf, 200, inf, 1e308, -1e308, 0, 0, 900, nan, 1000};
    odd->samplingCount = static_cast<int>(std::size(xs));
    for (int j = 0; j < odd->samplingCount; ++j)
        odd->sampledPoints[j] = {xs[j], j % 3 ? j * 10.0 : nan};
    store->replaceSlot(3, *odd);
    store->resampleDrawnCurves();  // as the first paint leaves them
    return store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::unique_ptr<const CurveStore> pristine = makeWindow();
    static const auto store = std::make_unique<CurveStore>(*pristine);
    const std::string_view line(reinterpret_cast<const char *>(data), size);
    const ScriptRunResult result = runScript(*store, line);
    if (!result.valid) {
        require(result.target == -1 && store->currentCurve == 0,
                "a refused or faulty line changes nothing");
        for (int k = 0; k < kCurveCount; ++k) {
            const CurveSlot &slot = store->slots()[k], &was = pristine->slots()[k];
            require(slot.name == was.name && slot.xmax == was.xmax &&
                        std::memcmp(slot.sampledPoints.data(), was.sampledPoints.data(),
                                    sizeof slot.sampledPoints) == 0,
                    "a refused or faulty line writes no curve");
        }
        return 0;
    }
    const int target = result.target;
    require(target >= 0 && target < kCurveCount && store->currentCurve == target,
            "the target is current");
    const CurveSlot &slot = store->slots()[target];
    const CurveSlot &current = pristine->current();
    const ScriptRange range = scriptRange(*pristine, splitAssignment(removeBlanks(line)).right);
    require(slot.xmin == range.x0 && slot.xmax == range.x1,
            "the range is the union of the named curves");
    require(slot.ymin == current.ymin && slot.ymax == current.ymax,
            "the y bounds are the current curve's");
    require(slot.samplingCount == current.samplingCount,
            "the sampling count is the current curve's");
    require(slot.active && slot.interpolationFlag == 1 && slot.sampleCount == 0,
            "a valid result is computed");
    computeSurface(slot);
    const ClientSize client{320, 240};
    store->resampleDrawnCurves();
    requireSceneInsideClient(buildPlotScene(*store, client), client);

    // Only the target and the current curve changed.
    store->replaceSlot(target, pristine->slots()[target]);
    store->currentCurve = 0;
    return 0;
}
