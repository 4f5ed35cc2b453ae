// The computer players' interface: asking changes nothing, and what the game then does is the
// answer it was given.
#include <gtest/gtest.h>

#include <string>

#include "autopilot.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::TestGame;

// Asks every question a seat could be asked in this position, with a scratch chance: none may
// change the game or read the host's clock.
void ExpectQuestionsChangeNothing(TestGame& t, const std::string& where) {
    const GameState before = t.game.State();
    const int reads = t.host.clockReads;
    const size_t timerChanges = t.host.timerChanges.size();
    const int beeps = t.host.beeps;
    ScratchChance chance(12345);
    for (int seat = 1; seat <= 4; ++seat) {
        const GameState& s = t.game.State();
        if (s.contractList.FreeCount() > 0) Standard().ChooseContract(s, seat, chance);
        if (s.hand.Empty(seat)) continue;
        const Contract* playing = FindContract(t.game.CurrentContract());
        if (playing != nullptr && playing->layout) Standard().LayoutMove(s, seat, chance);
        const bool roundOpen = s.round.position >= 1 && s.round.position <= 4 && !s.round.taken;
        if (playing != nullptr && !playing->layout && roundOpen) {
            const int e = Standard().RoundCard(s, seat, chance);
            EXPECT_EQ(SeatOfEntry(e), seat) << where;
        }
    }
    EXPECT_TRUE(t.game.State() == before) << where;
    EXPECT_EQ(t.host.clockReads, reads) << where;
    EXPECT_EQ(t.host.timerChanges.size(), timerChanges) << where;
    EXPECT_EQ(t.host.beeps, beeps) << where;
}

TEST(Players, AskingChangesNothing) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (uint32_t clock : {0u, 4321987u, 86399000u}) {
            TestGame t;
            t.host.clockStep = 11;
            t.Start(mode, clock);
            Autopilot pilot(t.game);
            for (int step = 0; step < 3000 && !::testing::Test::HasFailure(); ++step) {
                if (step % 7 == 0) {
                    ExpectQuestionsChangeNothing(
                        t, (mode == GameMode::Normal ? "normal" : "complex") +
                               std::string(" clock ") + std::to_string(clock) + " step " +
                               std::to_string(step));
                }
                ASSERT_TRUE(pilot.Step());
            }
        }
    }
}

// The game's own chance reads the clock once and seeds the game's generator with it: a scratch
// chance seeded with that reading gives the answer the game then plays.
TEST(Players, TheGamePlaysTheAnswerToTheSameChance) {
    int layoutMoves = 0;
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        TestGame t;
        t.host.clockStep = 7919;
        t.Start(mode, 1000);
        struct Moves : GameObserver {
            const int* clockReads = nullptr;
            int seat = 0;
            char suit = 0;
            int rank = 0;
            int readsAtMove = 0;
            void OnMove(int s, char su, int r) override {
                seat = s, suit = su, rank = r, readsAtMove = *clockReads;
            }
            void OnPass(int s) override { OnMove(s, 0, 0); }
        } moves;
        moves.clockReads = &t.host.clockReads;
        t.game.SetObserver(&moves);
        Autopilot pilot(t.game);
        for (int step = 0; step < 4000; ++step) {
            const GameState& s = t.game.State();
            const Contract* playing = FindContract(t.game.CurrentContract());
            const bool layoutStep = playing != nullptr && playing->layout &&
                                    s.timer3Interval != 0 && s.round.position < 4;
            const int seat = layoutStep ? s.round.order[s.round.position + 1] : 0;
            if (layoutStep && seat != kHuman && s.stillIn[seat]) {
                ScratchChance chance(t.host.clock);
                const int e = Standard().LayoutMove(s, seat, chance);
                const CardRecord card = e != 0 ? s.hand[e] : CardRecord{};
                const bool jack = s.hand.FindRank(seat, kJack) != 0;
                const int reads = t.host.clockReads;
                ASSERT_TRUE(pilot.Step());
                EXPECT_EQ(moves.seat, seat);
                EXPECT_EQ(moves.suit, e != 0 ? card.suit : 0);
                EXPECT_EQ(moves.rank, e != 0 ? card.rank : 0);
                // The clock is read only when the seat holds no jack.
                EXPECT_EQ(moves.readsAtMove - reads, jack ? 0 : 1);
                ++layoutMoves;
                continue;
            }
            ASSERT_TRUE(pilot.Step());
        }
    }
    EXPECT_GT(layoutMoves, 50);
}

}  // namespace
}  // namespace morvel
