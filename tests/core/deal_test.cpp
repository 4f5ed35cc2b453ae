#include <gtest/gtest.h>

#include <set>

#include "cards.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::TestGame;

TEST(CardTable, EntriesAndFaces) {
    const CardTable table = BuildCardTable();
    EXPECT_EQ(table[13], (CardRecord{'D', 14, 1}));
    EXPECT_EQ(table[1], (CardRecord{'D', 2, 2}));
    EXPECT_EQ(table[14], (CardRecord{'F', 2, 28}));
    EXPECT_EQ(table[26], (CardRecord{'F', 14, 27}));
    EXPECT_EQ(table[38], (CardRecord{'H', 13, 26}));
    EXPECT_EQ(table[52], (CardRecord{'A', 14, 40}));
    std::set<int> faces;
    for (int n = 1; n <= 52; ++n)
        faces.insert(table[n].face);
    EXPECT_EQ(faces.size(), 52u);
}

TEST(Seats, BlocksAndRotation) {
    EXPECT_EQ(BlockOf(1).first, 40);
    EXPECT_EQ(BlockOf(4).last, 13);
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_EQ(SeatOfEntry(BlockOf(seat).first), seat);
        EXPECT_EQ(SeatOfEntry(BlockOf(seat).last), seat);
    }
    EXPECT_EQ(SeatAtPosition(4, 1), 4);
    EXPECT_EQ(SeatAtPosition(4, 2), 1);
    EXPECT_EQ(SeatAtPosition(4, 4), 3);
}

// The order of a sorted block: hearts, clubs, diamonds, spades, each low to high.
bool InHandOrder(const CardRecord& a, const CardRecord& b) {
    if (a.suit != b.suit) return a.suit > b.suit;
    return a.rank < b.rank;
}

TEST(Deal, EveryCardOnceSortedAndShown) {
    for (uint32_t clock : {0u, 1u, 43200000u, 86399999u}) {
        TestGame t(clock);
        t.game.Deal();
        const GameState& s = t.game.State();
        std::set<int> faces;
        for (int n = 1; n <= 52; ++n)
            faces.insert(s.hand[n].face);
        EXPECT_EQ(faces.size(), 52u);
        for (int seat = 1; seat <= 4; ++seat) {
            for (int n = BlockOf(seat).first; n < BlockOf(seat).last; ++n) {
                EXPECT_TRUE(InHandOrder(s.hand[n], s.hand[n + 1])) << "entry " << n;
            }
        }
        for (int n = 1; n <= 52; ++n) {
            const Slot& slot = t.table.Get(Family::I, n);
            EXPECT_TRUE(slot.visible);
            EXPECT_EQ(slot.picture, n <= 39 ? Picture::Back(1) : Picture::Face(s.hand[n].face));
        }
    }
}

TEST(Deal, SameMillisecondSameCards) {
    TestGame a(12345678), b(12345678), c(12345679);
    for (TestGame* t : {&a, &b, &c})
        t->game.Deal();
    EXPECT_EQ(a.game.State().hand, b.game.State().hand);
    EXPECT_NE(a.game.State().hand, c.game.State().hand);
}

TEST(Deal, FirstThirteenDrawsGoToTheLeftSeat) {
    // Seed 0 draws 0, 1, 44, ... so card-table entries 1 (two of diamonds), 2 and 45 go to seat 4.
    TestGame t(0);
    t.game.Deal();
    const HandTable& hand = t.game.State().hand;
    auto holds = [&](int first, int last, CardRecord card) {
        for (int n = first; n <= last; ++n) {
            if (hand[n] == card) return true;
        }
        return false;
    };
    EXPECT_TRUE(holds(1, 13, kCardTable[1]));
    EXPECT_TRUE(holds(1, 13, kCardTable[2]));
    EXPECT_TRUE(holds(1, 13, kCardTable[45]));
}

TEST(Table, PlayedSlotsFollowTheLeader) {
    TestGame t;
    const int expected[5][5][2] = {
        {},
        {{}, {265, 199}, {321, 160}, {265, 127}, {209, 160}},
        {{}, {321, 160}, {265, 127}, {209, 160}, {265, 199}},
        {{}, {265, 127}, {209, 160}, {265, 199}, {321, 160}},
        {{}, {209, 160}, {265, 199}, {321, 160}, {265, 127}},
    };
    for (int leader = 1; leader <= 4; ++leader) {
        t.game.PlacePlayedSlots(leader);
        for (int n = 1; n <= 4; ++n) {
            const Rect r = t.game.Table().Get(Family::P, n).rect;
            EXPECT_EQ(r.left, expected[leader][n][0]) << leader << " p" << n;
            EXPECT_EQ(r.top, expected[leader][n][1]) << leader << " p" << n;
        }
    }
    const TableModel before = t.game.Table();
    t.game.PlacePlayedSlots(0);
    t.game.PlacePlayedSlots(5);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(t.game.Table().Get(Family::P, n), before.Get(Family::P, n));
}

TEST(Table, ChooserAndTurnMarkers) {
    TestGame t;
    GameState& s = t.game.MutableState();
    s.chooserSeats[1] = 3;
    s.chooserSeats[2] = 4;
    s.chooserSeats[3] = 1;
    s.chooserSeats[4] = 2;
    const int spot[5][2] = {{}, {448, 328}, {496, 77}, {120, 32}, {72, 280}};
    for (int k = 1; k <= 4; ++k) {
        s.chooserNumber = k;
        t.game.ShowChooserMarker();
        for (int m = 1; m <= 4; ++m)
            EXPECT_EQ(t.game.Table().Get(Family::King, m).visible, m == k);
        const Rect r = t.game.Table().Get(Family::King, k).rect;
        EXPECT_EQ(r.left, spot[s.chooserSeats[k]][0]);
        EXPECT_EQ(r.top, spot[s.chooserSeats[k]][1]);
    }
    s.chooserNumber = 5;
    t.game.ShowChooserMarker();
    for (int m = 1; m <= 4; ++m)
        EXPECT_FALSE(t.game.Table().Get(Family::King, m).visible);

    t.game.ShowTurnMarker(2);
    for (int m = 1; m <= 4; ++m)
        EXPECT_EQ(t.game.Table().Get(Family::H, m).visible, m == 2);
    t.game.ShowTurnMarker(0);
    for (int m = 1; m <= 4; ++m)
        EXPECT_FALSE(t.game.Table().Get(Family::H, m).visible);
}

TEST(Table, LockAndUnlockTouchOnlyTheHumanHand) {
    TestGame t;
    t.game.LockHumanHand();
    for (int n = 1; n <= 52; ++n)
        EXPECT_EQ(t.game.Table().Get(Family::I, n).enabled, n < 40);
    t.game.UnlockHumanHand();
    for (int n = 1; n <= 52; ++n)
        EXPECT_TRUE(t.game.Table().Get(Family::I, n).enabled);
}

}  // namespace
}  // namespace morvel
