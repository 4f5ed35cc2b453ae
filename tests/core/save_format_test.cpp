// A game position kept as bytes: every position play reaches comes back whole and passes the
// position checks, the table drawn from it is the table play drew, a game resumed from it plays
// on exactly as the original, and bytes that are short, foreign or wrong in any one fact are
// refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "position_check.h"
#include "random_person.h"
#include "save_format.h"
#include "table_draw.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::RandomPlayer;
using testing::TestGame;

// What a person sees of a slot: nothing of one that is hidden.
Slot Seen(const Slot& slot) {
    return slot.visible ? slot : Slot{.picture = {}, .visible = false, .enabled = true, .rect = {}};
}

void ExpectSameTable(const TableModel& drawn, const TableModel& played, const std::string& where) {
    for (int index = 0; index < TableModel::kSlotCount; ++index) {
        const Family f = TableModel::FamilyOfIndex(index);
        const int n = TableModel::NumberOfIndex(index);
        if (f == Family::Pig) continue;  // shown only while the mouse is held
        ASSERT_TRUE(Seen(drawn.Get(f, n)) == Seen(played.Get(f, n)))
            << "slot family " << static_cast<int>(f) << " number " << n << where;
    }
    ASSERT_EQ(drawn.Namegame(), played.Namegame()) << where;
    ASSERT_EQ(drawn.NamegameVisible(), played.NamegameVisible()) << where;
    ASSERT_EQ(drawn.Panel1(), played.Panel1()) << where;
    ASSERT_EQ(drawn.Nameplayer(), played.Nameplayer()) << where;
    ASSERT_EQ(drawn.CgVisible(), played.CgVisible()) << where;
    ASSERT_EQ(drawn.PassbVisible(), played.PassbVisible()) << where;
}

// The position between two events: kept and read back whole, accepted, and drawn as played.
void ExpectKept(const Game& game, const std::string& where) {
    const GameState& s = game.State();
    ASSERT_EQ(PositionProblem(s), "") << where;
    GameState read;
    ASSERT_EQ(DecodeGame(EncodeGame(s), read), "") << where;
    ASSERT_TRUE(read == s) << where;
    TableModel drawn;
    DrawTable(read, drawn);
    ExpectSameTable(drawn, game.Table(), where);
}

struct Walk {
    GameMode mode;
    uint32_t clock;
    bool randomPerson;
};

// Plays whole games and checks every position between two events.
void WalkGames(const Walk& w, int steps) {
    TestGame t;
    t.host.clockStep = 11;
    RandomPlayer person(w.clock), computers(w.clock + 1);
    if (w.randomPerson) {
        t.game.SetComputerPlayer(computers);
        t.host.onChooseDialog = [&] { Autopilot(t.game, person).AnswerChooseDialog(); };
        t.host.onAllDialog = [&] { Autopilot(t.game, person).AnswerAllDialog(); };
    }
    t.Start(w.mode, w.clock);
    Autopilot standard(t.game);
    Autopilot random(t.game, person);
    for (int step = 0; step < steps; ++step) {
        const std::string where =
            std::string(w.mode == GameMode::Normal ? " (normal" : " (complex") + ", clock " +
            std::to_string(w.clock) + ", step " + std::to_string(step) + ")";
        ExpectKept(t.game, where);
        if (::testing::Test::HasFatalFailure()) return;
        if (w.randomPerson && person.MaybeMenu(t.game, 150)) continue;
        ASSERT_TRUE(w.randomPerson ? random.Step() : standard.Step()) << where;
    }
}

TEST(SavedGame, EveryPositionOfWholeGamesComesBackWhole) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (uint32_t clock : {0u, 4242u, 43200000u})
            WalkGames({mode, clock, false}, 3000);
    }
}

TEST(SavedGame, PositionsOfAPersonWhoPlaysAnythingComeBackWhole) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (uint32_t clock : {1u, 99999u, 7000000u, 60000000u})
            WalkGames({mode, clock, true}, 4000);
    }
}

