// A host for engine tests: a settable clock, counted beeps, recorded timer changes, and modal
// windows that are answered at once.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "autopilot.h"
#include "game.h"
#include "host.h"

namespace morvel::testing {

class TestHost : public Host {
  public:
    void TimerIntervalChanged(TimerId timer, int ms) override {
        timerChanges.push_back({timer, ms});
    }
    void Beep() override { ++beeps; }
    uint32_t MillisecondOfDay() override {
        ++clockReads;
        const uint32_t now = clock;
        clock = (clock + clockStep) % 86400000u;
        return now;
    }
    void ShowNameDialog() override {
        ++nameDialogs;
        if (onNameDialog) onNameDialog();
        if (game != nullptr) {
            for (const std::string& name : names) {
                if (game->AcceptName(name)) return;
            }
            game->AcceptName("Player1");
        }
    }

    void ShowChooseDialog() override {
        ++chooseDialogs;
        if (onChooseDialog) {
            onChooseDialog();
        } else if (game != nullptr) {
            Autopilot(*game).AnswerChooseDialog();
        }
    }
    void ShowAllDialog() override {
        ++allDialogs;
        if (onAllDialog) {
            onAllDialog();
        } else if (game != nullptr) {
            Autopilot(*game).AnswerAllDialog();
        }
    }
    void ShowResultSheet() override {
        ++sheets;
        if (onSheet) onSheet();
    }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }

    struct TimerChange {
        TimerId timer;
        int ms;
    };

    Game* game = nullptr;
    uint32_t clock = 0;
    uint32_t clockStep = 0;
    int clockReads = 0;
    int beeps = 0;
    int nameDialogs = 0;
    int chooseDialogs = 0;
    int allDialogs = 0;
    int sheets = 0;
    std::vector<std::string> messages;
    std::function<void()> onChooseDialog;
    std::function<void()> onAllDialog;
    std::function<void()> onSheet;
    std::function<void()> onNameDialog;  // runs while the dialog is open, before a name is typed
    std::vector<std::string> names;      // typed in turn until one is accepted
    std::vector<TimerChange> timerChanges;
};

// The seat that holds the seven of hearts when the deal reads `clock`.
inline int SevenOfHeartsHolder(uint32_t clock) {
    TestHost host;
    host.clock = clock;
    Game game(host);
    game.Deal();
    for (int n = 1; n <= 52; ++n) {
        const CardRecord& c = game.State().hand[n];
        if (c.suit == kHearts && c.rank == 7) return SeatOfEntry(n);
    }
    return 0;
}

// The first clock reading from `from` on whose deal `seat` holds the seven of hearts, so it is
// the game's first chooser.
inline uint32_t ClockForFirstChooser(int seat, uint32_t from = 0) {
    uint32_t clock = from;
    while (SevenOfHeartsHolder(clock) != seat)
        ++clock;
    return clock;
}

// A game with its host and a table model, started up as the table window would start it.
struct TestGame {
    TestHost host;
    TableModel table;
    Game game{host};
    explicit TestGame(uint32_t clock = 0) {
        host.game = &game;
        host.clock = clock;
        game.AttachTable(table);
        game.FormCreate();
    }

    // Starts up, then starts a game of `mode` from the menu whose first deal reads `dealClock`.
    void Start(GameMode mode, uint32_t dealClock) {
        game.FormActivate();
        host.clock = dealClock;
        if (mode == GameMode::Normal) {
            game.Normal1Click();
        } else {
            game.Complex1Click();
        }
    }

    // Plays through the Autopilot, as the table window would let it, until `done` holds. False
    // when play stops first: nothing can happen, the human player is to lay a card on a disabled
    // hand slot, or `maxSteps` pass.
    bool PlayUntil(const std::function<bool()>& done, int maxSteps = 20000) {
        Autopilot pilot(game);
        for (int step = 0; step < maxSteps; ++step) {
            if (done()) return true;
            const GameState& s = game.State();
            if (s.humanTurn && s.timer1Interval == 0 && s.timer3Interval == 0) {
                for (int n = kHumanBlock.first; n <= kHumanBlock.last; ++n) {
                    if (s.hand[n].suit != kPlayed && !table.Get(Family::I, n).enabled) {
                        return false;
                    }
                }
            }
            if (!pilot.Step()) return false;
        }
        return done();
    }
};

// A game whose every seat is played by `player`, seat 1 through the person's own paths (the
// Chose Game button, the choice dialogs, clicks and Pass).
struct PlayedBy {
    TestGame t;
    Autopilot pilot;
    PlayedBy(Player& player, uint32_t clockStep) : pilot(t.game, player) {
        t.host.clockStep = clockStep;
        t.game.SetComputerPlayer(player);
        t.host.onChooseDialog = [this] { pilot.AnswerChooseDialog(); };
        t.host.onAllDialog = [this] { pilot.AnswerAllDialog(); };
    }
};

}  // namespace morvel::testing
