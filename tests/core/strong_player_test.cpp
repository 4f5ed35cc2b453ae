// The strong player: it gives only answers the rules allow, never touches the game's chance or
// the host's clock, chooses from what its seat may know alone, and does better than the rules.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "autopilot.h"
#include "hint.h"
#include "sim_run.h"
#include "strong_player.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::TestGame;

// Small budgets keep the games quick; the answers are still the strong player's own.
constexpr StrongBudget kQuick{.steps = 1500};

// A chance that must never be drawn from.
class NoChance final : public Chance {
  public:
    Random& Draws() override {
        ADD_FAILURE() << "the strong player drew from the game's chance";
        return random_;
    }

  private:
    Random random_;
};

// Asks the strong player and checks that its answer is one the rules allow.
class Checked final : public Player {
  public:
    explicit Checked(StrongPlayer& strong) : strong_(strong) {}

    int RoundCard(const GameState& s, int seat, Chance&) override {
        const int e = strong_.RoundCard(s, seat, none_);
        EXPECT_EQ(SeatOfEntry(e), seat);
        EXPECT_TRUE(Held(s.hand[e]));
        EXPECT_TRUE(s.round.MayLay(s.hand, seat, s.hand[e].suit))
            << "seat " << seat << " lays " << s.hand[e].suit << s.hand[e].rank << " on "
            << s.round.leadSuit;
        ++cards;
        return e;
    }
    char ChooseContract(const GameState& s, int seat, Chance&) override {
        const char letter = strong_.ChooseContract(s, seat, none_);
        EXPECT_NE(FindContract(letter), nullptr);
        EXPECT_FALSE(s.contractList.Used(letter)) << letter;
        ++contracts;
        return letter;
    }
    int LayoutMove(const GameState& s, int seat, Chance&) override {
        const int e = strong_.LayoutMove(s, seat, none_);
        const bool fits = s.hand.FirstAmong(seat, s.board.FittingByHandSuit()) != 0;
        if (e == 0) {
            EXPECT_FALSE(fits) << "seat " << seat << " passes with a card that fits";
            ++passes;
        } else {
            EXPECT_EQ(SeatOfEntry(e), seat);
            EXPECT_TRUE(Held(s.hand[e]));
            EXPECT_TRUE(s.board.CanLay(s.hand[e].suit, s.hand[e].rank));
            ++moves;
        }
        return e;
    }

    int cards = 0, contracts = 0, moves = 0, passes = 0;

  private:
    StrongPlayer& strong_;
    NoChance none_;
};

// Whole games with the strong player at every seat, seat 1 through the person's own paths: every
// answer is allowed, every game ends, and the host's clock is read only by the deals.
TEST(StrongPlayer, PlaysWholeGamesByTheRules) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        SCOPED_TRACE(mode == GameMode::Normal ? "normal" : "complex");
        StrongPlayer strong(kQuick, 11);
        Checked checked(strong);
        testing::PlayedBy played(checked, 6007);
        TestGame& t = played.t;
        struct Count : GameObserver {
            int deals = 0, games = 0;
            void OnDealt(uint32_t) override { ++deals; }
            bool OnGameOver() override { return ++games < 1; }
        } count;
        t.game.SetObserver(&count);
        t.Start(mode, 3600000);
        const int readsAtStart = t.host.clockReads;
        const int dealsAtStart = count.deals;
        for (int step = 0; step < 100000 && count.games == 0; ++step)
            ASSERT_TRUE(played.pilot.Step());
        ASSERT_EQ(count.games, 1);
        EXPECT_EQ(t.host.clockReads - readsAtStart, count.deals - dealsAtStart);
        EXPECT_GT(checked.cards, mode == GameMode::Normal ? 400 : 150);
        // The person's last contract of a turn is taken without asking.
        EXPECT_EQ(checked.contracts, mode == GameMode::Normal ? 19 : 7);
        EXPECT_GT(checked.moves, 150);
        EXPECT_GT(checked.passes, 10);
    }
}

