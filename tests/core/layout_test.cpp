// The layout contract: which card fits, the human player's card and pass, the computer players'
// moves, the five-step cycle on Timer3, the finishing order and the end of the deal.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "fixed_deal.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::Card;
using testing::Cards;
using testing::EntryOf;
using testing::SetHand;
using testing::TestGame;

constexpr char H = kHearts, F = kClubs, D = kDiamonds, A = kSpades;
constexpr char kSuits[4] = {D, F, H, A};  // the board's order

struct Laid {
    char suit;
    int low;
    int high;
};

// A layout deal of the first chooser at its first contract, led by `leader`, with these runs on
// the board and nothing else.
void StartLayoutDeal(Game& g, int leader, const std::vector<Laid>& board = {}) {
    GameState& s = g.MutableState();
    s.contractList.Clear();
    s.contractList.Set(1, kMorvelLetter);
    s.contractNumber = 1;
    s.chooserNumber = 1;
    g.ResetLayout();
    g.SetPlayOrder(leader);
    s.round.position = 0;
    for (const Laid& run : board) {
        for (int r = run.low; r <= run.high; ++r) {
            s.board.value[BoardSuit(run.suit)][r] = r;
            g.MutableTable().SetPicture(Family::K, BoardSuit(run.suit) * 13 + 15 - r,
                                        Picture::Face(FaceOf(run.suit, r)));
            ++s.dealCardCount;
        }
    }
    g.ComputeSuitExtents();
}

bool OnBoard(const GameState& s, char suit, int rank) {
    return s.board.value[BoardSuit(suit)][rank] != 0;
}

struct FitCase {
    const char* name;
    std::vector<Laid> board;
    std::string_view fitting;  // every other card off the board does not fit
};

TEST(CanLay, OnlyTheJackOrTheNextRankOutward) {
    const FitCase cases[] = {
        {"empty board", {}, "D11 F11 H11 A11"},
        {"jack of clubs alone", {{F, 11, 11}}, "F10 F12 D11 H11 A11"},
        {"clubs up to the queen", {{F, 11, 12}}, "F10 F13 D11 H11 A11"},
        {"clubs up to the ace", {{F, 11, 14}}, "F10 D11 H11 A11"},
        {"hearts down to the two", {{H, 2, 11}}, "H12 D11 F11 A11"},
        {"spades full, diamonds three to king", {{A, 2, 14}, {D, 3, 13}}, "D2 D14 F11 H11"},
    };
    for (const FitCase& c : cases) {
        TestGame t;
        StartLayoutDeal(t.game, 1, c.board);
        const GameState& s = t.game.State();
        for (char suit : kSuits) {
            for (int rank = 2; rank <= 14; ++rank) {
                if (OnBoard(s, suit, rank)) continue;
                bool fits = false;
                for (const CardRecord& f : Cards(c.fitting))
                    fits = fits || (f.suit == suit && f.rank == rank);
                EXPECT_EQ(t.game.CanLay(suit, rank), fits)
                    << c.name << ": " << CardText(suit, rank).data();
            }
        }
    }
}

