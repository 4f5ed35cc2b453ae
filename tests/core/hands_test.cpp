// The hand table's holdings against a walk of the blocks, and the contracts table against the
// deck.
#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "fixed_deal.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::Card;
using testing::TestGame;

// The answers of a walk over a seat's block, the first in hand order among equals.
struct Walk {
    const HandTable& hand;
    int seat;

    static bool Any(const CardRecord&) { return true; }
    template <typename Test>
    int First(Test test) const {
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
            if (Held(hand[n]) && test(hand[n])) return n;
        }
        return 0;
    }
    template <typename Test>
    int Last(Test test) const {
        for (int n = BlockOf(seat).last; n >= BlockOf(seat).first; --n) {
            if (Held(hand[n]) && test(hand[n])) return n;
        }
        return 0;
    }
    template <typename Test>
    int Highest(Test test) const {
        int best = 0;
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
            if (Held(hand[n]) && test(hand[n]) && (best == 0 || hand[n].rank > hand[best].rank))
                best = n;
        }
        return best;
    }
    int Lowest() const {
        int best = 0;
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
            if (Held(hand[n]) && (best == 0 || hand[n].rank < hand[best].rank)) best = n;
        }
        return best;
    }
    int Count() const {
        int count = 0;
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n)
            count += Held(hand[n]);
        return count;
    }
};

void ExpectHoldingsAgree(const HandTable& hand, const std::string& where) {
    for (int seat = 1; seat <= 4; ++seat) {
        const Walk walk{hand, seat};
        SCOPED_TRACE(where + ", seat " + std::to_string(seat));
        ASSERT_EQ(hand.Count(seat), walk.Count());
        EXPECT_EQ(hand.Empty(seat), (hand.EmptySeats() >> seat & 1) != 0);
        EXPECT_EQ(hand.Lowest(seat), walk.Lowest());
        EXPECT_EQ(hand.Highest(seat), walk.Highest(Walk::Any));
        for (int rank = 2; rank <= kAce; ++rank) {
            EXPECT_EQ(hand.FindRank(seat, rank),
                      walk.First([rank](const CardRecord& c) { return c.rank == rank; }));
            for (char suit : kHandSuits) {
                EXPECT_EQ(hand.Find(seat, suit, rank), walk.First([&](const CardRecord& c) {
                    return c.suit == suit && c.rank == rank;
                }));
            }
        }
        // Cards of odd rank, or any club: the first, the last and the highest of them.
        const auto wanted = [](int handSuit) { return handSuit == 1 ? 0x7FFCu : 0xAAAAu; };
        const auto test = [](const CardRecord& c) { return c.suit == kClubs || c.rank % 2 == 1; };
        EXPECT_EQ(hand.FirstAmong(seat, wanted), walk.First(test));
        EXPECT_EQ(hand.LastAmong(seat, wanted), walk.Last(test));
        EXPECT_EQ(hand.HighestAmong(seat, wanted), walk.Highest(test));
    }
}

TEST(HandTable, HoldingsFollowEveryCardDealtAndPlayed) {
    for (uint32_t clock : {0u, 99u, 43200000u}) {
        TestGame t(clock);
        t.game.Deal();
        HandTable hand = t.game.State().hand;
        ExpectHoldingsAgree(hand, "dealt at " + std::to_string(clock));
        // Lay the cards one by one in a scrambled order.
        for (int k = 0; k < 52; ++k) {
            const int entry = (k * 23 + static_cast<int>(clock % 52)) % 52 + 1;
            hand.Play(entry);
            EXPECT_FALSE(Held(hand[entry]));
            ExpectHoldingsAgree(hand, "after " + std::to_string(k + 1) + " cards");
            if (::testing::Test::HasFatalFailure()) return;
        }
        EXPECT_EQ(hand.EmptySeats(), 0x1Eu);
    }
}

