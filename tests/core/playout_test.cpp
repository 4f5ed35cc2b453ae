// A deal in progress played on to its end on its own: it ends as the game itself would, touches
// neither the game nor its host, and always ends.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "autopilot.h"
#include "playout.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::TestGame;

int32_t GainSum(const Playout& p) {
    return p.Gain(1) + p.Gain(2) + p.Gain(3) + p.Gain(4);
}

// What a deal of this contract hands out in all, from its start.
int32_t DealTotal(GameMode mode, char letter) {
    const Contract& c = *FindContract(letter);
    if (c.layout) return 200 + 150 + 100 + 50;
    if (mode == GameMode::Complex) return -195 - 130 - 100 - 75;
    return c.points * c.items;
}

// A round contract is played with no clock reading after its choice, so a deal played out from
// any of its positions ends in exactly the state the game reaches when it shows the sheet.
TEST(Playout, RoundDealsEndAsTheGameEndsThem) {
    int compared = 0;
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (uint32_t clock : {0u, 777u, 43200000u}) {
            SCOPED_TRACE((mode == GameMode::Normal ? "normal clock " : "complex clock ") +
                         std::to_string(clock));
            TestGame t;
            t.host.clockStep = 13;
            std::deque<GameState> expected;
            t.host.onSheet = [&] {
                for (const GameState& end : expected) {
                    EXPECT_TRUE(end == t.game.State());
                    ++compared;
                }
                expected.clear();
            };
            t.Start(mode, clock);
            Playout playout;
            Autopilot pilot(t.game);
            for (int step = 0; step < 2000; ++step) {
                const GameState& s = t.game.State();
                const Contract* playing = FindContract(t.game.CurrentContract());
                if (step % 5 == 0 && playing != nullptr && !playing->layout && !s.cgVisible &&
                    s.dealCardCount > 0) {
                    const int reads = t.host.clockReads;
                    const size_t timerChanges = t.host.timerChanges.size();
                    expected.push_back(playout.Run(s, step));
                    EXPECT_EQ(t.host.clockReads, reads);
                    EXPECT_EQ(t.host.timerChanges.size(), timerChanges);
                }
                ASSERT_TRUE(pilot.Step());
            }
        }
    }
    EXPECT_GT(compared, 300);
}

// Layout deals read the clock for the direction of a move, which a deal played out draws from its
// own generator: it still ends with every card on the board and every seat paid by its place.
TEST(Playout, LayoutDealsEndWithEverySeatPaid) {
    int played = 0;
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        TestGame t;
        t.host.clockStep = 101;
        t.Start(mode, 5000);
        Playout playout;
        Autopilot pilot(t.game);
        for (int step = 0; step < 6000; ++step) {
            const GameState& s = t.game.State();
            const Contract* playing = FindContract(t.game.CurrentContract());
            if (step % 3 == 0 && playing != nullptr && playing->layout && !s.cgVisible &&
                s.dealCardCount < 52) {
                const GameState& end = playout.Run(s, step);
                EXPECT_EQ(end.dealCardCount, 52);
                for (int seat = 1; seat <= 4; ++seat) {
                    EXPECT_TRUE(end.hand.Empty(seat));
                    EXPECT_EQ(playout.Gain(seat), kLayout.placePoints[end.finishingPlace[seat]]);
                }
                EXPECT_EQ(GainSum(playout), 500);
                ++played;
            }
            ASSERT_TRUE(pilot.Step());
        }
    }
    EXPECT_GT(played, 100);
}

// Waiting for the person's choice, the person's player chooses; the deal hands out its total.
TEST(Playout, ThePersonsChoiceIsMadeByThePlayer) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        TestGame t;
        t.Start(mode, testing::ClockForFirstChooser(kHuman));
        ASSERT_TRUE(t.game.State().cgVisible);
        const int dialogs = t.host.chooseDialogs + t.host.allDialogs;
        Playout playout;
        const GameState& end = playout.Run(t.game.State(), 3);
        EXPECT_EQ(t.host.chooseDialogs + t.host.allDialogs, dialogs);
        const char letter = end.contractList[1];
        ASSERT_NE(letter, kNoContract);
        EXPECT_EQ(GainSum(playout), DealTotal(mode, letter)) << letter;
        EXPECT_FALSE(end.cgVisible);
        EXPECT_EQ(end.timer1Interval, 0);
        EXPECT_EQ(end.timer3Interval, 0);
        EXPECT_TRUE(t.game.State().cgVisible);
    }
}

// The same position and seed give the same end, from a fresh play-out or a used one.
TEST(Playout, SameSeedSameEnd) {
    TestGame t;
    t.host.clockStep = 29;
    t.Start(GameMode::Normal, 1234);
    Autopilot pilot(t.game);
    while (FindContract(t.game.CurrentContract()) == nullptr ||
           !FindContract(t.game.CurrentContract())->layout || t.game.State().dealCardCount < 10) {
        ASSERT_TRUE(pilot.Step());
    }
    const GameState from = t.game.State();
    Playout used;
    used.Run(from, 1);
    const GameState first = used.Run(from, 2);
    Playout fresh;
    EXPECT_TRUE(fresh.Run(from, 2) == first);
    EXPECT_TRUE(t.game.State() == from);
}

}  // namespace
}  // namespace morvel
