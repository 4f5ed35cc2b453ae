// The table drawn whole from a position: what the engine, move by move, would have shown to reach
// it. A game resumed from a saved position starts from this.
#pragma once

#include "game_state.h"
#include "table_model.h"

namespace morvel {

// The person's hand is locked from the hand-over to the person as a later chooser until the
// Chose Game click.
bool HumanHandLocked(const GameState& s);

// Cards of the round in play on the played slots p1..p4: all four of a round just taken.
int CardsOnTable(const GameState& s);

// Every slot, caption and button of `table` as the position shows them. The enlarged collection
// card is not part of a position: it shows only while the mouse is held on a card.
void DrawTable(const GameState& s, TableModel& table);

}  // namespace morvel
