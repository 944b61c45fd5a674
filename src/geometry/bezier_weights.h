#pragma once

namespace ombrelis {

// The cubic Bernstein weights at t in [0, 1]: the point at t of the segment
// with control values q0..q3 is w0 q0 + w1 q1 + w2 q2 + w3 q3. Inline: the
// sampler and the curve tracer evaluate it for every point they make. T may
// also be a vector of doubles (GCC vector extensions), each of whose lanes is
// then computed with exactly the operations of one double.
template <typename T> struct BasicBezierWeights {
    T w0, w1, w2, w3;

    explicit BasicBezierWeights(T t)
    {
        const T u = 1.0 - t;
        w0 = u * u * u;
        w1 = 3.0 * t * u * u;
        w2 = 3.0 * t * t * u;
        w3 = t * t * t;
    }
    T apply(double q0, double q1, double q2, double q3) const
    {
        return w0 * q0 + w1 * q1 + w2 * q2 + w3 * q3;
    }
};

using BezierWeights = BasicBezierWeights<double>;

}  // namespace ombrelis
