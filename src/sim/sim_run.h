// Whole games without windows: the engine with an automatic host, seat 1 played by the
// autopilot, and an optional trace of every event.
#pragma once

#include <cstdint>
#include <string>

#include "game.h"

namespace morvel::sim {

struct Options {
    GameMode mode = GameMode::Normal;
    int games = 1;
    uint32_t clockStart = 0;
    uint32_t clockStep = 1;
    bool trace = false;
    std::string name = "Player1";
};

// Called after every event of the run, for checks; may be empty.
class EventCheck {
public:
    virtual ~EventCheck() = default;
    virtual void AfterEvent(const Game& game) = 0;
};

struct Result {
    int games = 0;
    int deals = 0;
    bool stuck = false;  // play stopped with nothing left to do: a fault of the engine
};

// Plays opt.games whole games; the trace lines, if asked for, are appended to `trace`.
Result Run(const Options& opt, std::string* trace, EventCheck* check = nullptr);

}  // namespace morvel::sim
