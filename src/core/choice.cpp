// Choosing the contract: the person through the Chose Game button and the two choice dialogs, a
// computer chooser through its player.
#include <cassert>

#include "game.h"
#include "texts.h"

namespace morvel {

void Game::cgClick() {
    if (!s_.cgVisible) return;
    s_.lastRound.fill(Picture::Blank());
    s_.round.position = 1;
    s_.dealCardCount = 1;
    s_.humanTurn = false;
    ++s_.contractNumber;
    assert(s_.contractNumber <= 5);
    const ContractList& list = s_.contractList;
    if (s_.mode == GameMode::Normal) {
        if (list.FreeCount() == 1) {
            ShowCg(false);
            for (const Contract& c : kContracts) {
                if (!list.Used(c)) s_.contractList.Set(s_.contractNumber, c.letter);
            }
        } else {
            host_.ShowChooseDialog();
        }
        ShowContractName(Playing()->panel);
    } else {
        // The All Game deal and the layout deal: once one is played, the other follows.
        if (list.Used(kAllGame)) {
            ShowCg(false);
            s_.contractList.Set(s_.contractNumber, kLayout.letter);
        } else if (list.Used(kLayout)) {
            ShowCg(false);
            s_.contractList.Set(s_.contractNumber, kAllGame.letter);
        } else {
            host_.ShowAllDialog();
        }
        ShowContractName(Playing()->layout ? kLayout.panel : text::kAllGamePanel);
    }
    ShowCg(false);
    const Contract* playing = Playing();
    assert(playing != nullptr);
    if (observer_) observer_->OnContract(playing->letter);
    if (playing->layout) {
        ShowPassb(true);
        RequestFocus(Focus::Passb);
        s_.dealCardCount = 0;
    }
    s_.round.SetOrder(kHuman);
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
        s_.contractList.Set(s_.contractNumber, k == 1 ? kAllGame.letter : kLayout.letter);
    }
}

bool Game::AllOkClick() {
    return ConfirmChoice(s_.allDialog);
}

void Game::ComputerChooseContract(int seat) {
    s_.lastRound.fill(Picture::Blank());
    BlankPlayedSlots();
    ++s_.contractNumber;
    assert(s_.contractNumber <= 5);
    s_.round.SetOrder(seat);
    PlacePlayedSlots(seat);
    StartContract(computer_->ChooseContract(s_, seat, chance_));
}

void Game::StartContract(char letter) {
    const Contract* chosen = FindContract(letter);
    assert(chosen != nullptr && !s_.contractList.Used(letter));
    s_.contractList.Set(s_.contractNumber, letter);
    ShowContractName(chosen->panel);
    if (s_.mode == GameMode::Complex && !chosen->layout) {
        s_.contractList.Set(s_.contractNumber, kAllGame.letter);
        ShowContractName(text::kAllGamePanel);
    }
    if (observer_) observer_->OnContract(CurrentContract());
    if (chosen->layout) {
        s_.round.position = 0;
        SetTimer(TimerId::Timer3, s_.speedInterval);
        SetTimer(TimerId::Timer1, 0);
    } else {
        SetTimer(TimerId::Timer1, s_.speedInterval);
        SetTimer(TimerId::Timer3, 0);
    }
}

}  // namespace morvel
