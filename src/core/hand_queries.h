// Questions about one seat's block of the hand table. Every query walks the block from its first
// entry to its last, skips played entries, and among equally good cards takes the first in hand
// order. A query that finds nothing returns entry 0.
#pragma once

#include "cards.h"

namespace morvel {

inline bool Held(const CardRecord& card) {
    return card.suit != kPlayed;
}

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

}  // namespace morvel
