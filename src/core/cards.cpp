#include "cards.h"

namespace morvel {

int FaceOf(char suit, int rank) {
    assert(rank >= 2 && rank <= kAce);
    int first = 0;
    switch (suit) {
        case kDiamonds:
            first = 1;
            break;
        case kHearts:
            first = 14;
            break;
        case kClubs:
            first = 27;
            break;
        case kSpades:
            first = 40;
            break;
        default:
            assert(false && "not a suit letter");
            return 0;
    }
    return rank == kAce ? first : first + rank - 1;
}

CardTable BuildCardTable() {
    static constexpr char kBlockSuits[4] = {kDiamonds, kClubs, kHearts, kSpades};
    CardTable table;
    for (int n = 1; n <= 52; ++n) {
        CardRecord& card = table[n];
        card.suit = kBlockSuits[(n - 1) / 13];
        card.rank = (n - 1) % 13 + 2;
        card.face = FaceOf(card.suit, card.rank);
    }
    return table;
}

std::array<char, 4> CardText(char suit, int rank) {
    std::array<char, 4> text{suit, 0, 0, 0};
    if (rank >= 10) {
        text[1] = static_cast<char>('0' + rank / 10);
        text[2] = static_cast<char>('0' + rank % 10);
    } else {
        text[1] = static_cast<char>('0' + rank);
    }
    return text;
}

}  // namespace morvel