// A hand set up card by card may hold a card twice on the way; the holding follows the entries
// as they end up.
TEST(HandTable, SetUpByHand) {
    TestGame t(5);
    t.game.Deal();
    GameState& s = t.game.MutableState();
    const int first = BlockOf(2).first;
    const CardRecord last = s.hand[first + 12];
    s.hand.Set(first, last);  // now held twice in the block
    s.hand.Set(first + 12, Card("H2"));
    ExpectHoldingsAgree(s.hand, "set by hand");
    testing::SetHand(t.game, 3, "");
    EXPECT_TRUE(s.hand.Empty(3));
    testing::SetHand(t.game, 3, "A14 H2");
    EXPECT_EQ(s.hand.Count(3), 2);
    ExpectHoldingsAgree(s.hand, "a short hand");
}

// The cards a seat holds can be dealt afresh among the seats that hold them, around the cards
// already played.
TEST(HandTable, RedealAroundThePlayedCards) {
    TestGame t(77);
    t.game.Deal();
    HandTable hand = t.game.State().hand;
    for (int entry : {1, 5, 13, 20, 21, 40, 52})
        hand.Play(entry);
    const HandTable before = hand;
    // Seats 3 and 4 swap: each takes the other's cards, cut to its own count.
    const uint64_t three = hand.HeldCards(3), four = hand.HeldCards(4);
    ASSERT_EQ(std::popcount(three), 11);
    ASSERT_EQ(std::popcount(four), 10);
    uint64_t pool = three | four, forThree = 0;
    for (int k = 0; k < 11; ++k) {
        const uint64_t lowest = pool & (~pool + 1);
        forThree |= lowest;
        pool &= ~lowest;
    }
    hand.Redeal(3, forThree);
    hand.Redeal(4, pool);
    EXPECT_EQ(hand.HeldCards(3), forThree);
    EXPECT_EQ(hand.HeldCards(4), pool);
    EXPECT_EQ(hand.HeldCards(1), before.HeldCards(1));
    for (int n = 1; n <= 52; ++n) {
        if (!Held(before[n]) || SeatOfEntry(n) <= 2) {
            EXPECT_EQ(hand[n], before[n]) << "entry " << n;
        }
    }
    // Still in hand order.
    for (int seat : {3, 4}) {
        int previous = 0;
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
            if (!Held(hand[n])) continue;
            if (previous != 0) {
                const CardRecord &a = hand[previous], &b = hand[n];
                EXPECT_TRUE(HandSuit(a.suit) < HandSuit(b.suit) ||
                            (a.suit == b.suit && a.rank < b.rank))
                    << previous << " " << n;
            }
            previous = n;
        }
    }
    ExpectHoldingsAgree(hand, "redealt");
}

TEST(Contracts, TheTableAgreesWithTheDeck) {
    for (const Contract& c : kContracts) {
        SCOPED_TRACE(std::string(1, c.letter));
        EXPECT_EQ(FindContract(c.letter), &c);
        EXPECT_EQ(ContractOf(c.id).letter, c.letter);
        if (c.layout) {
            EXPECT_EQ(c.placePoints[1] + c.placePoints[2] + c.placePoints[3] + c.placePoints[4],
                      500);
            continue;
        }
        if (c.perRound) {
            EXPECT_EQ(c.items, 52 / 4);
            continue;
        }
        int penaltyCards = 0;
        for (int n = 1; n <= 52; ++n)
            penaltyCards += c.IsPenalty(kCardTable[n].suit, kCardTable[n].rank);
        EXPECT_EQ(penaltyCards, c.items);
    }
    EXPECT_EQ(FindContract(kNoContract), nullptr);
    EXPECT_EQ(FindContract('X'), nullptr);
    EXPECT_EQ(FindContract(static_cast<char>(0xD8)), nullptr);

    std::string rows, weights;
    for (const Contract* c : kAllGameRows)
        rows += c->letter;
    for (const Contract* c : kByCardWeight)
        weights += c->letter;
    EXPECT_EQ(rows, "LDQK");
    EXPECT_EQ(weights, "KQD");
    EXPECT_EQ(kAllGame.letter, kCollectionLetter);
    EXPECT_TRUE(kLayout.layout);
}

}  // namespace
}  // namespace morvel
