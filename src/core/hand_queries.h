// Questions about one seat's block of the hand table. Every query walks the block from its first
// entry to its last, skips played entries, and among equally good cards takes the first in hand
// order. A query that finds nothing returns entry 0.
#pragma once

#include "cards.h"

namespace morvel {

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

}  // namespace morvel