// The seat's answer with the hidden cards of the other seats dealt again in agreement with what
// it knows, and the game's generator elsewhere: it must be the same. The game goes on by the
// standard rules.
class SameFromWhatItKnows final : public Player {
  public:
    int RoundCard(const GameState& s, int seat, Chance& chance) override {
        Compare(s, seat, [&](StrongPlayer& p, const GameState& at) {
            return Answer{.kind = Answer::Kind::RoundCard, .entry = p.RoundCard(at, seat, none_)};
        });
        return Standard().RoundCard(s, seat, chance);
    }
    char ChooseContract(const GameState& s, int seat, Chance& chance) override {
        Compare(s, seat, [&](StrongPlayer& p, const GameState& at) {
            return Answer{.kind = Answer::Kind::Contract,
                          .contract = p.ChooseContract(at, seat, none_)};
        });
        return Standard().ChooseContract(s, seat, chance);
    }
    int LayoutMove(const GameState& s, int seat, Chance& chance) override {
        Compare(s, seat, [&](StrongPlayer& p, const GameState& at) {
            return Answer{.kind = Answer::Kind::LayoutMove, .entry = p.LayoutMove(at, seat, none_)};
        });
        return Standard().LayoutMove(s, seat, chance);
    }

    int compared = 0;
    int differentEnds = 0;  // questions where the other deal ends the deal otherwise

  private:
    template <typename Ask>
    void Compare(const GameState& s, int seat, Ask ask) {
        if (++questions_ % 5 != 0) return;
        GameState other = s;
        other.random.Seed(s.random.State() ^ 0x5A5A5A5Au);
        const HiddenDeal hidden(s, seat);
        for (int tries = 0; tries < 10 && other.hand == s.hand; ++tries)
            hidden.Deal(other.hand, dealer_);
        if (other.hand == s.hand) return;  // nothing else agrees with what the seat knows
        StrongPlayer one(kQuick, questions_), two(kQuick, questions_);
        const Answer a = ask(one, s);
        const Answer b = ask(two, other);
        EXPECT_EQ(a.entry, b.entry) << "seat " << seat << ", question " << questions_;
        EXPECT_EQ(a.contract, b.contract) << "seat " << seat << ", question " << questions_;
        ++compared;
        // A player that saw the hidden cards could tell the deals apart: played on from the
        // same answer, they mostly end otherwise.
        Playout playout;
        const GameState real = playout.RunFrom(s, seat, a, 1);
        if (!(playout.RunFrom(other, seat, a, 1).gameScore == real.gameScore)) ++differentEnds;
    }

    NoChance none_;
    SampleRandom dealer_{77};
    int questions_ = 0;
};

TEST(StrongPlayer, ChoosesFromWhatItsSeatKnowsAlone) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        SCOPED_TRACE(mode == GameMode::Normal ? "normal" : "complex");
        SameFromWhatItKnows player;
        testing::PlayedBy played(player, 3001);
        played.t.Start(mode, 7200000);
        for (int step = 0; step < 2500 && !::testing::Test::HasFailure(); ++step)
            ASSERT_TRUE(played.pilot.Step());
        EXPECT_GT(player.compared, 60);
        EXPECT_GT(player.differentEnds, player.compared / 4);
    }
}

// Seat 1 strong against seat 1 standard on the same clocks, seats 2 to 4 standard: with even a
// small budget the strong player ends the games with more points.
TEST(StrongPlayer, DoesBetterThanTheRules) {
    int32_t strongTotal = 0, standardTotal = 0;
    StrongPlayer strong(StrongBudget{.steps = 4000}, 3);
    for (uint32_t clock : {0u, 432000u, 864000u, 1296000u}) {
        sim::Options opt;
        opt.mode = GameMode::Complex;
        opt.clockStart = clock;
        opt.clockStep = 7919;
        standardTotal += sim::Run(opt, nullptr).lastScores[1];
        opt.seat1 = &strong;
        strongTotal += sim::Run(opt, nullptr).lastScores[1];
    }
    EXPECT_GT(strongTotal, standardTotal + 600);
}