// A game resumed from a position read back plays on move for move as the game it was saved from.
TEST(SavedGame, AResumedGamePlaysOnAsTheOriginal) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        TestGame original;
        original.host.clockStep = 3;
        original.Start(mode, 5000);
        Autopilot pilot(original.game);
        for (int step = 0; step < 333; ++step)
            ASSERT_TRUE(pilot.Step());

        TestGame resumed;
        GameState read;
        ASSERT_EQ(DecodeGame(EncodeGame(original.game.State()), read), "");
        resumed.host.clock = original.host.clock;
        resumed.host.clockStep = 3;
        resumed.game.Restore(read);
        ExpectSameTable(resumed.table, original.table, " (at the resume)");
        // The timer that ran goes on, and the stopped one stays stopped.
        ASSERT_EQ(resumed.host.timerChanges.size(), 2u);
        EXPECT_EQ(resumed.host.timerChanges[0].ms, read.timer1Interval);
        EXPECT_EQ(resumed.host.timerChanges[1].ms, read.timer3Interval);

        Autopilot resumedPilot(resumed.game);
        for (int step = 0; step < 1500; ++step) {
            ASSERT_TRUE(pilot.Step());
            ASSERT_TRUE(resumedPilot.Step());
            ASSERT_TRUE(resumed.game.State() == original.game.State()) << "step " << step;
            ExpectSameTable(resumed.table, original.table, " (step " + std::to_string(step) + ")");
        }
    }
}

// --- Refusals
// --------------------------------------------------------------------------------------

// A position in the middle of a deal of each kind.
GameState PositionAt(GameMode mode, const std::function<bool(const GameState&)>& wanted) {
    TestGame t;
    t.host.clockStep = 5;
    t.Start(mode, 1000);
    EXPECT_TRUE(t.PlayUntil([&] { return wanted(t.game.State()); }));
    return t.game.State();
}

bool InRoundDeal(const GameState& s) {
    return IsRoundContract(CurrentContract(s)) && !s.cgVisible && s.round.position == 2 &&
           !s.humanTurn && s.chooserNumber >= 2 && s.contractNumber >= 2 && s.dealCardCount > 20;
}

bool InLayoutDeal(const GameState& s) {
    return CurrentContract(s) == kMorvelLetter && s.dealCardCount > 12 && s.chooserNumber >= 2;
}

void ExpectRefused(const GameState& s, const std::string& what) {
    GameState read;
    EXPECT_NE(PositionProblem(s), "") << what;
    EXPECT_NE(DecodeGame(EncodeGame(s), read), "") << what;
}

TEST(SavedGame, BytesThatAreShortForeignOrLongAreRefused) {
    const GameState s = PositionAt(GameMode::Normal, InRoundDeal);
    const std::string bytes = EncodeGame(s);
    GameState read;
    ASSERT_EQ(DecodeGame(bytes, read), "");
    for (size_t length = 0; length < bytes.size(); ++length)
        ASSERT_NE(DecodeGame(bytes.substr(0, length), read), "") << "cut at " << length;
    EXPECT_NE(DecodeGame(bytes + '\0', read), "");
    EXPECT_EQ(DecodeGame("a text file", read), "not a saved game of Morvel");
    std::string other = bytes;
    other[8] = static_cast<char>(kSaveVersion + 1);
    EXPECT_EQ(DecodeGame(other, read), "saved by another version (3)");
    // A file of the first version lacks what the play has shown of the hands.
    std::string first = bytes;
    first[8] = 1;
    EXPECT_EQ(DecodeGame(first, read), "saved by another version (1)");
    // A refused file leaves the position it was to replace as it was.
    GameState untouched;
    DecodeGame(other, untouched);
    EXPECT_TRUE(untouched == GameState{});
}

