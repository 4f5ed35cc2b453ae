// The layout contract: the person's moves and pass, the finishing order, the turn loop on Timer3
// and the computer players' moves.
#include "layout_play.h"

#include <bit>
#include <cassert>

#include "flow.h"
#include "game.h"

namespace morvel {

void Game::ResetLayout() {
    if (table_) {
        for (int n = 1; n <= 52; ++n)
            table_->SetPicture(Family::K, n, Picture::Blank());
    }
    s_.board = {};
    s_.stillIn.fill(true);
    s_.nextFinishingPlace = 1;
    s_.dealCardCount = 0;
    s_.humanTurn = false;
    ShowPassb(false);
}

void Game::LayOnBoard(int entry) {
    const CardRecord card = s_.hand[entry];
    assert(Held(card) && s_.board.CanLay(card.suit, card.rank));
    assert(s_.round.position >= 1 && s_.round.position <= 4);
    s_.board.Lay(card.suit, card.rank);
    s_.hand.Play(entry);
    if (table_) {
        table_->SetPicture(Family::K, BoardSlot(card.suit, card.rank), Picture::Face(card.face));
        table_->SetVisible(Family::I, entry, false);
    }
    s_.cycleMoves[s_.round.position] = Picture::Face(card.face);
    ++s_.dealCardCount;
    if (observer_) observer_->OnMove(SeatOfEntry(entry), card.suit, card.rank);
}

void Game::LayHumanLayoutCard(int entry) {
    const CardRecord& card = s_.hand[entry];
    if (!s_.board.CanLay(card.suit, card.rank)) {
        host_.Beep();
    } else {
        LayOnBoard(entry);
        s_.humanTurn = false;
        SetTimer(TimerId::Timer3, s_.speedInterval);
    }
    RecordFinishers();
}

// A pass is taken only when no card of the person's fits, a jack included.
void Game::passbClick() {
    if (!s_.passbVisible) return;
    const bool fits = s_.hand.FirstAmong(kHuman, s_.board.FittingByHandSuit()) != 0;
    if (!fits && s_.humanTurn) {
        Pass(kHuman);
        s_.humanTurn = false;
        SetTimer(TimerId::Timer3, s_.speedInterval);
    } else if (s_.humanTurn) {
        host_.Beep();
    }
}

// Seats that have run out of cards take the next finishing places, in seat order.
void Game::RecordOuts() {
    for (uint32_t empty = s_.hand.EmptySeats(); empty != 0; empty &= empty - 1) {
        const int seat = std::countr_zero(empty);
        if (!s_.stillIn[seat]) continue;
        s_.finishingPlace[seat] = s_.nextFinishingPlace;
        s_.stillIn[seat] = false;
        if (observer_) observer_->OnOut(seat, s_.nextFinishingPlace);
        ++s_.nextFinishingPlace;
        if (seat == kHuman) {
            ShowPassb(false);
            SetTimer(TimerId::Timer3, kFinishInterval);
        }
    }
}

void Game::AwardLayoutPoints() {
    for (int seat = 1; seat <= 4; ++seat) {
        const int place = s_.finishingPlace[seat];
        assert(place >= 1 && place <= 4);
        s_.gameScore[seat] += kLayout.placePoints[place];
    }
}

// A seat that passes holds no card that fits now, and every seat has seen it.
void Game::Pass(int seat) {
    s_.absences.notHeld[seat] |= s_.board.FittingCards();
    s_.cycleMoves[s_.round.position] = Picture::Pass();
    if (observer_) observer_->OnPass(seat);
}

void Game::ComputerLayoutMove(int seat) {
    MakeLayoutMove(seat, computer_->LayoutMove(s_, seat, chance_));
}

void Game::MakeLayoutMove(int seat, int entry) {
    if (entry != 0) {
        LayOnBoard(entry);
    } else {
        Pass(seat);
    }
    RecordFinishers();
}

// One step of the cycle: each seat in play order, then a fifth step that starts the next cycle.
void Game::Timer3Timer() {
    RecordFinishers();
    Round& round = s_.round;
    if (round.position > 4) round.position = 0;
    const int k = ++round.position;
    if (k <= 4) {
        const int seat = round.order[k];
        if (seat == kHuman) {
            if (s_.stillIn[kHuman]) {
                ShowPassb(true);
                RequestFocus(Focus::Passb);
                s_.humanTurn = true;
                SetTimer(TimerId::Timer3, 0);
                ShowTurnMarker(kHuman);
            }
        } else if (s_.stillIn[seat]) {
            ShowTurnMarker(seat);
            ComputerLayoutMove(seat);
        }
    }
    EndLayoutStep();
}

void Game::EndLayoutStep() {
    if (s_.round.position == 4) {
        for (int i = 1; i <= 4; ++i)
            s_.lastRound[s_.round.order[i]] = s_.cycleMoves[i];
    }
    if (s_.dealCardCount >= 52) EndLayoutDeal();
}

void Game::EndLayoutDeal() {
    AwardLayoutPoints();
    SetTimer(TimerId::Timer3, 0);
    WriteSheetRow();
    if (StopsHere()) return;
    if (GameIsOver(s_)) {
        SetTimer(TimerId::Timer1, 0);
        SetTimer(TimerId::Timer3, 0);
        WriteSheetRow();
        host_.ShowResultSheet();
        if (!observer_ || observer_->OnGameOver()) NewGame();
        return;
    }
    ShowPassb(false);
    SetTimer(TimerId::Timer1, s_.speedInterval);
}

}  // namespace morvel
