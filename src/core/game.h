// The game engine: all state of one game and every rule that changes it. The table window and
// the simulator drive it through the operations below; it talks back only through the Host.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cards.h"
#include "host.h"
#include "random.h"
#include "table_model.h"

namespace morvel {

enum class GameMode : uint8_t { Normal, Complex };

// Pace of play, in milliseconds.
inline constexpr int kSlowInterval = 300;
inline constexpr int kMediumInterval = 200;
inline constexpr int kFastInterval = 50;
inline constexpr int kFinishInterval = 10;  // the layout deal after the human player is out

// The player's name keeps at most this many characters.
inline constexpr int kNameLength = 15;
// The name field takes at most this many characters.
inline constexpr int kNameFieldLength = 20;

struct RoundCard {
    char suit = kPlayed;
    int32_t rank = 0;
    friend bool operator==(const RoundCard&, const RoundCard&) = default;
};

// Everything the game remembers. Plain data, so tests can set up a position and compare whole
// states before and after a move.
struct GameState {
    TableModel table;
    Random random;

    // Cards.
    CardTable cards;
    HandTable hand;

    // Round state.
    Numbered<int, 4> playOrder{};
    int roundPosition = 0;
    Numbered<RoundCard, 4> roundCards{};
    Numbered<int, 4> roundPlaces{};  // by seat
    char leadSuit = kPlayed;
    int winningRank = 0;
    bool roundTaken = false;
    int dealCardCount = 0;
    bool dealGoesOn = true;
    bool humanTurn = false;

    // Game state.
    GameMode mode = GameMode::Normal;
    Numbered<int, 4> chooserSeats{};
    int chooserNumber = 1;
    int speedInterval = kFastInterval;
    int cardBack = 1;
    Numbered<int32_t, 4> gameScore{};
    std::string playerName;
    Numbered<Picture, 4> lastRound{};  // by seat

    int timer1Interval = 0;
    int timer3Interval = 0;
};

class Game {
  public:
    explicit Game(Host& host) : host_(host) {}

    // --- Start-up and menu -------------------------------------------------------------------
    void FormCreate();
    void FormActivate();
    void Normal1Click();
    void Complex1Click();
    void SetSpeed(int interval);  // the Slow, Medium and Fast items

    // --- Player's name -----------------------------------------------------------------------
    // Stores the name (cut to 15 characters) and says whether the dialog may close; a refused
    // name is one of the computer players'.
    bool AcceptName(std::string_view typed);

    // --- Cards and deal ----------------------------------------------------------------------
    void BuildCardTable();
    void Deal();
    void SortBySuit(int first, int last);
    void SortByRank(int first, int last);
    void PlacePlayedSlots(int leader);
    void ShowChooserMarker();
    void ShowTurnMarker(int seat);
    void LockHumanHand();
    void UnlockHumanHand();

    // --- Events of the table window ----------------------------------------------------------
    void HandSlotClick(int entry);         // i40Click .. i52Click, with the slot's entry 40..52
    void cgClick();                        // the "Chose Game" button
    void passbClick();                     // the "Pass" button
    void Timer1Timer();                    // a tick of Timer1
    void Timer3Timer();                    // a tick of Timer3
    void CollectionMouseDown(int slot);    // j1MouseDown .. j52MouseDown
    void CollectionMouseUp(int slot);      // j1MouseUp .. j52MouseUp

    // --- Game flow ---------------------------------------------------------------------------
    void NewGame();

    // --- Timers ------------------------------------------------------------------------------
    // 0 stops the timer; a new interval restarts its count; the same interval changes nothing.
    void SetTimer(TimerId timer, int interval);
    int TimerInterval(TimerId timer) const {
        return timer == TimerId::Timer1 ? s_.timer1Interval : s_.timer3Interval;
    }

    const GameState& State() const { return s_; }
    GameState& MutableState() { return s_; }
    const TableModel& Table() const { return s_.table; }
    TableModel& MutableTable() { return s_.table; }

  private:
    Host& host_;
    GameState s_;
};

}  // namespace morvel
