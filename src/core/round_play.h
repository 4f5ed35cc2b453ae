// The round of the trick contracts: four cards laid in play order from the leader, who may lay
// what, and who takes it. Every seat's card goes through Round::MayLay and Round::Lay.
#pragma once

#include <cstdint>

#include "cards.h"
#include "hands.h"

namespace morvel {

struct RoundCard {
    char suit = kPlayed;
    int32_t rank = 0;
    friend bool operator==(const RoundCard&, const RoundCard&) = default;
};

struct Round {
    Numbered<int, 4> order{};        // the seat that lays the n-th card
    int position = 0;                // the card laid or to be laid, 1..4; 0 between rounds
    Numbered<RoundCard, 4> cards{};  // by position
    char leadSuit = kPlayed;
    int winningRank = 0;  // the highest rank of the lead suit laid so far
    // The fourth card is laid and the round taken; its cards stay on the table until the next
    // step, whose leader is the taker.
    bool taken = false;

    // The play order of a round led by `leader`.
    void SetOrder(int leader) {
        assert(leader >= 1 && leader <= 4);
        for (int n = 1; n <= 4; ++n)
            order[n] = SeatAtPosition(leader, n);
    }
    // Whether `seat` may lay a card of `suit` now: the leader any card; a follower a card of the
    // lead suit, or any card when it holds none of that suit.
    bool MayLay(const HandTable& hand, int seat, char suit) const {
        return position == 1 || suit == leadSuit || !hand.HasSuit(seat, leadSuit);
    }
    // The card at the current position: the lead sets the lead suit and the winning rank; only a
    // higher card of the lead suit raises it.
    void Lay(char suit, int rank) {
        assert(position >= 1 && position <= 4);
        cards[position] = {suit, rank};
        if (position == 1) {
            leadSuit = suit;
            winningRank = rank;
        } else if (suit == leadSuit && rank > winningRank) {
            winningRank = rank;
        }
    }
    // The seat whose card takes the round: the highest of the lead suit.
    int Winner() const {
        int w = 1;
        for (int k = 2; k <= 4; ++k) {
            if (cards[k].suit == cards[1].suit && cards[k].rank > cards[w].rank) w = k;
        }
        return order[w];
    }

    friend bool operator==(const Round&, const Round&) = default;
};

}  // namespace morvel