TEST(ComputeSuitExtents, LowAndHighOfEachRun) {
    TestGame t;
    StartLayoutDeal(t.game, 1, {{D, 11, 11}, {F, 2, 11}, {H, 9, 14}});
    const Board& b = t.game.State().board;
    const int expected[4][2] = {{11, 11}, {2, 11}, {9, 14}, {0, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(b.low[i], expected[i][0]) << kSuits[i];
        EXPECT_EQ(b.high[i], expected[i][1]) << kSuits[i];
    }
}

// The human player's turn as a Timer3 step opens it, with these cards in his hand; the computer
// seats hold a card each so that nobody is out.
void OpenHumanTurn(Game& g, std::string_view hand, const std::vector<Laid>& board) {
    StartLayoutDeal(g, 1, board);
    SetHand(g, 1, hand);
    SetHand(g, 2, "D2");
    SetHand(g, 3, "D3");
    SetHand(g, 4, "D4");
    g.SetTimer(TimerId::Timer3, kFastInterval);
    g.Timer3Timer();
}

struct PassCase {
    const char* name;
    std::string_view hand;
    std::vector<Laid> board;
    bool accepted;
};

TEST(PassbClick, AcceptedOnlyWhenNothingFits) {
    const PassCase cases[] = {
        {"a jack forbids passing though nothing else fits", "H11 F5", {{F, 11, 11}}, false},
        {"a fitting card forbids passing", "F10 D3", {{F, 11, 11}}, false},
        {"the card above the run", "A5 F13", {{F, 10, 12}}, false},
        {"nothing fits", "F5 D3 A14", {{F, 11, 11}, {A, 11, 11}}, true},
        {"empty board and no jack", "H5", {}, true},
    };
    for (const PassCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t;
        Game& g = t.game;
        OpenHumanTurn(g, c.hand, c.board);
        ASSERT_TRUE(g.State().humanTurn);
        ASSERT_TRUE(g.Table().PassbVisible());
        ASSERT_EQ(g.TimerInterval(TimerId::Timer3), 0);
        const GameState before = g.State();

        g.passbClick();

        if (c.accepted) {
            EXPECT_EQ(t.host.beeps, 0);
            EXPECT_EQ(g.State().cycleMoves[1], Picture::Pass());
            EXPECT_FALSE(g.State().humanTurn);
            EXPECT_EQ(g.TimerInterval(TimerId::Timer3), kFastInterval);
            EXPECT_EQ(g.State().hand, before.hand);
            EXPECT_EQ(g.State().board, before.board);
        } else {
            EXPECT_EQ(t.host.beeps, 1);
            EXPECT_TRUE(g.State() == before);
        }
    }
}

TEST(PassbClick, IgnoredSilentlyOutsideTheHumanTurn) {
    TestGame t;
    Game& g = t.game;
    OpenHumanTurn(g, "H5", {{F, 11, 11}});
    g.passbClick();  // the pass ends his turn; the button stays on the table
    ASSERT_TRUE(g.Table().PassbVisible());
    const GameState before = g.State();
    g.passbClick();
    EXPECT_EQ(t.host.beeps, 0);
    EXPECT_TRUE(g.State() == before);
}

TEST(LayHumanLayoutCard, RefusedCardChangesNothing) {
    TestGame t;
    Game& g = t.game;
    OpenHumanTurn(g, "H10 F9 A12", {{F, 11, 11}, {A, 11, 11}});
    const GameState before = g.State();
    for (const char* card : {"H10", "F9"}) {
        g.HandSlotClick(EntryOf(g, card));
        EXPECT_TRUE(g.State() == before) << card;
    }
    EXPECT_EQ(t.host.beeps, 2);
    const int queen = EntryOf(g, "A12");  // it fits
    g.HandSlotClick(queen);
    EXPECT_EQ(t.host.beeps, 2);
    const GameState& s = g.State();
    EXPECT_TRUE(OnBoard(s, A, 12));
    EXPECT_EQ(g.Table().Get(Family::K, 3 * 13 + 3).picture, Picture::Face(FaceOf(A, 12)));
    EXPECT_EQ(s.hand[queen].suit, kPlayed);
    EXPECT_FALSE(g.Table().Get(Family::I, queen).visible);
    EXPECT_EQ(s.cycleMoves[1], Picture::Face(FaceOf(A, 12)));
    EXPECT_EQ(s.dealCardCount, before.dealCardCount + 1);
    EXPECT_FALSE(s.humanTurn);
    EXPECT_EQ(g.TimerInterval(TimerId::Timer3), kFastInterval);
}

TEST(LayHumanLayoutCard, TheLastCardFinishesFast) {
    TestGame t;
    Game& g = t.game;
    g.SetSpeed(kSlowInterval);
    OpenHumanTurn(g, "F10", {{F, 11, 11}});
    GameState& s = g.MutableState();
    // Seat 3 is already out, in first place.
    SetHand(g, 3, "");
    s.stillIn[3] = false;
    s.finishingPlace[3] = 1;
    s.nextFinishingPlace = 2;

    g.HandSlotClick(52);

    EXPECT_FALSE(s.stillIn[1]);
    EXPECT_EQ(s.finishingPlace[1], 2);
    EXPECT_EQ(s.nextFinishingPlace, 3);
    EXPECT_FALSE(g.Table().PassbVisible());
    EXPECT_EQ(g.TimerInterval(TimerId::Timer3), kFinishInterval);
    // The next steps skip the human player's turn without a stop.
    g.Timer3Timer();  // step 2: seat 2 lays nothing that fits, so passes
    g.Timer3Timer();  // step 3: seat 3 is out
    g.Timer3Timer();  // step 4
    g.Timer3Timer();  // step 5: idle
    g.Timer3Timer();  // step 1: seat 1 is out
    EXPECT_FALSE(s.humanTurn);
    EXPECT_FALSE(g.Table().PassbVisible());
    EXPECT_EQ(g.TimerInterval(TimerId::Timer3), kFinishInterval);
}

TEST(ComputerLayoutMove, TheFirstJackInHandOrderBeforeAnythingElse) {
    const struct {
        std::string_view hand;
        CardRecord laid;
    } cases[] = {
        {"H11 D10 A11", Card("H11")},
        {"F11 D10 A11", Card("F11")},
        {"D12 A11", Card("A11")},
    };
    for (const auto& c : cases) {
        for (int seat = 2; seat <= 4; ++seat) {
            TestGame t;
            Game& g = t.game;
            StartLayoutDeal(g, seat, {{D, 11, 11}});
            SetHand(g, seat, c.hand);
            g.MutableState().round.position = 1;
            const Board before = g.State().board;
            g.ComputerLayoutMove(seat);
            int laid = 0;
            for (int i = 0; i < 4; ++i) {
                for (int r = 2; r <= 14; ++r)
                    laid += g.State().board.value[i][r] != before.value[i][r];
            }
            EXPECT_EQ(laid, 1);
            EXPECT_TRUE(OnBoard(g.State(), c.laid.suit, c.laid.rank))
                << CardText(c.laid.suit, c.laid.rank).data() << ", seat " << seat;
        }
    }
}

// Without a jack the seat walks its hand forward (lowest heart first) or backward (highest spade
// first) by a clock-seeded draw from 0 to 5, even numbers forward.
TEST(ComputerLayoutMove, DirectionByTheDraw) {
    int forwards = 0, backwards = 0;
    for (uint32_t clock : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 60000u, 43200000u, 86399999u}) {
        Random r;
        r.Seed(clock);
        const bool forward = r.Draw(6) % 2 == 0;
        (forward ? forwards : backwards)++;
        TestGame t(clock);
        Game& g = t.game;
        StartLayoutDeal(g, 2, {{H, 11, 11}, {F, 11, 11}, {A, 11, 11}});
        SetHand(g, 2, "H3 H10 F12 D5 A12 A2");
        g.MutableState().round.position = 1;
        g.ComputerLayoutMove(2);
        const CardRecord expected = forward ? Card("H10") : Card("A12");
        EXPECT_TRUE(OnBoard(g.State(), expected.suit, expected.rank)) << "clock " << clock;
        EXPECT_FALSE(OnBoard(g.State(), F, 12)) << "clock " << clock;
        EXPECT_EQ(g.State().cycleMoves[1], Picture::Face(expected.face)) << "clock " << clock;
    }
    EXPECT_GT(forwards, 0);
    EXPECT_GT(backwards, 0);
}

