// The invariants every position of play keeps, checked by the sanitizer soak after every event of
// whole games, and by the loader's fuzz test on every position it accepts.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "position_check.h"
#include "save_format.h"
#include "sim_run.h"

namespace morvel::testing {

class Invariants : public sim::EventCheck {
  public:
    explicit Invariants(GameMode mode) : mode_(mode) {}

    void AfterEvent(const Game& game) override {
        if (::testing::Test::HasFatalFailure()) return;
        const GameState& s = game.State();
        CheckPosition(s);
        if (::testing::Test::HasFatalFailure()) return;

        // A new chooser takes over only after the last one played all his contracts; scores then
        // add up to zero.
        if (s.chooserNumber != chooser_) {
            if (s.chooserNumber > chooser_) {
                ASSERT_EQ(Sum(s), 0) << Where();
            }
            chooser_ = s.chooserNumber;
        }
    }

    // Between two steps, with `checkSaves`: the position is one a saved game may hold, and it
    // comes back whole from its bytes.
    void AfterStep(const Game& game) override {
        if (!checkSaves || ::testing::Test::HasFatalFailure()) return;
        const GameState& s = game.State();
        ASSERT_EQ(PositionProblem(s), "") << Where();
        GameState read;
        ASSERT_EQ(DecodeGame(EncodeGame(s), read), "") << Where();
        ASSERT_TRUE(read == s) << Where();
    }

    // What holds of one position on its own.
    void CheckPosition(const GameState& s) {
        // Each card stands in exactly one hand-table entry, played or not.
        std::array<int, 53> seen{};
        for (int n = 1; n <= 52; ++n) {
            const int face = s.hand[n].face;
            ASSERT_TRUE(face >= 1 && face <= 52);
            ++seen[face];
        }
        for (int face = 1; face <= 52; ++face)
            ASSERT_EQ(seen[face], 1) << Where();

        std::array<int, 5> held{};
        for (int n = 1; n <= 52; ++n)
            held[SeatOfEntry(n)] += s.hand[n].suit != kPlayed;
        for (int seat = 1; seat <= 4; ++seat)
            ASSERT_LE(held[seat], 13) << Where();

        if (CurrentContract(s) == kMorvelLetter) CheckBoard(s);
        CheckHoldings(s);
    }

    // The holdings kept beside the hand table agree with its entries.
    void CheckHoldings(const GameState& s) {
        for (int seat = 1; seat <= 4; ++seat) {
            int count = 0;
            std::array<uint32_t, 4> ranks{};
            for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
                const CardRecord& c = s.hand[n];
                if (c.suit == kPlayed) continue;
                ++count;
                ranks[HandSuit(c.suit)] |= 1u << c.rank;
                ASSERT_EQ(s.hand.Find(seat, c.suit, c.rank), n) << Where();
            }
            ASSERT_EQ(s.hand.Count(seat), count) << Where();
            for (int suit = 0; suit < 4; ++suit)
                ASSERT_EQ(s.hand.RanksOf(seat, suit), ranks[suit]) << Where();
        }
    }

    void CheckBoard(const GameState& s) {
        // The ends of the runs kept as cards are laid are those worked out afresh.
        Board worked = s.board;
        worked.ComputeExtents();
        ASSERT_EQ(worked, s.board) << Where();
        static constexpr char kSuits[4] = {kDiamonds, kClubs, kHearts, kSpades};
        int onBoard = 0;
        for (int suit = 0; suit < 4; ++suit) {
            const auto& value = s.board.value[suit];
            int low = 0, high = 0;
            for (int r = 2; r <= 14; ++r) {
                if (value[r] == 0) continue;
                ASSERT_EQ(value[r], r);
                if (low == 0) low = r;
                high = r;
                ++onBoard;
            }
            if (low == 0) continue;
            // One unbroken run that holds the jack.
            ASSERT_LE(low, kJack) << Where();
            ASSERT_GE(high, kJack) << Where();
            for (int r = low; r <= high; ++r)
                ASSERT_EQ(value[r], r) << kSuits[suit] << Where();
        }
        int played = 0;
        for (int n = 1; n <= 52; ++n)
            played += s.hand[n].suit == kPlayed;
        ASSERT_EQ(played, onBoard) << Where();
    }

    static int32_t Sum(const GameState& s) {
        return s.gameScore[1] + s.gameScore[2] + s.gameScore[3] + s.gameScore[4];
    }
    std::string Where() const {
        return std::string(" (mode ") + (mode_ == GameMode::Normal ? "normal" : "complex") +
               ", clock " + std::to_string(clock) + ")";
    }

    uint32_t clock = 0;
    bool checkSaves = false;

  private:
    GameMode mode_;
    int chooser_ = 1;
};

}  // namespace morvel::testing
