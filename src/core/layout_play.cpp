// The layout contract: the board built out from the jacks, the human player's moves and pass,
// the finishing order, the turn loop on Timer3 and the computer players' moves.
#include <cassert>
#include <cstdlib>

#include "game.h"
#include "hand_queries.h"

namespace morvel {

namespace {

// Each suit has a column of thirteen board slots, ace at the top, then king, queen, jack and
// down to the two.
int BoardSlot(char suit, int rank) {
    return BoardSuit(suit) * 13 + 15 - rank;
}

}  // namespace

void Game::ResetLayout() {
    for (int n = 1; n <= 52; ++n)
        s_.table.SetPicture(Family::K, n, Picture::Blank());
    s_.board = {};
    s_.stillIn.fill(true);
    s_.nextFinishingPlace = 1;
    s_.dealCardCount = 0;
    s_.humanTurn = false;
    s_.table.SetPassbVisible(false);
}

void Game::ComputeSuitExtents() {
    Board& b = s_.board;
    if (b.changedSuits == 0) return;
    for (int suit = 0; suit < 4; ++suit) {
        if ((b.changedSuits >> suit & 1) == 0) continue;
        // A board value is 0 or its own rank, so the largest value is that of the highest rank
        // laid, and the smallest non-zero one up to the jack that of the lowest rank laid.
        const auto& value = b.value[suit];
        int32_t high = 0;
        for (int r = kAce; r >= 2 && high == 0; --r)
            high = value[r];
        int32_t low = 0;
        if (value[kJack] != 0) {
            for (int r = 2; r <= kJack && low == 0; ++r)
                low = value[r];
        }
        b.high[suit] = high;
        b.low[suit] = low;
    }
    b.changedSuits = 0;
}

bool Game::CanLay(char suit, int rank) const {
    if (rank == kJack) return true;
    const int i = BoardSuit(suit);
    return std::abs(rank - s_.board.low[i]) == 1 || std::abs(rank - s_.board.high[i]) == 1;
}

void Game::LayOnBoard(int entry) {
    CardRecord& card = s_.hand[entry];
    assert(card.suit != kPlayed);
    assert(s_.roundPosition >= 1 && s_.roundPosition <= 4);
    s_.table.SetPicture(Family::K, BoardSlot(card.suit, card.rank), Picture::Face(card.face));
    s_.board.value[BoardSuit(card.suit)][card.rank] = card.rank;
    s_.board.changedSuits |= 1 << BoardSuit(card.suit);
    const char suit = card.suit;
    card.suit = kPlayed;
    s_.table.SetVisible(Family::I, entry, false);
    s_.cycleMoves[s_.roundPosition] = Picture::Face(card.face);
    ++s_.dealCardCount;
    observer_->OnMove(SeatOfEntry(entry), suit, card.rank);
}

void Game::LayHumanLayoutCard(int entry) {
    const CardRecord& card = s_.hand[entry];
    if (!CanLay(card.suit, card.rank)) {
        host_.Beep();
    } else {
        LayOnBoard(entry);
        s_.humanTurn = false;
        SetTimer(TimerId::Timer3, s_.speedInterval);
    }
    RecordFinishers();
}

void Game::passbClick() {
    if (!s_.table.PassbVisible()) return;
    ComputeSuitExtents();
    const HandQuery q{s_.hand, 40, 52};
    int fitting = 0;
    for (int n = 40; n <= 52; ++n) {
        const CardRecord& c = s_.hand[n];
        if (c.suit != kPlayed && CanLay(c.suit, c.rank)) ++fitting;
    }
    if (!q.HasRank(kJack) && fitting == 0 && s_.humanTurn) {
        s_.cycleMoves[s_.roundPosition] = Picture::Pass();
        observer_->OnPass(kHuman);
        s_.humanTurn = false;
        SetTimer(TimerId::Timer3, s_.speedInterval);
    } else if (s_.humanTurn) {
        host_.Beep();
    }
}

int Game::CountCards(int first, int last) const {
    return HandQuery{s_.hand, first, last}.CountCards();
}

void Game::RecordFinishers() {
    for (int seat = 1; seat <= 4; ++seat) {
        // A seat is out when its block holds no card.
        if (!s_.stillIn[seat] ||
            HandQuery{s_.hand, BlockOf(seat).first, BlockOf(seat).last}.AnyCard()) {
            continue;
        }
        s_.finishingPlace[seat] = s_.nextFinishingPlace;
        s_.stillIn[seat] = false;
        observer_->OnOut(seat, s_.nextFinishingPlace);
        ++s_.nextFinishingPlace;
        if (seat == kHuman) {
            s_.table.SetPassbVisible(false);
            SetTimer(TimerId::Timer3, kFinishInterval);
        }
    }
}

int Game::LayoutChoice(int first, int last) {
    const HandQuery q{s_.hand, first, last};
    if (const int jack = q.FindRank(kJack); jack != 0) return jack;
    SeedFromClock();
    const bool forward = s_.random.Draw(6) % 2 == 0;
    for (int i = 0; i <= last - first; ++i) {
        const int n = forward ? first + i : last - i;
        const CardRecord& c = s_.hand[n];
        if (c.suit != kPlayed && CanLay(c.suit, c.rank)) return n;
    }
    return 0;
}

void Game::ComputerLayoutMove(int first, int last) {
    ComputeSuitExtents();
    const int e = LayoutChoice(first, last);
    if (e != 0) {
        LayOnBoard(e);
    } else {
        s_.cycleMoves[s_.roundPosition] = Picture::Pass();
        observer_->OnPass(SeatOfEntry(first));
    }
    ComputeSuitExtents();
    RecordFinishers();
}

void Game::Timer3Timer() {
    ComputeSuitExtents();
    RecordFinishers();
    if (s_.roundPosition > 4) s_.roundPosition = 0;
    const int k = ++s_.roundPosition;
    if (k <= 4) {
        const int seat = s_.playOrder[k];
        if (seat == kHuman) {
            if (s_.stillIn[kHuman]) {
                s_.table.SetPassbVisible(true);
                s_.table.SetFocus(Focus::Passb);
                s_.humanTurn = true;
                SetTimer(TimerId::Timer3, 0);
                ShowTurnMarker(kHuman);
            }
        } else if (s_.stillIn[seat]) {
            ShowTurnMarker(seat);
            ComputerLayoutMove(BlockOf(seat).first, BlockOf(seat).last);
        }
    }
    if (k == 4) {
        for (int i = 1; i <= 4; ++i)
            s_.lastRound[s_.playOrder[i]] = s_.cycleMoves[i];
    }
    if (s_.dealCardCount >= 52) EndLayoutDeal();
}

void Game::EndLayoutDeal() {
    AwardLayoutPoints();
    SetTimer(TimerId::Timer3, 0);
    WriteSheetRow();
    if (s_.contractNumber >= 5 && s_.chooserNumber == 4) {
        SetTimer(TimerId::Timer1, 0);
        SetTimer(TimerId::Timer3, 0);
        WriteSheetRow();
        host_.ShowResultSheet();
        if (observer_->OnGameOver()) NewGame();
        return;
    }
    s_.table.SetPassbVisible(false);
    SetTimer(TimerId::Timer1, s_.speedInterval);
}

// --- Side windows ----------------------------------------------------------------------------

void Game::CollectionMouseDown(int slot) {
    const int seat = SeatOfEntry(slot);
    s_.table.SetPicture(Family::Pig, seat, s_.table.Get(Family::J, slot).picture);
}

void Game::CollectionMouseUp(int slot) {
    s_.table.SetPicture(Family::Pig, SeatOfEntry(slot), Picture::Blank());
}

void Game::ChooseCardBack(int k) {
    assert(k >= 1 && k <= 6);
    s_.cardBack = k;
    for (int n = 1; n <= 39; ++n)
        s_.table.SetPicture(Family::I, n, Picture::Back(k));
    for (int n = 40; n <= 52; ++n)
        s_.table.SetPicture(Family::I, n, Picture::Face(s_.hand[n].face));
    // Face-down collection rows belong to Collection and the All Game deal, which both carry 'L'.
    if (CurrentContract() != kCollectionLetter) return;
    for (int seat = 1; seat <= 4; ++seat) {
        for (int j = BlockOf(seat).first; j <= s_.collectionPosition[seat]; ++j) {
            s_.table.SetPicture(Family::J, j, Picture::Back(k));
        }
    }
}

}  // namespace morvel
