// Plays seat 1 through the human player's own paths (the Chose Game button, the choice dialogs,
// clicks on the hand slots, the Pass button), choosing as its player would, and fires whichever
// timer runs. Whole games run with it headless: in tests, the simulator and deals played out.
#pragma once

#include "game.h"
#include "players.h"

namespace morvel {

class Autopilot {
  public:
    // Seat 1 plays as `player` decides (the standard rules unless given), drawing its chance as
    // the game's own players do.
    explicit Autopilot(Game& game, Player& player = Standard()) : game_(game), player_(player) {}

    // One thing happens: a timer step, or seat 1's move or choice. False when nothing can happen
    // (no timer runs and nothing waits for seat 1).
    bool Step();

    // Answers the contract choice dialogs as the player chooses.
    void AnswerChooseDialog();
    void AnswerAllDialog();

  private:
    Game& game_;
    Player& player_;
};

}  // namespace morvel
