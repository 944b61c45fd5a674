#include "view/pixel_runs.h"

#include <algorithm>
#include <cstdint>

namespace {

// A line walked along its major axis: step i (0 <= i < length) moves `major`
// by i * majorStep and `minor` by round(i * rise / length) * minorStep, ties
// rounded up. Every product fits: i and rise are below 2^32.
struct LineWalk {
    std::int64_t major0, minor0;
    int majorStep, minorStep;
    std::uint64_t length, rise;
};

// The first and one-past-last step whose major coordinate lies in
// [low, high), within 0..length.
void stepRange(const LineWalk &walk, std::int64_t low, std::int64_t high, std::int64_t &first,
               std::int64_t &last)
{
    const auto length = static_cast<std::int64_t>(walk.length);
    if (walk.majorStep > 0) {
        first = low - walk.major0;
        last = high - walk.major0;
    } else {
        first = walk.major0 - (high - 1);
        last = walk.major0 - low + 1;
    }
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, length);
}

// Walks steps [first, last) and calls emit(major, minor) once per pixel whose
// minor coordinate lies in [minorLow, minorHigh).
template <typename Emit>
void walkLine(const LineWalk &walk, std::int64_t first, std::int64_t last, std::int64_t minorLow,
              std::int64_t minorHigh, Emit emit)
{
    if (first >= last)
        return;
    // 2 * i * rise + length == q * 2 * length + r, 0 <= r < 2 * length.
    const std::uint64_t twoLength = 2 * walk.length;
    const std::uint64_t n = static_cast<std::uint64_t>(first) * walk.rise;
    const std::uint64_t a = n / walk.length;
    const std::uint64_t b = n % walk.length;
    std::uint64_t q = a;
    std::uint64_t r = 2 * b + walk.length;
    if (r >= twoLength) {
        ++q;
        r -= twoLength;
    }
    std::int64_t major = walk.major0 + walk.majorStep * first;
    std::int64_t minor = walk.minor0 + walk.minorStep * static_cast<std::int64_t>(q);
    for (std::int64_t i = first; i < last; ++i) {
        if (minor >= minorLow && minor < minorHigh)
            emit(major, minor);
        else if ((walk.minorStep > 0 && minor >= minorHigh) ||
                 (walk.minorStep < 0 && minor < minorLow))
            return;  // the line has left the clip for good
        major += walk.majorStep;
        r += 2 * walk.rise;
        if (r >= twoLength) {
            r -= twoLength;
            minor += walk.minorStep;
        }
    }
}

// Gathers consecutive pixels of one row (or column) into runs. Pixels lie
// inside a clip whose exclusive right and bottom are ints, so run ends fit.
class RunCollector {
public:
    RunCollector(bool steep, std::vector<PixelRect> &runs) : steep_(steep), runs_(runs) {}
    ~RunCollector() { flush(); }

    void add(std::int64_t major, std::int64_t minor)
    {
        const int m = static_cast<int>(major);
        if (open_ && minor == minor_ && (major == low_ - std::int64_t{1} || major == high_ + std::int64_t{1})) {
            low_ = std::min(low_, m);
            high_ = std::max(high_, m);
            return;
        }
        flush();
        open_ = true;
        minor_ = static_cast<int>(minor);
        low_ = high_ = m;
    }

private:
    void flush()
    {
        if (!open_)
            return;
        if (steep_)
            runs_.push_back({minor_, low_, minor_ + 1, high_ + 1});
        else
            runs_.push_back({low_, minor_, high_ + 1, minor_ + 1});
        open_ = false;
    }

    bool steep_;
    std::vector<PixelRect> &runs_;
    bool open_ = false;
    int minor_ = 0;
    int low_ = 0;
    int high_ = 0;
};

std::uint64_t distance(int a, int b)
{
    return static_cast<std::uint64_t>(std::max(a, b) - std::int64_t{std::min(a, b)});
}

int direction(int from, int to)
{
    return to > from ? 1 : -1;
}

}  // namespace

PixelRect intersected(const PixelRect &a, const PixelRect &b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

PixelRect interior(const PixelRect &r)
{
    if (std::int64_t{r.right} - r.left <= 2 || std::int64_t{r.bottom} - r.top <= 2)
        return {};
    return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

void appendLineRuns(PixelPoint from, PixelPoint to, const PixelRect &clip,
                    std::vector<PixelRect> &runs)
{
    if (from == to || clip.isEmpty())
        return;
    const std::uint64_t dx = distance(from.x, to.x);
    const std::uint64_t dy = distance(from.y, to.y);
    const bool steep = dy > dx;
    LineWalk walk{};
    if (steep)
        walk = {from.y, from.x, direction(from.y, to.y), direction(from.x, to.x), dy, dx};
    else
        walk = {from.x, from.y, direction(from.x, to.x), direction(from.y, to.y), dx, dy};
    std::int64_t first = 0;
    std::int64_t last = 0;
    RunCollector collector(steep, runs);
    const auto emit = [&collector](std::int64_t major, std::int64_t minor) {
        collector.add(major, minor);
    };
    if (steep) {
        stepRange(walk, clip.top, clip.bottom, first, last);
        walkLine(walk, first, last, clip.left, clip.right, emit);
    } else {
        stepRange(walk, clip.left, clip.right, first, last);
        walkLine(walk, first, last, clip.top, clip.bottom, emit);
    }
}
