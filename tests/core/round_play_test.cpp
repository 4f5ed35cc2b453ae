// Seat 1's clicks under the legal-play rule, and the taking and charging of a round.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixed_deal.h"

namespace morvel {
namespace {

using testing::Card;
using testing::ChooseContract;
using testing::EntryOf;
using testing::PrepareDeal;
using testing::SetHands;
using testing::TestGame;

constexpr GameMode N = GameMode::Normal;
constexpr GameMode C = GameMode::Complex;

// Deals the hands, lets `chooser` choose `letter`, and runs the turn loop until seat 1 is to play.
void ToSeatOnesTurn(TestGame& t, GameMode mode, char letter, int chooser,
                    const std::array<std::string_view, 4>& hands) {
    PrepareDeal(t, mode, chooser);
    SetHands(t.game, hands);
    ChooseContract(t, letter);
    for (int steps = 0; !t.game.State().humanTurn && steps < 4; ++steps)
        t.game.Timer1Timer();
    ASSERT_TRUE(t.game.State().humanTurn);
}

// Seat 3 leads the five of clubs and seat 4 follows with the ten; seat 1 lays the third card.
struct FollowCase {
    const char* name;
    GameMode mode;
    char letter;
    const char* seatOne;
    const char* click;
    bool refused;
    int winningRank;  // after the card
};

TEST(LegalPlay, SeatOneFollows) {
    const FollowCase cases[] = {
        {"higher club takes the lead", N, 'Q', "H14 F2 F13 D7", "F13", false, 13},
        {"lower club keeps the winning rank", N, 'D', "H14 F2 F13 D7", "F2", false, 10},
        {"heart refused while holding clubs", N, 'K', "H14 F2 F13 D7", "H14", true, 10},
        {"diamond refused while holding clubs", C, 'L', "H14 F2 F13 D7", "D7", true, 10},
        {"void: the ace of hearts does not raise", N, 'L', "H14 D2 A12", "H14", false, 10},
        {"void: a queen may be laid in Queen", N, 'Q', "H14 D2 A12", "A12", false, 10},
        {"void: the heart king may be laid", C, 'L', "H13 D2", "H13", false, 10},
    };
    for (const FollowCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t;
        ToSeatOnesTurn(t, c.mode, c.letter, 3, {c.seatOne, "F3 A2 H5", "F5 A9 H8", "F10 D3 H4"});
        t.game.SetSpeed(kMediumInterval);
        const GameState before = t.game.State();
        ASSERT_EQ(before.round.position, 3);
        ASSERT_EQ(before.round.winningRank, 10);
        ASSERT_EQ(before.timer1Interval, 0);
        const size_t timerChanges = t.host.timerChanges.size();
        const int entry = EntryOf(t.game, c.click);

        t.game.HandSlotClick(entry);
        const GameState& s = t.game.State();
        if (c.refused) {
            EXPECT_EQ(t.host.beeps, 1);
            EXPECT_TRUE(s == before) << "a refused card changed the game";
            EXPECT_EQ(t.host.timerChanges.size(), timerChanges);
            // The player may go on with a club.
            t.game.HandSlotClick(EntryOf(t.game, "F13"));
            EXPECT_EQ(t.host.beeps, 1);
            EXPECT_EQ(s.round.cards[3], (RoundCard{'F', 13}));
            EXPECT_FALSE(s.humanTurn);
            continue;
        }
        EXPECT_EQ(t.host.beeps, 0);
        const CardRecord card = Card(c.click);
        EXPECT_EQ(s.round.cards[3], (RoundCard{card.suit, card.rank}));
        EXPECT_EQ(t.table.Get(Family::P, 3).picture, Picture::Face(card.face));
        EXPECT_EQ(s.hand[entry].suit, kPlayed);
        EXPECT_FALSE(t.table.Get(Family::I, entry).visible);
        EXPECT_EQ(s.round.leadSuit, 'F');
        EXPECT_EQ(s.round.winningRank, c.winningRank);
        EXPECT_EQ(s.round.position, 3);
        EXPECT_FALSE(s.round.taken);
        EXPECT_FALSE(s.humanTurn);
        EXPECT_EQ(s.timer1Interval, kMediumInterval);
        EXPECT_EQ(s.gameScore, before.gameScore);
    }
}

TEST(LegalPlay, SeatOneLeadsAnyCard) {
    struct LeadCase {
        char letter;
        const char* lead;
    };
    const LeadCase cases[] = {{'K', "H13"}, {'Q', "A12"}, {'D', "D9"}, {'L', "F12"}};
    for (const LeadCase& c : cases) {
        SCOPED_TRACE(c.lead);
        TestGame t;
        PrepareDeal(t, GameMode::Normal, 1);
        SetHands(t.game, {"H13 A12 F12 D9", "H2 A3 F3 D3", "H3 A4 F4 D4", "H4 A5 F5 D5"});
        ChooseContract(t, c.letter);
        ASSERT_TRUE(t.game.State().humanTurn);
        ASSERT_EQ(t.game.State().round.position, 1);

        t.game.HandSlotClick(EntryOf(t.game, c.lead));
        const GameState& s = t.game.State();
        const CardRecord card = Card(c.lead);
        EXPECT_EQ(t.host.beeps, 0);
        EXPECT_EQ(s.round.leadSuit, card.suit);
        EXPECT_EQ(s.round.winningRank, card.rank);
        EXPECT_EQ(t.table.Get(Family::P, 1).picture, Picture::Face(card.face));
        EXPECT_FALSE(s.humanTurn);
        EXPECT_FALSE(s.round.taken);
        EXPECT_EQ(s.timer1Interval, s.speedInterval);

        // The others follow low, so the leader takes its own card.
        for (int step = 0; step < 3; ++step)
            t.game.Timer1Timer();
        EXPECT_TRUE(s.round.taken);
        EXPECT_EQ(t.game.RoundWinner(), 1);
    }
}

TEST(LegalPlay, FourthCardTakesTheRoundWithinTheClick) {
    TestGame t;
    // Seat 2 leads D4, seat 3 cannot duck and lays D11, seat 4 ducks with D2.
    ToSeatOnesTurn(t, GameMode::Normal, 'D', 2, {"D13 D3 A5", "D4 F9", "D11 F8", "D2 F10"});
    ASSERT_EQ(t.game.State().round.position, 4);
    const size_t timerChanges = t.host.timerChanges.size();

    t.game.HandSlotClick(EntryOf(t.game, "D13"));
    const GameState& s = t.game.State();
    EXPECT_TRUE(s.round.taken);
    EXPECT_EQ(s.round.position, 0);
    EXPECT_FALSE(s.humanTurn);
    EXPECT_EQ(s.round.winningRank, 13);
    EXPECT_EQ(s.gameScore[1], -40);
    EXPECT_EQ(s.taken[ContractId::Diamonds], 4);
    const char* row[] = {"D4", "D11", "D2", "D13"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(t.table.Get(Family::J, 40 + k).visible);
        EXPECT_EQ(t.table.Get(Family::J, 40 + k).picture, Picture::Face(Card(row[k]).face));
    }
    EXPECT_EQ(s.lastRound[2], Picture::Face(Card("D4").face));
    EXPECT_EQ(s.lastRound[1], Picture::Face(Card("D13").face));
    // Timer1 was stopped for seat 1: the only change is its restart.
    ASSERT_EQ(t.host.timerChanges.size(), timerChanges + 1);
    EXPECT_EQ(t.host.timerChanges.back().timer, TimerId::Timer1);
    EXPECT_EQ(t.host.timerChanges.back().ms, s.speedInterval);

    // The taker leads the next round.
    t.game.Timer1Timer();
    EXPECT_TRUE(s.humanTurn);
    EXPECT_EQ(s.round.position, 1);
}

TEST(LegalPlay, ClicksOutsideSeatOnesTurnAreIgnored) {
    TestGame t;
    PrepareDeal(t, GameMode::Normal, 3);
    SetHands(t.game, {"H14 F2 F13 D7", "F3 A2 H5", "F5 A9 H8", "F10 D3 H4"});
    auto expectIgnored = [&t](const char* when) {
        SCOPED_TRACE(when);
        const GameState before = t.game.State();
        for (int entry = 40; entry <= 52; ++entry)
            t.game.HandSlotClick(entry);
        EXPECT_TRUE(t.game.State() == before);
        EXPECT_EQ(t.host.beeps, 0);
    };
    expectIgnored("before the contract is chosen");
    ChooseContract(t, 'L');
    expectIgnored("before the first step");
    t.game.Timer1Timer();
    t.game.Timer1Timer();
    expectIgnored("while the computer seats lay");
    t.game.Timer1Timer();
    t.game.HandSlotClick(EntryOf(t.game, "F13"));
    expectIgnored("after seat 1's card");
    t.game.Timer1Timer();
    ASSERT_TRUE(t.game.State().round.taken);
    expectIgnored("with the round just taken");
}

// --- Taking a round ------------------------------------------------------------------------

// Puts four cards on the table as laid in a round led by `leader`.
void LayRound(Game& game, int leader, std::string_view text) {
    const std::vector<CardRecord> cards = testing::Cards(text);
    assert(cards.size() == 4);
    GameState& s = game.MutableState();
    game.SetPlayOrder(leader);
    for (int k = 1; k <= 4; ++k) {
        const CardRecord& card = cards[k - 1];
        s.round.cards[k] = {card.suit, card.rank};
        game.MutableTable().SetPicture(Family::P, k, Picture::Face(card.face));
    }
    s.round.leadSuit = s.round.cards[1].suit;
    s.round.position = 4;
}

TEST(RoundWinner, HighestCardOfTheLeadSuit) {
    struct WinnerCase {
        int leader;
        const char* cards;
        int winner;
    };
    const WinnerCase cases[] = {
        {1, "A5 A9 H14 A7", 2},  // no trumps: the ace of hearts does not take
        {3, "A5 A9 H14 A7", 4}, {4, "F2 D14 H14 A14", 4},  // nobody follows: the lead takes
        {2, "H3 H4 H5 H14", 1}, {1, "D10 D2 D12 D11", 3},
    };
    for (const WinnerCase& c : cases) {
        TestGame t;
        LayRound(t.game, c.leader, c.cards);
        EXPECT_EQ(t.game.RoundWinner(), c.winner) << c.leader << " " << c.cards;
    }
}

// The counter of items taken in this deal that a contract's round raises.
int& TakenOf(PerRoundContract<int>& taken, char letter) {
    return taken[FindContract(letter)->id];
}

struct ChargeCase {
    const char* name;
    GameMode mode;
    char letter;
    int leader;
    const char* cards;  // in the order laid
    int takenBefore;    // the contract's counter
    int taker;
    int points;         // to the taker's game score
    const char* faces;  // penalty cards shown face up in the taker's row
    int takenAfter;
    bool dealGoesOn;
    std::array<int, 4> complex;  // to the taker's Collection, Diamonds, Queen, Heart King tallies
};

TEST(TakingARound, ChargesTheTaker) {
    const ChargeCase cases[] = {
        {"three diamonds", N, 'D', 2, "D3 D9 F14 D5", 0, 3, -30, "D3 D9 D5", 3, true, {}},
        {"the last diamond", N, 'D', 2, "D3 D9 F14 D5", 10, 3, -30, "D3 D9 D5", 13, false, {}},
        {"the queen of diamonds", N, 'D', 4, "D12 F3 F4 F5", 0, 4, -10, "D12", 1, true, {}},
        {"two queens", N, 'Q', 3, "A12 H12 A3 A4", 1, 3, -50, "A12 H12", 3, true, {}},
        {"the fourth queen", N, 'Q', 3, "A12 H12 A3 A4", 2, 3, -50, "A12 H12", 4, false, {}},
        {"no queen", N, 'Q', 1, "F2 F3 F4 F5", 3, 4, 0, "", 3, true, {}},
        {"the heart king", N, 'K', 4, "H13 H14 D12 F2", 0, 1, -75, "H13", 1, false, {}},
        {"other kings", N, 'K', 4, "H2 H3 D13 A13", 0, 1, 0, "", 0, true, {}},
        {"a Collection round", N, 'L', 1, "F2 F3 F4 F5", 5, 4, -15, "", 6, true, {}},
        {"the thirteenth round", N, 'L', 1, "F2 F3 F4 F5", 12, 4, -15, "", 13, false, {}},
        {"All Game: heart king and queen of diamonds",
         C,
         'L',
         2,
         "H13 D12 F2 F3",
         5,
         2,
         0,
         "",
         5,
         true,
         {-15, -10, -25, -75}},
        {"All Game: two hearts, two diamonds",
         C,
         'L',
         1,
         "H12 H13 D5 D9",
         0,
         2,
         0,
         "",
         0,
         true,
         {-15, -20, -25, -75}},
        {"All Game: a plain round", C, 'L', 3, "F2 F3 F4 F5", 0, 2, 0, "", 0, true, {-15, 0, 0, 0}},
    };
    for (const ChargeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t;
        GameState& s = t.game.MutableState();
        s.mode = c.mode;
        s.contractNumber = 1;
        s.contractList.Set(1, c.letter);
        s.cardBack = 3;
        TakenOf(s.taken, c.letter) = c.takenBefore;
        s.gameScore.fill(-40);
        s.complexScores[ContractId::Collection].fill(-30);
        s.complexScores[ContractId::Queen].fill(-25);
        // Every seat took one round before; the new items go after it.
        for (int j = 1; j <= 52; ++j)
            t.table.SetVisible(Family::J, j, false);
        for (int seat = 1; seat <= 4; ++seat) {
            const int first = BlockOf(seat).first;
            s.collectionPosition[seat] = first;
            t.table.SetVisible(Family::J, first, true);
            t.table.SetPicture(Family::J, first, Picture::Back(3));
        }
        t.game.SetTimer(TimerId::Timer1, s.speedInterval);  // a computer seat laid the card
        const std::vector<CardRecord> cards = testing::Cards(c.cards);
        LayRound(t.game, c.leader, c.cards);
        const GameState before = s;
        const size_t timerChanges = t.host.timerChanges.size();

        t.game.FinishLaidCard();

        ASSERT_EQ(t.game.RoundWinner(), c.taker);
        for (int seat = 1; seat <= 4; ++seat) {
            const bool taker = seat == c.taker;
            EXPECT_EQ(s.gameScore[seat], -40 + (taker ? c.points : 0)) << seat;
            const Block row = BlockOf(seat);
            std::vector<Picture> shown, expected;
            for (int j = row.first + 1; j <= row.last; ++j) {
                if (t.table.Get(Family::J, j).visible)
                    shown.push_back(t.table.Get(Family::J, j).picture);
            }
            if (taker && (c.mode == C || c.letter == kCollectionLetter))
                expected.push_back(Picture::Back(3));
            for (const CardRecord& f : testing::Cards(taker ? c.faces : ""))
                expected.push_back(Picture::Face(f.face));
            EXPECT_EQ(shown, expected) << "row of seat " << seat;
            EXPECT_EQ(s.collectionPosition[seat], row.first + static_cast<int>(expected.size()));
            const ContractId kTallies[4] = {ContractId::Collection, ContractId::Diamonds,
                                            ContractId::Queen, ContractId::HeartKing};
            for (int i = 0; i < 4; ++i) {
                const ContractId id = kTallies[i];
                EXPECT_EQ(s.complexScores[id][seat],
                          before.complexScores[id][seat] + (taker ? c.complex[i] : 0));
            }
        }
        PerRoundContract<int> takenAfter = before.taken;
        TakenOf(takenAfter, c.letter) = c.takenAfter;
        EXPECT_EQ(s.taken, takenAfter);
        EXPECT_EQ(s.dealGoesOn, c.dealGoesOn);
        EXPECT_TRUE(s.round.taken);
        EXPECT_EQ(s.round.position, 0);
        // The round stays on the table and is kept for the last round window, seat by seat.
        for (int k = 1; k <= 4; ++k) {
            const Picture face = Picture::Face(cards[k - 1].face);
            EXPECT_EQ(t.table.Get(Family::P, k).picture, face);
            EXPECT_EQ(s.lastRound[SeatAtPosition(c.leader, k)], face);
        }
        // Timer1 is stopped and started afresh, so the cards stay for one full interval.
        ASSERT_EQ(t.host.timerChanges.size(), timerChanges + 2);
        EXPECT_EQ(t.host.timerChanges[timerChanges].ms, 0);
        EXPECT_EQ(t.host.timerChanges[timerChanges + 1].ms, s.speedInterval);
        EXPECT_EQ(s.timer1Interval, s.speedInterval);
    }
}

TEST(TakingARound, NothingHappensBeforeTheFourthCard) {
    TestGame t;
    GameState& s = t.game.MutableState();
    s.contractNumber = 1;
    s.contractList.Set(1, kCollectionLetter);
    LayRound(t.game, 1, "F2 F3 F4 F5");
    for (int position = 1; position <= 3; ++position) {
        s.round.position = position;
        const GameState before = s;
        t.game.FinishLaidCard();
        EXPECT_TRUE(s == before) << position;
    }
}

}  // namespace
}  // namespace morvel
