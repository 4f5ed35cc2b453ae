// The one random generator of the game: a 32-bit linear congruential generator seeded from the
// millisecond of the day.
#pragma once

#include <cstdint>

namespace morvel {

class Random {
  public:
    void Seed(uint32_t state) { state_ = state; }
    uint32_t State() const { return state_; }

    // A whole number from 0 to n - 1.
    int Draw(int n) {
        state_ = state_ * 134775813u + 1u;
        return static_cast<int>((static_cast<uint64_t>(state_) * static_cast<uint32_t>(n)) >> 32);
    }

    friend bool operator==(const Random&, const Random&) = default;

  private:
    uint32_t state_ = 0;
};

}  // namespace morvel
