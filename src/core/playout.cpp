#include "playout.h"

#include <cassert>

namespace morvel {

Playout::Playout(Player& player) : host_(*this), game_(host_), pilot_(game_, player) {
    game_.SetComputerPlayer(player);
}

void Playout::ScratchHost::ShowNameDialog() {
    assert(false && "a deal played out never reaches a new game");
}

void Playout::ScratchHost::ShowResultSheet() {
    assert(false && "a deal played out stops before its result sheet");
}

const GameState& Playout::Run(const GameState& from, uint32_t seed) {
    game_.MutableState() = from;
    game_.SetStopAtDealEnd(true);
    host_.Seed(seed);
    startScore_ = from.gameScore;
    while (!game_.DealEnded()) {
        if (!pilot_.Step()) {
            assert(false && "a deal played out stopped before its end");
            break;
        }
    }
    return game_.State();
}

}  // namespace morvel
