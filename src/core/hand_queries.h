// Questions about one seat's block of the hand table. Every query walks the block from its first
// entry to its last, skips played entries, and among equally good cards takes the first in hand
// order. A query that finds nothing returns entry 0.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "cards.h"

namespace morvel {

inline bool Held(const CardRecord& card) {
    return card.suit != kPlayed;
}

// The cards a block holds of one suit. Within a suit every rank is unique, so one bit per rank
// answers every question about the suit without walking the block again.
struct SuitHolding {
    uint32_t ranks = 0;               // bit r: the block holds rank r
    std::array<uint8_t, 15> entry{};  // the entry that holds rank r

    bool Any() const { return ranks != 0; }
    int Find(int rank) const { return (ranks >> rank & 1) != 0 ? entry[rank] : 0; }
    int HighestBelow(int rank) const { return Highest(ranks & ((1u << rank) - 1)); }
    int HighestAbove(int rank) const { return Highest(ranks & ~((2u << rank) - 1)); }
    int LowestAbove(int rank) const {
        const uint32_t above = ranks & ~((2u << rank) - 1);
        return above != 0 ? entry[std::countr_zero(above)] : 0;
    }
    int Highest() const { return Highest(ranks); }

  private:
    int Highest(uint32_t set) const { return set != 0 ? entry[31 - std::countl_zero(set)] : 0; }
};

// Small and called on every move: defined here so the compiler can inline them.
struct HandQuery {
    const HandTable& hand;
    int first;
    int last;

    bool HasSuit(char suit) const;
    bool HasCard(int rank, char suit) const { return FindCard(rank, suit) != 0; }
    int FindCard(int rank, char suit) const;
    bool HasRank(int rank) const { return FindRank(rank) != 0; }
    int FindRank(int rank) const;
    int LowestCard() const;
    int HighestCard() const;
    int HighestOfSuit(char suit) const;
    bool HasLowerOfSuit(int rank, char suit) const { return HighestBelow(rank, suit) != 0; }
    bool HasHigherOfSuit(int rank, char suit) const { return HighestAbove(rank, suit) != 0; }
    int HighestBelow(int rank, char suit) const;
    int HighestAbove(int rank, char suit) const;
    int LowestAbove(int rank, char suit) const;
    int CountCards() const;
    SuitHolding Holding(char suit) const;
    bool AnyCard() const;
};

inline bool HandQuery::HasSuit(char suit) const {
    if (suit == kPlayed) return false;
    for (int n = first; n <= last; ++n) {
        if (hand[n].suit == suit) return true;
    }
    return false;
}

inline int HandQuery::FindCard(int rank, char suit) const {
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n]) && hand[n].suit == suit && hand[n].rank == rank) return n;
    }
    return 0;
}

inline int HandQuery::FindRank(int rank) const {
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n]) && hand[n].rank == rank) return n;
    }
    return 0;
}

inline int HandQuery::LowestCard() const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n]) && (best == 0 || hand[n].rank < hand[best].rank)) best = n;
    }
    return best;
}

inline int HandQuery::HighestCard() const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n]) && (best == 0 || hand[n].rank > hand[best].rank)) best = n;
    }
    return best;
}

inline int HandQuery::HighestOfSuit(char suit) const {
    return HighestAbove(0, suit);
}

inline int HandQuery::HighestBelow(int rank, char suit) const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        const CardRecord& c = hand[n];
        if (Held(c) && c.suit == suit && c.rank < rank && (best == 0 || c.rank > hand[best].rank)) {
            best = n;
        }
    }
    return best;
}

inline int HandQuery::HighestAbove(int rank, char suit) const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        const CardRecord& c = hand[n];
        if (Held(c) && c.suit == suit && c.rank > rank && (best == 0 || c.rank > hand[best].rank)) {
            best = n;
        }
    }
    return best;
}

inline int HandQuery::LowestAbove(int rank, char suit) const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        const CardRecord& c = hand[n];
        if (Held(c) && c.suit == suit && c.rank > rank && (best == 0 || c.rank < hand[best].rank)) {
            best = n;
        }
    }
    return best;
}

inline bool HandQuery::AnyCard() const {
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n])) return true;
    }
    return false;
}

inline int HandQuery::CountCards() const {
    int count = 0;
    for (int n = first; n <= last; ++n)
        count += Held(hand[n]);
    return count;
}

inline SuitHolding HandQuery::Holding(char suit) const {
    SuitHolding holding;
    for (int n = first; n <= last; ++n) {
        if (hand[n].suit != suit || suit == kPlayed) continue;
        holding.ranks |= 1u << hand[n].rank;
        holding.entry[hand[n].rank] = static_cast<uint8_t>(n);
    }
    return holding;
}

}  // namespace morvel
