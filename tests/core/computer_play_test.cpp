// The computer seats' choice of card: leading, following and discarding.
#include <gtest/gtest.h>

#include "fixed_deal.h"

namespace morvel {
namespace {

using testing::Card;
using testing::SetHand;
using testing::TestGame;

constexpr int kSeat = 2;  // the seat whose card is chosen; its block is 27..39

void SetContract(Game& game, GameMode mode, char letter) {
    GameState& s = game.MutableState();
    s.mode = mode;
    s.contractList.Clear();
    s.contractNumber = 1;
    s.contractList.Set(1, letter);
}

struct FollowCase {
    const char* name;
    GameMode mode;
    char letter;
    int position;
    char lead;
    int winningRank;
    const char* hand;
    const char* expected;
};

constexpr GameMode N = GameMode::Normal;
constexpr GameMode C = GameMode::Complex;

TEST(ComputerFollow, ChoosesByTheRules) {
    const FollowCase cases[] = {
        // Ducking under the winning card, and the lowest card above it when that fails.
        {"duck under the jack", N, 'Q', 2, 'F', 11, "F5 F9 F13 H2", "F9"},
        {"duck even when last", N, 'D', 4, 'D', 9, "D3 D7 D11", "D7"},
        {"no duck at 2: lowest above", N, 'Q', 2, 'F', 4, "F8 F12", "F8"},
        {"no duck at 3: lowest above", N, 'D', 3, 'F', 4, "F8 F12", "F8"},
        {"no duck at 3: the queen if lowest", N, 'Q', 3, 'F', 4, "F12 F13", "F12"},
        {"no duck at 2 in All Game", C, 'L', 2, 'F', 5, "F8 F12 F13", "F8"},

        // Queen: the queen goes under a king or an ace of its suit.
        {"Queen: under the king of spades", N, 'Q', 2, 'A', 13, "A12 A3", "A12"},
        {"Queen: under the ace, not the king", N, 'Q', 3, 'A', 14, "A3 A12 A13", "A12"},
        {"Diamonds: no such rule", N, 'D', 3, 'A', 14, "A3 A12 A13", "A13"},
        {"All Game: no such rule", C, 'L', 3, 'A', 14, "A3 A12 A13", "A13"},

        // Heart King: the king goes under the ace of hearts.
        {"Heart King: under the ace", N, 'K', 2, 'H', 14, "H4 H13", "H13"},
        {"Heart King: spades led under the ace", N, 'K', 2, 'A', 14, "H4 H13 A5 A9", "A9"},

        // Last to play and sure to take.
        {"Heart King last: highest heart below the king", N, 'K', 4, 'H', 6, "H10 H13", "H10"},
        {"Heart King last: the ace over the king", N, 'K', 4, 'H', 6, "H13 H14", "H14"},
        {"Heart King last: the king alone", N, 'K', 4, 'H', 6, "H13 A2", "H13"},
        {"Heart King last, spades led: highest", N, 'K', 4, 'A', 6, "A8 A12 H13", "A12"},
        {"Queen last: the ace", N, 'Q', 4, 'D', 5, "D8 D12 D14", "D14"},
        {"Queen last: the king", N, 'Q', 4, 'D', 5, "D8 D12 D13", "D13"},
        {"Queen last: below the queen", N, 'Q', 4, 'D', 5, "D8 D12", "D8"},
        {"Queen last: the queen alone", N, 'Q', 4, 'D', 5, "D12", "D12"},
        {"Diamonds last: highest", N, 'D', 4, 'D', 3, "D7 D11", "D11"},
        {"Diamonds at 2: lowest", N, 'D', 2, 'D', 3, "D7 D11", "D7"},
        {"Collection last: highest", N, 'L', 4, 'F', 3, "F7 F11 F12", "F12"},
        {"All Game last, hearts: the queen before the king", C, 'L', 4, 'H', 5, "H12 H13", "H12"},
        {"All Game last, hearts: the ace", C, 'L', 4, 'H', 5, "H12 H13 H14", "H14"},
        {"All Game last, hearts: below the queen", C, 'L', 4, 'H', 5, "H9 H12 H13", "H9"},
        {"All Game last, clubs: above the queen", C, 'L', 4, 'F', 5, "F8 F12 F13", "F13"},
        {"All Game last, clubs: below the queen", C, 'L', 4, 'F', 5, "F8 F12", "F8"},
        {"All Game last, clubs: the queen alone", C, 'L', 4, 'F', 5, "F12", "F12"},

        // Void in the lead suit.
        {"Queen discard: first queen in hand order", N, 'Q', 3, 'F', 9, "A12 H12 D3", "H12"},
        {"Queen discard: highest card", N, 'Q', 3, 'F', 9, "A14 H9 D3", "A14"},
        {"Heart King discard: the king", N, 'K', 3, 'F', 9, "A14 H13 D3", "H13"},
        {"Heart King discard: highest card", N, 'K', 3, 'F', 9, "A14 H14 D3", "H14"},
        {"Diamonds discard: highest diamond", N, 'D', 2, 'F', 9, "D4 D9 A14", "D9"},
        {"Diamonds discard: highest card", N, 'D', 2, 'F', 9, "H5 A14", "A14"},
        {"Collection discard: highest, hearts first", N, 'L', 4, 'F', 9, "A14 H14 D2", "H14"},
        {"All Game discard: the heart king", C, 'L', 2, 'F', 9, "A12 H13 D14", "H13"},
        {"All Game discard: a queen", C, 'L', 2, 'F', 9, "A12 D14 H2", "A12"},
        {"All Game discard: first queen in hand order", C, 'L', 2, 'F', 9, "A12 D12 H3", "D12"},
        {"All Game discard: highest diamond", C, 'L', 2, 'F', 9, "D4 D9 A14 H2", "D9"},
        {"All Game discard: highest card", C, 'L', 2, 'F', 9, "H5 A14 A3", "A14"},
    };
    for (const FollowCase& c : cases) {
        TestGame t;
        SetContract(t.game, c.mode, c.letter);
        SetHand(t.game, kSeat, c.hand);
        GameState& s = t.game.MutableState();
        s.round.position = c.position;
        s.round.winningRank = c.winningRank;
        s.round.leadSuit = c.lead;
        const int e = StandardPlayer::Follow(s, kSeat);
        ASSERT_NE(e, 0) << c.name;
        EXPECT_EQ(t.game.State().hand[e], Card(c.expected)) << c.name;
    }
}

TEST(ComputerLead, LowestCardHeartsFirst) {
    struct LeadCase {
        const char* hand;
        const char* expected;
    };
    const LeadCase cases[] = {
        {"H9 A2 F2 H2 D5", "H2"}, {"F2 A2 D5", "F2"},
        {"A2 D2 H3", "D2"},       {"H13 H3 A4", "H3"},  // a low heart even in Heart King
        {"A14", "A14"},
    };
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (char letter : {'Q', 'K', 'D', 'L'}) {
            for (const LeadCase& c : cases) {
                TestGame t;
                SetContract(t.game, mode, letter);
                SetHand(t.game, kSeat, c.hand);
                const int e = StandardPlayer::Lead(t.game.State(), kSeat);
                ASSERT_NE(e, 0) << c.hand;
                EXPECT_EQ(t.game.State().hand[e], Card(c.expected)) << c.hand << " " << letter;
            }
        }
    }
}

TEST(ComputerPlay, LeadAndFollowSetTheRound) {
    TestGame t;
    SetContract(t.game, GameMode::Normal, kCollectionLetter);
    SetHand(t.game, 2, "F9 A3 H5");
    SetHand(t.game, 3, "A10 D2");
    SetHand(t.game, 4, "H14 D9");
    GameState& s = t.game.MutableState();

    s.round.position = 1;
    t.game.ComputerLead(2);
    EXPECT_EQ(s.round.leadSuit, 'A');
    EXPECT_EQ(s.round.winningRank, 3);
    EXPECT_EQ(s.round.cards[1], (RoundCard{'A', 3}));
    EXPECT_FALSE(s.round.taken);

    s.round.position = 2;
    t.game.ComputerFollow(3);
    EXPECT_EQ(s.round.cards[2], (RoundCard{'A', 10}));
    EXPECT_EQ(s.round.winningRank, 10);

    // A discard never raises the winning rank, however high.
    s.round.position = 3;
    t.game.ComputerFollow(4);
    EXPECT_EQ(s.round.cards[3], (RoundCard{'H', 14}));
    EXPECT_EQ(s.round.winningRank, 10);
    EXPECT_EQ(s.round.leadSuit, 'A');
    EXPECT_FALSE(s.round.taken);
    EXPECT_EQ(testing::CardsHeld(s), 4);
}

}  // namespace
}  // namespace morvel
