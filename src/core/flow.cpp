// The run of a game from deal to deal: the choosers in turn, the end of a deal and of a game,
// and the rows of the result sheet.
#include <cassert>

#include "flow.h"
#include "game.h"

namespace morvel {

void Game::BlankPlayedSlots() {
    if (!table_) return;
    for (int n = 1; n <= 4; ++n)
        table_->SetPicture(Family::P, n, Picture::Blank());
}

// Every deal starts with empty collection rows: seat 1 fills j40..j52, seat 2 j27..j39, seat 3
// j14..j26, seat 4 j1..j13, and nothing taken is counted yet.
void Game::ClearTakenRounds() {
    if (table_) {
        for (int n = 1; n <= 52; ++n) {
            table_->SetPicture(Family::J, n, Picture::Blank());
            table_->SetVisible(Family::J, n, false);
        }
        // A taken card held enlarged when the deal ended must not stay as a fifth card on the
        // table.
        for (int seat = 1; seat <= 4; ++seat)
            table_->SetPicture(Family::Pig, seat, Picture::Blank());
    }
    for (int seat = 1; seat <= 4; ++seat)
        s_.collectionPosition[seat] = BlockOf(seat).first - 1;
    s_.collectionFaces = {};
    s_.complexScores = {};
    s_.taken = {};
}

void Game::NewGame() {
    s_.mode = s_.menuMode;
    if (observer_) observer_->OnNewGame();
    s_.contractList.Clear();
    ShowPassb(false);
    s_.lastRound.fill(Picture::Blank());
    BlankPlayedSlots();
    ClearTakenRounds();
    ResetLayout();
    if (table_) {
        table_->SetNameplayer(s_.playerName);
        table_->SetNamegameVisible(true);
    }
    ResetSheet();
    s_.gameScore.fill(0);
    s_.dealGoesOn = true;
    s_.chooseDialog.Reset();
    s_.allDialog.Reset();
    s_.contractNumber = 0;
    // A game started from the menu may cut into a round just taken, or into a wait for the human
    // chooser: no trace of the old round may reach the new game, and the hand is unlocked.
    s_.round.taken = false;
    s_.round.position = 0;
    UnlockHumanHand();
    Deal();
    s_.chooserNumber = 1;
    s_.nextFinishingPlace = 1;
    s_.dealCardCount = 0;

    s_.chooserSeats = ChooserSeats(s_.hand);
    if (observer_) observer_->OnChooser(1, s_.chooserSeats[1]);

    const int chooser = s_.chooserSeats[1];
    s_.round.SetOrder(chooser);
    ShowChooserMarker();
    PlacePlayedSlots(chooser);
    s_.humanTurn = false;
    if (chooser == kHuman) {
        SetTimer(TimerId::Timer1, 0);
        SetTimer(TimerId::Timer3, 0);
        s_.contractList.Clear();
        ShowCg(true);
        RequestFocus(Focus::Cg);
    } else {
        s_.round.position = 0;
        ShowCg(false);
        ComputerChooseContract(chooser);
    }
    ShowTurnMarker(chooser);
}

void Game::NewDeal() {
    ClearTakenRounds();
    s_.humanTurn = false;
    BlankPlayedSlots();
    ResetLayout();
    ShowPassb(false);
    Deal();
    s_.dealGoesOn = true;
    s_.round.position = 0;
    s_.dealCardCount = 0;
    s_.nextFinishingPlace = 1;
    const int chooser = s_.chooserSeats[s_.chooserNumber];
    s_.round.SetOrder(chooser);
    ShowChooserMarker();
    s_.humanTurn = false;
    if (chooser == kHuman) {
        SetTimer(TimerId::Timer1, 0);
        ShowCg(true);
        RequestFocus(Focus::Cg);
    } else {
        ShowCg(false);
    }
    ShowTurnMarker(chooser);
}

void Game::AdvanceChoice() {
    const int seat = s_.chooserSeats[s_.chooserNumber];
    if (seat == kHuman) {
        if (ChooserIsDone(s_)) NextChooser();
        return;
    }
    if (!ChooserIsDone(s_)) {
        ComputerChooseContract(seat);
    } else if (s_.chooserNumber < kChoosers) {
        NextChooser();
    }
}

void Game::NextChooser() {
    s_.lastRound.fill(Picture::Blank());
    s_.round.position = 0;
    s_.contractNumber = 0;
    ++s_.chooserNumber;
    assert(s_.chooserNumber <= kChoosers);
    const int chooser = s_.chooserSeats[s_.chooserNumber];
    if (observer_) observer_->OnChooser(s_.chooserNumber, chooser);
    s_.round.SetOrder(chooser);
    PlacePlayedSlots(chooser);
    s_.contractList.Clear();
    if (chooser == kHuman) {
        LockHumanHand();
        s_.humanTurn = false;
        ShowCg(true);
        RequestFocus(Focus::Cg);
        SetTimer(TimerId::Timer1, 0);
        ShowTurnMarker(kHuman);  // "Chose Game" waits for the person
    } else {
        ShowCg(false);
        ComputerChooseContract(chooser);
    }
    ShowChooserMarker();
}

// A deal played on its own ends here.
bool Game::StopsHere() {
    if (!stopAtDealEnd_) return false;
    SetTimer(TimerId::Timer1, 0);
    SetTimer(TimerId::Timer3, 0);
    dealEnded_ = true;
    return true;
}

void Game::EndDeal() {
    const Contract* playing = Playing();
    if (s_.mode == GameMode::Complex && (playing == nullptr || !playing->layout)) {
        AddComplexScores();
    }
    SetTimer(TimerId::Timer1, 0);
    WriteSheetRow();
    if (StopsHere()) return;
    host_.ShowResultSheet();
    if (GameIsOver(s_)) {
        SetTimer(TimerId::Timer1, 0);
        if (!observer_ || observer_->OnGameOver()) NewGame();
        return;
    }
    s_.humanTurn = false;
    NewDeal();
    AdvanceChoice();
    PlacePlayedSlots(s_.chooserSeats[s_.chooserNumber]);
    s_.humanTurn = false;
}

// The tallies of an All Game deal reach the game scores one round contract at a time, each
// written on its own row at its own place of the contract list.
void Game::AddComplexScores() {
    for (const Contract* c : kAllGameRows) {
        for (int seat = 1; seat <= 4; ++seat)
            s_.gameScore[seat] += s_.complexScores[c->id][seat];
        s_.contractList.Set(s_.contractNumber, c->letter);
        WriteSheetRow();
        if (c != kAllGameRows.back()) ++s_.contractNumber;
    }
    assert(s_.contractNumber <= 5);
}

// --- Scoring and the result sheet ------------------------------------------------------------

int Game::FindWinner() const {
    int best = 1;
    for (int seat = 1; seat <= 4; ++seat) {
        if (s_.gameScore[seat] > s_.gameScore[best]) best = seat;
    }
    return best;
}

void Game::ClearSheet() {
    s_.sheet.Clear();
}

void Game::ResetSheet() {
    s_.sheet.playerName = s_.playerName;
    s_.sheet.Clear();
    s_.sheet.Whiten();
}

void Game::WriteSheetRow() {
    const char letter = CurrentContract();
    const int band = s_.chooserNumber;
    if (band < 1 || band > 4) return;
    const int row = s_.contractNumber - 1;
    if (row < 0 || row > 4) return;
    s_.sheet.WriteRow(band, row, letter, s_.gameScore);
    if (observer_) observer_->OnRow(band, row, letter);
    if (band == 4 && s_.contractNumber == 5) {
        const int w = FindWinner();
        s_.sheet.MarkWinner(w);
        if (observer_) observer_->OnWinner(w);
    }
}

}  // namespace morvel
