// The cards a seat cannot see, dealt again at random in a way that agrees with everything the
// seat knows: its own hand, the cards laid, how many cards each other seat holds, and the cards
// the play has shown a seat does not hold (Absences). A player that looks ahead plays its
// questions out on such deals.
#pragma once

#include <array>
#include <cstdint>

#include "game_state.h"

namespace morvel {

// A generator of a player's own, apart from the game's (splitmix64).
class SampleRandom {
  public:
    explicit SampleRandom(uint64_t seed = 0) : state_(seed) {}
    void Seed(uint64_t seed) { state_ = seed; }
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from 0 to n - 1.
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>((Next() >> 32) * n >> 32); }

  private:
    uint64_t state_;
};

class HiddenDeal {
  public:
    // What `seat` knows in `s`. Only the seat's own hand, the counts of the others' hands, the
    // cards not yet laid as a whole, and the absences are read.
    HiddenDeal(const GameState& s, int seat);

    // Deals the hidden cards of the other seats of `hand` afresh; the seat's own hand and every
    // card laid stay. Each consistent deal can come up; without absences every one is as likely.
    void Deal(HandTable& hand, SampleRandom& random) const;

    // The seats whose cards are hidden, and the cards each of them may hold.
    const std::array<int, 3>& Others() const { return others_; }
    uint64_t Possible(int other) const { return ~notHeld_[other] & pool_; }
    // The cards not yet laid that the seat does not hold.
    uint64_t Pool() const { return pool_; }

  private:
    // A card's type: bit i set when the i-th other seat may hold it.
    uint32_t TypeOf(uint64_t card) const;

    std::array<int, 3> others_{};
    std::array<int, 3> count_{};
    std::array<uint64_t, 3> notHeld_{};
    uint64_t pool_ = 0;
};

}  // namespace morvel