TEST(ComputerLayoutMove, PassesWhenNothingFits) {
    TestGame t;
    Game& g = t.game;
    StartLayoutDeal(g, 3, {{H, 11, 11}});
    SetHand(g, 3, "H2 F10 A14");
    GameState& s = g.MutableState();
    s.round.position = 2;
    s.cycleMoves[2] = Picture::Face(1);
    const GameState before = s;
    g.ComputerLayoutMove(3);
    EXPECT_EQ(s.cycleMoves[2], Picture::Pass());
    EXPECT_EQ(s.board, before.board);
    EXPECT_EQ(s.hand, before.hand);
    EXPECT_EQ(s.dealCardCount, before.dealCardCount);
}

// Each step gives the turn to the next seat of the play order; the fifth is idle, and the fourth
// copies the cycle's moves to the last-round pictures.
TEST(Timer3Timer, FiveStepCycle) {
    TestGame t;
    Game& g = t.game;
    GameState& s = g.MutableState();
    StartLayoutDeal(g, 1);
    // Seat 1 is out of cards; the others hold a jack and a card that cannot follow it yet.
    SetHand(g, 1, "");
    s.stillIn[1] = false;
    s.finishingPlace[1] = 1;
    s.nextFinishingPlace = 2;
    SetHand(g, 2, "H11 D5");
    SetHand(g, 3, "F11 D6");
    SetHand(g, 4, "A11 D7");
    s.cycleMoves[1] = Picture::Face(FaceOf(D, 9));  // seat 1's move of an earlier cycle
    g.SetTimer(TimerId::Timer3, kFastInterval);

    GameState before = s;
    g.Timer3Timer();  // seat 1, out: nothing happens
    EXPECT_EQ(s.round.position, 1);
    before.round.position = 1;
    EXPECT_TRUE(s == before);

    const CardRecord jacks[5] = {{}, {}, Card("H11"), Card("F11"), Card("A11")};
    for (int seat = 2; seat <= 4; ++seat) {
        g.Timer3Timer();
        EXPECT_EQ(s.round.position, seat);
        EXPECT_TRUE(OnBoard(s, jacks[seat].suit, 11)) << "seat " << seat;
        EXPECT_TRUE(g.Table().Get(Family::H, seat).visible);
        EXPECT_EQ(s.cycleMoves[seat], Picture::Face(jacks[seat].face));
        EXPECT_EQ(g.TimerInterval(TimerId::Timer3), kFastInterval);
    }
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_EQ(s.lastRound[seat], s.cycleMoves[seat]) << "seat " << seat;
    EXPECT_EQ(s.lastRound[1], Picture::Face(FaceOf(D, 9)));

    before = s;
    g.Timer3Timer();  // idle
    EXPECT_EQ(s.round.position, 5);
    before.round.position = 5;
    EXPECT_TRUE(s == before);

    g.Timer3Timer();  // the next cycle, seat 1 again
    EXPECT_EQ(s.round.position, 1);
}

