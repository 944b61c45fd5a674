#include "geometry/sampler.h"

// The lanes' vectors are passed between inline functions of this file only,
// so that no call depends on the ABI that GCC notes has changed for them.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "geometry/bezier_weights.h"
#include "geometry/even_grid.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace ombrelis {

namespace {

// Each point's y is found by bisection on t over its segment, first trying
// t = 0.5, until the segment's x lies within eps of the point's x or t can no
// longer be halved; y is then the segment's y at that t. The second bound
// ends every search, even without a band (eps <= 0, non-finite coordinates),
// within the ~1,100 halvings that exhaust a double.
//
// Every point's result is exactly that of its own search from scratch; the
// solver only spares work. Points whose x ascend share the first halvings:
// at each t they split into those left of it, those within eps and those
// right of it, which go on together, until few are left. Those then run
// their own halvings side by side in lanes, the same operations in the same
// order for each, so that the compiler does several at once with vector
// instructions and no branch has to be guessed.

// A search standing at t in lo..hi, where the segment's x is segmentX.
struct Bisection {
    double lo;
    double hi;
    double t;
    double segmentX;
};

struct Segment {
    CurvePoint q0, q1, q2, q3;

    double xAt(double t) const { return BezierWeights(t).apply(q0.x, q1.x, q2.x, q3.x); }
    double yAt(double t) const { return BezierWeights(t).apply(q0.y, q1.y, q2.y, q3.y); }

    // The search one halving on, towards lo or towards hi; none when t can
    // no longer be halved, and the search ends at `at`.
    std::optional<Bisection> halved(const Bisection &at, bool towardsLo) const
    {
        const double lo = towardsLo ? at.lo : at.t;
        const double hi = towardsLo ? at.t : at.hi;
        const double next = (lo + hi) * 0.5;
        if (next == lo || next == hi)
            return std::nullopt;
        return Bisection{lo, hi, next, xAt(next)};
    }
};

constexpr int kLanes = 16;

// The searches that run side by side, each for its own x from its own place.
struct Lanes {
    double x[kLanes];
    double lo[kLanes];
    double hi[kLanes];
    double t[kLanes];
    double segmentX[kLanes];
};

// Width doubles in one vector (GCC vector extensions).
template <int Width> struct Doubles {
    typedef double Vector __attribute__((vector_size(Width * sizeof(double))));
};

// Runs every lane's search to its end, Width lanes to a vector: each step
// decides and halves as a single search does, a lane that has ended stands
// still, and the steps go on while any lane moves. Each lane's t is then
// where its search ended. Always inlined, so that the instructions are those
// of the caller's target.
template <int Width>
[[gnu::always_inline]] inline void runLanes(const Segment &s, double eps, Lanes &lanes)
{
    using Vector = typename Doubles<Width>::Vector;
    constexpr int kVectors = kLanes / Width;
    Vector x[kVectors], lo[kVectors], hi[kVectors], t[kVectors], segmentX[kVectors];
    std::memcpy(x, lanes.x, sizeof x);
    std::memcpy(lo, lanes.lo, sizeof lo);
    std::memcpy(hi, lanes.hi, sizeof hi);
    std::memcpy(t, lanes.t, sizeof t);
    std::memcpy(segmentX, lanes.segmentX, sizeof segmentX);
    for (;;) {
        decltype(x[0] < x[0]) moving{};
        for (int v = 0; v < kVectors; ++v) {
            const auto left = x[v] < segmentX[v] - eps;
            const auto right = (x[v] > segmentX[v] + eps) & ~left;
            const Vector newLo = right ? t[v] : lo[v];
            const Vector newHi = left ? t[v] : hi[v];
            const Vector next = (newLo + newHi) * 0.5;
            const auto ends = ~(left | right) | (next == newLo) | (next == newHi);
            lo[v] = ends ? lo[v] : newLo;
            hi[v] = ends ? hi[v] : newHi;
            t[v] = ends ? t[v] : next;
            moving |= ~ends;
        }
        bool anyMoving = false;
        for (int i = 0; i < Width; ++i)
            anyMoving |= moving[i] != 0;
        if (!anyMoving)
            break;
        for (int v = 0; v < kVectors; ++v)
            segmentX[v] = BasicBezierWeights<Vector>(t[v]).apply(s.q0.x, s.q1.x, s.q2.x, s.q3.x);
    }
    std::memcpy(lanes.t, t, sizeof t);
}

void runLanesNarrow(const Segment &s, double eps, Lanes &lanes)
{
    runLanes<2>(s, eps, lanes);
}

#if defined(__x86_64__)
// Four lanes to a vector where the processor has them. The results are the
// same: AVX2 without FMA does each operation as SSE2 does.
[[gnu::target("avx2")]] void runLanesWide(const Segment &s, double eps, Lanes &lanes)
{
    runLanes<4>(s, eps, lanes);
}
#endif

void runAllLanes(const Segment &s, double eps, Lanes &lanes)
{
#if defined(__x86_64__)
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide)
        return runLanesWide(s, eps, lanes);
#endif
    runLanesNarrow(s, eps, lanes);
}