TEST(SavedGame, CardsOutOfPlaceAreRefused) {
    const GameState round = PositionAt(GameMode::Normal, InRoundDeal);
    ASSERT_EQ(PositionProblem(round), "");
    {
        GameState s = round;  // a card in two entries
        s.hand.Set(40, s.hand[41]);
        ExpectRefused(s, "card twice");
    }
    {
        GameState s = round;  // two cards of a hand swapped
        const CardRecord first = s.hand[1];
        s.hand.Set(1, s.hand[2]);
        s.hand.Set(2, first);
        ExpectRefused(s, "hand out of order");
    }
    {
        GameState s = round;  // a card laid taken back into the hand
        for (int n = 1; n <= 52; ++n) {
            if (Held(s.hand[n])) continue;
            s.hand.Set(n, CardOfFace(s.hand[n].face));
            break;
        }
        ExpectRefused(s, "card back in hand");
    }
    {
        GameState s = round;  // the card on the table is another seat's
        s.round.cards[1] = s.round.cards[2];
        ExpectRefused(s, "table card");
    }
    {
        GameState s = round;
        s.round.winningRank = s.round.winningRank == kAce ? 2 : s.round.winningRank + 1;
        ExpectRefused(s, "winning rank");
    }
    {
        GameState s = round;
        s.dealCardCount += 1;
        ExpectRefused(s, "card count");
    }
    const GameState layout = PositionAt(GameMode::Normal, InLayoutDeal);
    ASSERT_EQ(PositionProblem(layout), "");
    for (int suit = 0; suit < 4; ++suit) {
        GameState s = layout;  // a card on the board that is still in a hand, or off the board
        int& top = s.board.value[suit][kAce];
        top = top == 0 ? kAce : 0;
        s.board.ComputeExtents();
        ExpectRefused(s, "board suit " + std::to_string(suit));
    }
    {
        GameState s = layout;
        s.nextFinishingPlace += 1;
        ExpectRefused(s, "finishing place");
    }
}

TEST(SavedGame, ScoresAndSheetsNoGameMakesAreRefused) {
    const GameState round = PositionAt(GameMode::Normal, InRoundDeal);
    {
        GameState s = round;  // a point more for one seat
        s.gameScore[3] += 1;
        ExpectRefused(s, "game score");
    }
    {
        GameState s = round;  // the first band's first row with another seat's loss
        SheetRow& row = s.sheet.MutableBand(1).rows[0];
        std::swap(row.score[1], row.score[2]);
        if (row.score[1] == row.score[2]) row.score[1] -= 25;
        ExpectRefused(s, "sheet row scores");
    }
    {
        GameState s = round;  // a row written ahead of its deal
        s.sheet.MutableBand(2).rows[3] = s.sheet.Band(2).rows[0];
        ExpectRefused(s, "row ahead");
    }
    {
        GameState s = round;  // a contract chosen twice
        s.contractList.Set(2, s.contractList[1]);
        ExpectRefused(s, "contract twice");
    }
    {
        GameState s = round;  // the contract number past the list
        s.contractNumber += s.contractNumber < 5 ? 1 : -1;
        ExpectRefused(s, "contract number");
    }
    const GameState complex = PositionAt(GameMode::Complex, [](const GameState& s) {
        return CurrentContract(s) == kCollectionLetter && s.dealCardCount > 30;
    });
    ASSERT_EQ(PositionProblem(complex), "");
    {
        GameState s = complex;  // a Normal list in a Complex game
        s.contractList.Set(s.contractNumber, kQueenLetter);
        ExpectRefused(s, "complex list");
    }
    {
        GameState s = complex;  // a tally moved from one seat to another
        auto& tally = s.complexScores[ContractId::Collection];
        tally[1] += 15;
        tally[2] -= 15;
        ExpectRefused(s, "tally");
    }
}

TEST(SavedGame, TurnsNoPlayReachesAreRefused) {
    const GameState round = PositionAt(GameMode::Normal, InRoundDeal);
    {
        GameState s = round;  // both loops at once
        s.timer3Interval = kFastInterval;
        ExpectRefused(s, "two timers");
    }
    {
        GameState s = round;  // a deal that waits for nobody
        s.timer1Interval = 0;
        ExpectRefused(s, "no timer");
    }
    {
        GameState s = round;  // the person's turn in another seat's place
        s.timer1Interval = 0;
        s.humanTurn = true;
        if (s.round.order[s.round.position] == kHuman) s.round.position = s.round.position % 4 + 1;
        ExpectRefused(s, "human turn");
    }
    {
        GameState s = round;
        s.turnMarker = s.turnMarker % 4 + 1;
        ExpectRefused(s, "turn marker");
    }
    {
        GameState s = round;
        s.cgVisible = true;
        ExpectRefused(s, "Chose Game in play");
    }
    {
        GameState s = round;
        s.playerName = "Vesk";
        s.sheet.playerName = s.playerName;
        ExpectRefused(s, "computer's name");
    }
    const GameState layout = PositionAt(GameMode::Normal, InLayoutDeal);
    {
        GameState s = layout;
        s.timer3Interval = s.stillIn[kHuman] ? kFinishInterval : kFastInterval;
        s.timer1Interval = 0;
        s.humanTurn = false;
        ExpectRefused(s, "layout pace");
    }
}

