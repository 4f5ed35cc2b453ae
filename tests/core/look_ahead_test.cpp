// What a player that looks ahead builds on: a deal played out from the very question a seat is
// asked, what the play shows every seat of the others' hands, and the hidden cards dealt again in
// agreement with it.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <deque>
#include <string>

#include "autopilot.h"
#include "hidden_deal.h"
#include "playout.h"
#include "test_host.h"

namespace morvel {
namespace {

using testing::TestGame;

// The standard rules, but a layout move without a draw: a jack, else the first card that fits.
// Deals played by it read no clock once their contract is chosen.
class NoDrawPlayer final : public Player {
  public:
    int RoundCard(const GameState& s, int seat, Chance& chance) override {
        return Standard().RoundCard(s, seat, chance);
    }
    char ChooseContract(const GameState& s, int seat, Chance& chance) override {
        return Standard().ChooseContract(s, seat, chance);
    }
    int LayoutMove(const GameState& s, int seat, Chance&) override {
        if (const int jack = s.hand.FindRank(seat, kJack); jack != 0) return jack;
        return s.hand.FirstAmong(seat, s.board.FittingByHandSuit());
    }
};

// Answers as `inner` does, and plays every question out from where it was asked with that answer,
// keeping how each deal ended.
class PlayingOut final : public Player {
  public:
    explicit PlayingOut(Player& inner) : inner_(inner), playout_(inner) {}

    int RoundCard(const GameState& s, int seat, Chance& chance) override {
        const int e = inner_.RoundCard(s, seat, chance);
        Keep(s, seat, {.kind = Answer::Kind::RoundCard, .entry = e});
        return e;
    }
    char ChooseContract(const GameState& s, int seat, Chance& chance) override {
        const char letter = inner_.ChooseContract(s, seat, chance);
        const Answer answer{.kind = Answer::Kind::Contract, .contract = letter};
        Keep(s, seat, answer);
        // The same choice from before the Chose Game button was pressed.
        if (seat == kHuman) Keep(beforeChoseGame, seat, answer);
        return letter;
    }
    int LayoutMove(const GameState& s, int seat, Chance& chance) override {
        const int e = inner_.LayoutMove(s, seat, chance);
        Keep(s, seat, {.kind = Answer::Kind::LayoutMove, .entry = e});
        return e;
    }

    struct End {
        GameState state;
        bool contractChosen;
    };
    GameState beforeChoseGame;
    std::deque<End> ends;

  private:
    void Keep(const GameState& at, int seat, const Answer& answer) {
        const GameState before = at;
        ends.push_back(
            {playout_.RunFrom(at, seat, answer, 99), answer.kind == Answer::Kind::Contract});
        EXPECT_TRUE(at == before);
    }

