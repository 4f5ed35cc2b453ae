#include "autopilot.h"

#include <cassert>

namespace morvel {

bool Autopilot::Step() {
    const GameState& s = game_.State();
    assert(s.timer1Interval == 0 || s.timer3Interval == 0);
    if (s.timer1Interval != 0) {
        game_.Timer1Timer();
        return true;
    }
    if (s.timer3Interval != 0) {
        game_.Timer3Timer();
        return true;
    }
    if (s.cgVisible) {
        game_.cgClick();
        return true;
    }
    if (!s.humanTurn) return false;
    const Contract* playing = FindContract(game_.CurrentContract());
    assert(playing != nullptr);
    if (playing->layout) {
        const int e = player_.LayoutMove(s, kHuman, game_.ClockChance());
        if (e != 0) {
            game_.HandSlotClick(e);
        } else {
            game_.passbClick();
        }
        return true;
    }
    game_.HandSlotClick(player_.RoundCard(s, kHuman, game_.ClockChance()));
    return true;
}

void Autopilot::AnswerChooseDialog() {
    game_.ChooseFormActivate();
    const char letter = player_.ChooseContract(game_.State(), kHuman, game_.ClockChance());
    for (int k = 1; k <= 5; ++k) {
        if (kContracts[k - 1].letter == letter) game_.ChooseRadioClick(k);
    }
    const bool closed = game_.ChooseOkClick();
    assert(closed);
    (void)closed;
}

void Autopilot::AnswerAllDialog() {
    game_.AllFormActivate();
    const char letter = player_.ChooseContract(game_.State(), kHuman, game_.ClockChance());
    game_.AllRadioClick(FindContract(letter)->layout ? 2 : 1);
    const bool closed = game_.AllOkClick();
    assert(closed);
    (void)closed;
}

}  // namespace morvel
