// The game engine: the operations the table window and the simulator drive, over one GameState.
// It talks back only through the Host, shows the table through a TableModel when a window has
// attached one, and reports the course of play to a GameObserver when one is set. The rules it
// applies have homes of their own: the contracts table (contracts.h), the round (round_play.h),
// the board (layout_play.h), the hands (hands.h), the run from deal to deal (flow.h) and the
// computer players (players.h).
//
// The operations are implemented by topic: start-up, menu, deal and table markers in game.cpp;
// the turn loop of the round contracts and taking rounds in round_play.cpp; the choice of a
// contract in choice.cpp; the run from deal to deal and the result sheet in flow.cpp; the layout
// contract in layout_play.cpp; the side windows' handlers in side_windows.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game_state.h"
#include "host.h"
#include "players.h"
#include "table_model.h"

namespace morvel {

// The player's name keeps at most this many characters.
inline constexpr int kNameLength = 15;
// The name field takes at most this many characters.
inline constexpr int kNameFieldLength = 20;

// The player's name as the name dialog stores it: the first 15 characters of what was typed.
std::string StoredName(std::string_view typed);
// Whether a stored name is one of the computer players' (blanks around it and the case of a..z
// aside); the name dialog refuses those.
bool IsComputerName(std::string_view name);

// Receives the course of play, for the simulator's trace. Every call has a default that ignores it.
class GameObserver {
  public:
    virtual ~GameObserver() = default;
    virtual void OnNewGame() {}
    virtual void OnDealt(uint32_t /*clock*/) {}
    virtual void OnChooser(int /*k*/, int /*seat*/) {}
    virtual void OnContract(char /*letter*/) {}
    virtual void OnLay(int /*seat*/, char /*suit*/, int /*rank*/) {}
    virtual void OnTake(int /*seat*/) {}
    virtual void OnMove(int /*seat*/, char /*suit*/, int /*rank*/) {}
    virtual void OnPass(int /*seat*/) {}
    virtual void OnOut(int /*seat*/, int /*place*/) {}
    virtual void OnRow(int /*band*/, int /*row*/, char /*letter*/) {}
    virtual void OnWinner(int /*seat*/) {}
    // The final sheet of a game has been closed; returns whether the next game begins.
    virtual bool OnGameOver() { return true; }
};

class Game {
  public:
    explicit Game(Host& host) : host_(host), chance_(*this) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // nullptr: nobody watches.
    void SetObserver(GameObserver* observer) { observer_ = observer; }
    // The table window's model, attached before FormCreate; from then on the engine keeps it up
    // to date. A game without one does no display work.
    void AttachTable(TableModel& table) { table_ = &table; }
    // The player of seats 2 to 4; the standard one unless set.
    void SetComputerPlayer(Player& player) { computer_ = nextComputer_ = &player; }
    // The player of seats 2 to 4 from the next deal on: a deal is played by one player to its end.
    void SetComputerPlayerFromNextDeal(Player& player) { nextComputer_ = &player; }
    // The chance the game's players draw from in play: the game's generator, seeded from the
    // host's clock.
    Chance& ClockChance() { return chance_; }

    // --- Start-up and menu -------------------------------------------------------------------
    void FormCreate();
    // `cardBack`: the back a person who keeps settings chose last.
    void FormActivate(int cardBack = 1);
    // Play goes on from a saved position instead of the start-up's new game: the attached table
    // drawn from it, and the timer that was running started afresh with its interval.
    void Restore(const GameState& position);
    void Normal1Click();
    void Complex1Click();
    void SetMode(GameMode mode);  // the mode of the next game and its caption in Panel1
    void SetSpeed(int interval);  // the Slow, Medium and Fast items

    // --- Player's name -----------------------------------------------------------------------
    // Stores the name (cut to 15 characters) and says whether the dialog may close; a refused
    // name is one of the computer players'.
    bool AcceptName(std::string_view typed);

    // --- Deal and table markers --------------------------------------------------------------
    void Deal();
    void PlacePlayedSlots(int leader);
    void ShowChooserMarker();
    void ShowTurnMarker(int seat);
    void LockHumanHand();
    void UnlockHumanHand();

    // --- Events of the table window ----------------------------------------------------------
    void HandSlotClick(int entry);  // i40Click .. i52Click, with the slot's entry 40..52
    // Whether HandSlotClick(entry) would lay the card now, rather than beep or do nothing.
    bool WouldLay(int entry) const;
    void cgClick();                      // the "Chose Game" button
    void passbClick();                   // the "Pass" button
    void Timer1Timer();                  // a tick of Timer1
    void Timer3Timer();                  // a tick of Timer3
    void CollectionMouseDown(int slot);  // j1MouseDown .. j52MouseDown
    void CollectionMouseUp(int slot);    // j1MouseUp .. j52MouseUp

