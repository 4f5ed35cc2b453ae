// A game position as bytes, for the file that keeps a game between runs: every primary fact of
// the state, part by part, behind a magic and a version number. Reading checks every field and
// then the position as a whole (position_check.h), rebuilds what follows from the facts (each
// seat's holding, the board's run ends, the sheet's colours) and refuses the bytes whole when
// anything is wrong. No I/O: the callers read and write the files.
#pragma once

#include <string>
#include <string_view>

#include "game_state.h"

namespace morvel {

// Bumped whenever a part is added or changes; a file of another version is refused.
inline constexpr int kSaveVersion = 2;

// Whether a position between two events is one to keep: no card of a round still in play lies on
// the table. A game resumed from the position before those cards lays them again by the same
// rules, and asks the person again for a card of that round.
bool IsSavePoint(const GameState& s);

// A position between two events of play (no window of the game open).
std::string EncodeGame(const GameState& position);

// Empty when `bytes` hold a whole position the rules can reach, which then replaces `position`;
// otherwise one line saying what is wrong, and `position` is left as it was.
std::string DecodeGame(std::string_view bytes, GameState& position);

}  // namespace morvel
