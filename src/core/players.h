// The computer players: what a seat does at its turn, as functions of a read-only game state.
// Asking a player changes nothing; the game then does what the answer says. The game asks its
// computer player for seats 2 to 4, and the automatic player of seat 1 (Autopilot) asks one too.
#pragma once

#include <cstdint>

#include "game_state.h"
#include "random.h"

namespace morvel {

// Where a player's chance comes from. A player asks for it only where its rules draw, and then
// draws only from the generator it gets: in play, the game's own generator, seeded afresh from
// the host's clock (each call reads the clock once); for a question asked on the side, a scratch
// generator that touches neither the host nor the game.
class Chance {
  public:
    virtual ~Chance() = default;
    virtual Random& Draws() = 0;
};

class ScratchChance final : public Chance {
  public:
    explicit ScratchChance(uint32_t seed = 0) { random_.Seed(seed); }
    Random& Draws() override { return random_; }

  private:
    Random random_;
};

class Player {
  public:
    virtual ~Player() = default;
    // The entry of the card `seat` lays in a round contract at the round's current position: it
    // leads at position 1 and follows after.
    virtual int RoundCard(const GameState& s, int seat, Chance& chance) = 0;
    // The contract `seat` names as chooser, one the contract list has not used. In "COMPLEX" mode
    // the game plays any round contract as the All Game deal.
    virtual char ChooseContract(const GameState& s, int seat, Chance& chance) = 0;
    // The entry `seat` lays on the layout board; 0 to pass.
    virtual int LayoutMove(const GameState& s, int seat, Chance& chance) = 0;
};

// The fixed rules of the computer players. It keeps nothing between questions, so one serves
// every seat of every game.
class StandardPlayer final : public Player {
  public:
    int RoundCard(const GameState& s, int seat, Chance& chance) override;
    char ChooseContract(const GameState& s, int seat, Chance& chance) override;
    int LayoutMove(const GameState& s, int seat, Chance& chance) override;

    // The lowest card, hearts first among equal ranks.
    static int Lead(const GameState& s, int seat);
    // A card of the lead suit, chosen to duck or to take cheaply; without one, a discard.
    static int Follow(const GameState& s, int seat);
};

StandardPlayer& Standard();

}  // namespace morvel