// The chooser's par of each contract is what deals of which nothing is known give it: every
// hand dealt at random, the chooser leading, every seat by the standard rules.
TEST(StrongPlayer, ChooserParsAreWhatRandomDealsGive) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        TestGame t;
        t.Start(mode, testing::ClockForFirstChooser(kHuman));
        ASSERT_TRUE(t.game.State().cgVisible);
        GameState s = t.game.State();
        Playout playout;
        SampleRandom random(2);
        constexpr int kDeals = 3000;
        std::array<double, kContractCount> sum{}, squares{};
        for (int k = 0; k < kDeals; ++k) {
            std::array<uint8_t, 52> deck;
            for (int c = 0; c < 52; ++c)
                deck[c] = static_cast<uint8_t>(c + 1);
            std::array<uint64_t, 5> owned{};
            for (int c = 51; c >= 0; --c) {
                std::swap(deck[c], deck[random.Below(static_cast<uint32_t>(c + 1))]);
                owned[1 + c / 13] |= uint64_t{1} << deck[c];
            }
            s.hand.Deal(owned);
            const uint32_t seed = static_cast<uint32_t>(random.Next());
            for (const Contract& c : kContracts) {
                const int i = static_cast<int>(c.id);
                playout.RunFrom(s, kHuman, {.kind = Answer::Kind::Contract, .contract = c.letter},
                                seed);
                sum[i] += playout.Gain(kHuman);
                squares[i] += static_cast<double>(playout.Gain(kHuman)) * playout.Gain(kHuman);
            }
        }
        for (const Contract& c : kContracts) {
            const int i = static_cast<int>(c.id);
            const double mean = sum[i] / kDeals;
            const double error = std::sqrt((squares[i] / kDeals - mean * mean) / kDeals);
            EXPECT_NEAR(ChooserPar(mode, c.id), mean, 4 * error) << c.letter;
        }
    }
}

// Decision times are kept to a tenth of a millisecond, rounded up, however many there are.
TEST(StrongPlayer, DecisionTimesGiveTheirPercentiles) {
    DecisionTimes times;
    EXPECT_EQ(times.Percentile(50), 0);
    for (int ms = 100; ms >= 1; --ms)
        times.Add(std::chrono::microseconds(ms * 1000 + 30));
    DecisionTimes slow;
    slow.Add(std::chrono::seconds(5));
    times.Add(slow);
    EXPECT_EQ(times.Count(), 101);
    EXPECT_DOUBLE_EQ(times.Percentile(50), 51.1);
    EXPECT_DOUBLE_EQ(times.Percentile(99), 100.1);
    EXPECT_DOUBLE_EQ(times.Percentile(100), 1000);
    EXPECT_DOUBLE_EQ(times.Percentile(0), 1.1);
}

// A hint is there exactly when the game waits for the person, of the kind the person has to
// give, and it is the strong player's answer in the person's place; asking plays nothing.
TEST(Hint, AnswersThePersonsTurnAsTheStrongPlayerWould) {
    std::array<int, 4> kinds{};
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        TestGame t;
        t.host.clockStep = 7001;
        t.Start(mode, 1234567);
        Autopilot pilot(t.game);
        NoChance none;
        for (int step = 0; step < 4000; ++step) {
            const GameState& s = t.game.State();
            const bool waits = s.timer1Interval == 0 && s.timer3Interval == 0;
            const bool personsTurn = waits && (s.cgVisible || s.humanTurn);
            ASSERT_EQ(PersonsTurn(s), personsTurn) << "step " << step;
            if (personsTurn && step % 3 == 0) {
                const GameState before = s;
                StrongPlayer a(kQuick, step), b(kQuick, step);
                const Hint hint = HintFor(s, a);
                EXPECT_TRUE(t.game.State() == before);
                const Contract* playing = FindContract(t.game.CurrentContract());
                if (s.cgVisible) {
                    EXPECT_EQ(hint, (Hint{.kind = Hint::Kind::Contract,
                                          .contract = b.ChooseContract(s, kHuman, none)}));
                } else if (playing->layout) {
                    const int e = b.LayoutMove(s, kHuman, none);
                    EXPECT_EQ(hint, (e != 0 ? Hint{.kind = Hint::Kind::Card, .entry = e}
                                            : Hint{.kind = Hint::Kind::Pass}));
                } else {
                    EXPECT_EQ(hint, (Hint{.kind = Hint::Kind::Card,
                                          .entry = b.RoundCard(s, kHuman, none)}));
                }
                ++kinds[static_cast<int>(hint.kind)];
            } else if (!personsTurn) {
                StrongPlayer a(kQuick);
                EXPECT_EQ(HintFor(s, a).kind, Hint::Kind::None);
            }
            ASSERT_TRUE(pilot.Step());
        }
    }
    EXPECT_GT(kinds[static_cast<int>(Hint::Kind::Card)], 50);
    EXPECT_GT(kinds[static_cast<int>(Hint::Kind::Pass)], 2);
    EXPECT_GT(kinds[static_cast<int>(Hint::Kind::Contract)], 2);
}

}  // namespace
}  // namespace morvel
