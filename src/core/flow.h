// The run of a game from deal to deal, as rules over the state: who chooses first and in what
// order, when a chooser's turn is over and when the game is. Each chooser names all five
// contracts in turn (in "COMPLEX" mode the All Game deal takes four places of the list), and the
// game ends with the fourth chooser's last deal. The Game applies them (flow.cpp).
#pragma once

#include <cassert>

#include "game_state.h"

namespace morvel {

inline constexpr int kChoosers = 4;
inline constexpr int kPlacesPerChooser = 5;

// The holder of the seven of hearts chooses first; the others follow in play order.
inline Numbered<int, 4> ChooserSeats(const HandTable& hand) {
    int holder = 1;
    while (!hand.Holding(holder, kHearts).Has(7))
        ++holder;
    assert(holder <= 4);
    Numbered<int, 4> seats;
    for (int k = 1; k <= kChoosers; ++k)
        seats[k] = SeatAtPosition(holder, k);
    return seats;
}

// The chooser at turn has filled the contract list.
inline bool ChooserIsDone(const GameState& s) {
    return s.contractNumber >= kPlacesPerChooser;
}

// The deal that ends now is the game's last.
inline bool GameIsOver(const GameState& s) {
    return ChooserIsDone(s) && s.chooserNumber >= kChoosers;
}

}  // namespace morvel
