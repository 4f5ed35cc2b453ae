#include "hint.h"

namespace morvel {

bool PersonsTurn(const GameState& s) {
    if (s.cgVisible) return true;
    return s.humanTurn && FindContract(CurrentContract(s)) != nullptr && !s.hand.Empty(kHuman);
}

Hint HintFor(const GameState& s, Player& player) {
    if (!PersonsTurn(s)) return {};
    ScratchChance chance;
    if (s.cgVisible) {
        return {.kind = Hint::Kind::Contract, .contract = player.ChooseContract(s, kHuman, chance)};
    }
    if (FindContract(CurrentContract(s))->layout) {
        const int e = player.LayoutMove(s, kHuman, chance);
        return e != 0 ? Hint{.kind = Hint::Kind::Card, .entry = e} : Hint{.kind = Hint::Kind::Pass};
    }
    return {.kind = Hint::Kind::Card, .entry = player.RoundCard(s, kHuman, chance)};
}

}  // namespace morvel