TEST(Timer3Timer, HumanFourthSeesHisMoveOfTheCycleBefore) {
    TestGame t;
    Game& g = t.game;
    GameState& s = g.MutableState();
    StartLayoutDeal(g, 2);
    SetHand(g, 1, "H5");
    SetHand(g, 2, "H11 D5");
    SetHand(g, 3, "F11 D6");
    SetHand(g, 4, "A11 D7");
    s.cycleMoves[4] = Picture::Pass();
    g.SetTimer(TimerId::Timer3, kFastInterval);
    for (int step = 1; step <= 4; ++step)
        g.Timer3Timer();
    EXPECT_TRUE(s.humanTurn);
    EXPECT_EQ(g.TimerInterval(TimerId::Timer3), 0);
    EXPECT_TRUE(g.Table().PassbVisible());
    EXPECT_EQ(g.Table().FocusedControl(), Focus::Passb);
    EXPECT_EQ(s.lastRound[2], Picture::Face(FaceOf(H, 11)));
    EXPECT_EQ(s.lastRound[4], Picture::Face(FaceOf(A, 11)));
    EXPECT_EQ(s.lastRound[1], Picture::Pass());
}

TEST(AwardLayoutPoints, FinishingPlacesPay200To50) {
    TestGame t;
    GameState& s = t.game.MutableState();
    const int places[5] = {0, 2, 4, 1, 3};
    const int32_t start[5] = {0, -10, 0, 20, 5};
    const int32_t gain[5] = {0, 150, 50, 200, 100};
    for (int seat = 1; seat <= 4; ++seat) {
        s.finishingPlace[seat] = places[seat];
        s.gameScore[seat] = start[seat];
    }
    t.game.AwardLayoutPoints();
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_EQ(s.gameScore[seat], start[seat] + gain[seat]) << seat;
}

// Seat 2 lays the 52nd card; at the game's last contract the layout loop shows the sheet and
// starts the next game, otherwise it hands the end of the deal to Timer1.
TEST(Timer3Timer, TheLastCardEndsTheDeal) {
    for (bool lastOfGame : {false, true}) {
        SCOPED_TRACE(lastOfGame ? "last of the game" : "not the last");
        TestGame t(99);
        Game& g = t.game;
        GameState& s = g.MutableState();
        g.FormActivate();
        bool newGameStarted = false;
        struct : GameObserver {
            bool* started;
            void OnNewGame() override { *started = true; }
        } watch;
        watch.started = &newGameStarted;
        g.SetObserver(&watch);
        StartLayoutDeal(g, 1, {{D, 2, 14}, {F, 2, 14}, {H, 2, 14}, {A, 2, 13}});
        s.chooserNumber = lastOfGame ? 4 : 2;
        s.contractNumber = lastOfGame ? 5 : 3;
        s.contractList.Set(s.contractNumber, kMorvelLetter);
        for (int seat : {1, 3, 4})
            SetHand(g, seat, "");
        SetHand(g, 2, "A14");
        s.stillIn = {};
        s.stillIn[2] = true;
        const int places[5] = {0, 2, 0, 1, 3};
        for (int seat : {1, 3, 4})
            s.finishingPlace[seat] = places[seat];
        s.nextFinishingPlace = 4;
        s.gameScore.fill(0);
        s.round.position = 1;
        g.SetTimer(TimerId::Timer3, kFinishInterval);

        t.host.onSheet = [&] {
            EXPECT_FALSE(newGameStarted);
            const SheetBand& band = s.sheet.Band(s.chooserNumber);
            EXPECT_EQ(band.rows[s.contractNumber - 1].contract, kMorvelLetter);
            EXPECT_EQ(band.rows[s.contractNumber - 1].score[1], 150);
            if (lastOfGame) {
                EXPECT_EQ(s.sheet.GridColour(4), SheetColour::Green);  // seat 3, first out
            }
        };

        g.Timer3Timer();

        if (lastOfGame) {
            EXPECT_EQ(t.host.sheets, 1);
            EXPECT_TRUE(newGameStarted);
            continue;
        }
        EXPECT_FALSE(newGameStarted);
        EXPECT_EQ(t.host.sheets, 0);
        const int32_t expected[5] = {0, 150, 50, 200, 100};
        for (int seat = 1; seat <= 4; ++seat) {
            EXPECT_EQ(s.gameScore[seat], expected[seat]);
            EXPECT_EQ(s.sheet.Band(2).rows[2].score[seat], expected[seat]);
        }
        EXPECT_EQ(g.TimerInterval(TimerId::Timer3), 0);
        EXPECT_EQ(g.TimerInterval(TimerId::Timer1), kFastInterval);
        EXPECT_FALSE(g.Table().PassbVisible());
        // Timer1's next step ends the deal and shows the sheet, once.
        g.Timer1Timer();
        EXPECT_EQ(t.host.sheets, 1);
        EXPECT_EQ(s.contractNumber, 4);
        EXPECT_EQ(s.gameScore[3], 200);
    }
}

