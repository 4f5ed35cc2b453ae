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

void Playout::Load(const GameState& from, uint32_t seed) {
    game_.MutableState() = from;
    game_.SetStopAtDealEnd(true);
    host_.Seed(seed);
    startScore_ = from.gameScore;
}

const GameState& Playout::PlayToEnd() {
    steps_ = 0;
    for (; !game_.DealEnded(); ++steps_) {
        if (!pilot_.Step()) {
            assert(false && "a deal played out stopped before its end");
            break;
        }
    }
    return game_.State();
}

const GameState& Playout::Run(const GameState& from, uint32_t seed) {
    Load(from, seed);
    return PlayToEnd();
}

const GameState& Playout::RunFrom(const GameState& at, int seat, const Answer& answer,
                                  uint32_t seed) {
    Load(at, seed);
    const bool person = seat == kHuman;
    assert(!person || answer.kind == Answer::Kind::Contract || at.humanTurn);
    // A computer seat is asked inside a step of the turn loop, whose timer runs on after it; one
    // stopped around the step (by a test stepping the loop by hand) runs here all the same.
    if (!person && answer.kind != Answer::Kind::Contract) {
        game_.SetTimer(answer.kind == Answer::Kind::RoundCard ? TimerId::Timer1 : TimerId::Timer3,
                       at.speedInterval);
    }
    switch (answer.kind) {
        case Answer::Kind::RoundCard:
            if (person) {
                game_.HandSlotClick(answer.entry);
            } else {
                game_.LayCard(answer.entry);
                game_.FinishLaidCard();
            }
            break;
        case Answer::Kind::LayoutMove:
            if (!person) {
                game_.MakeLayoutMove(seat, answer.entry);
                game_.EndLayoutStep();
            } else if (answer.entry != 0) {
                game_.HandSlotClick(answer.entry);
            } else {
                game_.passbClick();
            }
            break;
        case Answer::Kind::Contract:
            StartContract(seat, answer.contract);
            break;
    }
    return PlayToEnd();
}

// Every chooser's deal begins here as a computer chooser's does: the person's own path differs
// only in who waits for whom before the first card.
void Playout::StartContract(int seat, char letter) {
    GameState& s = game_.MutableState();
    // A computer chooser and the person's choice dialog are asked once the contract number has
    // moved on to the empty place; with the Chose Game button shown, the number has not moved.
    const bool placeTaken =
        s.contractNumber == 0 || s.contractList[s.contractNumber] != kNoContract;
    if (placeTaken) ++s.contractNumber;
    assert(s.contractNumber <= 5);
    s.cgVisible = false;
    s.humanTurn = false;
    s.round.SetOrder(seat);
    s.round.position = 0;
    s.dealCardCount = 0;
    game_.StartContract(letter);
}

}  // namespace morvel
