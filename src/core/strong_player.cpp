#include "strong_player.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>

namespace morvel {

namespace {

// Rank bits of the cards of `suit` in a set of cards.
uint32_t RanksIn(uint64_t cards, char suit) {
    return static_cast<uint32_t>(cards >> (13 * BoardSuit(suit) + 1) & 0x1FFF) << 2;
}

// Which round contracts charge the card, as bits: cards alike here score alike.
uint32_t PenaltyKind(int handSuit, int rank) {
    uint32_t kind = 0;
    for (int c = 0; c < kRoundContractCount; ++c)
        kind |= (kPenaltyMasks[c][handSuit] >> rank & 1) << c;
    return kind;
}

// What copying a state and dealing its hidden cards cost, in steps of play, so that a fixed
// budget takes about the same time early and late in a deal.
constexpr int kStepsPerPlayout = 8;
constexpr int kStepsPerSample = 12;

}  // namespace

double ChooserPar(GameMode mode, ContractId id) {
    // Over 200,000 deals each, the chooser leading.
    static constexpr double kNormal[kContractCount] = {-25.85, -19.37, -33.50, -50.50, 125.30};
    static constexpr double kAllGameDeal = -129.06;
    if (mode == GameMode::Complex && id != ContractId::Morvel) return kAllGameDeal;
    return kNormal[static_cast<int>(id)];
}

void DecisionTimes::Add(std::chrono::microseconds time) {
    ++counts_[std::clamp<int64_t>(time.count() / 100, 0, kBuckets - 1)];
    ++count_;
}

void DecisionTimes::Add(const DecisionTimes& other) {
    for (int i = 0; i < kBuckets; ++i)
        counts_[i] += other.counts_[i];
    count_ += other.count_;
}

double DecisionTimes::Percentile(double percent) const {
    if (count_ == 0) return 0;
    // The nearest rank: the first bucket by which that many questions are answered.
    const auto rank = static_cast<int64_t>(std::ceil(percent / 100 * static_cast<double>(count_)));
    int64_t seen = 0;
    for (int i = 0; i < kBuckets; ++i) {
        seen += counts_[i];
        if (seen >= std::max<int64_t>(rank, 1)) return (i + 1) / 10.0;
    }
    return kBuckets / 10.0;
}

StrongPlayer::StrongPlayer(Budget budget, uint64_t seed)
    : budget_(budget), random_(seed), playout_(Standard()) {}

int StrongPlayer::RoundCard(const GameState& s, int seat, Chance&) {
    // The cards the seat may lay, one of each run that plays alike: neighbours of a suit with no
    // card between them that another seat still holds or that lies in the round, and charged by
    // the same contracts. Which of them is laid changes nothing that follows.
    const Round& round = s.round;
    const bool follows = round.position > 1 && s.hand.HasSuit(seat, round.leadSuit);
    uint64_t unseen = 0;
    for (int other = 1; other <= 4; ++other) {
        if (other != seat) unseen |= s.hand.HeldCards(other);
    }
    Answers answers;
    int count = 0;
    for (int hs = 0; hs < 4; ++hs) {
        const char suit = kHandSuits[hs];
        if (follows && suit != round.leadSuit) continue;
        uint32_t between = RanksIn(unseen, suit);
        for (int k = 1; k < round.position; ++k) {
            if (round.cards[k].suit == suit) between |= 1u << round.cards[k].rank;
        }
        int last = 0;
        for (uint32_t mine = s.hand.RanksOf(seat, hs); mine != 0; mine &= mine - 1) {
            const int rank = std::countr_zero(mine);
            const bool alike = last != 0 && PenaltyKind(hs, rank) == PenaltyKind(hs, last) &&
                               (between & ((1u << rank) - (2u << last))) == 0;
            if (!alike) {
                assert(count < kMostAnswers);
                answers[count++] = {.kind = Answer::Kind::RoundCard,
                                    .entry = s.hand.EntryOf(seat, hs, rank)};
            }
            last = rank;
        }
    }
    assert(count > 0);
    return answers[Best(s, seat, answers, count)].entry;
}

char StrongPlayer::ChooseContract(const GameState& s, int seat, Chance&) {
    Answers answers;
    int count = 0;
    auto add = [&](char letter) {
        answers[count++] = {.kind = Answer::Kind::Contract, .contract = letter};
    };
    Pars pars{};
    for (const Contract& c : kContracts) {
        // Any round contract is played as the All Game deal.
        if (s.mode == GameMode::Complex && !c.layout && &c != &kAllGame) continue;
        if (s.contractList.Used(c)) continue;
        pars[count] = ChooserPar(s.mode, c.id);
        add(c.letter);
    }
    assert(count > 0);
    return answers[Best(s, seat, answers, count, pars)].contract;
}

// The seat never passes while a card fits: the person may not, and the game never asks it to.
int StrongPlayer::LayoutMove(const GameState& s, int seat, Chance&) {
    Answers answers;
    int count = 0;
    for (int hs = 0; hs < 4; ++hs) {
        const uint32_t fitting = s.hand.RanksOf(seat, hs) & s.board.Fitting(kHandSuits[hs]);
        for (uint32_t m = fitting; m != 0; m &= m - 1) {
            assert(count < kMostAnswers);
            answers[count++] = {.kind = Answer::Kind::LayoutMove,
                                .entry = s.hand.EntryOf(seat, hs, std::countr_zero(m))};
        }
    }
    if (count == 0) return 0;
    return answers[Best(s, seat, answers, count)].entry;
}

int StrongPlayer::Best(const GameState& s, int seat, const Answers& answers, int count,
                       const Pars& pars) {
    if (count == 1) return 0;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point started = Clock::now();
    const HiddenDeal hidden(s, seat);
    std::array<int64_t, kMostAnswers> totals{};
    int64_t steps = 0;
    int samples = 0;
    for (;; ++samples) {
        if (samples > 0 &&
            (budget_.steps > 0 ? steps >= budget_.steps : Clock::now() - started >= budget_.time)) {
            break;
        }
        world_ = s;
        world_.random.Seed(0);  // the game's generator is no part of what the seat knows
        hidden.Deal(world_.hand, random_);
        // Every answer meets the same deal and the same draws of the rules.
        const uint32_t seed = static_cast<uint32_t>(random_.Next());
        steps += kStepsPerSample;
        for (int i = 0; i < count; ++i) {
            playout_.RunFrom(world_, seat, answers[i], seed);
            totals[i] += playout_.Gain(seat);
            steps += playout_.Steps() + kStepsPerPlayout;
        }
    }
    int best = 0;
    double bestScore = 0;
    for (int i = 0; i < count; ++i) {
        const double score = static_cast<double>(totals[i]) - pars[i] * samples;
        if (i == 0 || score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    times_.Add(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started));
    return best;
}

}  // namespace morvel
