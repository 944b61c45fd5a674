// The line rule against a plain walk: for every column (row) of the clip along
// the major axis, the pixel nearest the ideal line, ties away from `from`,
// the end pixel left out.
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace ombrelis;

namespace {

using Wide = __int128;

// The pixels of the line inside `clip`, one step of the major axis at a time.
std::vector<bool> referenceWalk(PixelPoint from, PixelPoint to, const PixelRect &clip)
{
    const int width = clip.right - clip.left;
    std::vector<bool> covered(static_cast<std::size_t>(width * (clip.bottom - clip.top)));
    const Wide dx = Wide{to.x} - from.x, dy = Wide{to.y} - from.y;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const Wide length = xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
    const Wide rise = xMajor ? (dy < 0 ? -dy : dy) : (dx < 0 ? -dx : dx);
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int low = xMajor ? clip.left : clip.top, high = xMajor ? clip.right : clip.bottom;
    for (int major = low; major < high; ++major) {
        const Wide i = (Wide{major} - (xMajor ? from.x : from.y)) * majorSign;
        if (i < 0 || i >= length)
            continue;
        const Wide minor =
            (xMajor ? from.y : from.x) + minorSign * ((2 * i * rise + length) / (2 * length));
        const Wide x = xMajor ? major : minor, y = xMajor ? minor : major;
        if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom)
            covered[static_cast<std::size_t>((y - clip.top) * width + (x - clip.left))] = true;
    }
    return covered;
}

// Near the clip most of the time, anywhere in the int range otherwise.
int coordinate(FuzzedDataProvider &input)
{
    return input.ConsumeBool() ? input.ConsumeIntegralInRange(-300, 300)
                               : input.ConsumeIntegral<int>();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int left = input.ConsumeIntegralInRange(-200, 200);
    const int top = input.ConsumeIntegralInRange(-200, 200);
    const PixelRect clip{left, top, left + input.ConsumeIntegralInRange(1, 128),
                         top + input.ConsumeIntegralInRange(1, 128)};
    const PixelPoint from{coordinate(input), coordinate(input)};
    const PixelPoint to{coordinate(input), coordinate(input)};

    static std::vector<PixelRect> runs;
    runs.clear();
    appendLineRuns(from, to, clip, runs);
    requireInside(runs, clip);
    const int width = clip.right - clip.left;
    std::vector<bool> covered(static_cast<std::size_t>(width * (clip.bottom - clip.top)));
    for (const PixelRect &run : runs) {
        for (int y = run.top; y < run.bottom; ++y) {
            for (int x = run.left; x < run.right; ++x) {
                const auto at = static_cast<std::size_t>((y - clip.top) * width + (x - clip.left));
                require(!covered[at], "a pixel is covered twice");
                covered[at] = true;
            }
        }
    }
    require(covered == referenceWalk(from, to, clip), "the runs differ from the plain walk");
    return 0;
}
