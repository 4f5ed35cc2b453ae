// The run of a game from deal to deal: the choosers, the hand-over between them, the end of an
// All Game deal, new games started from the menu in the middle of play; and the two small table
// helpers, the collection zoom and the card-back choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "fixed_deal.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::ClockForFirstChooser;
using testing::ListText;
using testing::SetHand;
using testing::TestGame;

bool HumanHolds(const GameState& s) {
    for (int n = 40; n <= 52; ++n) {
        if (s.hand[n].suit != kPlayed) return true;
    }
    return false;
}

bool HumanHandEnabled(const Game& g) {
    for (int n = 40; n <= 52; ++n) {
        if (!g.Table().Get(Family::I, n).enabled) return false;
    }
    return true;
}

// Follows one game at a time: its deals, its chooser and who makes the first move.
struct Watch : GameObserver {
    int deals = 0;
    int firstChooser = 0;
    int firstMover = 0;
    std::vector<int> dealsOfFinishedGames;
    void OnNewGame() override {
        deals = 0;
        firstChooser = 0;
        firstMover = 0;
    }
    void OnDealt(uint32_t) override { ++deals; }
    void OnChooser(int k, int seat) override {
        if (k == 1) firstChooser = seat;
    }
    void Moved(int seat) {
        if (firstMover == 0) firstMover = seat;
    }
    void OnLay(int seat, char, int) override { Moved(seat); }
    void OnMove(int seat, char, int) override { Moved(seat); }
    void OnPass(int seat) override { Moved(seat); }
    bool OnGameOver() override {
        dealsOfFinishedGames.push_back(deals);
        return true;
    }
};

TEST(NewGame, TheHolderOfTheSevenOfHeartsChoosesFirst) {
    const int expected[5][4] = {{}, {1, 2, 3, 4}, {2, 3, 4, 1}, {3, 4, 1, 2}, {4, 1, 2, 3}};
    for (int holder = 1; holder <= 4; ++holder) {
        for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
            SCOPED_TRACE("holder " + std::to_string(holder));
            TestGame t;
            t.Start(mode, ClockForFirstChooser(holder, 1000u * holder));
            const GameState& s = t.game.State();
            for (int k = 1; k <= 4; ++k)
                EXPECT_EQ(s.chooserSeats[k], expected[holder][k - 1]);
            EXPECT_EQ(s.chooserNumber, 1);
            EXPECT_TRUE(t.game.Table().Get(Family::King, 1).visible);
            EXPECT_TRUE(t.game.Table().Get(Family::H, holder).visible);
            for (int n = 1; n <= 4; ++n)
                EXPECT_EQ(s.round.order[n], expected[holder][n - 1]);
            const int timers = t.game.TimerInterval(TimerId::Timer1) != 0 ? 1 : 0;
            const int layoutTimers = t.game.TimerInterval(TimerId::Timer3) != 0 ? 1 : 0;
            if (holder == kHuman) {
                // Nothing moves until the human player has chosen.
                EXPECT_TRUE(t.game.Table().CgVisible());
                EXPECT_EQ(t.game.Table().FocusedControl(), Focus::Cg);
                EXPECT_EQ(timers + layoutTimers, 0);
                EXPECT_EQ(s.contractNumber, 0);
                EXPECT_FALSE(s.humanTurn);
            } else {
                // The computer chooser has chosen at once and its deal runs.
                EXPECT_FALSE(t.game.Table().CgVisible());
                EXPECT_EQ(s.contractNumber, 1);
                EXPECT_NE(s.contractList[1], kNoContract);
                EXPECT_EQ(timers + layoutTimers, 1);
                EXPECT_EQ(layoutTimers, t.game.CurrentContract() == kMorvelLetter ? 1 : 0);
            }
        }
    }
}