// Solves the points of one segment at a time, given in grid order, and
// writes their y into the slot.
class SegmentSolver {
public:
    SegmentSolver(CurveSlot &slot, double eps) : slot_(slot), eps_(eps) { }

    int segment() const { return segment_; }

    // Solves the points of the segment before, then takes segment k.
    void startSegment(int k)
    {
        solve();
        segment_ = k;
        s_ = {slot_.samples[k], slot_.endTangents[k], slot_.startTangents[k + 1],
              slot_.samples[k + 1]};
    }

    // Grid point j, at x, lies on the segment.
    void add(int j, double x)
    {
        index_[count_] = j;
        x_[count_] = x;
        ++count_;
    }

    // Writes the y of every point added since the segment began.
    void solve();

private:
    static constexpr int kSharedDown = 4;  // points that go on together, at the least

    void descend(Bisection at, int first, int last);
    void settle(int first, int last, double t);
    void queue(int point, const Bisection &at);
    void runQueue();

    CurveSlot &slot_;
    double eps_;
    int segment_ = -1;
    Segment s_{};
    int count_ = 0;
    std::array<int, kMaxSampledPoints> index_;
    std::array<double, kMaxSampledPoints> x_;
    Lanes lanes_;
    int lanePoint_[kLanes];
    int queued_ = 0;
};

void SegmentSolver::solve()
{
    if (count_ == 0)
        return;
    const Bisection root{0.0, 1.0, 0.5, s_.xAt(0.5)};
    // The shared halvings need the points in ascending x (which a NaN breaks).
    bool ascending = true;
    for (int i = 0; i + 1 < count_; ++i)
        ascending &= x_[i] <= x_[i + 1];
    if (ascending) {
        descend(root, 0, count_);
    } else {
        for (int i = 0; i < count_; ++i)
            queue(i, root);
    }
    runQueue();
    count_ = 0;
}

// The points first..last-1, in ascending x, at `at` of their search. The
// points left of its x are a first run of them, those right of it a last.
void SegmentSolver::descend(Bisection at, int first, int last)
{
    while (last - first > kSharedDown) {
        const double *x = x_.data();
        const double leftOf = at.segmentX - eps_, rightOf = at.segmentX + eps_;
        const int within = int(
            std::partition_point(x + first, x + last, [=](double v) { return v < leftOf; }) - x);
        const int right = int(
            std::partition_point(x + within, x + last, [=](double v) { return !(v > rightOf); }) -
            x);
        settle(within, right, at.t);
        if (first < within) {
            if (const std::optional<Bisection> lower = s_.halved(at, true); !lower)
                settle(first, within, at.t);
            else if (right < last)
                descend(*lower, first, within);
            else {
                at = *lower;
                last = within;
                continue;
            }
        }
        if (right == last)
            return;
        const std::optional<Bisection> upper = s_.halved(at, false);
        if (!upper) {
            settle(right, last, at.t);
            return;
        }
        at = *upper;
        first = right;
    }
    for (int i = first; i < last; ++i)
        queue(i, at);
}

