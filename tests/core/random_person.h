// A person who plays any card the rules allow, chooses any contract still free and lays any card
// that fits, by a generator of its own; and who now and then uses the menu between two events
// (a new game of either mode, another speed, another card back). Games played this way reach
// positions the standard players never do.
#pragma once

#include <vector>

#include "autopilot.h"
#include "game.h"
#include "players.h"

namespace morvel::testing {

class RandomPlayer final : public Player {
  public:
    explicit RandomPlayer(uint32_t seed) { random_.Seed(seed); }

    int RoundCard(const GameState& s, int seat, Chance&) override {
        std::vector<int> legal;
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
            if (Held(s.hand[n]) && s.round.MayLay(s.hand, seat, s.hand[n].suit)) legal.push_back(n);
        }
        return legal[static_cast<size_t>(random_.Draw(static_cast<int>(legal.size())))];
    }
    char ChooseContract(const GameState& s, int, Chance&) override {
        std::vector<char> free;
        for (const Contract& c : kContracts) {
            if (!s.contractList.Used(c.letter)) free.push_back(c.letter);
        }
        return free[static_cast<size_t>(random_.Draw(static_cast<int>(free.size())))];
    }
    // Passes only when nothing fits.
    int LayoutMove(const GameState& s, int seat, Chance&) override {
        std::vector<int> fitting;
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
            if (Held(s.hand[n]) && s.board.CanLay(s.hand[n].suit, s.hand[n].rank))
                fitting.push_back(n);
        }
        if (fitting.empty()) return 0;
        return fitting[static_cast<size_t>(random_.Draw(static_cast<int>(fitting.size())))];
    }

    // One of the menu's commands once in `oneIn` calls; true when one was given.
    bool MaybeMenu(Game& game, int oneIn) {
        if (random_.Draw(oneIn) != 0) return false;
        switch (random_.Draw(4)) {
            case 0:
                if (random_.Draw(2) == 0) {
                    game.Normal1Click();
                } else {
                    game.Complex1Click();
                }
                break;
            case 1: {
                static constexpr int kSpeeds[] = {kSlowInterval, kMediumInterval, kFastInterval};
                game.SetSpeed(kSpeeds[random_.Draw(3)]);
                break;
            }
            case 2:
                game.ChooseCardBack(1 + random_.Draw(6));
                break;
            default:
                // A mode picked for the next game, and then left alone.
                game.SetMode(random_.Draw(2) == 0 ? GameMode::Normal : GameMode::Complex);
                break;
        }
        return true;
    }

  private:
    Random random_;
};

}  // namespace morvel::testing
