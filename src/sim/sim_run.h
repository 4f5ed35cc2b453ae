// Whole games without windows: the engine with an automatic host, seat 1 played by the
// autopilot, and an optional trace of every event, written as it is made.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game.h"
#include "players.h"

namespace morvel::sim {

struct Options {
    GameMode mode = GameMode::Normal;
    int games = 1;
    uint32_t clockStart = 0;
    uint32_t clockStep = 1;
    bool trace = false;
    std::string name = "Player1";
    Player* seat1 = nullptr;      // the automatic player of seat 1; nullptr: the standard one
    Player* computers = nullptr;  // the player of seats 2 to 4; nullptr: the standard one

    // The run stops once the event that makes trace line `saveAt` (from 1; lines are counted
    // with or without `trace`) is over, with the trace written up to that line, and keeps what it
    // needs to go on in Result::saved; 0: it never stops for that.
    uint64_t saveAt = 0;
    // A run stopped by saveAt (its Result::saved) goes on from there, printing the trace after
    // that line: its mode, games, clock and name come from it, and the fields above are ignored.
    std::string_view resume;
};

// Receives the trace a piece at a time, as it is made.
class TraceOut {
  public:
    virtual ~TraceOut() = default;
    // False when the text could not be kept; the run then stops.
    virtual bool Write(std::string_view text) = 0;
};

class StringTrace final : public TraceOut {
  public:
    bool Write(std::string_view text) override {
        text_.append(text);
        return true;
    }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// Called after every event of the run, for checks; may be empty.
class EventCheck {
  public:
    virtual ~EventCheck() = default;
    // After each thing the engine reports, in the middle of a timer step or a click.
    virtual void AfterEvent(const Game& game) = 0;
    // Between two steps, where a saved game may stand.
    virtual void AfterStep(const Game&) {}
};

struct Result {
    int games = 0;
    int deals = 0;
    // The seats' game scores at the end of each game: their sums and sums of squares, and the
    // last game's.
    Numbered<double, 4> scoreSum{};
    Numbered<double, 4> scoreSquares{};
    Numbered<int32_t, 4> lastScores{};
    bool stuck = false;      // play stopped with nothing left to do: a fault of the engine
    bool traceLost = false;  // the trace output refused a write; the run stopped there
    uint64_t lines = 0;      // trace lines made, from the first of the whole run
    std::string saved;       // where a run stopped by Options::saveAt goes on from
    std::string refused;     // why Options::resume could not be resumed; nothing was played
};

// Plays opt.games whole games; with opt.trace, the trace lines go to `trace`.
Result Run(const Options& opt, TraceOut* trace, EventCheck* check = nullptr);

}  // namespace morvel::sim
