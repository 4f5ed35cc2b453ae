#include "contracts.h"

#include <cassert>

namespace morvel {

char ContractList::operator[](int place) const {
    assert(place >= 1 && place <= 5);
    return places_[place];
}

void ContractList::Set(int place, char letter) {
    assert(place >= 1 && place <= 5);
    places_[place] = letter;
}

bool ContractList::Used(char letter) const {
    for (int place = 1; place <= 5; ++place) {
        if (places_[place] == letter) return true;
    }
    return false;
}

int ContractList::FreeCount() const {
    int free = 0;
    for (int place = 1; place <= 5; ++place)
        free += places_[place] == kNoContract;
    return free;
}

}  // namespace morvel
