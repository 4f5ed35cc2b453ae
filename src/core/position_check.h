// Whether a position is one the rules reach between two events of play: the position a saved game
// resumes from must be, or play could go where no rule leads (a card in two places, a deal that
// never ends, a sheet whose sums no game makes). The checks follow the game: every card in one
// place, the counts of the deal in play and what each seat took, the contract list against the
// mode and the contract number, the sheet's rows in order with the sums each contract makes, and
// the timers, buttons and markers against whose turn it is.
#pragma once

#include <string>

#include "game_state.h"

namespace morvel {

// Empty when the position is one the rules reach; otherwise the first thing found wrong.
std::string PositionProblem(const GameState& s);

}  // namespace morvel