TEST(NewGame, HumanChooserLeadsAndSeatTwoFollowsAtTheNextStep) {
    TestGame t;
    Game& g = t.game;
    const GameState& s = g.State();
    Watch watch;
    g.SetObserver(&watch);
    t.host.onChooseDialog = [&] {
        g.ChooseFormActivate();
        g.ChooseRadioClick(1);  // Queen
        EXPECT_TRUE(g.ChooseOkClick());
    };
    t.Start(GameMode::Normal, ClockForFirstChooser(kHuman));
    ASSERT_TRUE(g.Table().CgVisible());
    EXPECT_EQ(g.TimerInterval(TimerId::Timer1), 0);
    EXPECT_EQ(g.TimerInterval(TimerId::Timer3), 0);
    g.cgClick();
    ASSERT_EQ(g.CurrentContract(), kQueenLetter);
    EXPECT_EQ(g.TimerInterval(TimerId::Timer1), 0);
    EXPECT_EQ(s.dealCardCount, 1);

    g.HandSlotClick(40);
    EXPECT_EQ(watch.firstMover, kHuman);
    EXPECT_EQ(g.TimerInterval(TimerId::Timer1), kFastInterval);
    EXPECT_FALSE(s.humanTurn);

    watch.firstMover = 0;
    g.Timer1Timer();
    EXPECT_EQ(s.dealCardCount, 2);
    EXPECT_EQ(s.round.position, 2);
    EXPECT_EQ(watch.firstMover, 2);
    EXPECT_EQ(s.round.order[2], 2);
    EXPECT_TRUE(g.Table().Get(Family::H, 2).visible);
}

// After the fifth deal of the first chooser the next deal is dealt and the next chooser takes
// over with an empty contract list.
TEST(NextChooser, NormalModeHandsOverAfterFiveDeals) {
    for (int first = 1; first <= 4; ++first) {
        SCOPED_TRACE("first chooser " + std::to_string(first));
        TestGame t;
        t.host.clockStep = 13;
        Game& g = t.game;
        const GameState& s = g.State();
        std::string listAtFifthSheet;
        t.host.onSheet = [&] {
            if (t.host.sheets == 5) {
                EXPECT_EQ(s.contractNumber, 5);
                EXPECT_EQ(s.chooserNumber, 1);
                listAtFifthSheet = ListText(s.contractList);
            }
        };
        t.Start(GameMode::Normal, ClockForFirstChooser(first));
        ASSERT_TRUE(t.PlayUntil([&] { return t.host.sheets == 5; }));

        std::string sorted = listAtFifthSheet;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, "DKLMQ");
        EXPECT_EQ(s.chooserNumber, 2);
        EXPECT_TRUE(g.Table().Get(Family::King, 2).visible);
        EXPECT_FALSE(g.Table().Get(Family::King, 1).visible);
        for (int seat = 1; seat <= 4; ++seat)
            EXPECT_EQ(s.lastRound[seat], Picture::Blank());
        const int next = s.chooserSeats[2];
        EXPECT_EQ(next, first % 4 + 1);
        if (next == kHuman) {
            // The human player waits to choose, his hand locked until he has.
            EXPECT_EQ(ListText(s.contractList), "     ");
            EXPECT_EQ(s.contractNumber, 0);
            EXPECT_TRUE(g.Table().CgVisible());
            EXPECT_FALSE(HumanHandEnabled(g));
            EXPECT_EQ(g.TimerInterval(TimerId::Timer1), 0);
            EXPECT_EQ(g.TimerInterval(TimerId::Timer3), 0);
        } else {
            // The Chose Game button does not stay on the table, even when it was the human
            // player's turn as chooser that ended.
            EXPECT_FALSE(g.Table().CgVisible());
            EXPECT_EQ(s.contractNumber, 1);
            EXPECT_NE(s.contractList[1], kNoContract);
            EXPECT_EQ(ListText(s.contractList).substr(1), "    ");
            for (int n = 1; n <= 4; ++n)
                EXPECT_EQ(s.round.order[n], SeatAtPosition(next, n));
        }
    }
}

TEST(EndDeal, AllGameDealFillsFourPlacesAndFourRows) {
    for (int first = 1; first <= 4; ++first) {
        SCOPED_TRACE("first chooser " + std::to_string(first));
        TestGame t;
        t.host.clockStep = 3;
        Game& g = t.game;
        const GameState& s = g.State();
        t.host.onAllDialog = [&] {
            g.AllFormActivate();
            g.AllRadioClick(1);
            EXPECT_TRUE(g.AllOkClick());
        };
        bool checked = false;
        t.host.onSheet = [&] {
            if (checked || g.CurrentContract() == kMorvelLetter) return;
            checked = true;
            const int start = s.contractNumber - 3;
            EXPECT_TRUE(start == 1 || start == 2);
            EXPECT_EQ(ListText(s.contractList), start == 1 ? "LDQK " : "MLDQK");
            const SheetBand& band = s.sheet.Band(s.chooserNumber);
            // Each row holds the totals after its contract: the penalties of the whole deal are
            // 195 for the rounds, then 130, 100 and 75.
            const int32_t totals[4] = {-195, -325, -425, -500};
            const int32_t before = start == 1 ? 0 : 500;
            for (int i = 0; i < 4; ++i) {
                const SheetRow& row = band.rows[start - 1 + i];
                EXPECT_EQ(row.contract, "LDQK"[i]);
                int32_t sum = 0;
                for (int seat = 1; seat <= 4; ++seat) {
                    EXPECT_TRUE(row.written);
                    sum += row.score[seat];
                }
                EXPECT_EQ(sum, before + totals[i]) << "row " << start - 1 + i;
            }
            for (int seat = 1; seat <= 4; ++seat)
                EXPECT_EQ(band.rows[start + 2].score[seat], s.gameScore[seat]);
        };
        t.Start(GameMode::Complex, ClockForFirstChooser(first, 5000));
        ASSERT_TRUE(t.PlayUntil([&] { return checked; }));
    }
}

