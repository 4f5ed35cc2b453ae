#include <gtest/gtest.h>

#include <vector>

#include "random.h"

namespace morvel {
namespace {

std::vector<int> Draws(uint32_t seed, int n, int count) {
    Random random;
    random.Seed(seed);
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(random.Draw(n));
    return out;
}

TEST(Random, KnownSequences) {
    EXPECT_EQ(Draws(0, 52, 6), (std::vector<int>{0, 1, 44, 10, 14, 34}));
    EXPECT_EQ(Draws(43200000, 52, 6), (std::vector<int>{19, 22, 40, 13, 21, 36}));
    EXPECT_EQ(Draws(86399999, 5, 6), (std::vector<int>{3, 4, 1, 1, 0, 0}));
    EXPECT_EQ(Draws(12345678, 6, 6), (std::vector<int>{3, 3, 0, 5, 2, 1}));
}

}  // namespace
}  // namespace morvel
