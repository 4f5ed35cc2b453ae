#include "cards.h"

namespace morvel {

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