// Whole games: every layout deal starts from an empty board, the laid cards of each suit are one
// unbroken run around its jack at every step, and every seat gets a place of its own.
struct LayoutWatch : GameObserver {
    const Game* game = nullptr;
    int layoutDeals = 0;
    std::set<int> places;
    int awardsChecked = 0;
    int lastMover = 0;
    void OnMove(int seat, char, int) override { lastMover = seat; }
    void OnContract(char letter) override {
        if (letter != kMorvelLetter) return;
        ++layoutDeals;
        places.clear();
        const GameState& s = game->State();
        EXPECT_EQ(s.board, Board{});
        for (int k = 1; k <= 52; ++k)
            EXPECT_EQ(game->Table().Get(Family::K, k).picture, Picture::Blank()) << "k" << k;
        for (int seat = 1; seat <= 4; ++seat)
            EXPECT_TRUE(s.stillIn[seat]);
        EXPECT_EQ(s.nextFinishingPlace, 1);
    }
    void OnOut(int, int place) override { EXPECT_TRUE(places.insert(place).second) << place; }
    void OnRow(int, int, char letter) override {
        if (letter != kMorvelLetter || places.empty()) return;
        EXPECT_EQ(places, (std::set<int>{1, 2, 3, 4}));
        places.clear();
        ++awardsChecked;
    }
};

void ExpectRunsAroundTheJacks(const Game& g) {
    const GameState& s = g.State();
    for (int i = 0; i < 4; ++i) {
        int low = 0, high = 0, count = 0;
        for (int r = 2; r <= 14; ++r) {
            const int32_t v = s.board.value[i][r];
            EXPECT_TRUE(v == 0 || v == r);
            const Picture shown = g.Table().Get(Family::K, i * 13 + 15 - r).picture;
            EXPECT_EQ(shown, v != 0 ? Picture::Face(FaceOf(kSuits[i], r)) : Picture::Blank());
            if (v == 0) continue;
            if (low == 0) low = r;
            high = r;
            ++count;
        }
        if (count == 0) continue;
        EXPECT_EQ(count, high - low + 1) << kSuits[i] << " has a gap";
        EXPECT_LE(low, kJack);
        EXPECT_GE(high, kJack);
    }
}

TEST(LayoutDeals, WholeGamesKeepTheBoardOneRunPerSuit) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (uint32_t clock : {0u, 1234567u, 43200000u, 86399000u}) {
            SCOPED_TRACE("clock " + std::to_string(clock));
            TestGame t;
            t.host.clockStep = 7;
            Game& g = t.game;
            LayoutWatch watch;
            watch.game = &g;
            g.SetObserver(&watch);
            t.Start(mode, clock);
            ASSERT_TRUE(t.PlayUntil([&] {
                if (g.CurrentContract() == kMorvelLetter) {
                    ExpectRunsAroundTheJacks(g);
                    // The step that puts the 52nd card down ends the deal; only the human
                    // player's last card leaves that to the next step.
                    if (g.State().dealCardCount >= 52 && watch.lastMover != kHuman) {
                        EXPECT_EQ(g.TimerInterval(TimerId::Timer3), 0);
                    }
                }
                return watch.awardsChecked >= 4;
            }));
        }
    }
}

}  // namespace
}  // namespace morvel
