// The run of a game from deal to deal, the turn loop of the round contracts, the choice of a
// contract and the result sheet.
#include <cassert>

#include "game.h"
#include "hand_queries.h"
#include "texts.h"

namespace morvel {

namespace {

constexpr int kMorvelPoints[5] = {0, 200, 150, 100, 50};  // by finishing place

}  // namespace

// --- Game flow -------------------------------------------------------------------------------

void Game::BlankPlayedSlots() {
    for (int n = 1; n <= 4; ++n)
        s_.table.SetPicture(Family::P, n, Picture::Blank());
}

// Every deal starts with empty collection rows: seat 1 fills j40..j52, seat 2 j27..j39, seat 3
// j14..j26, seat 4 j1..j13, and nothing taken is counted yet.
void Game::ClearTakenRounds() {
    for (int n = 1; n <= 52; ++n) {
        s_.table.SetPicture(Family::J, n, Picture::Blank());
        s_.table.SetVisible(Family::J, n, false);
    }
    // A taken card held enlarged when the deal ended must not stay as a fifth card on the table.
    for (int seat = 1; seat <= 4; ++seat)
        s_.table.SetPicture(Family::Pig, seat, Picture::Blank());
    for (int seat = 1; seat <= 4; ++seat)
        s_.collectionPosition[seat] = BlockOf(seat).first - 1;
    s_.complexScores = {};
    s_.taken = {};
}

void Game::NewGame() {
    s_.mode = s_.menuMode;
    observer_->OnNewGame();
    s_.contractList.Clear();
    s_.table.SetPassbVisible(false);
    s_.lastRound.fill(Picture::Blank());
    BlankPlayedSlots();
    ClearTakenRounds();
    ResetLayout();
    s_.table.SetNameplayer(s_.playerName);
    s_.table.SetNamegameVisible(true);
    ResetSheet();
    s_.gameScore.fill(0);
    s_.dealGoesOn = true;
    s_.chooseDialog.Reset();
    s_.allDialog.Reset();
    s_.contractNumber = 0;
    // A game started from the menu may cut into a round just taken, or into a wait for the human
    // chooser: no trace of the old round may reach the new game, and the hand is unlocked.
    s_.roundTaken = false;
    s_.roundPosition = 0;
    UnlockHumanHand();
    Deal();
    s_.chooserNumber = 1;
    s_.nextFinishingPlace = 1;
    s_.dealCardCount = 0;

    int holder = 0;
    for (int n = 1; n <= 52; ++n) {
        if (s_.hand[n].suit == kHearts && s_.hand[n].rank == 7) holder = SeatOfEntry(n);
    }
    assert(holder != 0);
    for (int k = 1; k <= 4; ++k)
        s_.chooserSeats[k] = SeatAtPosition(holder, k);
    observer_->OnChooser(1, s_.chooserSeats[1]);

    const int chooser = s_.chooserSeats[1];
    SetPlayOrder(chooser);
    ShowChooserMarker();
    PlacePlayedSlots(chooser);
    s_.humanTurn = false;
    if (chooser == kHuman) {
        SetTimer(TimerId::Timer1, 0);
        SetTimer(TimerId::Timer3, 0);
        s_.contractList.Clear();
        s_.table.SetCgVisible(true);
        s_.table.SetFocus(Focus::Cg);
    } else {
        s_.roundPosition = 0;
        s_.table.SetCgVisible(false);
        ComputerChooseContract(BlockOf(chooser).first, BlockOf(chooser).last);
    }
    ShowTurnMarker(chooser);
}

void Game::NewDeal() {
    ClearTakenRounds();
    s_.humanTurn = false;
    BlankPlayedSlots();
    ResetLayout();
    s_.table.SetPassbVisible(false);
    Deal();
    s_.dealGoesOn = true;
    s_.roundPosition = 0;
    s_.dealCardCount = 0;
    s_.nextFinishingPlace = 1;
    const int chooser = s_.chooserSeats[s_.chooserNumber];
    SetPlayOrder(chooser);
    ShowChooserMarker();
    s_.humanTurn = false;
    if (chooser == kHuman) {
        SetTimer(TimerId::Timer1, 0);
        s_.table.SetCgVisible(true);
        s_.table.SetFocus(Focus::Cg);
    } else {
        s_.table.SetCgVisible(false);
    }
    ShowTurnMarker(chooser);
}

void Game::AdvanceChoice() {
    const int seat = s_.chooserSeats[s_.chooserNumber];
    if (seat == kHuman) {
        if (s_.contractNumber >= 5) NextChooser();
        return;
    }
    if (s_.contractNumber < 5) {
        ComputerChooseContract(BlockOf(seat).first, BlockOf(seat).last);
    } else if (s_.chooserNumber < 4) {
        NextChooser();
    }
}

void Game::NextChooser() {
    s_.lastRound.fill(Picture::Blank());
    s_.roundPosition = 0;
    s_.contractNumber = 0;
    ++s_.chooserNumber;
    assert(s_.chooserNumber <= 4);
    const int chooser = s_.chooserSeats[s_.chooserNumber];
    observer_->OnChooser(s_.chooserNumber, chooser);
    SetPlayOrder(chooser);
    PlacePlayedSlots(chooser);
    s_.contractList.Clear();
    if (chooser == kHuman) {
        LockHumanHand();
        s_.humanTurn = false;
        s_.table.SetCgVisible(true);
        s_.table.SetFocus(Focus::Cg);
        SetTimer(TimerId::Timer1, 0);
        ShowTurnMarker(kHuman);  // "Chose Game" waits for the person
    } else {
        s_.table.SetCgVisible(false);
        ComputerChooseContract(BlockOf(chooser).first, BlockOf(chooser).last);
    }
    ShowChooserMarker();
}

// --- The turn loop of the round contracts ----------------------------------------------------

void Game::Timer1Timer() {
    if (s_.roundTaken) {
        const int w = RoundWinner();
        PlacePlayedSlots(w);
        SetPlayOrder(w);
        s_.roundTaken = false;
    }
    ++s_.dealCardCount;
    if (s_.dealCardCount >= 53 || !s_.dealGoesOn) {
        EndDeal();
        return;
    }
    if (s_.roundPosition == 0) BlankPlayedSlots();
    const int n = ++s_.roundPosition;
    assert(n >= 1 && n <= 4);
    const int seat = s_.playOrder[n];
    if (seat == kHuman) {
        s_.humanTurn = true;
        SetTimer(TimerId::Timer1, 0);
        s_.roundPlaces[kHuman] = n;
        ShowTurnMarker(kHuman);
        return;
    }
    s_.roundPlaces[seat] = n;
    ShowTurnMarker(seat);
    const Block block = BlockOf(seat);
    if (n == 1) {
        ComputerLead(block.first, block.last);
    } else {
        ComputerFollow(block.first, block.last, s_.winningRank, s_.leadSuit);
    }
}

void Game::EndDeal() {
    if (s_.mode == GameMode::Complex && CurrentContract() != kMorvelLetter) AddComplexScores();
    SetTimer(TimerId::Timer1, 0);
    WriteSheetRow();
    host_.ShowResultSheet();
    if (s_.contractNumber >= 5 && s_.chooserNumber >= 4) {
        SetTimer(TimerId::Timer1, 0);
        if (observer_->OnGameOver()) NewGame();
        return;
    }
    s_.humanTurn = false;
    NewDeal();
    AdvanceChoice();
    PlacePlayedSlots(s_.chooserSeats[s_.chooserNumber]);
    s_.humanTurn = false;
}

void Game::AddComplexScores() {
    const std::pair<const Numbered<int32_t, 4>*, char> tallies[4] = {
        {&s_.complexScores.collection, kCollectionLetter},
        {&s_.complexScores.diamonds, kDiamondsLetter},
        {&s_.complexScores.queen, kQueenLetter},
        {&s_.complexScores.heartKing, kHeartKingLetter},
    };
    for (const auto& [tally, letter] : tallies) {
        for (int seat = 1; seat <= 4; ++seat)
            s_.gameScore[seat] += (*tally)[seat];
        s_.contractList.Set(s_.contractNumber, letter);
        WriteSheetRow();
        if (letter != kHeartKingLetter) ++s_.contractNumber;
    }
    assert(s_.contractNumber <= 5);
}

// --- Choosing a contract ---------------------------------------------------------------------

void Game::cgClick() {
    if (!s_.table.CgVisible()) return;
    s_.lastRound.fill(Picture::Blank());
    s_.roundPosition = 1;
    s_.dealCardCount = 1;
    s_.roundPlaces[kHuman] = 1;
    s_.humanTurn = false;
    ++s_.contractNumber;
    assert(s_.contractNumber <= 5);
    const ContractList& list = s_.contractList;
    if (s_.mode == GameMode::Normal) {
        if (list.FreeCount() == 1) {
            s_.table.SetCgVisible(false);
            for (const ContractTexts& c : kContracts) {
                if (!list.Used(c.letter)) s_.contractList.Set(s_.contractNumber, c.letter);
            }
        } else {
            host_.ShowChooseDialog();
        }
        s_.table.SetNamegame(FindContract(CurrentContract())->panel);
    } else {
        if (list.Used(kCollectionLetter)) {
            s_.table.SetCgVisible(false);
            s_.contractList.Set(s_.contractNumber, kMorvelLetter);
        } else if (list.Used(kMorvelLetter)) {
            s_.table.SetCgVisible(false);
            s_.contractList.Set(s_.contractNumber, kCollectionLetter);
        } else {
            host_.ShowAllDialog();
        }
        s_.table.SetNamegame(CurrentContract() == kMorvelLetter ? FindContract(kMorvelLetter)->panel
                                                                : text::kAllGamePanel);
    }
    s_.table.SetCgVisible(false);
    const char letter = CurrentContract();
    assert(letter != kNoContract);
    observer_->OnContract(letter);
    if (letter == kMorvelLetter) {
        s_.table.SetPassbVisible(true);
        s_.table.SetFocus(Focus::Passb);
        s_.dealCardCount = 0;
    }
    SetPlayOrder(kHuman);
    PlacePlayedSlots(kHuman);
    s_.humanTurn = true;
    ShowTurnMarker(kHuman);  // the person leads without a timer step
    UnlockHumanHand();
}

void Game::ChooseFormActivate() {
    s_.chooseDialog.selectedIndex = 0;
}

void Game::ChooseRadioClick(int k) {
    assert(k >= 1 && k <= 5);
    if (s_.chooseDialog.Click(k)) s_.contractList.Set(s_.contractNumber, kContracts[k - 1].letter);
}

// OK of a choice dialog: closes it once a contract is chosen, and that contract's button stays
// disabled for the rest of the game; without a choice, the message box.
template <int N>
bool Game::ConfirmChoice(ChoiceDialog<N>& dialog) {
    const int k = dialog.selectedIndex;
    if (k == 0) {
        host_.ShowMessage(text::kChooseOneMessage);
        return false;
    }
    dialog.enabled[k] = false;
    return true;
}

bool Game::ChooseOkClick() {
    return ConfirmChoice(s_.chooseDialog);
}

void Game::AllFormActivate() {
    s_.allDialog.selectedIndex = 0;
}

void Game::AllRadioClick(int k) {
    assert(k >= 1 && k <= 2);
    if (s_.allDialog.Click(k)) {
        s_.contractList.Set(s_.contractNumber, k == 1 ? kCollectionLetter : kMorvelLetter);
    }
}

bool Game::AllOkClick() {
    return ConfirmChoice(s_.allDialog);
}

char Game::ChooseByRules(int first, int last) {
    const ContractList& list = s_.contractList;
    int aboveFour = 0, belowSix = 0, highDiamonds = 0, honours = 0;
    for (int n = first; n <= last; ++n) {
        const CardRecord& c = s_.hand[n];
        if (c.suit == kPlayed) continue;
        aboveFour += c.rank > 4;
        belowSix += c.rank < 6;
        highDiamonds += c.suit == kDiamonds && c.rank > 8;
        honours += c.rank > kJack;
    }
    const HandQuery q{s_.hand, first, last};
    if (aboveFour > 10 && !list.Used(kMorvelLetter)) return kMorvelLetter;
    if (belowSix > 8 && !list.Used(kCollectionLetter)) return kCollectionLetter;
    if (highDiamonds <= 2 && !list.Used(kDiamondsLetter)) return kDiamondsLetter;
    if (!q.HasCard(kKing, kHearts) && !q.HasCard(kAce, kHearts) && !list.Used(kHeartKingLetter)) {
        return kHeartKingLetter;
    }
    if (honours < 2 && !list.Used(kQueenLetter)) return kQueenLetter;

    static constexpr char kByDraw[5] = {kCollectionLetter, kQueenLetter, kHeartKingLetter,
                                        kDiamondsLetter, kMorvelLetter};
    assert(list.FreeCount() > 0);
    SeedFromClock();
    char letter = kByDraw[s_.random.Draw(5)];
    while (list.Used(letter))
        letter = kByDraw[s_.random.Draw(5)];
    return letter;
}

void Game::ComputerChooseContract(int first, int last) {
    s_.lastRound.fill(Picture::Blank());
    BlankPlayedSlots();
    ++s_.contractNumber;
    assert(s_.contractNumber <= 5);
    const int chooser = SeatOfEntry(first);
    SetPlayOrder(chooser);
    PlacePlayedSlots(chooser);
    const char letter = ChooseByRules(first, last);
    s_.contractList.Set(s_.contractNumber, letter);
    s_.table.SetNamegame(FindContract(letter)->panel);
    if (s_.mode == GameMode::Complex && letter != kMorvelLetter) {
        s_.contractList.Set(s_.contractNumber, kCollectionLetter);
        s_.table.SetNamegame(text::kAllGamePanel);
    }
    observer_->OnContract(CurrentContract());
    if (letter == kMorvelLetter) {
        s_.roundPosition = 0;
        SetTimer(TimerId::Timer3, s_.speedInterval);
        SetTimer(TimerId::Timer1, 0);
    } else {
        SetTimer(TimerId::Timer1, s_.speedInterval);
        SetTimer(TimerId::Timer3, 0);
    }
}

// --- Scoring and the result sheet ------------------------------------------------------------

int Game::FindWinner() const {
    int best = 1;
    for (int seat = 1; seat <= 4; ++seat) {
        if (s_.gameScore[seat] > s_.gameScore[best]) best = seat;
    }
    return best;
}

void Game::AwardLayoutPoints() {
    for (int seat = 1; seat <= 4; ++seat) {
        const int place = s_.finishingPlace[seat];
        assert(place >= 1 && place <= 4);
        s_.gameScore[seat] += kMorvelPoints[place];
    }
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
    SheetBand& b = s_.sheet.MutableBand(band);
    for (int seat = 1; seat <= 4; ++seat) {
        const int32_t score = s_.gameScore[seat];
        b.colour[seat] = score == 0  ? SheetColour::White
                         : score > 0 ? SheetColour::Blue
                                     : SheetColour::Yellow;
    }
    b.rows[row].contract = letter;
    b.rows[row].written = true;
    for (int seat = 1; seat <= 4; ++seat)
        b.rows[row].score[seat] = s_.gameScore[seat];
    observer_->OnRow(band, row, letter);
    if (band == 4 && s_.contractNumber == 5) {
        const int w = FindWinner();
        for (int k = 1; k <= 4; ++k)
            s_.sheet.MutableBand(k).colour[w] = SheetColour::Green;
        observer_->OnWinner(w);
    }
}

}  // namespace morvel
