// The layout contract's board: each suit is built outward from its jack, one rank at a time, as
// one unbroken run.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>

#include "cards.h"
#include "hands.h"

namespace morvel {

// Suits 'D', 'F', 'H', 'A' as indices 0..3 (BoardSuit), ranks 2..14.
struct Board {
    std::array<std::array<int32_t, 15>, 4> value{};  // 0, or the rank once laid
    std::array<int32_t, 4> high{};                   // the highest rank laid; 0 for an empty suit
    std::array<int32_t, 4> low{};  // the lowest rank laid once the jack is; 0 before

    // A card of the suit fits when it is the jack or next to either end of the run.
    bool CanLay(char suit, int rank) const {
        if (rank == kJack) return true;
        const int i = BoardSuit(suit);
        return std::abs(rank - low[i]) == 1 || std::abs(rank - high[i]) == 1;
    }
    // The ranks of the suit that fit, as bits.
    uint32_t Fitting(char suit) const {
        const int i = BoardSuit(suit);
        uint32_t fit = 1u << kJack;
        if (low[i] != 0) fit |= 1u << (low[i] - 1) | 1u << (low[i] + 1);
        if (high[i] != 0) fit |= 1u << (high[i] - 1) | 1u << (high[i] + 1);
        return fit & 0x7FFC;  // ranks 2..14
    }
    // Every card that fits, as a set of cards (see CardsOf).
    uint64_t FittingCards() const {
        uint64_t cards = 0;
        for (char suit : kBoardSuits)
            cards |= CardsOf(suit, Fitting(suit));
        return cards;
    }
    // The ranks that fit as a question over hand suits (see HandTable::FirstAmong).
    auto FittingByHandSuit() const {
        return [this](int handSuit) { return Fitting(kHandSuits[handSuit]); };
    }
    void Lay(char suit, int rank) {
        const int i = BoardSuit(suit);
        value[i][rank] = rank;
        if (rank > high[i]) high[i] = rank;
        if (value[i][kJack] != 0 && (low[i] == 0 || rank < low[i])) low[i] = rank;
    }
    // The ends of every run, worked out again from `value` (for a board set up by hand).
    void ComputeExtents();

    friend bool operator==(const Board&, const Board&) = default;
};

// The board slot k1..k52 of a card: each suit has a column of thirteen slots, ace at the top,
// then king, queen, jack and down to the two.
constexpr int BoardSlot(char suit, int rank) {
    return BoardSuit(suit) * 13 + 15 - rank;
}

inline void Board::ComputeExtents() {
    for (int i = 0; i < 4; ++i) {
        // A value is 0 or its own rank: the largest is the highest rank laid, and the smallest
        // non-zero one up to the jack the lowest rank laid.
        high[i] = 0;
        for (int r = kAce; r >= 2 && high[i] == 0; --r)
            high[i] = value[i][r];
        low[i] = 0;
        if (value[i][kJack] != 0) {
            for (int r = 2; r <= kJack && low[i] == 0; ++r)
                low[i] = value[i][r];
        }
    }
}

}  // namespace morvel