    // --- Contracts ---------------------------------------------------------------------------
    // The contract now played: the letter at place contract number, ' ' before the first choice.
    char CurrentContract() const { return morvel::CurrentContract(s_); }

    // --- Round play --------------------------------------------------------------------------
    void LayCard(int entry);
    bool HasSuit(int seat, char suit) const { return s_.hand.HasSuit(seat, suit); }
    void LayHumanCard(int entry);
    int RoundWinner() const { return s_.round.Winner(); }
    void SetPlayOrder(int leader) { s_.round.SetOrder(leader); }
    void FinishLaidCard();
    void TakeRound();
    void ComputerLead(int seat);
    void ComputerFollow(int seat);

    // --- Contract choice ---------------------------------------------------------------------
    void ComputerChooseContract(int seat);
    // The chooser, who leads (play order 1), has named `letter`: the deal begins. A computer
    // chooser's choice goes on here.
    void StartContract(char letter);
    void ChooseFormActivate();
    void ChooseRadioClick(int k);  // r1Click .. r5Click of Tchoosform
    bool ChooseOkClick();          // true: the dialog closes
    void AllFormActivate();
    void AllRadioClick(int k);  // r1Click, r2Click of Tallform
    bool AllOkClick();

    // --- Scoring and the result sheet --------------------------------------------------------
    int FindWinner() const;
    void ClearSheet();
    void ResetSheet();
    void WriteSheetRow();
    void AddComplexScores();  // closes an All Game deal: one row per round contract

    // --- Game flow ---------------------------------------------------------------------------
    void NewGame();
    void NewDeal();
    void AdvanceChoice();
    void NextChooser();
    void EndDeal();

    // A deal played on its own (see playout.h) stops where it ends: its points are added and its
    // row written, but neither the result sheet nor the next deal follows.
    void SetStopAtDealEnd(bool stop) {
        stopAtDealEnd_ = stop;
        dealEnded_ = false;
    }
    bool DealEnded() const { return dealEnded_; }

    // --- Layout contract ---------------------------------------------------------------------
    void ResetLayout();
    void ComputeSuitExtents() { s_.board.ComputeExtents(); }
    bool CanLay(char suit, int rank) const { return s_.board.CanLay(suit, rank); }
    void LayOnBoard(int entry);
    void LayHumanLayoutCard(int entry);
    void RecordFinishers() {
        if (s_.hand.EmptySeats() != 0) RecordOuts();  // cheap while every seat holds a card
    }
    void AwardLayoutPoints();
    void ComputerLayoutMove(int seat);
    // A computer seat's move, as its player answered: the entry it lays, 0 to pass.
    void MakeLayoutMove(int seat, int entry);
    // The rest of a layout step after the seat's move: the last round after the fourth step, and
    // the end of the deal once every card is on the board.
    void EndLayoutStep();

    // --- Side windows ------------------------------------------------------------------------
    void ChooseCardBack(int k);  // a click on card back cc1 .. cc6

    // --- Timers ------------------------------------------------------------------------------
    // 0 stops the timer; a new interval restarts its count; the same interval changes nothing.
    void SetTimer(TimerId timer, int interval);
    int TimerInterval(TimerId timer) const {
        return timer == TimerId::Timer1 ? s_.timer1Interval : s_.timer3Interval;
    }

    const GameState& State() const { return s_; }
    GameState& MutableState() { return s_; }
    const TableModel& Table() const {
        assert(table_ != nullptr);
        return *table_;
    }
    TableModel& MutableTable() {
        assert(table_ != nullptr);
        return *table_;
    }

  private:
    // Reads the host's clock once and seeds the game's generator with it.
    class ClockedChance final : public Chance {
      public:
        explicit ClockedChance(Game& game) : game_(game) {}
        Random& Draws() override {
            game_.SeedFromClock();
            return game_.s_.random;
        }

      private:
        Game& game_;
    };

    const Contract* Playing() const { return FindContract(CurrentContract()); }
    void EndLayoutDeal();
    void RecordOuts();
    void Pass(int seat);
    template <int N>
    bool ConfirmChoice(ChoiceDialog<N>& dialog);
    uint32_t SeedFromClock();  // returns the clock reading it seeded with
    void BlankPlayedSlots();
    void ClearTakenRounds();
    bool StopsHere();
    // The next slot of a seat's collection row shows the taken card (its face), or a card face
    // down (0).
    void ShowTaken(int seat, int face);
    void ShowCg(bool visible);
    void ShowPassb(bool visible);
    void ShowContractName(std::string_view caption);
    void RequestFocus(Focus focus);

    Host& host_;
    ClockedChance chance_;
    GameObserver* observer_ = nullptr;
    TableModel* table_ = nullptr;
    Player* computer_ = &Standard();
    Player* nextComputer_ = &Standard();
    bool stopAtDealEnd_ = false;
    bool dealEnded_ = false;
    GameState s_;
};

}  // namespace morvel
