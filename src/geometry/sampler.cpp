#include "geometry/sampler.h"

#include "geometry/bezier_weights.h"
#include "geometry/even_grid.h"

namespace ombrelis {

namespace {

// Inverts the x of one segment by bisection on t, first trying t = 0.5,
// until x lies within eps of it or t can no longer be halved. The second
// bound ends every search, even without a band (eps <= 0, non-finite
// coordinates), within the ~1,100 halvings that exhaust a double, and lets a
// segment far wider than eps reach its band.
//
// Neighbouring grid points take the same first halvings. The inverter keeps
// the path of its last search, and a new search follows it, comparing x with
// the remembered segment x at each depth, for as long as it goes the same
// way; only from where it turns off are points of the segment computed. The
// values are exactly those of a search from scratch.
class SegmentInverter {
public:
    explicit SegmentInverter(double eps) : eps_(eps) { }

    // Moves on to segment k of `slot`, forgetting the path of the last one.
    void startSegment(const CurveSlot &slot, int k)
    {
        q0_ = slot.samples[k];
        q1_ = slot.endTangents[k];
        q2_ = slot.startTangents[k + 1];
        q3_ = slot.samples[k + 1];
        pathLength_ = 0;
    }

    double yAt(double x)
    {
        int depth = 0;
        for (; depth + 1 < pathLength_; ++depth) {
            const Step &step = path_[depth];
            const Side side = sideOf(x, step.segmentX);
            if (side == Side::Within)
                return yAtT(step.t);
            if (side != step.went)
                break;
        }
        if (depth < pathLength_) {
            const Step &step = path_[depth];
            return search(x, depth, step.lo, step.hi, step.t, step.segmentX);
        }
        return search(x, 0, 0.0, 1.0, 0.5, xAtT(0.5));
    }

private:
    enum class Side : unsigned char {
        Left,
        Right,
        Within
    };

    // One halving of the last search: the interval and t it was at, the x
    // of the segment at t, and the side of it the search went on to.
    struct Step {
        double lo;
        double hi;
        double t;
        double segmentX;
        Side went;
    };
    static constexpr int kRememberedDepths = 64;

    Side sideOf(double x, double segmentX) const
    {
        if (x < segmentX - eps_)
            return Side::Left;
        if (x > segmentX + eps_)
            return Side::Right;
        return Side::Within;
    }

    // The bisection from `depth`, where it stands at t in lo..hi and the
    // segment's x at t is already known.
    double search(double x, int depth, double lo, double hi, double t, double segmentX)
    {
        for (;; ++depth) {
            const Side side = sideOf(x, segmentX);
            if (depth < kRememberedDepths) {
                path_[depth] = {lo, hi, t, segmentX, side};
                pathLength_ = depth + 1;
            }
            if (side == Side::Within)
                return yAtT(t);
            (side == Side::Left ? hi : lo) = t;
            const double next = (lo + hi) * 0.5;
            if (next == lo || next == hi)
                return yAtT(t);
            t = next;
            segmentX = xAtT(t);
        }
    }

    double xAtT(double t) const { return BezierWeights(t).apply(q0_.x, q1_.x, q2_.x, q3_.x); }
    double yAtT(double t) const { return BezierWeights(t).apply(q0_.y, q1_.y, q2_.y, q3_.y); }

    CurvePoint q0_, q1_, q2_, q3_;
    const double eps_;
    Step path_[kRememberedDepths];
    int pathLength_ = 0;
};

}  // namespace

void sampleCurve(CurveSlot &slot)
{
    PointSegments segments;
    sampleCurve(slot, segments, nullptr);
}

void sampleCurve(CurveSlot &slot, PointSegments &segments, const EarlierSampling *earlier)
{
    const int n = usedEntries(slot.sampleCount, kMaxSamples);
    const int count = slot.samplingCount;
    if (n < 2 || count < 2 || count > kMaxSampledPoints)
        return;
    const double xFirst = slot.samples[0].x;
    const double xLast = slot.samples[n - 1].x;
    const EvenGrid grid = evenGrid(slot.xmin, slot.xmax, count);
    const double eps = grid.step * 0.01;

    // The segment only moves forward from one sampled point to the next. The
    // inverter starts on a segment when a point of it is first computed.
    int k = 0;
    int inverterSegment = -1;
    SegmentInverter inverter(eps);
    for (int j = 0; j < count; ++j) {
        const double x = grid.x(j);
        double y = slot.ymin;
        int segment = -1;
        if (!(x < xFirst || x > xLast)) {  // NaN coordinates count as inside
            while (k < n - 2 && x > slot.samples[k + 1].x)
                ++k;
            segment = k;
            if (earlier && earlier->segments[j] == k && earlier->unchangedSegments[k]) {
                y = slot.sampledPoints[j].y;
            } else {
                if (inverterSegment != k)
                    inverter.startSegment(slot, inverterSegment = k);
                y = inverter.yAt(x);
            }
        }
        segments[j] = std::int8_t(segment);
        slot.sampledPoints[j] = {x, y};
    }
}

std::vector<CurvePoint> controlPolygon(const CurveSlot &slot)
{
    const int n = usedEntries(slot.sampleCount, kMaxSamples);
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
