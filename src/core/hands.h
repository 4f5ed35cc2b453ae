// The hand table: the four hands in entries 1..52 (see BlockOf), each in hand order. A card laid
// stays in its entry, marked played with its rank and face kept, so entries never move. Beside
// it, kept up to date as cards are dealt and played, each seat's holding as one rank mask per suit
// and a count of its cards, so that no question about a hand walks its block. Among equally good
// cards a question takes the first in hand order; one that finds nothing returns entry 0.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "cards.h"

namespace morvel {

inline bool Held(const CardRecord& card) {
    return card.suit != kPlayed;
}

// Rank bits for each suit in hand order (HandSuit): hearts, clubs, diamonds, spades.
using SuitMasks = std::array<uint32_t, 4>;

// The masks as a question over hand suits.
inline auto InMasks(const SuitMasks& masks) {
    return [&masks](int handSuit) { return masks[handSuit]; };
}

// One seat's cards of one suit: bit r of `ranks` for rank r, and the entry of each.
struct SuitHolding {
    uint32_t ranks = 0;
    const std::array<uint8_t, 16>* entries = nullptr;

    bool Any() const { return ranks != 0; }
    bool Has(int rank) const { return (ranks >> rank & 1) != 0; }
    int Find(int rank) const { return Has(rank) ? (*entries)[rank] : 0; }
    int Highest() const { return HighestOf(ranks); }
    int HighestBelow(int rank) const { return HighestOf(ranks & ((1u << rank) - 1)); }
    int HighestAbove(int rank) const { return HighestOf(ranks & ~((2u << rank) - 1)); }
    int LowestAbove(int rank) const {
        const uint32_t above = ranks & ~((2u << rank) - 1);
        return above != 0 ? (*entries)[std::countr_zero(above)] : 0;
    }

  private:
    int HighestOf(uint32_t set) const {
        return set != 0 ? (*entries)[31 - std::countl_zero(set)] : 0;
    }
};

class HandTable {
  public:
    const CardRecord& operator[](int entry) const { return cards_[entry]; }

    // Deals the deck: owned[seat] holds bit r for each card-table entry r the seat receives.
    void Deal(const std::array<uint64_t, 5>& owned);
    // Puts a card, held or played, at an entry (for a position set up by hand).
    void Set(int entry, const CardRecord& card);
    // The seat's cards in hand as card-table entries (bit r for entry r of kCardTable).
    uint64_t HeldCards(int seat) const;
    // The seat holds `cards` (card-table entries, as many as it holds now) instead: they take its
    // held entries in hand order, and its played entries stay. For a player that deals the cards
    // it cannot see in another way.
    void Redeal(int seat, uint64_t cards);
    // The card at the entry has been laid.
    void Play(int entry);

    int Count(int seat) const { return count_[seat - 1]; }
    bool Empty(int seat) const { return count_[seat - 1] == 0; }
    // Bit s: seat s holds no card.
    uint32_t EmptySeats() const { return emptySeats_; }
    // Bit r: the seat holds rank r of the hand suit (HandSuit) or suit letter.
    uint32_t RanksOf(int seat, int handSuit) const { return ranks_[seat - 1][handSuit]; }
    uint32_t Ranks(int seat, char suit) const {
        return suit == kPlayed ? 0 : RanksOf(seat, HandSuit(suit));
    }
    bool HasSuit(int seat, char suit) const { return Ranks(seat, suit) != 0; }
    SuitHolding Holding(int seat, char suit) const {
        if (suit == kPlayed) return {};
        const int s = HandSuit(suit);
        return {ranks_[seat - 1][s], &entry_[seat - 1][s]};
    }
    // The entry of a card the seat holds, 0 when it does not hold it.
    int Find(int seat, char suit, int rank) const { return Holding(seat, suit).Find(rank); }
    // The entry of a card of the hand suit and rank; the seat must hold it.
    int EntryOf(int seat, int handSuit, int rank) const { return entry_[seat - 1][handSuit][rank]; }

    // Questions over the cards of a seat whose rank bits are set in wanted(hand suit): the first
    // of them in hand order, the last, the highest (the first of equal ranks).
    template <typename Wanted>
    int FirstAmong(int seat, Wanted wanted) const;
    template <typename Wanted>
    int LastAmong(int seat, Wanted wanted) const;
    template <typename Wanted>
    int HighestAmong(int seat, Wanted wanted) const;

    int FindRank(int seat, int rank) const {
        return FirstAmong(seat, [rank](int) { return 1u << rank; });
    }
    int Highest(int seat) const {
        return HighestAmong(seat, [](int) { return ~0u; });
    }
    int Lowest(int seat) const;

    // The holdings follow from the entries.
    friend bool operator==(const HandTable& a, const HandTable& b) { return a.cards_ == b.cards_; }

  private:
    Numbered<CardRecord, 52> cards_;
    std::array<std::array<uint16_t, 4>, 4> ranks_{};  // [seat - 1][hand suit]
    std::array<uint8_t, 4> count_{};
    uint32_t emptySeats_ = 0x1E;
    // [seat - 1][hand suit][rank]: the entry of each card the seat holds (others are stale)
    std::array<std::array<std::array<uint8_t, 16>, 4>, 4> entry_{};
};

template <typename Wanted>
int HandTable::FirstAmong(int seat, Wanted wanted) const {
    for (int s = 0; s < 4; ++s) {
        const uint32_t m = ranks_[seat - 1][s] & wanted(s);
        if (m != 0) return entry_[seat - 1][s][std::countr_zero(m)];
    }
    return 0;
}

template <typename Wanted>
int HandTable::LastAmong(int seat, Wanted wanted) const {
    for (int s = 3; s >= 0; --s) {
        const uint32_t m = ranks_[seat - 1][s] & wanted(s);
        if (m != 0) return entry_[seat - 1][s][31 - std::countl_zero(m)];
    }
    return 0;
}

template <typename Wanted>
int HandTable::HighestAmong(int seat, Wanted wanted) const {
    int best = 0, bestRank = 0;
    for (int s = 0; s < 4; ++s) {
        const uint32_t m = ranks_[seat - 1][s] & wanted(s);
        if (m == 0) continue;
        const int r = 31 - std::countl_zero(m);
        if (r > bestRank) {
            best = entry_[seat - 1][s][r];
            bestRank = r;
        }
    }
    return best;
}

inline int HandTable::Lowest(int seat) const {
    int best = 0, bestRank = 99;
    for (int s = 0; s < 4; ++s) {
        const uint32_t m = ranks_[seat - 1][s];
        if (m == 0) continue;
        const int r = std::countr_zero(m);
        if (r < bestRank) {
            best = entry_[seat - 1][s][r];
            bestRank = r;
        }
    }
    return best;
}

inline void HandTable::Play(int entry) {
    CardRecord& c = cards_[entry];
    assert(Held(c));
    const int seat = SeatOfEntry(entry);
    ranks_[seat - 1][HandSuit(c.suit)] &= static_cast<uint16_t>(~(1u << c.rank));
    if (--count_[seat - 1] == 0) emptySeats_ |= 1u << seat;
    c.suit = kPlayed;
}

}  // namespace morvel
