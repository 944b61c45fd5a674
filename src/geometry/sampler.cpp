#include "geometry/sampler.h"

namespace {

struct BezierWeights {
    double w0, w1, w2, w3;

    explicit BezierWeights(double t)
    {
        const double u = 1.0 - t;
        w0 = u * u * u;
        w1 = 3.0 * t * u * u;
        w2 = 3.0 * t * t * u;
        w3 = t * t * t;
    }
    double apply(double q0, double q1, double q2, double q3) const
    {
        return w0 * q0 + w1 * q1 + w2 * q2 + w3 * q3;
    }
};

// The y of segment k at abscissa x: the segment's x is inverted by bisection
// on t, first trying t = 0.5, until x lies within eps of it or t can no
// longer be halved. The second bound ends every search, even without a band
// (eps <= 0, non-finite coordinates), within the ~1,100 halvings that
// exhaust a double, and lets a segment far wider than eps reach its band.
double segmentYAt(const CurveSlot &slot, int k, double x, double eps)
{
    const CurvePoint &q0 = slot.samples[k];
    const CurvePoint &q1 = slot.endTangents[k];
    const CurvePoint &q2 = slot.startTangents[k + 1];
    const CurvePoint &q3 = slot.samples[k + 1];
    double lo = 0.0;
    double hi = 1.0;
    double t = 0.5;
    for (;;) {
        const BezierWeights weights(t);
        const double segmentX = weights.apply(q0.x, q1.x, q2.x, q3.x);
        if (x < segmentX - eps)
            hi = t;
        else if (x > segmentX + eps)
            lo = t;
        else
            return weights.apply(q0.y, q1.y, q2.y, q3.y);
        const double next = (lo + hi) * 0.5;
        if (next == lo || next == hi)
            return weights.apply(q0.y, q1.y, q2.y, q3.y);
        t = next;
    }
}

}  // namespace

void sampleCurve(CurveSlot &slot)
{
    const int n = usedEntries(slot.sampleCount, kMaxSamples);
    const int count = slot.samplingCount;
    if (n < 2 || count < 2 || count > kMaxSampledPoints)
        return;
    const double xFirst = slot.samples[0].x;
    const double xLast = slot.samples[n - 1].x;
    const double step = (slot.xmax - slot.xmin) / (count - 1);
    const double eps = step * 0.01;

    // The segment only moves forward from one sampled point to the next.
    int k = 0;
    for (int j = 0; j < count; ++j) {
        const double x = j * step + slot.xmin;
        double y = 0.0;
        if (x < xFirst || x > xLast) {
            y = slot.ymin;
        } else {
            while (k < n - 2 && x > slot.samples[k + 1].x)
                ++k;
            y = segmentYAt(slot, k, x, eps);
        }
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
