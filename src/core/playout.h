// A deal in progress played on to its end on its own, for a player that looks ahead: a copy of
// the state, no window, no observer, no host's clock. Every seat, the person's too, plays by the
// given player; the clock readings the rules take (the last resort of a contract choice, the
// direction of a layout move) come from a generator seeded by the caller.
#pragma once

#include <cstdint>

#include "autopilot.h"
#include "game.h"
#include "host.h"
#include "players.h"

namespace morvel {

class Playout {
  public:
    explicit Playout(Player& player = Standard());
    Playout(const Playout&) = delete;
    Playout& operator=(const Playout&) = delete;

    // Plays a copy of `from` to the end of its deal: its points added and its row written, the
    // result sheet and the next deal not begun. `from` may wait for any seat's move, for the
    // person's contract choice, or for a timer step. Makes no heap allocation once the player's
    // name has fitted the first time.
    const GameState& Run(const GameState& from, uint32_t seed);

    // The points a seat gained from `from` to the end of the deal, in the last Run.
    int32_t Gain(int seat) const { return game_.State().gameScore[seat] - startScore_[seat]; }

  private:
    // Answers every window at once; its clock reads a generator's draws.
    class ScratchHost final : public Host {
      public:
        explicit ScratchHost(Playout& playout) : playout_(playout) {}
        void Seed(uint32_t seed) { clock_.Seed(seed); }
        void TimerIntervalChanged(TimerId, int) override {}
        void Beep() override {}
        uint32_t MillisecondOfDay() override {
            return static_cast<uint32_t>(clock_.Draw(86400000));
        }
        void ShowNameDialog() override;
        void ShowChooseDialog() override { playout_.pilot_.AnswerChooseDialog(); }
        void ShowAllDialog() override { playout_.pilot_.AnswerAllDialog(); }
        void ShowResultSheet() override;
        void ShowMessage(std::string_view) override {}

      private:
        Playout& playout_;
        Random clock_;
    };

    ScratchHost host_;
    Game game_;
    Autopilot pilot_;
    Numbered<int32_t, 4> startScore_{};
};

}  // namespace morvel
