#include "hands.h"

namespace morvel {

namespace {

// Card-table blocks of the hand suits: hearts 27..39, clubs 14..26, diamonds 1..13, spades
// 40..52, each running 2 to ace, so walking them in hand order gives a hand sorted.
constexpr int kBlockFirst[4] = {27, 14, 1, 40};

}  // namespace

void HandTable::Deal(const std::array<uint64_t, 5>& owned) {
    // The card at each place of a hand in hand order (13 places a suit): its card-table entry.
    static constexpr std::array<uint8_t, 52> kCardAt = [] {
        std::array<uint8_t, 52> cards{};
        for (int p = 0; p < 52; ++p)
            cards[p] = static_cast<uint8_t>(kBlockFirst[p / 13] + p % 13);
        return cards;
    }();
    for (int seat = 1; seat <= 4; ++seat) {
        // The seat's cards by place in hand order: each suit's block moved to its place. Thirteen
        // bits, taken lowest first, give the hand sorted, with a loop the processor foresees.
        uint64_t places = 0;
        for (int s = 0; s < 4; ++s) {
            const uint32_t block = static_cast<uint32_t>(owned[seat] >> kBlockFirst[s]) & 0x1FFF;
            ranks_[seat - 1][s] = static_cast<uint16_t>(block << 2);
            places |= static_cast<uint64_t>(block) << (13 * s);
        }
        const int first = BlockOf(seat).first;
        for (int k = 0; k < 13; ++k) {
            const int p = std::countr_zero(places);
            places &= places - 1;
            cards_[first + k] = kCardTable[kCardAt[p]];
            entry_[seat - 1][p / 13][p % 13 + 2] = static_cast<uint8_t>(first + k);
        }
        assert(places == 0);
        count_[seat - 1] = 13;
    }
    emptySeats_ = 0;
}

// The seat's holding is worked out again from its whole block, so that a hand set up card by card
// may hold a card twice on the way.
void HandTable::Set(int entry, const CardRecord& card) {
    cards_[entry] = card;
    const int seat = SeatOfEntry(entry);
    ranks_[seat - 1] = {};
    entry_[seat - 1] = {};
    count_[seat - 1] = 0;
    for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
        const CardRecord& c = cards_[n];
        if (!Held(c)) continue;
        const int s = HandSuit(c.suit);
        ranks_[seat - 1][s] |= static_cast<uint16_t>(1u << c.rank);
        entry_[seat - 1][s][c.rank] = static_cast<uint8_t>(n);
        ++count_[seat - 1];
    }
    emptySeats_ = count_[seat - 1] == 0 ? emptySeats_ | 1u << seat : emptySeats_ & ~(1u << seat);
}

uint64_t HandTable::HeldCards(int seat) const {
    uint64_t cards = 0;
    for (int s = 0; s < 4; ++s)
        cards |= static_cast<uint64_t>(ranks_[seat - 1][s] >> 2) << kBlockFirst[s];
    return cards;
}

void HandTable::Redeal(int seat, uint64_t cards) {
    assert(std::popcount(cards) == Count(seat) && (cards & 1) == 0 && cards >> 53 == 0);
    int n = BlockOf(seat).first;
    for (int s = 0; s < 4; ++s) {
        const uint32_t block = static_cast<uint32_t>(cards >> kBlockFirst[s]) & 0x1FFF;
        ranks_[seat - 1][s] = static_cast<uint16_t>(block << 2);
        for (uint32_t m = block; m != 0; m &= m - 1) {
            while (!Held(cards_[n]))
                ++n;
            const int offset = std::countr_zero(m);
            cards_[n] = kCardTable[kBlockFirst[s] + offset];
            entry_[seat - 1][s][offset + 2] = static_cast<uint8_t>(n);
            ++n;
        }
    }
}

}  // namespace morvel
