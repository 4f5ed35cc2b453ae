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
        const uint32_t now = clock;
        clock = (clock + clockStep) % 86400000u;
        return now;
    }
    void ShowNameDialog() override {
        ++nameDialogs;
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
    int beeps = 0;
    int nameDialogs = 0;
    int chooseDialogs = 0;
    int allDialogs = 0;
    int sheets = 0;
    std::vector<std::string> messages;
    std::function<void()> onChooseDialog;
    std::function<void()> onAllDialog;
    std::function<void()> onSheet;
    std::vector<std::string> names;  // typed in turn until one is accepted
    std::vector<TimerChange> timerChanges;
};

// A game with its host, started up as the table window would start it.
struct TestGame {
    TestHost host;
    Game game{host};
    explicit TestGame(uint32_t clock = 0) {
        host.game = &game;
        host.clock = clock;
        game.FormCreate();
    }
};

}  // namespace morvel::testing