// What the play showed a seat without comes back, and no seat may hold what it was shown without.
TEST(SavedGame, AbsencesThePlayCannotShowAreRefused) {
    const GameState round = PositionAt(GameMode::Normal, [](const GameState& s) {
        if (!InRoundDeal(s)) return false;
        for (int seat = 1; seat <= 4; ++seat) {
            if (s.absences.notHeld[seat] != 0) return true;
        }
        return false;
    });
    GameState read;
    ASSERT_EQ(DecodeGame(EncodeGame(round), read), "");
    EXPECT_TRUE(read.absences == round.absences);
    {
        GameState s = round;  // the seat at turn shown without a suit it holds
        const int seat = s.round.order[s.round.position % 4 + 1];
        for (const char suit : kHandSuits) {
            if (s.hand.HasSuit(seat, suit)) s.absences.notHeld[seat] |= CardsOf(suit);
        }
        ExpectRefused(s, "absent but held");
    }
    {
        GameState s = round;  // part of a suit only
        int seat = 1;
        while (s.absences.notHeld[seat] == 0)
            ++seat;
        s.absences.notHeld[seat] &= s.absences.notHeld[seat] - 1;
        ExpectRefused(s, "part of a suit");
    }
    {
        GameState s = round;  // a bit beyond the deck
        s.absences.notHeld[2] |= uint64_t{1} << 60;
        EXPECT_NE(PositionProblem(s), "");
        std::string bytes = EncodeGame(round);
        const size_t at = bytes.find("ABSN") + 4 + 8 + 7;  // the top byte of seat 2's cards
        bytes[at] = static_cast<char>(0x10);
        EXPECT_EQ(DecodeGame(bytes, read), "a card no seat holds out of range");
    }
    const GameState layout = PositionAt(GameMode::Normal, [](const GameState& s) {
        return InLayoutDeal(s) && s.absences.notHeld[2] != 0;
    });
    {
        ASSERT_EQ(DecodeGame(EncodeGame(layout), read), "");
        EXPECT_TRUE(read.absences == layout.absences);
        GameState s = layout;  // a seat passed while holding a card
        s.absences.notHeld[3] |= s.hand.HeldCards(3) & -s.hand.HeldCards(3);
        if (s.hand.HeldCards(3) != 0) ExpectRefused(s, "passed holding a card");
    }
    const GameState choosing = PositionAt(
        GameMode::Normal, [](const GameState& s) { return s.cgVisible && s.contractNumber >= 1; });
    {
        GameState s = choosing;  // an absence before any card of the deal was laid
        s.absences.notHeld[4] = CardsOf(kSpades) & ~s.hand.HeldCards(4);
        if (s.absences.notHeld[4] == 0)
            s.absences.notHeld[4] = CardsOf(kHearts) & ~s.hand.HeldCards(4);
        ASSERT_NE(s.absences.notHeld[4], 0u);
        ExpectRefused(s, "absence before play");
    }
}

// The human player's choices through the dialog show in it for the rest of the game.
TEST(SavedGame, AChoiceDialogUnlikeThePersonsChoicesIsRefused) {
    const GameState s0 = PositionAt(GameMode::Normal, [](const GameState& s) {
        return s.chooserSeats[s.chooserNumber] == kHuman && s.contractNumber == 2 && !s.cgVisible;
    });
    ASSERT_EQ(PositionProblem(s0), "");
    int disabled = 0;
    for (int k = 1; k <= 5; ++k)
        disabled += !s0.chooseDialog.enabled[k];
    EXPECT_EQ(disabled, 2);
    GameState s = s0;
    s.chooseDialog.Reset();
    ExpectRefused(s, "dialog forgot the choices");
    s = s0;
    s.allDialog.Click(1);
    ExpectRefused(s, "the other mode's dialog");
}

}  // namespace
}  // namespace morvel
