// A player that looks ahead. For each question it deals the cards its seat cannot see in many
// ways that agree with what the seat knows (see HiddenDeal), plays every answer it may give on to
// the end of the deal on each of them, with the standard rules for every seat, and gives the
// answer with the best total for its own seat: the contract's points, the four tallies of an All
// Game deal together, or the layout points. It draws only from a generator of its own and reads
// only a steady clock of its own, never the game's chance or the host's clock.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>

#include "hidden_deal.h"
#include "players.h"
#include "playout.h"

namespace morvel {

// How much a strong player thinks over a question.
struct StrongBudget {
    // A fixed amount of work a question: deals are played out, every answer on each, until they
    // have taken this many steps of the game together (see Playout::Steps). 0: as many as
    // `time` allows.
    int steps = 0;
    std::chrono::microseconds time{36000};
};

// How long questions took: a count for each tenth of a millisecond, so that any number of
// questions takes the same room.
class DecisionTimes {
  public:
    void Add(std::chrono::microseconds time);
    void Add(const DecisionTimes& other);
    int64_t Count() const { return count_; }
    // The time, in milliseconds, within which `percent` of the questions were answered.
    double Percentile(double percent) const;

  private:
    static constexpr int kBuckets = 10000;  // up to a second; the last holds all longer ones
    std::array<uint32_t, kBuckets> counts_{};
    int64_t count_ = 0;
};

// What a chooser scores on average with a contract from a deal it knows nothing of, every seat
// playing by the standard rules; in "COMPLEX" mode a round contract stands for the All Game
// deal. The chooser plays every contract once, the others on deals to come, so a contract is
// worth naming for a hand by how much better than that the hand does with it.
double ChooserPar(GameMode mode, ContractId id);

class StrongPlayer final : public Player {
  public:
    using Budget = StrongBudget;
    // Fits a question into 40 ms on one core of a 2-core machine of 2024, the costliest ones
    // too: its median is near 22 ms and its 99th percentile near 35 ms of processor time (see
    // ./morvel strength, which reports the decision times).
    static constexpr int kCalibratedSteps = 850000;
    static constexpr Budget kTimed{};
    static constexpr Budget kFixed{.steps = kCalibratedSteps};

    explicit StrongPlayer(Budget budget = kTimed, uint64_t seed = 1);

    int RoundCard(const GameState& s, int seat, Chance& chance) override;
    char ChooseContract(const GameState& s, int seat, Chance& chance) override;
    int LayoutMove(const GameState& s, int seat, Chance& chance) override;

    void Seed(uint64_t seed) { random_.Seed(seed); }
    void SetBudget(Budget budget) { budget_ = budget; }
    // How long the questions that had more than one answer took.
    const DecisionTimes& Times() const { return times_; }
    void ClearTimes() { times_ = {}; }

  private:
    static constexpr int kMostAnswers = 13;
    using Answers = std::array<Answer, kMostAnswers>;

    // Points an answer is expected to score from a deal of which nothing is known.
    using Pars = std::array<double, kMostAnswers>;

    // The index of the answer with the best mean for `seat`, above its par.
    int Best(const GameState& s, int seat, const Answers& answers, int count,
             const Pars& pars = {});

    Budget budget_;
    SampleRandom random_;
    Playout playout_;
    GameState world_;  // a deal of the hidden cards, kept to reuse its storage
    DecisionTimes times_;
};

}  // namespace morvel