// A new game started from the menu cuts into the game at any point, also while a round just taken
// still lies on the table: the new game's chooser makes its first move, and the game plays to its
// end.
struct Interruption {
    const char* name;
    std::function<bool(const Game&)> reached;
};

TEST(NewGame, FromTheMenuInTheMiddleOfPlay) {
    const Interruption interruptions[] = {
        {"round just taken", [](const Game& g) { return g.State().round.taken; }},
        {"human to lay in a round",
         [](const Game& g) { return g.State().humanTurn && IsRoundContract(g.CurrentContract()); }},
        {"chose game waits for the human, hand locked",
         [](const Game& g) { return g.Table().CgVisible() && !HumanHandEnabled(g); }},
        {"human to move in a layout deal",
         [](const Game& g) { return g.State().humanTurn && g.CurrentContract() == kMorvelLetter; }},
        {"layout deal finishing fast",
         [](const Game& g) { return g.TimerInterval(TimerId::Timer3) == kFinishInterval; }},
    };
    for (const Interruption& cut : interruptions) {
        for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
            for (int newChooser = 1; newChooser <= 4; ++newChooser) {
                // The timers keep running while the player-name dialog is open.
                const int stepsInDialog = newChooser % 2 == 0 ? 0 : 3 * newChooser;
                SCOPED_TRACE(std::string(cut.name) + ", new chooser " + std::to_string(newChooser) +
                             (mode == GameMode::Normal ? ", normal" : ", complex") + ", " +
                             std::to_string(stepsInDialog) + " steps in the name dialog");
                TestGame t;
                t.host.clockStep = 17 + newChooser;
                Game& g = t.game;
                const GameState& s = g.State();
                Watch watch;
                g.SetObserver(&watch);
                // Seat 4 chooses first, so the human player is the second chooser.
                t.Start(mode, ClockForFirstChooser(4, 100000u * newChooser));
                ASSERT_TRUE(t.PlayUntil([&] { return cut.reached(g); }));
                ASSERT_TRUE(watch.dealsOfFinishedGames.empty());

                t.host.onNameDialog = [&] {
                    for (int i = 0; i < stepsInDialog; ++i) {
                        if (g.TimerInterval(TimerId::Timer1) != 0) {
                            g.Timer1Timer();
                        } else if (g.TimerInterval(TimerId::Timer3) != 0) {
                            g.Timer3Timer();
                        }
                    }
                    t.host.clock = ClockForFirstChooser(newChooser, 3000000u * newChooser);
                };
                if (mode == GameMode::Normal) {
                    g.Normal1Click();
                } else {
                    g.Complex1Click();
                }
                EXPECT_FALSE(s.round.taken);
                EXPECT_TRUE(HumanHandEnabled(g));
                EXPECT_EQ(g.Table().CgVisible(), newChooser == kHuman);
                EXPECT_FALSE(g.Table().PassbVisible());
                EXPECT_EQ(watch.firstChooser, newChooser);

                ASSERT_TRUE(t.PlayUntil([&] { return watch.firstMover != 0; }));
                EXPECT_EQ(watch.firstMover, newChooser);
                ASSERT_TRUE(t.PlayUntil([&] { return !watch.dealsOfFinishedGames.empty(); }));
                EXPECT_EQ(watch.dealsOfFinishedGames[0], mode == GameMode::Normal ? 20 : 8);
            }
        }
    }
}

