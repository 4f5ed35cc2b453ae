// Many whole games of both modes with many clocks, built with the address and undefined-behaviour
// sanitizers, checking the game's invariants after every event.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "sim_run.h"

namespace morvel {
namespace {

class Invariants : public sim::EventCheck {
  public:
    explicit Invariants(GameMode mode) : mode_(mode) {}

    void AfterEvent(const Game& game) override {
        if (::testing::Test::HasFatalFailure()) return;
        const GameState& s = game.State();
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

        if (game.CurrentContract() == kMorvelLetter) CheckBoard(s);
        CheckHoldings(s);

        // A new chooser takes over only after the last one played all his contracts; scores then
        // add up to zero.
        if (s.chooserNumber != chooser_) {
            if (s.chooserNumber > chooser_) {
                ASSERT_EQ(Sum(s), 0) << Where();
            }
            chooser_ = s.chooserNumber;
        }
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

  private:
    GameMode mode_;
    int chooser_ = 1;
};

// Clocks per mode; `./morvel soak N` runs a longer soak with MORVEL_SOAK_CLOCKS=N.
uint32_t SoakClocks() {
    const char* text = std::getenv("MORVEL_SOAK_CLOCKS");
    const long clocks = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    return clocks > 0 ? static_cast<uint32_t>(clocks) : 1000u;
}

TEST(Soak, WholeGamesKeepTheirInvariants) {
    int games = 0;
    const uint32_t clocks = SoakClocks();
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (uint32_t i = 0; i < clocks; ++i) {
            sim::Options opt;
            opt.mode = mode;
            opt.games = 2;
            opt.clockStart = (i * 2654435761u) % 86400000u;
            opt.clockStep = i % 5 == 0 ? 0 : 1 + i % 97;
            Invariants check(mode);
            check.clock = opt.clockStart;
            const sim::Result r = sim::Run(opt, nullptr, &check);
            ASSERT_FALSE(r.stuck) << check.Where();
            ASSERT_EQ(r.games, 2) << check.Where();
            ASSERT_EQ(r.deals, mode == GameMode::Normal ? 40 : 16) << check.Where();
            if (::testing::Test::HasFatalFailure()) return;
            games += r.games;
        }
    }
    EXPECT_EQ(games, static_cast<int>(4 * clocks));
}

TEST(Soak, TheSameClockGivesTheSameTrace) {
    for (uint32_t clock : {0u, 999u, 43200000u, 86399999u}) {
        sim::Options opt;
        opt.mode = clock % 2 ? GameMode::Complex : GameMode::Normal;
        opt.clockStart = clock;
        opt.trace = true;
        sim::StringTrace first, second;
        sim::Run(opt, &first);
        sim::Run(opt, &second);
        EXPECT_EQ(first.Text(), second.Text()) << "clock " << clock;
        EXPECT_GT(first.Text().size(), 1000u);
    }
}

}  // namespace
}  // namespace morvel