void SegmentSolver::settle(int first, int last, double t)
{
    if (first == last)
        return;
    const double y = s_.yAt(t);
    for (int i = first; i < last; ++i)
        slot_.sampledPoints[index_[i]].y = y;
}

void SegmentSolver::queue(int point, const Bisection &at)
{
    const int lane = queued_++;
    lanes_.x[lane] = x_[point];
    lanes_.lo[lane] = at.lo;
    lanes_.hi[lane] = at.hi;
    lanes_.t[lane] = at.t;
    lanes_.segmentX[lane] = at.segmentX;
    lanePoint_[lane] = point;
    if (queued_ == kLanes)
        runQueue();
}

void SegmentSolver::runQueue()
{
    if (queued_ == 0)
        return;
    // Idle lanes repeat the first one: no step more.
    for (int lane = queued_; lane < kLanes; ++lane) {
        lanes_.x[lane] = lanes_.x[0];
        lanes_.lo[lane] = lanes_.lo[0];
        lanes_.hi[lane] = lanes_.hi[0];
        lanes_.t[lane] = lanes_.t[0];
        lanes_.segmentX[lane] = lanes_.segmentX[0];
    }
    runAllLanes(s_, eps_, lanes_);
    for (int lane = 0; lane < queued_; ++lane)
        slot_.sampledPoints[index_[lanePoint_[lane]]].y = s_.yAt(lanes_.t[lane]);
    queued_ = 0;
}

}  // namespace

void sampleCurve(CurveSlot &slot)
{
    PointSegments segments;
    sampleCurve(slot, segments, nullptr);
}

void sampleCurve(CurveSlot &slot, PointSegments &segments, const EarlierSampling *earlier)
{
    const int n = sampleTotal(slot);
    const int count = slot.samplingCount;
    if (n < 2 || count < 2 || count > kMaxSampledPoints)
        return;
    const double xFirst = slot.samples[0].x;
    const double xLast = slot.samples[n - 1].x;
    const EvenGrid grid = evenGrid(slot.xmin, slot.xmax, count);
    const double eps = grid.step * 0.01;

    // The segment only moves forward from one sampled point to the next. The
    // points to compute are handed to the solver segment by segment, and it
    // writes their y once it has them all.
    int k = 0;
    SegmentSolver solver(slot, eps);
    for (int j = 0; j < count; ++j) {
        const double x = grid.x(j);
        double y = slot.ymin;
        int segment = -1;
        bool solved = false;
        if (!(x < xFirst || x > xLast)) {  // NaN coordinates count as inside
            while (k < n - 2 && x > slot.samples[k + 1].x)
                ++k;
            segment = k;
            if (earlier && earlier->segments[j] == k && earlier->unchangedSegments[k]) {
                y = slot.sampledPoints[j].y;
            } else {
                if (solver.segment() != k)
                    solver.startSegment(k);
                solver.add(j, x);
                solved = true;
            }
        }
        segments[j] = std::int8_t(segment);
        slot.sampledPoints[j].x = x;
        if (!solved)
            slot.sampledPoints[j].y = y;
    }
    solver.solve();
}

std::vector<CurvePoint> controlPolygon(const CurveSlot &slot)
{
    const int n = sampleTotal(slot);
    std::vector<CurvePoint> points;
    if (n == 0)
        return points;
    points.reserve(3 * n - 2);
    points.push_back(slot.samples[0]);
    for (int k = 1; k < n; ++k) {
        points.push_back(slot.endTangents[k - 1]);
        points.push_back(slot.startTangents[k]);
        points.push_back(slot.samples[k]);
    }
    return points;
}

}  // namespace ombrelis