    Player& inner_;
    Playout playout_;
};

// Every question of whole games, played out from where it is asked with the answer the game then
// plays, ends as the game ends the deal: a round deal in the very state in which it shows the
// result sheet, a layout deal with the same board and the same points.
TEST(LookAhead, AQuestionPlayedOutEndsAsTheGameEndsTheDeal) {
    int compared = 0;
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (uint32_t clock : {5u, 43200006u}) {
            SCOPED_TRACE((mode == GameMode::Normal ? "normal clock " : "complex clock ") +
                         std::to_string(clock));
            NoDrawPlayer rules;
            PlayingOut player(rules);
            testing::PlayedBy played(player, 389);
            TestGame& t = played.t;
            t.host.onSheet = [&] {
                const GameState& s = t.game.State();
                const bool layout = FindContract(t.game.CurrentContract())->layout;
                for (PlayingOut::End& end : player.ends) {
                    // The person's choice is made without the dialog in a deal played out, and
                    // the draw of a contract choice, if any, is the question's own.
                    end.state.chooseDialog = s.chooseDialog;
                    end.state.allDialog = s.allDialog;
                    if (end.contractChosen) end.state.random = s.random;
                    if (layout) {
                        EXPECT_EQ(end.state.board, s.board);
                        EXPECT_EQ(end.state.gameScore, s.gameScore);
                        EXPECT_EQ(end.state.finishingPlace, s.finishingPlace);
                        EXPECT_EQ(end.state.absences, s.absences);
                    } else {
                        EXPECT_TRUE(end.state == s);
                    }
                    ++compared;
                }
                player.ends.clear();
            };
            t.Start(mode, clock);
            for (int step = 0; step < 6000 && !::testing::Test::HasFailure(); ++step) {
                if (t.game.State().cgVisible) player.beforeChoseGame = t.game.State();
                ASSERT_TRUE(played.pilot.Step());
            }
        }
    }
    EXPECT_GT(compared, 2000);
}

// Whole games, checked after every event: a seat is never said to lack a card it holds; a seat
// that does not follow the lead suit lacks all of it; a seat that passes lacks every card that
// fits; and a new deal forgets it all.
TEST(LookAhead, ThePlayShowsWhatASeatLacks) {
    int discards = 0, passes = 0;
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        TestGame t;
        t.host.clockStep = 4111;
        struct Watch : GameObserver {
            const Game* game = nullptr;
            int* discards = nullptr;
            int* passes = nullptr;
            void OnDealt(uint32_t) override {
                for (int seat = 1; seat <= 4; ++seat)
                    EXPECT_EQ(game->State().absences.notHeld[seat], 0u);
            }
            void OnLay(int seat, char suit, int) override {
                const Round& r = game->State().round;
                if (r.position > 1 && suit != r.leadSuit) {
                    EXPECT_EQ(game->State().absences.notHeld[seat] & CardsOf(r.leadSuit),
                              CardsOf(r.leadSuit));
                    ++*discards;
                }
                Sound();
            }
            void OnPass(int seat) override {
                const uint64_t fitting = game->State().board.FittingCards();
                EXPECT_NE(fitting, 0u);
                EXPECT_EQ(game->State().absences.notHeld[seat] & fitting, fitting);
                ++*passes;
                Sound();
            }
            void OnMove(int, char, int) override { Sound(); }
            void Sound() const {
                for (int seat = 1; seat <= 4; ++seat) {
                    EXPECT_EQ(
                        game->State().absences.notHeld[seat] & game->State().hand.HeldCards(seat),
                        0u);
                }
            }
        } watch;
        watch.game = &t.game;
        watch.discards = &discards;
        watch.passes = &passes;
        t.game.SetObserver(&watch);
        t.Start(mode, 600000);
        Autopilot pilot(t.game);
        for (int step = 0; step < 30000 && !::testing::Test::HasFailure(); ++step)
            ASSERT_TRUE(pilot.Step());
    }
    EXPECT_GT(discards, 100);
    EXPECT_GT(passes, 100);
}

// A game stopped at seat 1's turn in a round contract, with at least `laid` cards laid.
GameState RoundPosition(GameMode mode, uint32_t clock, int laid) {
    TestGame t;
    t.host.clockStep = 97;
    t.Start(mode, clock);
    const bool reached = t.PlayUntil([&] {
        const GameState& s = t.game.State();
        const Contract* c = FindContract(t.game.CurrentContract());
        return c != nullptr && !c->layout && s.dealCardCount >= laid && s.humanTurn;
    });
    EXPECT_TRUE(reached);
    return t.game.State();
}

