// Plays seat 1 through the human player's own paths (the Chose Game button, the choice dialogs,
// clicks on the hand slots, the Pass button), choosing as the computer rules would for its block,
// and fires whichever timer runs. Whole games run with it headless: in tests and the simulator.
#pragma once

#include "game.h"

namespace morvel {

class Autopilot {
  public:
    explicit Autopilot(Game& game) : game_(game) {}

    // One thing happens: a timer step, or seat 1's move or choice. False when nothing can happen
    // (no timer runs and nothing waits for seat 1).
    bool Step();

    // Answers the contract choice dialogs as the computer rule chain would.
    void AnswerChooseDialog();
    void AnswerAllDialog();

  private:
    Game& game_;
};

}  // namespace morvel
