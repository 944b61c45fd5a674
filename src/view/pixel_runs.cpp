#include "view/pixel_runs.h"

#include "geometry/bezier_weights.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ombrelis {

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
    std::uint64_t q = 0;
    std::uint64_t r = walk.length;
    if (first > 0) {  // a line that starts inside the clip needs no division
        const std::uint64_t n = static_cast<std::uint64_t>(first) * walk.rise;
        q = n / walk.length;
        r = 2 * (n % walk.length) + walk.length;
        if (r >= twoLength) {
            ++q;
            r -= twoLength;
        }
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

// Appends `run`, joined to the last run when together they make one
// rectangle: consecutive lines of a curve often carry on in the same row or
// column, and every run costs its painter a call.
void pushRun(std::vector<PixelRect> &runs, const PixelRect &run)
{
    if (!runs.empty()) {
        PixelRect &last = runs.back();
        if (last.top == run.top && last.bottom == run.bottom &&
            (last.right == run.left || run.right == last.left)) {
            last.left = std::min(last.left, run.left);
            last.right = std::max(last.right, run.right);
            return;
        }
        if (last.left == run.left && last.right == run.right &&
            (last.bottom == run.top || run.bottom == last.top)) {
            last.top = std::min(last.top, run.top);
            last.bottom = std::max(last.bottom, run.bottom);
            return;
        }
    }
    runs.push_back(run);
}

// Gathers consecutive pixels of one row (or column) into runs. Pixels lie
// inside a clip whose exclusive right and bottom are ints, so run ends fit.
class RunCollector {
public:
    RunCollector(bool steep, std::vector<PixelRect> &runs) : steep_(steep), runs_(runs) { }
    ~RunCollector() { flush(); }

    void add(std::int64_t major, std::int64_t minor)
    {
        const int m = static_cast<int>(major);
        if (open_ && minor == minor_ &&
            (major == low_ - std::int64_t{1} || major == high_ + std::int64_t{1})) {
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
            pushRun(runs_, {minor_, low_, minor_ + 1, high_ + 1});
        else
            pushRun(runs_, {low_, minor_, high_ + 1, minor_ + 1});
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

// A coordinate of the curve to the nearest pixel. The curve stays within its
// control points' int range up to rounding, which the clamp absorbs.
int nearestPixel(double v)
{
    return static_cast<int>(std::llround(
        std::clamp<double>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
}

double length(PixelPoint a, PixelPoint b)
{
    return std::hypot(double(b.x) - a.x, double(b.y) - a.y);
}

PixelPoint cubicAt(const PixelPoint *q, double t)
{
    const BezierWeights w(t);
    return {nearestPixel(w.apply(q[0].x, q[1].x, q[2].x, q[3].x)),
            nearestPixel(w.apply(q[0].y, q[1].y, q[2].y, q[3].y))};
}

}  // namespace

PixelRect intersected(const PixelRect &a, const PixelRect &b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

PixelRect interior(const PixelRect &r, int ring)
{
    if (std::int64_t{r.right} - r.left <= 2 * std::int64_t{ring} ||
        std::int64_t{r.bottom} - r.top <= 2 * std::int64_t{ring})
        return {};
    return {r.left + ring, r.top + ring, r.right - ring, r.bottom - ring};
}

// Runs lie inside a clip far within the int range, so their growth fits.
PixelRect widened(const PixelRect &run, int width)
{
    return {run.left, run.top, run.right + width - 1, run.bottom + width - 1};
}

PixelRect reachOfWidened(const PixelRect &clip, int width)
{
    const auto grown = [width](int edge) {
        return static_cast<int>(std::max<std::int64_t>(std::int64_t{edge} - (width - 1),
                                                       std::numeric_limits<int>::min()));
    };
    return {grown(clip.left), grown(clip.top), clip.right, clip.bottom};
}

void appendLineRuns(PixelPoint from, PixelPoint to, const PixelRect &clip,
                    std::vector<PixelRect> &runs)
{
    if (from == to || clip.isEmpty())
        return;
    const std::uint64_t dx = distance(from.x, to.x);
    const std::uint64_t dy = distance(from.y, to.y);
    const bool steep = dy > dx;
    const LineWalk walk =
        steep ? LineWalk{from.y, from.x, direction(from.y, to.y), direction(from.x, to.x), dy, dx}
              : LineWalk{from.x, from.y, direction(from.x, to.x), direction(from.y, to.y), dx, dy};
    // The clip along and across the major axis.
    const std::int64_t majorLow = steep ? clip.top : clip.left;
    const std::int64_t majorHigh = steep ? clip.bottom : clip.right;
    const std::int64_t minorLow = steep ? clip.left : clip.top;
    const std::int64_t minorHigh = steep ? clip.right : clip.bottom;
    std::int64_t first = 0;
    std::int64_t last = 0;
    stepRange(walk, majorLow, majorHigh, first, last);
    if (first >= last)
        return;
    if (walk.rise == 0) {  // horizontal or vertical: a single run
        if (walk.minor0 < minorLow || walk.minor0 >= minorHigh)
            return;
        const std::int64_t a = walk.major0 + walk.majorStep * first;
        const std::int64_t b = walk.major0 + walk.majorStep * (last - 1);
        const int low = static_cast<int>(std::min(a, b));
        const int high = static_cast<int>(std::max(a, b)) + 1;
        const int minor = static_cast<int>(walk.minor0);
        pushRun(runs, steep ? PixelRect{minor, low, minor + 1, high}
                            : PixelRect{low, minor, high, minor + 1});
        return;
    }
    RunCollector collector(steep, runs);
    walkLine(walk, first, last, minorLow, minorHigh,
             [&collector](std::int64_t major, std::int64_t minor) { collector.add(major, minor); });
}

int bezierSteps(PixelPoint p0, PixelPoint p1, PixelPoint p2, PixelPoint p3)
{
    const double polygon = length(p0, p1) + length(p1, p2) + length(p2, p3);
    return static_cast<int>(std::clamp(std::ceil(polygon / 4), 1.0, double(kMaxBezierSteps)));
}

void appendBezierRuns(std::span<const PixelPoint> points, const PixelRect &clip,
                      std::vector<PixelRect> &runs)
{
    if (points.size() < 4)
        return;
    std::size_t k = 0;
    for (; k + 3 < points.size(); k += 3) {
        const PixelPoint *q = &points[k];
        const int steps = bezierSteps(q[0], q[1], q[2], q[3]);
        PixelPoint previous = q[0];
        for (int i = 1; i <= steps; ++i) {
            const PixelPoint next = i == steps ? q[3] : cubicAt(q, double(i) / steps);
            appendLineRuns(previous, next, clip, runs);
            previous = next;
        }
    }
    const PixelPoint end = points[k];
    if (end.x >= clip.left && end.x < clip.right && end.y >= clip.top && end.y < clip.bottom)
        pushRun(runs, {end.x, end.y, end.x + 1, end.y + 1});
}

}  // namespace ombrelis
