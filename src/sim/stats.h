// Figures over many runs: a mean with its 95 % confidence interval, and percentiles.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

// The value below which `percent` of the values lie (nearest rank); 0 for none.
inline uint32_t Percentile(std::vector<uint32_t> values, double percent) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t rank = static_cast<size_t>(std::ceil(percent / 100.0 * values.size()));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

}  // namespace morvel::sim