// A mode chosen from the menu while a deal runs: the name dialog is open, the timers go on, and
// the deal ends while it waits. That deal, and any that follows before the new game, must end
// under the rules of the game it belongs to; the contract number never passes 5.
TEST(ModeSwitch, ADealEndingWhileTheNameIsAskedKeepsItsGamesRules) {
    for (GameMode from : {GameMode::Normal, GameMode::Complex}) {
        SCOPED_TRACE(from == GameMode::Normal ? "normal to complex" : "complex to normal");
        TestGame t;
        t.host.clockStep = 7;
        Game& g = t.game;
        const GameState& s = g.State();
        t.Start(from, ClockForFirstChooser(2));
        // A round deal far into the chooser's turn whose last cards need no move of the person.
        const int minContract = from == GameMode::Normal ? 3 : 1;
        ASSERT_TRUE(t.PlayUntil(
            [&] {
                return s.contractNumber >= minContract && IsRoundContract(g.CurrentContract()) &&
                       !HumanHolds(s) && s.dealCardCount < 52 && s.timer1Interval != 0;
            },
            200000));
        const int chooser = s.chooserNumber;
        const int contractNumber = s.contractNumber;
        const char played = g.CurrentContract();
        std::vector<std::string> rows;
        struct Rows : GameObserver {
            std::vector<std::string>* rows;
            void OnRow(int band, int row, char letter) override {
                rows->push_back(std::to_string(band) + std::to_string(row) + letter);
            }
        } watch;
        watch.rows = &rows;
        g.SetObserver(&watch);

        int sheetsInDialog = 0;
        t.host.onNameDialog = [&] {
            const int sheets = t.host.sheets;
            // Only the timers run while the dialog is modal.
            for (int i = 0; i < 400; ++i) {
                ASSERT_LE(s.contractNumber, 5);
                if (g.TimerInterval(TimerId::Timer1) != 0) {
                    g.Timer1Timer();
                } else if (g.TimerInterval(TimerId::Timer3) != 0) {
                    g.Timer3Timer();
                }
            }
            sheetsInDialog = t.host.sheets - sheets;
        };
        if (from == GameMode::Normal) {
            g.Complex1Click();
        } else {
            g.Normal1Click();
        }
        ASSERT_GE(sheetsInDialog, 1);
        ASSERT_FALSE(rows.empty());
        if (from == GameMode::Normal) {
            // One row, for the contract played, in its own place.
            EXPECT_EQ(rows[0],
                      std::to_string(chooser) + std::to_string(contractNumber - 1) + played);
        } else {
            // The All Game deal writes its four rows, L, D, Q, K.
            ASSERT_GE(rows.size(), 4u);
            std::string letters;
            for (int i = 0; i < 4; ++i)
                letters += rows[i][2];
            EXPECT_EQ(letters, "LDQK");
        }
        // The new game is of the mode chosen.
        EXPECT_EQ(s.mode, from == GameMode::Normal ? GameMode::Complex : GameMode::Normal);
        g.SetObserver(nullptr);
        ASSERT_TRUE(t.PlayUntil([&] { return s.chooserNumber == 2; }, 200000));
    }
}

// --- The collection zoom and the card backs ---------------------------------------------------

TEST(CollectionZoom, PressShowsTheSlotInItsSeatsZoomAndReleaseBlanksIt) {
    TestGame t;
    Game& g = t.game;
    TableModel& table = g.MutableTable();
    const struct {
        int slot;
        int pig;
    } cases[] = {{40, 1}, {52, 1}, {27, 2}, {39, 2}, {14, 3}, {26, 3}, {1, 4}, {13, 4}};
    for (const auto& c : cases) {
        const Picture face = Picture::Face(c.slot);
        table.SetPicture(Family::J, c.slot, face);
        g.CollectionMouseDown(c.slot);
        for (int pig = 1; pig <= 4; ++pig) {
            EXPECT_EQ(g.Table().Get(Family::Pig, pig).picture,
                      pig == c.pig ? face : Picture::Blank())
                << "j" << c.slot << " pig" << pig;
        }
        // The slot changes while the button is held: the release still blanks the zoom.
        table.SetPicture(Family::J, c.slot, Picture::Back(2));
        EXPECT_EQ(g.Table().Get(Family::Pig, c.pig).picture, face);
        g.CollectionMouseUp(c.slot);
        EXPECT_EQ(g.Table().Get(Family::Pig, c.pig).picture, Picture::Blank());
    }
}

// The zoom shows only while the button is held: a new deal or game blanks it even when the
// release never came (a modal window took it).
TEST(CollectionZoom, ANewDealOrGameBlanksAZoomLeftOpen) {
    for (bool newGame : {false, true}) {
        TestGame t;
        Game& g = t.game;
        t.Start(GameMode::Normal, ClockForFirstChooser(2));
        g.MutableTable().SetPicture(Family::J, 30, Picture::Back(1));
        g.CollectionMouseDown(30);
        ASSERT_EQ(g.Table().Get(Family::Pig, 2).picture, Picture::Back(1));
        if (newGame) {
            g.NewGame();
        } else {
            g.NewDeal();
        }
        for (int pig = 1; pig <= 4; ++pig)
            EXPECT_EQ(g.Table().Get(Family::Pig, pig).picture, Picture::Blank()) << newGame;
    }
}

