// Points of whole deals played by the computer rules, the All Game tallies and the winner.
#include <gtest/gtest.h>

#include <string>

#include "fixed_deal.h"

namespace morvel {
namespace {

using testing::Card;
using testing::CardsHeld;
using testing::ChooseContract;
using testing::PlayDealToSheet;
using testing::PrepareDeal;
using testing::SetHands;
using testing::TestGame;

// Watches a deal: counts rounds, and checks that every card laid obeys the legal-play rule and
// that game scores stay put during an All Game deal.
struct DealWatch : GameObserver {
    const Game* game = nullptr;
    int rounds = 0;
    void OnLay(int seat, char suit, int) override {
        const GameState& s = game->State();
        // The card is still in the hand when this is called.
        if (s.round.position > 1 && suit != s.round.cards[1].suit) {
            EXPECT_FALSE(game->HasSuit(seat, s.round.cards[1].suit))
                << "seat " << seat << " did not follow suit";
        }
        if (s.mode == GameMode::Complex) {
            for (int seat = 1; seat <= 4; ++seat)
                EXPECT_EQ(s.gameScore[seat], 0);
        }
    }
    void OnTake(int) override { ++rounds; }
};

int32_t Sum(const Numbered<int32_t, 4>& v) {
    return v[1] + v[2] + v[3] + v[4];
}

CardRecord CardOfFace(int face) {
    for (int n = 1; n <= 52; ++n) {
        if (kCardTable[n].face == face) return kCardTable[n];
    }
    return {};
}

bool IsPenalty(char letter, char suit, int rank) {
    switch (letter) {
        case 'Q':
            return rank == kQueen;
        case 'K':
            return suit == kHearts && rank == kKing;
        case 'D':
            return suit == kDiamonds;
        default:
            return false;
    }
}

TEST(WholeDeal, NormalDealsHandOutTheirFullTotal) {
    struct Total {
        char letter;
        int points;
        int items;  // penalty items of the deal
    };
    const Total totals[] = {{'Q', -100, 4}, {'K', -75, 1}, {'D', -130, 13}, {'L', -195, 13}};
    for (const Total& total : totals) {
        for (int chooser = 1; chooser <= 4; ++chooser) {
            for (uint32_t clock : {0u, 777u, 12345678u, 43200000u, 86399999u}) {
                SCOPED_TRACE(::testing::Message()
                             << total.letter << " chooser " << chooser << " clock " << clock);
                TestGame t(clock);
                DealWatch watch;
                watch.game = &t.game;
                t.game.SetObserver(&watch);
                PrepareDeal(t, GameMode::Normal, chooser);
                ChooseContract(t, total.letter);
                const auto s = PlayDealToSheet(t);

                EXPECT_EQ(Sum(s.gameScore), total.points);
                EXPECT_EQ(t.host.beeps, 0);
                const int taken = s.taken[FindContract(total.letter)->id];
                EXPECT_EQ(taken, total.items);
                EXPECT_EQ(CardsHeld(s), 52 - 4 * watch.rounds);
                if (total.letter == 'L') {
                    EXPECT_EQ(watch.rounds, 13);
                } else {
                    // Ended by the round that took the last penalty card.
                    bool lastRoundHadOne = false;
                    for (int k = 1; k <= 4; ++k)
                        lastRoundHadOne |=
                            IsPenalty(total.letter, s.round.cards[k].suit, s.round.cards[k].rank);
                    EXPECT_TRUE(lastRoundHadOne);
                }
                // Each seat's row shows what it was charged for.
                for (int seat = 1; seat <= 4; ++seat) {
                    int charged = 0;
                    for (int j = BlockOf(seat).first; j <= BlockOf(seat).last; ++j) {
                        const Slot& slot = s.table.Get(Family::J, j);
                        if (!slot.visible) continue;
                        if (total.letter == 'L') {
                            EXPECT_EQ(slot.picture, Picture::Back(s.cardBack));
                            charged += -15;
                            continue;
                        }
                        ASSERT_EQ(slot.picture.kind, Picture::Kind::Face);
                        const CardRecord c = CardOfFace(slot.picture.index);
                        EXPECT_TRUE(IsPenalty(total.letter, c.suit, c.rank));
                        charged += total.points / total.items;
                    }
                    EXPECT_EQ(s.gameScore[seat], charged) << "seat " << seat;
                }
            }
        }
    }
}

// Seat 2 holds every club and leads them one by one: nobody else can follow, so it takes every
// round; the others throw their penalty cards as soon as they can.
constexpr std::array<std::string_view, 4> kClubsToSeatTwo = {
    "D2 D3 D4 A5 A6 A7 A8 A9 A10 A11 A12 A13 A14",
    "F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 F13 F14",
    "D10 D11 D12 D13 D14 H2 H3 H4 H5 H6 H7 H8 H9",
    "D5 D6 D7 D8 D9 H10 H11 H12 H13 H14 A2 A3 A4",
};

TEST(WholeDeal, NormalDealEndsWhenNothingIsLeftToTake) {
    struct EarlyEnd {
        char letter;
        int rounds;
        std::vector<const char*> firstRound;  // face up in seat 2's row after the first round
    };
    const EarlyEnd cases[] = {
        {'K', 1, {"H13"}},
        {'Q', 11, {"D12", "H12", "A12"}},  // the queen of clubs is led in round 11
        {'D', 5, {"D14", "D9", "D4"}},
        {'L', 13, {}},
    };
    for (const EarlyEnd& c : cases) {
        SCOPED_TRACE(c.letter);
        TestGame t;
        DealWatch watch;
        watch.game = &t.game;
        t.game.SetObserver(&watch);
        PrepareDeal(t, GameMode::Normal, 2);
        SetHands(t.game, kClubsToSeatTwo);
        ChooseContract(t, c.letter);
        const auto s = PlayDealToSheet(t);
        EXPECT_EQ(watch.rounds, c.rounds);
        EXPECT_EQ(CardsHeld(s), 52 - 4 * c.rounds);
        for (size_t k = 0; k < c.firstRound.size(); ++k) {
            EXPECT_EQ(s.table.Get(Family::J, 27 + static_cast<int>(k)).picture,
                      Picture::Face(Card(c.firstRound[k]).face));
        }
        EXPECT_EQ(s.gameScore[2], Sum(s.gameScore));
        // The round that ended the deal stays on record: seat 2 led the club of that round.
        EXPECT_EQ(s.lastRound[2], Picture::Face(Card("F" + std::to_string(c.rounds + 1)).face));
        for (int seat = 1; seat <= 4; ++seat)
            EXPECT_EQ(s.lastRound[seat].kind, Picture::Kind::Face);
    }
}

TEST(WholeDeal, ComplexDealHandsOutFiveHundred) {
    for (int chooser = 1; chooser <= 4; ++chooser) {
        for (uint32_t clock : {0u, 777u, 12345678u, 43200000u, 86399999u}) {
            SCOPED_TRACE(::testing::Message() << "chooser " << chooser << " clock " << clock);
            TestGame t(clock);
            DealWatch watch;
            watch.game = &t.game;
            t.game.SetObserver(&watch);
            PrepareDeal(t, GameMode::Complex, chooser);
            ChooseContract(t, kQueenLetter);
            const auto s = PlayDealToSheet(t);

            EXPECT_EQ(watch.rounds, 13);
            EXPECT_EQ(t.host.beeps, 0);
            const Numbered<int32_t, 4>& collection = s.complexScores[ContractId::Collection];
            const Numbered<int32_t, 4>& diamonds = s.complexScores[ContractId::Diamonds];
            const Numbered<int32_t, 4>& queen = s.complexScores[ContractId::Queen];
            const Numbered<int32_t, 4>& heartKing = s.complexScores[ContractId::HeartKing];
            EXPECT_EQ(Sum(collection), -195);
            EXPECT_EQ(Sum(diamonds), -130);
            EXPECT_EQ(Sum(queen), -100);
            EXPECT_EQ(Sum(heartKing), -75);
            // One face-down card per round taken.
            for (int seat = 1; seat <= 4; ++seat) {
                int backs = 0;
                for (int j = BlockOf(seat).first; j <= BlockOf(seat).last; ++j)
                    backs += s.table.Get(Family::J, j).visible;
                EXPECT_EQ(backs * -15, collection[seat]);
            }
            // The tallies reach the game scores only at the end of the deal.
            for (int seat = 1; seat <= 4; ++seat) {
                EXPECT_EQ(s.gameScore[seat],
                          collection[seat] + diamonds[seat] + queen[seat] + heartKing[seat]);
            }
            EXPECT_EQ(Sum(s.gameScore), -500);
        }
    }
}

TEST(WholeDeal, ComplexTakerOfEveryRound) {
    TestGame t;
    PrepareDeal(t, GameMode::Complex, 2);
    SetHands(t.game, kClubsToSeatTwo);
    ChooseContract(t, kHeartKingLetter);
    const auto s = PlayDealToSheet(t);
    const SheetBand& band = s.sheet.Band(1);
    const int32_t expected[] = {-195, -325, -425, -500};
    const char letters[] = {'L', 'D', 'Q', 'K'};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(band.rows[row].contract, letters[row]);
        for (int seat = 1; seat <= 4; ++seat)
            EXPECT_EQ(band.rows[row].score[seat], seat == 2 ? expected[row] : 0) << row;
        EXPECT_EQ(s.contractList[row + 1], letters[row]);
    }
    EXPECT_EQ(s.contractNumber, 4);
    EXPECT_EQ(s.contractList[5], kNoContract);
}

TEST(Scoring, WinnerIsTheFirstOfTheHighest) {
    struct WinnerCase {
        std::array<int32_t, 4> scores;
        int winner;
    };
    const WinnerCase cases[] = {
        {{100, 250, 250, -600}, 2},    {{0, 0, 0, 0}, 1},
        {{-5, -5, -5, 15}, 4},         {{0, -10, -20, 30}, 4},
        {{-300, -200, -100, -100}, 3}, {{50, 50, -50, -50}, 1},
    };
    for (const WinnerCase& c : cases) {
        TestGame t;
        for (int seat = 1; seat <= 4; ++seat)
            t.game.MutableState().gameScore[seat] = c.scores[seat - 1];
        EXPECT_EQ(t.game.FindWinner(), c.winner)
            << c.scores[0] << " " << c.scores[1] << " " << c.scores[2] << " " << c.scores[3];
    }
}

}  // namespace
}  // namespace morvel
