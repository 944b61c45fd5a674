#pragma once

namespace ombrelis {

// The cubic Bernstein weights at t in [0, 1]: the point at t of the segment
// with control values q0..q3 is w0 q0 + w1 q1 + w2 q2 + w3 q3. Inline: the
// sampler and the curve tracer evaluate it for every point they make.
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

}  // namespace ombrelis
