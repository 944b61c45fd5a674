#include "view/view_options.h"

#include "curves/curve_store.h"

#include <algorithm>

namespace ombrelis {

void applySamplingCount(CurveStore &store, int mark, int count)
{
    const bool wasChecked = store.samplingMarks[static_cast<std::size_t>(mark)];
    store.samplingMarks.fill(false);
    store.samplingMarks[static_cast<std::size_t>(mark)] = !wasChecked;
    store.setSamplingCount(count);
    clampCursorIndex(store);
}

void clampCursorIndex(CurveStore &store)
{
    const int points = usedEntries(store.current().samplingCount, kMaxSampledPoints);
    store.cursorIndex = std::clamp(store.cursorIndex, 0, std::max(points - 1, 0));
}

}  // namespace ombrelis
