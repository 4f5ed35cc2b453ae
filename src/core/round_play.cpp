// The turn loop of the round contracts on Timer1, every seat's card through the round's one
// legality check, and taking a round under the contracts table.
#include <cassert>

#include "game.h"

namespace morvel {

// --- The turn loop ---------------------------------------------------------------------------

void Game::Timer1Timer() {
    Round& round = s_.round;
    if (round.taken) {
        const int w = round.Winner();
        PlacePlayedSlots(w);
        round.SetOrder(w);
        round.taken = false;
    }
    ++s_.dealCardCount;
    if (s_.dealCardCount >= 53 || !s_.dealGoesOn) {
        EndDeal();
        return;
    }
    if (round.position == 0) BlankPlayedSlots();
    const int n = ++round.position;
    assert(n >= 1 && n <= 4);
    const int seat = round.order[n];
    ShowTurnMarker(seat);
    if (seat == kHuman) {
        s_.humanTurn = true;
        SetTimer(TimerId::Timer1, 0);
    } else if (n == 1) {
        ComputerLead(seat);
    } else {
        ComputerFollow(seat);
    }
}

// --- Laying a card ---------------------------------------------------------------------------

void Game::LayCard(int entry) {
    Round& round = s_.round;
    const CardRecord card = s_.hand[entry];
    assert(Held(card));
    const int seat = SeatOfEntry(entry);
    assert(round.MayLay(s_.hand, seat, card.suit));
    if (round.position > 1 && card.suit != round.leadSuit) {
        s_.absences.notHeld[seat] |= CardsOf(round.leadSuit);
    }
    round.Lay(card.suit, card.rank);
    s_.hand.Play(entry);
    if (table_) {
        table_->SetPicture(Family::P, round.position, Picture::Face(card.face));
        table_->SetVisible(Family::I, entry, false);
    }
    if (observer_) observer_->OnLay(seat, card.suit, card.rank);
}

void Game::HandSlotClick(int entry) {
    if (!s_.humanTurn) return;
    if (entry < kHumanBlock.first || entry > kHumanBlock.last || !Held(s_.hand[entry])) return;
    const Contract* playing = Playing();
    if (playing == nullptr) return;
    if (playing->layout) {
        LayHumanLayoutCard(entry);
    } else {
        LayHumanCard(entry);
    }
}

bool Game::WouldLay(int entry) const {
    if (!s_.humanTurn || entry < kHumanBlock.first || entry > kHumanBlock.last ||
        !Held(s_.hand[entry])) {
        return false;
    }
    const Contract* playing = Playing();
    if (playing == nullptr) return false;
    const CardRecord& card = s_.hand[entry];
    if (playing->layout) return s_.board.CanLay(card.suit, card.rank);
    return s_.round.MayLay(s_.hand, kHuman, card.suit);
}

void Game::LayHumanCard(int entry) {
    if (!s_.round.MayLay(s_.hand, kHuman, s_.hand[entry].suit)) {
        host_.Beep();
        return;
    }
    LayCard(entry);
    FinishLaidCard();
    SetTimer(TimerId::Timer1, s_.speedInterval);
    s_.humanTurn = false;
}

void Game::ComputerLead(int seat) {
    LayCard(computer_->RoundCard(s_, seat, chance_));
}

void Game::ComputerFollow(int seat) {
    LayCard(computer_->RoundCard(s_, seat, chance_));
    FinishLaidCard();
}

// --- Taking a round --------------------------------------------------------------------------

void Game::FinishLaidCard() {
    Round& round = s_.round;
    if (round.position != 4) return;
    for (int k = 1; k <= 4; ++k) {
        const RoundCard& card = round.cards[k];
        s_.lastRound[round.order[k]] = Picture::Face(FaceOf(card.suit, card.rank));
    }
    if (observer_) observer_->OnTake(round.Winner());
    TakeRound();
    SetTimer(TimerId::Timer1, 0);
    round.position = 0;
    round.taken = true;
    SetTimer(TimerId::Timer1, s_.speedInterval);
}

// In "NORMAL" mode the contract in play charges its taker item by item, face up in the taker's
// row, and the deal ends once nothing is left to take. In "COMPLEX" mode every round contract
// tallies the round apart, and the row shows one card face down.
void Game::TakeRound() {
    const Round& round = s_.round;
    const int taker = round.Winner();
    if (s_.mode == GameMode::Normal) {
        const Contract& c = *Playing();
        assert(!c.layout);
        if (c.perRound) {
            ShowTaken(taker, 0);
            s_.gameScore[taker] += c.points;
            ++s_.taken[c.id];
        } else {
            for (int k = 1; k <= 4; ++k) {
                const RoundCard& card = round.cards[k];
                if (!c.IsPenalty(card.suit, card.rank)) continue;
                ShowTaken(taker, FaceOf(card.suit, card.rank));
                s_.gameScore[taker] += c.points;
                ++s_.taken[c.id];
            }
        }
        s_.dealGoesOn = s_.taken[c.id] < c.items;
        return;
    }
    ShowTaken(taker, 0);
    for (const Contract* c : kAllGameRows)
        s_.complexScores[c->id][taker] += c->points * c->ItemsIn(round.cards);
}

// A seat's row never takes more than its thirteen slots.
void Game::ShowTaken(int seat, int face) {
    const int j = ++s_.collectionPosition[seat];
    assert(j <= BlockOf(seat).last);
    s_.collectionFaces[j] = static_cast<uint8_t>(face);
    if (!table_) return;
    table_->SetVisible(Family::J, j, true);
    table_->SetPicture(Family::J, j, face != 0 ? Picture::Face(face) : Picture::Back(s_.cardBack));
}

}  // namespace morvel
