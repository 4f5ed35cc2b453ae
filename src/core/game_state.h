// Everything the game remembers, as plain data: tests set up a position and compare whole states
// before and after a move, and a copy can be played forward on its own (see playout.h). What the
// table window shows is not part of it (see table_model.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cards.h"
#include "contracts.h"
#include "hands.h"
#include "layout_play.h"
#include "picture.h"
#include "random.h"
#include "result_sheet.h"
#include "round_play.h"

namespace morvel {

enum class GameMode : uint8_t { Normal, Complex };

// Pace of play, in milliseconds.
inline constexpr int kSlowInterval = 300;
inline constexpr int kMediumInterval = 200;
inline constexpr int kFastInterval = 50;
inline constexpr int kFinishInterval = 10;  // the layout deal after the human player is out

// One of the three speeds a person can choose.
constexpr bool IsSpeed(int interval) {
    return interval == kSlowInterval || interval == kMediumInterval || interval == kFastInterval;
}

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

// One value for each round contract.
template <typename T>
struct PerRoundContract {
    std::array<T, kRoundContractCount> values{};
    T& operator[](ContractId id) {
        assert(id != ContractId::Morvel);
        return values[static_cast<int>(id)];
    }
    const T& operator[](ContractId id) const {
        assert(id != ContractId::Morvel);
        return values[static_cast<int>(id)];
    }
    friend bool operator==(const PerRoundContract&, const PerRoundContract&) = default;
};

// What the play of a deal has shown of each seat's hidden cards, besides the cards laid: a seat
// that did not follow the lead suit holds none of it, and a seat that passed in the layout
// contract held no card that fitted then (hands only lose cards, so it never holds one later).
// Every seat sees it; a player that reasons only from what its seat may know reads it here.
struct Absences {
    Numbered<uint64_t, 4> notHeld{};  // by seat: cards (see CardsOf) the seat does not hold
    friend bool operator==(const Absences&, const Absences&) = default;
};

struct GameState {
    Random random;
    HandTable hand;
    Absences absences;  // cleared by each deal

    // Round contracts.
    Round round;
    int dealCardCount = 0;
    bool dealGoesOn = true;
    bool humanTurn = false;
    PerRoundContract<int> taken;                           // items taken in this deal ("NORMAL")
    PerRoundContract<Numbered<int32_t, 4>> complexScores;  // by seat, in this deal ("COMPLEX")
    Numbered<int, 4> collectionPosition{};  // by seat: the last collection slot filled
    // By collection slot j1..j52: the face of the card it shows, 0 for a card face down.
    Numbered<uint8_t, 52> collectionFaces{};

    // The two buttons whose clicks the rules take only while they are shown.
    bool cgVisible = false;
    bool passbVisible = false;
    int turnMarker = 0;  // the seat whose turn marker h1..h4 is shown; 0 for none

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

// The letter of the contract now played: the one at place contract number; ' ' before the
// chooser's first choice.
inline char CurrentContract(const GameState& s) {
    return s.contractNumber >= 1 && s.contractNumber <= 5 ? s.contractList[s.contractNumber]
                                                          : kNoContract;
}

}  // namespace morvel
