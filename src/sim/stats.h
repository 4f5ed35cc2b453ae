// A mean over many runs with its 95 % confidence interval.
#pragma once

#include <algorithm>
#include <cmath>

namespace morvel::sim {

struct MeanInterval {
    double mean = 0;
    double half = 0;  // the interval is mean - half .. mean + half
};

// From the sum and the sum of squares of n values; the interval by the normal approximation,
// sound for the hundreds of games it is used on.
inline MeanInterval Mean95(double sum, double squares, int n) {
    if (n <= 0) return {};
    const double mean = sum / n;
    if (n == 1) return {mean, 0};
    const double variance = std::max(0.0, (squares - sum * mean) / (n - 1));
    return {mean, 1.96 * std::sqrt(variance / n)};
}

}  // namespace morvel::sim
