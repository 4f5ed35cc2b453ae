#include "table_draw.h"

#include "contracts.h"
#include "layout_play.h"
#include "table_layout.h"
#include "texts.h"

namespace morvel {

namespace {

int ChooserSeat(const GameState& s) {
    return s.chooserNumber >= 1 && s.chooserNumber <= 4 ? s.chooserSeats[s.chooserNumber] : 0;
}

// The contract's name under the mode panel: empty while the person has still to choose.
std::string_view ContractCaption(const GameState& s) {
    const Contract* playing = FindContract(CurrentContract(s));
    if (s.cgVisible || playing == nullptr) return "";
    if (s.mode == GameMode::Complex && !playing->layout) return text::kAllGamePanel;
    return playing->panel;
}

void DrawHands(const GameState& s, TableModel& table) {
    const bool locked = HumanHandLocked(s);
    for (int n = 1; n <= 52; ++n) {
        const bool human = SeatOfEntry(n) == kHuman;
        table.SetVisible(Family::I, n, Held(s.hand[n]));
        table.SetPicture(Family::I, n,
                         human ? Picture::Face(s.hand[n].face) : Picture::Back(s.cardBack));
        table.SetEnabled(Family::I, n, !(human && locked));
    }
}

void DrawCollections(const GameState& s, TableModel& table) {
    for (int seat = 1; seat <= 4; ++seat) {
        for (int j = BlockOf(seat).first; j <= BlockOf(seat).last; ++j) {
            const bool filled = j <= s.collectionPosition[seat];
            const int face = s.collectionFaces[j];
            table.SetVisible(Family::J, j, filled);
            table.SetPicture(Family::J, j,
                             !filled     ? Picture::Blank()
                             : face != 0 ? Picture::Face(face)
                                         : Picture::Back(s.cardBack));
        }
    }
    for (int seat = 1; seat <= 4; ++seat)
        table.SetPicture(Family::Pig, seat, Picture::Blank());
}

void DrawBoard(const GameState& s, TableModel& table) {
    for (int n = 1; n <= 52; ++n)
        table.SetPicture(Family::K, n, Picture::Blank());
    for (int i = 0; i < 4; ++i) {
        for (int rank = 2; rank <= kAce; ++rank) {
            if (s.board.value[i][rank] == 0) continue;
            const char suit = kBoardSuits[i];
            table.SetPicture(Family::K, BoardSlot(suit, rank), Picture::Face(FaceOf(suit, rank)));
        }
    }
}

void DrawPlayedSlots(const GameState& s, TableModel& table) {
    const int leader = s.round.order[1];
    const int shown = CardsOnTable(s);
    for (int n = 1; n <= 4; ++n) {
        if (leader >= 1 && leader <= 4) {
            const layout::Point spot = layout::kPlayedSpot[SeatAtPosition(leader, n)];
            table.MoveTo(Family::P, n, spot.left, spot.top);
        }
        const RoundCard& card = s.round.cards[n];
        table.SetPicture(
            Family::P, n,
            n <= shown ? Picture::Face(FaceOf(card.suit, card.rank)) : Picture::Blank());
    }
}

void DrawMarkers(const GameState& s, TableModel& table) {
    for (int seat = 1; seat <= 4; ++seat)
        table.SetVisible(Family::H, seat, seat == s.turnMarker);
    for (int k = 1; k <= 4; ++k)
        table.SetVisible(Family::King, k, k == s.chooserNumber && ChooserSeat(s) != 0);
    if (const int seat = ChooserSeat(s); seat != 0) {
        const layout::Point spot = layout::kChooserSpot[seat];
        table.MoveTo(Family::King, s.chooserNumber, spot.left, spot.top);
    }
}

}  // namespace

bool HumanHandLocked(const GameState& s) {
    return s.contractNumber == 0 && s.chooserNumber >= 2 && ChooserSeat(s) == kHuman;
}

int CardsOnTable(const GameState& s) {
    const Contract* playing = FindContract(CurrentContract(s));
    if (playing == nullptr || playing->layout || s.cgVisible) return 0;
    if (s.round.taken) return 4;
    return s.humanTurn ? s.round.position - 1 : s.round.position;
}

void DrawTable(const GameState& s, TableModel& table) {
    DrawHands(s, table);
    DrawCollections(s, table);
    DrawBoard(s, table);
    DrawPlayedSlots(s, table);
    DrawMarkers(s, table);
    table.SetPanel1(s.menuMode == GameMode::Normal ? text::kPanelNormal : text::kPanelComplex);
    table.SetNamegame(ContractCaption(s));
    table.SetNamegameVisible(true);
    table.SetNameplayer(s.playerName);
    table.SetCgVisible(s.cgVisible);
    table.SetPassbVisible(s.passbVisible);
    table.SetFocus(s.cgVisible ? Focus::Cg : s.passbVisible ? Focus::Passb : Focus::None);
}

}  // namespace morvel
