// Deals of round contracts with hands the test chooses, and a way to play them out headless.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "autopilot.h"
#include "test_host.h"

namespace morvel::testing {

// A card written as its suit letter and rank value: "H14" the ace of hearts, "D2" the two of
// diamonds.
inline CardRecord Card(std::string_view text) {
    const char suit = text[0];
    int rank = 0;
    for (char c : text.substr(1))
        rank = rank * 10 + (c - '0');
    return {suit, rank, FaceOf(suit, rank)};
}

inline std::vector<CardRecord> Cards(std::string_view text) {
    std::vector<CardRecord> cards;
    while (!text.empty()) {
        const size_t end = std::min(text.find(' '), text.size());
        if (end > 0) cards.push_back(Card(text.substr(0, end)));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return cards;
}

// Gives a seat exactly these cards (space separated), sorted as a deal sorts them. The front of
// the block is filled with played entries that still carry high and low ranks, as after real play,
// so a query that does not skip played entries picks one of them.
inline void SetHand(Game& game, int seat, std::string_view text) {
    std::vector<CardRecord> cards = Cards(text);
    std::sort(cards.begin(), cards.end(), [](const CardRecord& a, const CardRecord& b) {
        return a.suit != b.suit ? a.suit > b.suit : a.rank < b.rank;
    });
    assert(cards.size() <= 13);
    HandTable& hand = game.MutableState().hand;
    TableModel& table = game.MutableTable();
    const Block block = BlockOf(seat);
    static constexpr int kLeftoverRanks[4] = {14, 2, 12, 13};
    const int played = 13 - static_cast<int>(cards.size());
    for (int i = 0; i < 13; ++i) {
        const int n = block.first + i;
        if (i < played) {
            const int rank = kLeftoverRanks[i % 4];
            hand.Set(n, {kPlayed, rank, FaceOf(kHearts, rank)});
        } else {
            hand.Set(n, cards[i - played]);
        }
        table.SetVisible(Family::I, n, i >= played);
        table.SetPicture(Family::I, n,
                         seat == kHuman ? Picture::Face(hand[n].face) : Picture::Back(1));
    }
}

// Hands for seats 1 to 4.
inline void SetHands(Game& game, const std::array<std::string_view, 4>& hands) {
    for (int seat = 1; seat <= 4; ++seat)
        SetHand(game, seat, hands[seat - 1]);
}

// The entry that holds a card, 0 when no hand holds it.
inline int EntryOf(const Game& game, std::string_view text) {
    const CardRecord card = Card(text);
    for (int n = 1; n <= 52; ++n) {
        if (game.State().hand[n] == card) return n;
    }
    return 0;
}

// The contract list's five places as letters ("LQ   " after two choices).
inline std::string ListText(const ContractList& list) {
    std::string text;
    for (int place = 1; place <= 5; ++place)
        text += list[place];
    return text;
}

// Cards still held by all seats together.
inline int CardsHeld(const GameState& s) {
    int held = 0;
    for (int n = 1; n <= 52; ++n)
        held += s.hand[n].suit != kPlayed;
    return held;
}

// A new deal of the first chooser's turn with `chooser` to choose and lead; the cards come from
// the clock, and a test may replace them with SetHands before the contract is chosen.
inline void PrepareDeal(TestGame& t, GameMode mode, int chooser) {
    GameState& s = t.game.MutableState();
    s.mode = mode;
    for (int k = 1; k <= 4; ++k)
        s.chooserSeats[k] = SeatAtPosition(chooser, k);
    s.chooserNumber = 1;
    s.contractList.Clear();
    s.contractNumber = 0;
    s.chooseDialog.Reset();
    s.allDialog.Reset();
    t.game.NewDeal();
}

// The chooser picks a round contract: seat 1 through the Chose Game button and its dialog, a
// computer seat as its contract choice would store it. In "COMPLEX" mode any round contract is
// played as the All Game deal.
inline void ChooseContract(TestGame& t, char letter) {
    GameState& s = t.game.MutableState();
    if (s.chooserSeats[s.chooserNumber] == kHuman) {
        t.host.onChooseDialog = [&t, letter] {
            t.game.ChooseFormActivate();
            for (int k = 1; k <= 5; ++k) {
                if (kContracts[k - 1].letter == letter) t.game.ChooseRadioClick(k);
            }
            ASSERT_TRUE(t.game.ChooseOkClick());
        };
        t.host.onAllDialog = [&t] {
            t.game.AllFormActivate();
            t.game.AllRadioClick(1);
            ASSERT_TRUE(t.game.AllOkClick());
        };
        t.game.cgClick();
        return;
    }
    ++s.contractNumber;
    s.contractList.Set(s.contractNumber, s.mode == GameMode::Complex ? kCollectionLetter : letter);
    t.game.SetTimer(TimerId::Timer1, s.speedInterval);
}

// The game and its table as the result sheet is shown.
struct AtSheet : GameState {
    TableModel table;
};

// Plays the deal to its end, seat 1 by the computer rules through its own clicks, and returns the
// state as the result sheet is shown.
inline AtSheet PlayDealToSheet(TestGame& t) {
    AtSheet atSheet;
    const int sheets = t.host.sheets;
    t.host.onSheet = [&] {
        static_cast<GameState&>(atSheet) = t.game.State();
        atSheet.table = t.table;
    };
    Autopilot pilot(t.game);
    for (int steps = 0; t.host.sheets == sheets; ++steps) {
        if (steps == 200 || !pilot.Step()) {
            ADD_FAILURE() << "the deal did not end";
            break;
        }
    }
    t.host.onSheet = nullptr;
    return atSheet;
}

}  // namespace morvel::testing
