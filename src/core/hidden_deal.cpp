#include "hidden_deal.h"

#include <bit>
#include <cassert>
#include <utility>

namespace morvel {

namespace {

// Whether the cards left, counted by type, can still all be given out: for every group of seats,
// the cards that only they may hold fit into their room (Hall's condition, three seats).
bool CanGiveOut(const std::array<int, 8>& ofType, const std::array<int, 3>& room) {
    for (uint32_t group = 1; group < 8; ++group) {
        int cards = 0;
        for (uint32_t type = 1; type < 8; ++type) {
            if ((type & ~group) == 0) cards += ofType[type];
        }
        int places = 0;
        for (int i = 0; i < 3; ++i) {
            if (group >> i & 1) places += room[i];
        }
        if (cards > places) return false;
    }
    return true;
}

}  // namespace

HiddenDeal::HiddenDeal(const GameState& s, int seat) {
    int i = 0;
    for (int other = 1; other <= 4; ++other) {
        if (other == seat) continue;
        others_[i] = other;
        count_[i] = s.hand.Count(other);
        notHeld_[i] = s.absences.notHeld[other];
        // The others' cards together are the cards not yet laid, which every seat sees; which of
        // them a seat holds is not read.
        pool_ |= s.hand.HeldCards(other);
        ++i;
    }
    // The play cannot show what no deal agrees with; a state that says so anyway (one set up by
    // hand, or read from elsewhere) is dealt as if nothing were known.
    std::array<int, 8> ofType{};
    for (uint64_t m = pool_; m != 0; m &= m - 1)
        ++ofType[TypeOf(m & -m)];
    if (ofType[0] != 0 || !CanGiveOut(ofType, count_)) notHeld_ = {};
}

uint32_t HiddenDeal::TypeOf(uint64_t card) const {
    uint32_t type = 0;
    for (int i = 0; i < 3; ++i) {
        if ((notHeld_[i] & card) == 0) type |= 1u << i;
    }
    return type;
}

void HiddenDeal::Deal(HandTable& hand, SampleRandom& random) const {
    std::array<uint8_t, 52> cards;
    int n = 0;
    for (uint64_t m = pool_; m != 0; m &= m - 1)
        cards[n++] = static_cast<uint8_t>(std::countr_zero(m));
    for (int i = n - 1; i > 0; --i)
        std::swap(cards[i], cards[random.Below(static_cast<uint32_t>(i + 1))]);

    std::array<uint64_t, 3> dealt{};
    if (((notHeld_[0] | notHeld_[1] | notHeld_[2]) & pool_) == 0) {
        // Nothing rules a card out: the shuffled cards cut into the three hands.
        int k = 0;
        for (int i = 0; i < 3; ++i) {
            for (int c = 0; c < count_[i]; ++c)
                dealt[i] |= uint64_t{1} << cards[k++];
        }
    } else {
        std::array<int, 8> ofType{};
        for (int k = 0; k < n; ++k)
            ++ofType[TypeOf(uint64_t{1} << cards[k])];
        std::array<int, 3> room = count_;
        // Each card in turn to a seat that may hold it, with a chance in proportion to its room,
        // unless that leaves the cards after it no way to be given out.
        for (int k = 0; k < n; ++k) {
            const uint64_t card = uint64_t{1} << cards[k];
            const uint32_t type = TypeOf(card);
            --ofType[type];
            uint32_t choices = type;
            for (;;) {
                assert(choices != 0);
                int total = 0;
                for (int i = 0; i < 3; ++i) {
                    if (choices >> i & 1) total += room[i];
                }
                assert(total > 0);
                int draw = static_cast<int>(random.Below(static_cast<uint32_t>(total)));
                int chosen = 0;
                while (!(choices >> chosen & 1) || draw >= room[chosen]) {
                    if (choices >> chosen & 1) draw -= room[chosen];
                    ++chosen;
                }
                --room[chosen];
                if (CanGiveOut(ofType, room)) {
                    dealt[chosen] |= card;
                    break;
                }
                ++room[chosen];
                choices &= ~(1u << chosen);
            }
        }
    }
    for (int i = 0; i < 3; ++i)
        hand.Redeal(others_[i], dealt[i]);
}

}  // namespace morvel
