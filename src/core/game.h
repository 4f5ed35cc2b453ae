// The game engine: all state of one game and every rule that changes it. The table window and
// the simulator drive it through the operations below; it talks back only through the Host.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cards.h"
#include "contracts.h"
#include "host.h"
#include "random.h"
#include "result_sheet.h"
#include "table_model.h"

namespace morvel {

struct SuitHolding;

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

// The player's name as the name dialog stores it: the first 15 characters of what was typed.
std::string StoredName(std::string_view typed);
// Whether a stored name is one of the computer players' (blanks around it and the case of a..z
// aside); the name dialog refuses those.
bool IsComputerName(std::string_view name);

struct RoundCard {
    char suit = kPlayed;
    int32_t rank = 0;
    friend bool operator==(const RoundCard&, const RoundCard&) = default;
};

// The state of a choice dialog: the radio button clicked since it opened, which buttons are
// enabled, and which one shows checked. A used contract's button is disabled, and stays checked,
// until the next game or another click.
template <int N>
struct ChoiceDialog {
    int selectedIndex = 0;  // 0: nothing chosen yet
    Numbered<bool, N> enabled{};
    int checkedIndex = 0;  // 0: none
    bool Checked(int k) const { return checkedIndex == k; }
    void Reset() {
        selectedIndex = 0;
        enabled.fill(true);
        checkedIndex = 0;
    }
    // A click on radio button k; false when the button is disabled and the click does nothing.
    bool Click(int k) {
        if (!enabled[k]) return false;
        selectedIndex = k;
        checkedIndex = k;
        return true;
    }
    friend bool operator==(const ChoiceDialog&, const ChoiceDialog&) = default;
};

// Penalties of one deal kept apart by contract, by seat ("COMPLEX" mode).
struct ComplexScores {
    Numbered<int32_t, 4> collection{};
    Numbered<int32_t, 4> diamonds{};
    Numbered<int32_t, 4> queen{};
    Numbered<int32_t, 4> heartKing{};
    friend bool operator==(const ComplexScores&, const ComplexScores&) = default;
};

// Items taken in this deal, all seats together ("NORMAL" mode).
struct TakenCounters {
    int diamonds = 0;
    int queens = 0;
    int heartKing = 0;
    int collections = 0;
    friend bool operator==(const TakenCounters&, const TakenCounters&) = default;
};

// The layout board: suits 'D', 'F', 'H', 'A' as indices 0..3 (BoardSuit), ranks 2..14.
struct Board {
    std::array<std::array<int32_t, 15>, 4> value{};  // 0, or the rank once laid
    std::array<int32_t, 4> high{};
    std::array<int32_t, 4> low{};
    // Suits (bit per suit) with a card laid since their extents were last worked out; the
    // others would come out the same, which saves the layout loop most of its work.
    uint8_t changedSuits = 0xF;
    friend bool operator==(const Board&, const Board&) = default;
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

    // Taking rounds.
    ComplexScores complexScores;
    TakenCounters taken;
    Numbered<int, 4> collectionPosition{};  // by seat: the last collection slot filled

    // Game state. The rules of the game in play read `mode`; the menu's choice waits in
    // `menuMode` until the new game it asks for begins, so a deal that ends while the name is
    // asked still ends under the rules it was dealt in.
    GameMode mode = GameMode::Normal;
    GameMode menuMode = GameMode::Normal;
    Numbered<int, 4> chooserSeats{};
    int chooserNumber = 1;
    ContractList contractList;
    int contractNumber = 0;
    int speedInterval = kFastInterval;
    int cardBack = 1;
    Numbered<int32_t, 4> gameScore{};
    std::string playerName;
    Numbered<Picture, 4> lastRound{};  // by seat

    // Contract choice and result sheet.
    ChoiceDialog<5> chooseDialog;  // Tchoosform: Queen, Heart King, Diamonds, Collection, Morvel
    ChoiceDialog<2> allDialog;     // Tallform: All Games, Morvel
    ResultSheet sheet;

    // Layout contract.
    Board board;
    Numbered<bool, 4> stillIn{};
    Numbered<int, 4> finishingPlace{};
    int nextFinishingPlace = 1;
    Numbered<Picture, 4> cycleMoves{};  // by position in the play order

    int timer1Interval = 0;
    int timer3Interval = 0;

    friend bool operator==(const GameState&, const GameState&) = default;
};

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
    explicit Game(Host& host) : host_(host) {}
    void SetObserver(GameObserver* observer) {
        observer_ = observer != nullptr ? observer : &silent_;
    }

    // --- Start-up and menu -------------------------------------------------------------------
    void FormCreate();
    void FormActivate();
    void Normal1Click();
    void Complex1Click();
    void SetMode(GameMode mode);  // the mode of the next game and its caption in Panel1
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
    char CurrentContract() const;

    // --- Round play --------------------------------------------------------------------------
    void LayCard(int entry);
    bool HasSuit(int first, int last, char suit) const;
    // The rule of legal play: a follower lays the lead suit while his hand holds it.
    bool MayFollowWith(char suit) const;
    void LayHumanCard(int entry, int rank, char suit);
    int RoundWinner() const;
    void SetPlayOrder(int leader);
    void FinishLaidCard();
    void TakeRoundNormal();
    void TakeRoundComplex();
    void ComputerLead(int first, int last);
    void ComputerFollow(int first, int last, int winningRank, char leadSuit);
    int FollowChoice(int first, int last, int winningRank, char leadSuit) const;
    // The cards ComputerLead and ComputerFollow lay, without laying them.
    int LeadCard(int first, int last) const;
    int FollowCard(int first, int last, int winningRank, char leadSuit) const;

    // --- Contract choice ---------------------------------------------------------------------
    void ComputerChooseContract(int first, int last);
    // The computer's rule chain over a hand range, with its clock-seeded last resort.
    char ChooseByRules(int first, int last);
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
    void AddComplexScores();  // closes an All Game deal: L, D, Q, K in this order

    // --- Game flow ---------------------------------------------------------------------------
    void NewGame();
    void NewDeal();
    void AdvanceChoice();
    void NextChooser();
    void EndDeal();

    // --- Layout contract ---------------------------------------------------------------------
    void ResetLayout();
    void ComputeSuitExtents();
    bool CanLay(char suit, int rank) const;
    void LayOnBoard(int entry);
    void LayHumanLayoutCard(int entry);
    int CountCards(int first, int last) const;
    void RecordFinishers();
    void AwardLayoutPoints();
    void ComputerLayoutMove(int first, int last);
    // The entry a seat lays in the layout contract, 0 for a pass (draws a direction when needed).
    int LayoutChoice(int first, int last);

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
    const TableModel& Table() const { return s_.table; }
    TableModel& MutableTable() { return s_.table; }

  private:
    void EndLayoutDeal();
    template <int N>
    bool ConfirmChoice(ChoiceDialog<N>& dialog);
    int FollowChoice(const SuitHolding& held, int winningRank, char leadSuit) const;
    uint32_t SeedFromClock();  // returns the clock reading it seeded with
    void BlankPlayedSlots();
    void ClearTakenRounds();

    Host& host_;
    GameObserver silent_;
    GameObserver* observer_ = &silent_;
    GameState s_;
};

}  // namespace morvel