// The others' hands dealt again keep their sizes, take only cards not yet laid and not the
// seat's own, and never a card a seat is known to lack. Told that each seat lacks every card it
// does not hold, the deal can only be the real one.
TEST(LookAhead, HiddenCardsAreDealtAsTheSeatKnowsThem) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (int laid : {1, 20, 40}) {
            for (int keep : {0, 1, 2, 3}) {  // of every three cards a seat lacks, those told
                GameState s = RoundPosition(mode, 123456 + laid, laid);
                for (int seat = 2; seat <= 4; ++seat) {
                    const uint64_t lacks = kWholeDeck & ~s.hand.HeldCards(seat);
                    for (uint64_t m = lacks; m != 0; m &= m - 1) {
                        const int card = std::countr_zero(m);
                        if ((card * 7 + seat) % 3 < keep) s.absences.notHeld[seat] |= m & -m;
                    }
                }
                const HiddenDeal hidden(s, kHuman);
                SampleRandom random(laid);
                for (int k = 0; k < 100; ++k) {
                    HandTable hand = s.hand;
                    hidden.Deal(hand, random);
                    uint64_t all = 0;
                    for (int seat = 1; seat <= 4; ++seat) {
                        EXPECT_EQ(hand.Count(seat), s.hand.Count(seat));
                        EXPECT_EQ(hand.HeldCards(seat) & s.absences.notHeld[seat], 0u);
                        EXPECT_EQ(all & hand.HeldCards(seat), 0u);
                        all |= hand.HeldCards(seat);
                    }
                    EXPECT_EQ(hand.HeldCards(1), s.hand.HeldCards(1));
                    EXPECT_EQ(all, s.hand.HeldCards(1) | hidden.Pool());
                    for (int n = 1; n <= 52; ++n) {
                        if (!Held(s.hand[n])) {
                            EXPECT_EQ(hand[n], s.hand[n]);
                        }
                    }
                    if (keep == 3) {
                        EXPECT_TRUE(hand == s.hand);
                    }
                }
            }
        }
    }
}

// Absences that no deal agrees with (a state set up wrongly) are not trusted: the hidden cards
// are dealt as if nothing were known, and every card still finds a hand.
TEST(LookAhead, AbsencesNoDealAgreesWithAreSetAside) {
    GameState s = RoundPosition(GameMode::Normal, 31, 1);
    s.absences.notHeld[2] = s.absences.notHeld[3] = s.absences.notHeld[4] = CardsOf(kSpades);
    const HiddenDeal hidden(s, kHuman);
    ASSERT_NE(hidden.Pool() & CardsOf(kSpades), 0u);
    SampleRandom random(3);
    HandTable hand = s.hand;
    hidden.Deal(hand, random);
    uint64_t all = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_EQ(hand.Count(seat), s.hand.Count(seat));
        all |= hand.HeldCards(seat);
    }
    EXPECT_EQ(all, s.hand.HeldCards(1) | hidden.Pool());
}

// The deal depends on what the seat knows, never on how the hidden cards lie; without absences
// every card is as likely in every hidden hand, in proportion to its size.
TEST(LookAhead, HiddenCardsDealtAnewDependOnlyOnWhatTheSeatKnows) {
    const GameState s = RoundPosition(GameMode::Normal, 2024, 1);
    GameState other = s;
    // Seats 2 and 3 swap their first cards.
    const uint64_t two = s.hand.HeldCards(2), three = s.hand.HeldCards(3);
    const uint64_t a = two & -two, b = three & -three;
    other.hand.Redeal(2, (two & ~a) | b);
    other.hand.Redeal(3, (three & ~b) | a);
    ASSERT_FALSE(other.hand == s.hand);

    SampleRandom r1(5), r2(5);
    const HiddenDeal one(s, kHuman), two_(other, kHuman);
    std::array<std::array<int, 53>, 5> times{};
    constexpr int kDeals = 6000;
    for (int k = 0; k < kDeals; ++k) {
        HandTable h1 = s.hand, h2 = other.hand;
        one.Deal(h1, r1);
        two_.Deal(h2, r2);
        for (int seat = 2; seat <= 4; ++seat) {
            ASSERT_EQ(h1.HeldCards(seat), h2.HeldCards(seat));
            for (uint64_t m = h1.HeldCards(seat); m != 0; m &= m - 1)
                ++times[seat][std::countr_zero(m)];
        }
    }
    for (uint64_t m = one.Pool(); m != 0; m &= m - 1) {
        const int card = std::countr_zero(m);
        for (int seat = 2; seat <= 4; ++seat) {
            const double expected =
                static_cast<double>(kDeals) * s.hand.Count(seat) / std::popcount(one.Pool());
            EXPECT_NEAR(times[seat][card], expected, 5 * std::sqrt(expected)) << card;
        }
    }
}

}  // namespace
}  // namespace morvel
