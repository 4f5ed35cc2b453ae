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

// A seat's answer to a question of the game (see Player): the card it lays in a round, its move
// on the layout board (an entry, 0 to pass), or the contract it names as chooser.
struct Answer {
    enum class Kind : uint8_t { RoundCard, LayoutMove, Contract };
    Kind kind = Kind::RoundCard;
    int entry = 0;
    char contract = kNoContract;
};

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
    // Plays a copy of `at`, where `seat` is asked a question, on from `answer` to the end of the
    // deal. Seats 2 to 4 are asked inside the game's step that needs their move, seat 1 at its
    // turn as the person is: a card or a layout move while the game waits for it, a contract
    // with the Chose Game button shown or from inside the choice dialog.
    const GameState& RunFrom(const GameState& at, int seat, const Answer& answer, uint32_t seed);

    // The steps of the game (timer steps and the moves and choices of seat 1) the last run took:
    // a measure of its work.
    int Steps() const { return steps_; }

    // The points a seat gained from `from` to the end of the deal, in the last Run.
    int32_t Gain(int seat) const { return game_.State().gameScore[seat] - startScore_[seat]; }

  private:
    void Load(const GameState& from, uint32_t seed);
    const GameState& PlayToEnd();
    void StartContract(int seat, char letter);

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
    int steps_ = 0;
};

}  // namespace morvel
