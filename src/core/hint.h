// A hint for the person: what a player would do in the person's place, from what the person may
// know (seat 1's own hand and what every seat has seen). Asking changes nothing and plays nothing.
#pragma once

#include "game_state.h"
#include "players.h"

namespace morvel {

struct Hint {
    enum class Kind : uint8_t { None, Card, Pass, Contract };
    Kind kind = Kind::None;
    int entry = 0;                // Card: the hand entry of the card to lay
    char contract = kNoContract;  // Contract: the letter to name (an All Game deal: a round one)
    friend bool operator==(const Hint&, const Hint&) = default;
};

// Whether the person has a move to make: a contract to choose, a card to lay, or a layout move
// or pass.
bool PersonsTurn(const GameState& s);

// What `player` would do in the person's place now; Kind::None when it is not the person's turn.
// The player draws from a scratch chance, never the game's.
Hint HintFor(const GameState& s, Player& player);

}  // namespace morvel
