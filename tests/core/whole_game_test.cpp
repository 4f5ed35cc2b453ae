#include <gtest/gtest.h>

#include <numeric>

#include "autopilot.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::TestGame;

int32_t ScoreSum(const GameState& s) {
    return s.gameScore[1] + s.gameScore[2] + s.gameScore[3] + s.gameScore[4];
}

// Every card stands in exactly one place: a hand, a played slot of the current round, a board
// slot of the layout contract, or among the cards already gone from play.
void ExpectCardsAccountedFor(const Game& game) {
    const GameState& s = game.State();
    int held = 0;
    for (int n = 1; n <= 52; ++n)
        held += s.hand[n].suit != kPlayed;
    for (int seat = 1; seat <= 4; ++seat) {
        const Block b = BlockOf(seat);
        int count = 0;
        for (int n = b.first; n <= b.last; ++n)
            count += s.hand[n].suit != kPlayed;
        EXPECT_LE(count, 13);
    }
    EXPECT_LE(held, 52);
    if (game.CurrentContract() == kMorvelLetter) {
        int onBoard = 0;
        for (const auto& suit : s.board.value) {
            for (int r = 2; r <= 14; ++r)
                onBoard += suit[r] != 0;
        }
        EXPECT_EQ(held + onBoard, 52);
    }
}

struct GameWatch : GameObserver {
    const Game* game = nullptr;
    int deals = 0;
    int gamesOver = 0;
    int dealsAtGameOver = 0;
    int rowsWritten = 0;
    int lastBand = 0;
    int lastRow = -1;
    std::vector<int32_t> sumsAtChooserChange;
    void OnDealt(uint32_t) override { ++deals; }
    void OnChooser(int k, int) override {
        if (k > 1) sumsAtChooserChange.push_back(ScoreSum(game->State()));
    }
    void OnRow(int band, int row, char) override {
        ++rowsWritten;
        // Rows are written band by band, each band top to bottom (a row may be written again).
        EXPECT_TRUE(band > lastBand || (band == lastBand && row >= lastRow))
            << band << " " << row << " after " << lastBand << " " << lastRow;
        lastBand = band;
        lastRow = row;
        const SheetRow& r = game->State().sheet.Band(band).rows[row];
        for (int seat = 1; seat <= 4; ++seat)
            EXPECT_EQ(r.score[seat], game->State().gameScore[seat]);
    }
    bool OnGameOver() override {
        ++gamesOver;
        dealsAtGameOver = deals;
        sumsAtChooserChange.push_back(ScoreSum(game->State()));
        return true;
    }
};

void PlayOneGame(GameMode mode, uint32_t clock, int expectedDeals) {
    TestGame t(clock);
    t.host.clockStep = 7;
    GameWatch watch;
    watch.game = &t.game;
    t.game.SetObserver(&watch);
    t.game.FormActivate();
    if (mode == GameMode::Complex) {
        watch = GameWatch{};
        watch.game = &t.game;
        t.game.Complex1Click();
    }
    Autopilot pilot(t.game);
    int steps = 0;
    while (watch.gamesOver == 0) {
        ASSERT_TRUE(pilot.Step()) << "stuck after " << steps << " steps, clock " << clock;
        ASSERT_LT(++steps, 20000) << "clock " << clock;
        if (steps % 7 == 0) ExpectCardsAccountedFor(t.game);
    }
    EXPECT_EQ(watch.dealsAtGameOver, expectedDeals) << "clock " << clock;
    EXPECT_EQ(t.host.sheets, expectedDeals) << "clock " << clock;
    ASSERT_EQ(watch.sumsAtChooserChange.size(), 4u);
    for (int32_t sum : watch.sumsAtChooserChange)
        EXPECT_EQ(sum, 0) << "clock " << clock;
    // The new game starts at once, with an empty sheet and no scores.
    EXPECT_EQ(watch.deals, expectedDeals + 1);
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_EQ(t.game.State().gameScore[seat], 0);
    for (int band = 1; band <= 4; ++band) {
        EXPECT_EQ(t.game.State().sheet.Band(band).rows[0].written, false);
    }
}

TEST(WholeGame, NormalModeHasTwentyDealsAndSumsToZero) {
    for (uint32_t clock : {0u, 1234567u, 43200000u, 86399000u})
        PlayOneGame(GameMode::Normal, clock, 20);
}

TEST(WholeGame, ComplexModeHasEightDealsAndSumsToZero) {
    for (uint32_t clock : {0u, 1234567u, 43200000u, 86399000u})
        PlayOneGame(GameMode::Complex, clock, 8);
}

}  // namespace
}  // namespace morvel
