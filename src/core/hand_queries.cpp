#include "hand_queries.h"

namespace morvel {

namespace {

bool Held(const CardRecord& card) {
    return card.suit != kPlayed;
}

}  // namespace

bool HandQuery::HasSuit(char suit) const {
    if (suit == kPlayed) return false;
    for (int n = first; n <= last; ++n) {
        if (hand[n].suit == suit) return true;
    }
    return false;
}

int HandQuery::FindCard(int rank, char suit) const {
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n]) && hand[n].suit == suit && hand[n].rank == rank) return n;
    }
    return 0;
}

int HandQuery::FindRank(int rank) const {
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n]) && hand[n].rank == rank) return n;
    }
    return 0;
}

int HandQuery::LowestCard() const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n]) && (best == 0 || hand[n].rank < hand[best].rank)) best = n;
    }
    return best;
}

int HandQuery::HighestCard() const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n]) && (best == 0 || hand[n].rank > hand[best].rank)) best = n;
    }
    return best;
}

int HandQuery::HighestOfSuit(char suit) const {
    return HighestAbove(0, suit);
}

int HandQuery::HighestBelow(int rank, char suit) const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        const CardRecord& c = hand[n];
        if (Held(c) && c.suit == suit && c.rank < rank && (best == 0 || c.rank > hand[best].rank)) {
            best = n;
        }
    }
    return best;
}

int HandQuery::HighestAbove(int rank, char suit) const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        const CardRecord& c = hand[n];
        if (Held(c) && c.suit == suit && c.rank > rank && (best == 0 || c.rank > hand[best].rank)) {
            best = n;
        }
    }
    return best;
}

int HandQuery::LowestAbove(int rank, char suit) const {
    int best = 0;
    for (int n = first; n <= last; ++n) {
        const CardRecord& c = hand[n];
        if (Held(c) && c.suit == suit && c.rank > rank && (best == 0 || c.rank < hand[best].rank)) {
            best = n;
        }
    }
    return best;
}

bool HandQuery::AnyCard() const {
    for (int n = first; n <= last; ++n) {
        if (Held(hand[n])) return true;
    }
    return false;
}

int HandQuery::CountCards() const {
    int count = 0;
    for (int n = first; n <= last; ++n)
        count += Held(hand[n]);
    return count;
}

}  // namespace morvel
