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
    if (s.table.CgVisible()) {
        game_.cgClick();
        return true;
    }
    if (!s.humanTurn) return false;
    if (game_.CurrentContract() == kMorvelLetter) {
        game_.ComputeSuitExtents();
        const int e = game_.LayoutChoice(40, 52);
        if (e != 0) {
            game_.HandSlotClick(e);
        } else {
            game_.passbClick();
        }
        return true;
    }
    const int e = s.roundPosition == 1
                      ? game_.LeadCard(40, 52)
                      : game_.FollowCard(40, 52, s.winningRank, s.roundCards[1].suit);
    assert(e != 0);
    game_.HandSlotClick(e);
    return true;
}

void Autopilot::AnswerChooseDialog() {
    game_.ChooseFormActivate();
    const char letter = game_.ChooseByRules(40, 52);
    for (int k = 1; k <= 5; ++k) {
        if (kContracts[k - 1].letter == letter) game_.ChooseRadioClick(k);
    }
    const bool closed = game_.ChooseOkClick();
    assert(closed);
    (void)closed;
}

void Autopilot::AnswerAllDialog() {
    game_.AllFormActivate();
    game_.AllRadioClick(game_.ChooseByRules(40, 52) == kMorvelLetter ? 2 : 1);
    const bool closed = game_.AllOkClick();
    assert(closed);
    (void)closed;
}

}  // namespace morvel
