#pragma once

namespace ombrelis {

// The even grid of abscissae that sampled points stand on: `count` points
// from x0 to x1, world units. The step is computed once and x_j is
// j * step + x0, product first, so that every reader of the grid sees the
// same abscissae; the last point is x1 itself, which that product and sum
// can miss by a rounding step, past the end of the curve.
struct EvenGrid {
    double x0 = 0.0;
    double x1 = 0.0;
    double step = 0.0;
    int count = 0;

    double x(int j) const { return j == count - 1 ? x1 : static_cast<double>(j) * step + x0; }
};

// A grid of one point stands at x0 (its step would be infinite and 0 times
// it NaN); a count below one gives no points.
inline EvenGrid evenGrid(double x0, double x1, int count)
{
    if (count <= 1)
        return {x0, x0, 0.0, count < 0 ? 0 : count};
    return {x0, x1, (x1 - x0) / static_cast<double>(count - 1), count};
}

}  // namespace ombrelis
