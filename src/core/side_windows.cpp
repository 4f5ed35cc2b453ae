// What the table does for its side windows and the mouse: the enlarged taken card and the choice
// of card backs. Both touch only what the table shows, and the card back the game keeps.
#include <cassert>

#include "game.h"

namespace morvel {

void Game::CollectionMouseDown(int slot) {
    if (!table_) return;
    table_->SetPicture(Family::Pig, SeatOfEntry(slot), table_->Get(Family::J, slot).picture);
}

void Game::CollectionMouseUp(int slot) {
    if (!table_) return;
    table_->SetPicture(Family::Pig, SeatOfEntry(slot), Picture::Blank());
}

void Game::ChooseCardBack(int k) {
    assert(k >= 1 && k <= 6);
    s_.cardBack = k;
    if (!table_) return;
    for (int n = 1; n <= 52; ++n) {
        table_->SetPicture(
            Family::I, n,
            SeatOfEntry(n) == kHuman ? Picture::Face(s_.hand[n].face) : Picture::Back(k));
    }
    // Face-down collection rows belong to the contract charged by the round, and to the All Game
    // deal, which carries its letter.
    const Contract* playing = Playing();
    if (playing == nullptr || !playing->perRound) return;
    for (int seat = 1; seat <= 4; ++seat) {
        for (int j = BlockOf(seat).first; j <= s_.collectionPosition[seat]; ++j) {
            table_->SetPicture(Family::J, j, Picture::Back(k));
        }
    }
}

}  // namespace morvel