// The pointing hand stands beside the person whenever the person is to act: when the choice
// passes to seat 1, and when seat 1 leads the first card of its own contract without a step.
TEST(TurnMarker, PointsAtThePersonWhenTheChoiceAndTheLeadAreTheirs) {
    TestGame t;
    t.host.clockStep = 13;
    Game& g = t.game;
    const GameState& s = g.State();
    auto onlyMarker = [&](int seat) {
        for (int h = 1; h <= 4; ++h) {
            if (g.Table().Get(Family::H, h).visible != (h == seat)) return false;
        }
        return true;
    };
    // Seat 4 chooses first, so the choice passes to seat 1 after its fifth deal.
    t.Start(GameMode::Normal, ClockForFirstChooser(4));
    ASSERT_TRUE(t.PlayUntil([&] { return s.chooserNumber == 2; }, 200000));
    ASSERT_TRUE(g.Table().CgVisible());
    EXPECT_TRUE(onlyMarker(kHuman));
    // A choice whose lead is the person's: the marker stays beside seat 1.
    g.MutableState().contractList.Clear();
    g.cgClick();
    EXPECT_TRUE(s.humanTurn);
    EXPECT_TRUE(onlyMarker(kHuman));
}

// A Collection deal (or an All Game deal, which carries 'L') in which seat 2 has taken two rounds
// and seat 1 one; a Queen deal in which seat 1 took the queen of spades.
struct CardBackCase {
    const char* name;
    GameMode mode;
    char contract;
    int contractNumber;
    bool collectionRedrawn;
};

TEST(ChooseCardBack, RedrawsTheHiddenCardsAndOnlyTheFaceDownCollection) {
    const CardBackCase cases[] = {
        {"collection", GameMode::Normal, kCollectionLetter, 1, true},
        {"all game", GameMode::Complex, kCollectionLetter, 2, true},
        {"queen", GameMode::Normal, kQueenLetter, 3, false},
        {"before the chooser's first choice", GameMode::Normal, kCollectionLetter, 0, false},
    };
    for (const CardBackCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t(4242);
        Game& g = t.game;
        GameState& s = g.MutableState();
        g.FormActivate();
        s.mode = c.mode;
        s.contractList.Clear();
        // Place 1 holds the letter even when the chooser has not chosen yet: a list that has
        // not been cleared must not count then.
        s.contractList.Set(c.contractNumber == 0 ? 1 : c.contractNumber, c.contract);
        s.contractNumber = c.contractNumber;
        SetHand(g, kHuman, "H3 A9");
        for (int n = 1; n <= 52; ++n) {
            g.MutableTable().SetPicture(Family::J, n, Picture::Blank());
            g.MutableTable().SetVisible(Family::J, n, false);
        }
        const Picture taken =
            c.contract == kQueenLetter ? Picture::Face(FaceOf(kSpades, kQueen)) : Picture::Back(1);
        for (int j : {27, 28, 40}) {
            g.MutableTable().SetPicture(Family::J, j, taken);
            g.MutableTable().SetVisible(Family::J, j, true);
        }
        s.collectionPosition[1] = 40;
        s.collectionPosition[2] = 28;
        s.collectionPosition[3] = 13;
        s.collectionPosition[4] = 0;
        const TableModel before = g.Table();

        g.ChooseCardBack(3);

        EXPECT_EQ(s.cardBack, 3);
        for (int n = 1; n <= 39; ++n)
            EXPECT_EQ(g.Table().Get(Family::I, n).picture, Picture::Back(3)) << "i" << n;
        for (int n = 40; n <= 52; ++n) {
            EXPECT_EQ(g.Table().Get(Family::I, n).picture, Picture::Face(s.hand[n].face));
            EXPECT_EQ(g.Table().Get(Family::I, n).visible, before.Get(Family::I, n).visible);
        }
        for (int j = 1; j <= 52; ++j) {
            const bool filled = j == 27 || j == 28 || j == 40;
            const Picture expected =
                filled && c.collectionRedrawn ? Picture::Back(3) : before.Get(Family::J, j).picture;
            EXPECT_EQ(g.Table().Get(Family::J, j).picture, expected) << "j" << j;
        }
    }
}

}  // namespace
}  // namespace morvel
