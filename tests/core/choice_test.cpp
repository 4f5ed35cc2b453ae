// Choosing the contract: the computer players' rule chain and its random last resort, the Chose
// Game button with its automatic last choice, and the two choice dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixed_deal.h"
#include "test_host.h"
#include "texts.h"

namespace morvel {
namespace {

using testing::ClockForFirstChooser;
using testing::ListText;
using testing::SetHand;
using testing::TestGame;

void SetList(GameState& s, std::string_view letters) {
    s.contractList.Clear();
    for (size_t i = 0; i < letters.size(); ++i)
        s.contractList.Set(static_cast<int>(i) + 1, letters[i]);
}

// The letter the clock-seeded last resort gives: draws 0..4 stand for L, Q, K, D, M and are
// repeated until the letter is free.
char LastResort(uint32_t clock, std::string_view used) {
    Random r;
    r.Seed(clock);
    char letter;
    do {
        letter = "LQKDM"[r.Draw(5)];
    } while (used.find(letter) != std::string_view::npos);
    return letter;
}

constexpr char kDrawn = '?';  // the chain ends in the last resort

// The standard player's choice for a seat, as the game would ask it in play.
char ChooseByRules(Game& g, int seat) {
    return Standard().ChooseContract(g.State(), seat, g.ClockChance());
}

// Hands that stop at one test of the chain. SetHand fills the rest of a short hand with played
// entries that keep an ace, a two, a queen and a king, which must never count.
constexpr std::string_view kMorvelHand = "H5 H6 H8 H9 H10 F2 F3 F8 F5 F6 A5 A6 A7";
constexpr std::string_view kHeartKingHand = "H2 H3 H4 H6 F6 F7 F8 D9 D10 D11 A6 A7 A8";
constexpr std::string_view kDiamondsHand = "H2 H3 H4 H6 H7 H8 F6 F7 F8 D2 D3 A6 A7";

TEST(ChooseByRules, ChainBoundaries) {
    const struct {
        const char* name;
        std::string_view hand;
        std::string_view used;
        char expected;
    } cases[] = {
        {"exactly ten cards above four is not Morvel", "H5 H6 H8 H9 H10 F2 F3 F4 F5 F6 A5 A6 A7",
         "", 'D'},
        {"eleven cards above four is Morvel", kMorvelHand, "", 'M'},
        {"Morvel used goes on down the chain", kMorvelHand, "QM", 'D'},
        {"played entries never count", "H5 H6 H8 H9 H10 F5 F6 A5 A6 A7", "", 'D'},
        {"nine cards from two to five is Collection", "H2 H3 H4 H5 F2 F3 F4 F5 D2 D11 D12 D13 D14",
         "", 'L'},
        {"eight cards from two to five is not Collection",
         "H2 H3 H4 H5 F2 F3 F4 F5 A9 D11 D12 D13 D14", "", 'K'},
        {"two diamonds from nine up and the eight is Diamonds",
         "H2 H3 H4 H6 F6 F7 F8 D8 D9 D10 A6 A7 A8", "", 'D'},
        {"three diamonds from nine up is not Diamonds", kHeartKingHand, "", 'K'},
        {"the ace of hearts without the king is not Heart King",
         "H2 H3 H4 H14 F6 F7 F8 D9 D10 D11 A6 A7 A8", "", 'Q'},
        {"the king of hearts alone is not Heart King", "H2 H3 H4 H13 F6 F7 F8 D9 D10 D11 A6 A7 A8",
         "", 'Q'},
        {"the ace of hearts and one more honour end in the draw",
         "H2 H3 H4 H14 F6 F7 F8 D9 D10 D11 A6 A7 A12", "", kDrawn},
        {"queens, kings and aces count over all suits together",
         "H2 H3 H4 H6 F6 F7 F14 D9 D10 D11 A6 A7 A12", "K", kDrawn},
        {"a single honour with Heart King used is Queen",
         "H2 H3 H4 H6 F6 F7 F8 D9 D10 D11 A6 A7 A12", "K", 'Q'},
        {"every test fails on its used letter", "H2 H3 H4 H5 F2 F3 F4 F5 D2 D3 D4 D5 A2", "LDKQ",
         'M'},
    };
    for (const auto& c : cases) {
        for (uint32_t clock : {0u, 5u, 4321987u, 86399999u}) {
            TestGame t(clock);
            for (int seat = 2; seat <= 4; ++seat) {
                SetHand(t.game, seat, c.hand);
                SetList(t.game.MutableState(), c.used);
                const char expected = c.expected == kDrawn ? LastResort(clock, c.used) : c.expected;
                EXPECT_EQ(ChooseByRules(t.game, seat), expected)
                    << c.name << ", seat " << seat << ", clock " << clock;
            }
        }
    }
}

TEST(ChooseByRules, LastResortDrawsOnlyFreeLetters) {
    for (std::string_view used : {"", "QK", "MLQ", "QKDM"}) {
        std::string seen;
        for (uint32_t clock = 0; clock < 300; ++clock) {
            TestGame t(clock * 28800u);
            SetHand(t.game, 3, "H2 H3 H4 H13 F6 F7 F8 D9 D10 D11 A6 A7 A12");
            SetList(t.game.MutableState(), used);
            const char letter = ChooseByRules(t.game, 3);
            EXPECT_EQ(used.find(letter), std::string_view::npos) << used << " gave " << letter;
            if (seen.find(letter) == std::string::npos) seen += letter;
        }
        EXPECT_EQ(seen.size() + used.size(), 5u) << "used " << used << ", drawn " << seen;
    }
}

TEST(ComputerChooseContract, StoresTheLetterAndStartsTheRightTimer) {
    const struct {
        const char* name;
        GameMode mode;
        std::string_view listBefore;
        std::string_view hand;
        std::string_view listAfter;
        std::string_view panel;
        bool layout;
    } cases[] = {
        {"normal heart king", GameMode::Normal, "", kHeartKingHand, "K    ", "شيخ القلب Heart King",
         false},
        {"normal morvel", GameMode::Normal, "QD", kMorvelHand, "QDM  ", "مورفل Morvel", true},
        {"complex heart king after morvel", GameMode::Complex, "M", kHeartKingHand, "ML   ",
         text::kAllGamePanel, false},
        {"complex morvel first", GameMode::Complex, "", kMorvelHand, "M    ", "مورفل Morvel", true},
        {"complex diamonds first", GameMode::Complex, "", kDiamondsHand, "L    ",
         text::kAllGamePanel, false},
    };
    for (const auto& c : cases) {
        for (int chooser = 2; chooser <= 4; ++chooser) {
            TestGame t;
            Game& g = t.game;
            GameState& s = g.MutableState();
            s.mode = c.mode;
            g.SetSpeed(kSlowInterval);
            SetHand(g, chooser, c.hand);
            SetList(s, c.listBefore);
            s.contractNumber = static_cast<int>(c.listBefore.size());
            s.round.position = 3;
            s.lastRound.fill(Picture::Face(9));
            for (int n = 1; n <= 4; ++n)
                t.table.SetPicture(Family::P, n, Picture::Face(n));
            g.SetTimer(c.layout ? TimerId::Timer1 : TimerId::Timer3, kFastInterval);

            g.ComputerChooseContract(chooser);

            SCOPED_TRACE(std::string(c.name) + ", chooser " + std::to_string(chooser));
            EXPECT_EQ(ListText(s.contractList), c.listAfter);
            EXPECT_EQ(s.contractNumber, static_cast<int>(c.listBefore.size()) + 1);
            EXPECT_EQ(g.Table().Namegame(), c.panel);
            EXPECT_EQ(g.TimerInterval(TimerId::Timer1), c.layout ? 0 : kSlowInterval);
            EXPECT_EQ(g.TimerInterval(TimerId::Timer3), c.layout ? kSlowInterval : 0);
            if (c.layout) {
                EXPECT_EQ(s.round.position, 0);
            }
            for (int n = 1; n <= 4; ++n) {
                EXPECT_EQ(s.round.order[n], SeatAtPosition(chooser, n));
                EXPECT_EQ(s.lastRound[n], Picture::Blank());
                EXPECT_EQ(g.Table().Get(Family::P, n).picture, Picture::Blank());
            }
        }
    }
}

// The Chose Game button and the dialogs, in games whose first chooser is the human player.
uint32_t HumanFirstClock() {
    static const uint32_t clock = ClockForFirstChooser(kHuman);
    return clock;
}

void ExpectHumanLeads(const Game& g) {
    const GameState& s = g.State();
    EXPECT_FALSE(g.Table().CgVisible());
    EXPECT_TRUE(s.humanTurn);
    EXPECT_EQ(s.round.position, 1);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(s.round.order[n], n);
        EXPECT_EQ(s.lastRound[n], Picture::Blank());
    }
    for (int n = 40; n <= 52; ++n)
        EXPECT_TRUE(g.Table().Get(Family::I, n).enabled) << "i" << n;
    // No timer runs: the human player's first card or pass starts the deal.
    EXPECT_EQ(g.TimerInterval(TimerId::Timer1), 0);
    EXPECT_EQ(g.TimerInterval(TimerId::Timer3), 0);
    const bool layout = g.CurrentContract() == kMorvelLetter;
    EXPECT_EQ(s.dealCardCount, layout ? 0 : 1);
    EXPECT_EQ(g.Table().PassbVisible(), layout);
    if (layout) {
        EXPECT_EQ(g.Table().FocusedControl(), Focus::Passb);
    }
}

TEST(CgClick, NormalModeTakesTheLastFreeContractWithoutDialog) {
    for (char missing : std::string_view("QKDLM")) {
        SCOPED_TRACE(std::string("missing ") + missing);
        TestGame t;
        t.Start(GameMode::Normal, HumanFirstClock());
        Game& g = t.game;
        GameState& s = g.MutableState();
        ASSERT_TRUE(g.Table().CgVisible());
        std::string list;
        for (char c : std::string_view("QKDLM")) {
            if (c != missing) list += c;
        }
        SetList(s, list);
        s.contractNumber = 4;
        g.LockHumanHand();
        s.lastRound.fill(Picture::Face(7));

        g.cgClick();

        EXPECT_EQ(t.host.chooseDialogs, 0);
        EXPECT_EQ(s.contractNumber, 5);
        EXPECT_EQ(s.contractList[5], missing);
        EXPECT_EQ(g.Table().Namegame(), FindContract(missing)->panel);
        ExpectHumanLeads(g);
    }
}

TEST(CgClick, ComplexModeAsksOnceThenTakesTheOtherDeal) {
    for (int radio : {1, 2}) {  // All Games first, Morvel first
        SCOPED_TRACE("radio " + std::to_string(radio));
        TestGame t;
        t.host.clockStep = 7;
        Game& g = t.game;
        const GameState& s = g.State();
        t.host.onAllDialog = [&] {
            g.AllFormActivate();
            // OK before a choice keeps the dialog open and stores nothing.
            EXPECT_FALSE(g.AllOkClick());
            EXPECT_EQ(t.host.messages.back(), text::kChooseOneMessage);
            EXPECT_EQ(ListText(s.contractList), "     ");
            g.AllRadioClick(3 - radio);
            g.AllRadioClick(radio);
            EXPECT_TRUE(g.AllOkClick());
            EXPECT_TRUE(s.allDialog.enabled[3 - radio]);
        };
        t.Start(GameMode::Complex, HumanFirstClock());
        ASSERT_TRUE(g.Table().CgVisible());

        g.cgClick();
        EXPECT_EQ(t.host.allDialogs, 1);
        EXPECT_EQ(ListText(s.contractList), radio == 1 ? "L    " : "M    ");
        EXPECT_EQ(g.Table().Namegame(), radio == 1 ? text::kAllGamePanel : "مورفل Morvel");
        EXPECT_FALSE(s.allDialog.enabled[radio]);
        EXPECT_TRUE(s.allDialog.Checked(radio));
        ExpectHumanLeads(g);

        ASSERT_TRUE(t.PlayUntil([&] { return g.Table().CgVisible(); }));
        EXPECT_EQ(ListText(s.contractList), radio == 1 ? "LDQK " : "M    ");
        EXPECT_EQ(s.contractNumber, radio == 1 ? 4 : 1);

        g.cgClick();
        EXPECT_EQ(t.host.allDialogs, 1);
        EXPECT_EQ(ListText(s.contractList), radio == 1 ? "LDQKM" : "ML   ");
        EXPECT_EQ(g.Table().Namegame(), radio == 1 ? "مورفل Morvel" : text::kAllGamePanel);
        ExpectHumanLeads(g);
    }
}

TEST(Tchoosform, UsedContractsStayDisabledAndOkNeedsAChoice) {
    TestGame t;
    t.host.clockStep = 7;
    Game& g = t.game;
    const GameState& s = g.State();
    std::vector<int> disabledAtOpening;
    t.host.onChooseDialog = [&] {
        const ChoiceDialog<5>& d = s.chooseDialog;
        g.ChooseFormActivate();
        int disabled = 0;
        for (int k = 1; k <= 5; ++k) {
            if (d.enabled[k]) continue;
            ++disabled;
            EXPECT_TRUE(s.contractList.Used(kContracts[k - 1].letter)) << "r" << k;
        }
        disabledAtOpening.push_back(disabled);

        // OK before any choice: the message, the dialog stays open, nothing is stored.
        const ContractList before = s.contractList;
        const size_t messages = t.host.messages.size();
        EXPECT_FALSE(g.ChooseOkClick());
        ASSERT_EQ(t.host.messages.size(), messages + 1);
        EXPECT_EQ(t.host.messages.back(), text::kChooseOneMessage);
        EXPECT_EQ(s.contractList, before);
        EXPECT_EQ(s.contractList[s.contractNumber], kNoContract);

        // A disabled button takes no click; a later click replaces the letter.
        int lastEnabled = 0;
        for (int k = 1; k <= 5; ++k) {
            const char stored = s.contractList[s.contractNumber];
            const int selected = d.selectedIndex;
            g.ChooseRadioClick(k);
            if (!d.enabled[k]) {
                EXPECT_EQ(s.contractList[s.contractNumber], stored) << "r" << k;
                EXPECT_EQ(d.selectedIndex, selected) << "r" << k;
                continue;
            }
            lastEnabled = k;
            EXPECT_EQ(s.contractList[s.contractNumber], kContracts[k - 1].letter);
            EXPECT_EQ(d.selectedIndex, k);
        }
        EXPECT_EQ(d.selectedIndex, lastEnabled);

        Autopilot(g).AnswerChooseDialog();
        const int chosen = d.selectedIndex;
        EXPECT_EQ(s.contractList[s.contractNumber], kContracts[chosen - 1].letter);
        EXPECT_FALSE(d.enabled[chosen]);
        EXPECT_TRUE(d.Checked(chosen));
    };
    t.Start(GameMode::Normal, HumanFirstClock());
    ASSERT_TRUE(t.PlayUntil([&] { return s.chooserNumber == 2; }));
    EXPECT_EQ(disabledAtOpening, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(t.host.chooseDialogs, 4);

    // A new game gives every button back.
    g.Normal1Click();
    for (int k = 1; k <= 5; ++k) {
        EXPECT_TRUE(s.chooseDialog.enabled[k]);
        EXPECT_FALSE(s.chooseDialog.Checked(k));
    }
    for (int k = 1; k <= 2; ++k) {
        EXPECT_TRUE(s.allDialog.enabled[k]);
        EXPECT_FALSE(s.allDialog.Checked(k));
    }
}

}  // namespace
}  // namespace morvel
