// Laying cards in the round contracts, taking a round, and the computer players' card choice.
#include <cassert>

#include "game.h"
#include "hand_queries.h"

namespace morvel {

namespace {

constexpr int kDiamondPoints = -10;
constexpr int kQueenPoints = -25;
constexpr int kHeartKingPoints = -75;
constexpr int kCollectionPoints = -15;

bool IsHeartKing(char suit, int rank) {
    return suit == kHearts && rank == kKing;
}

}  // namespace

char Game::CurrentContract() const {
    // Before a chooser's first choice there is no place 0: no contract is played.
    if (s_.contractNumber < 1 || s_.contractNumber > 5) return kNoContract;
    return s_.contractList[s_.contractNumber];
}

// --- Laying a card ---------------------------------------------------------------------------

void Game::LayCard(int entry) {
    const int k = s_.roundPosition;
    assert(k >= 1 && k <= 4);
    CardRecord& card = s_.hand[entry];
    assert(card.suit != kPlayed);
    s_.table.SetPicture(Family::P, k, Picture::Face(card.face));
    s_.roundCards[k] = {card.suit, card.rank};
    card.suit = kPlayed;
    s_.table.SetVisible(Family::I, entry, false);
    observer_->OnLay(SeatOfEntry(entry), s_.roundCards[k].suit, card.rank);
}

bool Game::HasSuit(int first, int last, char suit) const {
    return HandQuery{s_.hand, first, last}.HasSuit(suit);
}

void Game::HandSlotClick(int entry) {
    if (!s_.humanTurn) return;
    if (entry < 40 || entry > 52 || s_.hand[entry].suit == kPlayed) return;
    const char letter = CurrentContract();
    if (IsRoundContract(letter)) {
        LayHumanCard(entry, s_.hand[entry].rank, s_.hand[entry].suit);
    } else if (letter == kMorvelLetter) {
        LayHumanLayoutCard(entry);
    }
}

bool Game::WouldLay(int entry) const {
    if (!s_.humanTurn || entry < 40 || entry > 52 || s_.hand[entry].suit == kPlayed) return false;
    const CardRecord& card = s_.hand[entry];
    const char letter = CurrentContract();
    if (IsRoundContract(letter)) return s_.roundPosition == 1 || MayFollowWith(card.suit);
    return letter == kMorvelLetter && CanLay(card.suit, card.rank);
}

bool Game::MayFollowWith(char suit) const {
    const char lead = s_.roundCards[1].suit;
    return suit == lead || !HasSuit(40, 52, lead);
}

void Game::LayHumanCard(int entry, int rank, char suit) {
    if (s_.roundPosition == 1) {
        LayCard(entry);
        s_.leadSuit = suit;
        s_.winningRank = rank;
    } else {
        const char lead = s_.roundCards[1].suit;
        if (!MayFollowWith(suit)) {
            host_.Beep();
            return;
        }
        LayCard(entry);
        if (suit == lead && rank > s_.winningRank) s_.winningRank = rank;
        FinishLaidCard();
    }
    SetTimer(TimerId::Timer1, s_.speedInterval);
    s_.humanTurn = false;
}

// --- Taking a round --------------------------------------------------------------------------

int Game::RoundWinner() const {
    const char lead = s_.roundCards[1].suit;
    int rank = s_.roundCards[1].rank;
    int w = 1;
    for (int k = 1; k <= 4; ++k) {
        if (s_.roundCards[k].suit == lead && s_.roundCards[k].rank > rank) {
            rank = s_.roundCards[k].rank;
            w = k;
        }
    }
    for (int seat = 1; seat <= 4; ++seat) {
        if (s_.roundPlaces[seat] == w) return seat;
    }
    assert(false && "no seat laid the winning card");
    return s_.playOrder[w];
}

void Game::SetPlayOrder(int leader) {
    assert(leader >= 1 && leader <= 4);
    for (int n = 1; n <= 4; ++n)
        s_.playOrder[n] = SeatAtPosition(leader, n);
}

void Game::FinishLaidCard() {
    if (s_.roundPosition != 4) return;
    for (int k = 1; k <= 4; ++k) {
        s_.lastRound[s_.playOrder[k]] = s_.table.Get(Family::P, k).picture;
    }
    observer_->OnTake(RoundWinner());
    if (s_.mode == GameMode::Normal) {
        TakeRoundNormal();
        switch (CurrentContract()) {
            case kDiamondsLetter:
                s_.dealGoesOn = s_.taken.diamonds < 13;
                break;
            case kHeartKingLetter:
                s_.dealGoesOn = s_.taken.heartKing < 1;
                break;
            case kQueenLetter:
                s_.dealGoesOn = s_.taken.queens < 4;
                break;
            default:
                break;
        }
    } else {
        TakeRoundComplex();
    }
    SetTimer(TimerId::Timer1, 0);
    s_.roundPosition = 0;
    s_.roundTaken = true;
    SetTimer(TimerId::Timer1, s_.speedInterval);
}

namespace {

// The next collection slot of a seat's row; a row never takes more than its thirteen slots.
int NextCollectionSlot(Numbered<int, 4>& position, int seat) {
    ++position[seat];
    assert(position[seat] <= BlockOf(seat).last);
    return position[seat];
}

}  // namespace

void Game::TakeRoundNormal() {
    const char letter = CurrentContract();
    if (letter == kCollectionLetter) {
        const int s = RoundWinner();
        const int j = NextCollectionSlot(s_.collectionPosition, s);
        s_.table.SetVisible(Family::J, j, true);
        s_.table.SetPicture(Family::J, j, Picture::Back(s_.cardBack));
        s_.gameScore[s] += kCollectionPoints;
        ++s_.taken.collections;
        return;
    }
    if (letter != kDiamondsLetter && letter != kQueenLetter && letter != kHeartKingLetter) return;
    for (int k = 1; k <= 4; ++k) {
        const RoundCard& card = s_.roundCards[k];
        int points = 0;
        int* counter = nullptr;
        if (letter == kDiamondsLetter && card.suit == kDiamonds) {
            points = kDiamondPoints;
            counter = &s_.taken.diamonds;
        } else if (letter == kQueenLetter && card.rank == kQueen) {
            points = kQueenPoints;
            counter = &s_.taken.queens;
        } else if (letter == kHeartKingLetter && IsHeartKing(card.suit, card.rank)) {
            points = kHeartKingPoints;
            counter = &s_.taken.heartKing;
        } else {
            continue;
        }
        const int s = RoundWinner();
        const int j = NextCollectionSlot(s_.collectionPosition, s);
        s_.table.SetVisible(Family::J, j, true);
        s_.table.SetPicture(Family::J, j, s_.table.Get(Family::P, k).picture);
        s_.gameScore[s] += points;
        ++*counter;
    }
}

void Game::TakeRoundComplex() {
    const int s = RoundWinner();
    const int j = NextCollectionSlot(s_.collectionPosition, s);
    s_.table.SetVisible(Family::J, j, true);
    s_.table.SetPicture(Family::J, j, Picture::Back(s_.cardBack));
    int queens = 0, heartKings = 0, diamonds = 0;
    for (int k = 1; k <= 4; ++k) {
        const RoundCard& card = s_.roundCards[k];
        queens += card.rank == kQueen;
        heartKings += IsHeartKing(card.suit, card.rank);
        diamonds += card.suit == kDiamonds;
    }
    s_.complexScores.collection[s] += kCollectionPoints;
    s_.complexScores.queen[s] += kQueenPoints * queens;
    s_.complexScores.heartKing[s] += kHeartKingPoints * heartKings;
    s_.complexScores.diamonds[s] += kDiamondPoints * diamonds;
}

// --- The computer players' cards -------------------------------------------------------------

int Game::LeadCard(int first, int last) const {
    return HandQuery{s_.hand, first, last}.LowestCard();
}

void Game::ComputerLead(int first, int last) {
    const int e = LeadCard(first, last);
    assert(e != 0);
    s_.winningRank = s_.hand[e].rank;
    s_.leadSuit = s_.hand[e].suit;
    LayCard(e);
}

int Game::FollowCard(int first, int last, int winningRank, char leadSuit) const {
    const HandQuery q{s_.hand, first, last};
    const char letter = CurrentContract();
    if (const SuitHolding lead = q.Holding(leadSuit); lead.Any()) {
        if (letter == kHeartKingLetter && leadSuit == kHearts && winningRank > kKing &&
            lead.Find(kKing) != 0) {
            return lead.Find(kKing);  // under the ace it cannot take
        }
        if (letter == kQueenLetter && winningRank > kQueen && lead.Find(kQueen) != 0) {
            return lead.Find(kQueen);
        }
        return FollowChoice(lead, winningRank, leadSuit);
    }
    // A discard: the contract's penalty cards go first.
    int e = 0;
    if (s_.mode == GameMode::Normal) {
        switch (letter) {
            case kQueenLetter:
                e = q.FindRank(kQueen);
                break;
            case kHeartKingLetter:
                e = q.FindCard(kKing, kHearts);
                break;
            case kDiamondsLetter:
                e = q.HighestOfSuit(kDiamonds);
                break;
            default:
                break;
        }
    } else {
        e = q.FindCard(kKing, kHearts);
        if (e == 0) e = q.FindRank(kQueen);
        if (e == 0) e = q.HighestOfSuit(kDiamonds);
    }
    return e != 0 ? e : q.HighestCard();
}

void Game::ComputerFollow(int first, int last, int winningRank, char leadSuit) {
    const int e = FollowCard(first, last, winningRank, leadSuit);
    assert(e != 0);
    // Only a card of the lead suit can raise the winning rank.
    if (s_.hand[e].suit == leadSuit && s_.hand[e].rank > s_.winningRank) {
        s_.winningRank = s_.hand[e].rank;
    }
    LayCard(e);
    FinishLaidCard();
}

int Game::FollowChoice(int first, int last, int b, char lead) const {
    return FollowChoice(HandQuery{s_.hand, first, last}.Holding(lead), b, lead);
}

int Game::FollowChoice(const SuitHolding& held, int b, char lead) const {
    if (const int duck = held.HighestBelow(b); duck != 0) return duck;
    if (s_.roundPosition == 2 || s_.roundPosition == 3) return held.LowestAbove(b);

    // Last to play: this seat takes the round whatever it lays. Lay the card above `rank` if
    // held, else the highest below it, else the one left, `rank` itself.
    auto keepBelow = [&](int rank) {
        if (const int above = held.HighestAbove(rank); above != 0) return above;
        if (const int below = held.HighestBelow(rank); below != 0) return below;
        return held.LowestAbove(b);
    };
    if (s_.mode == GameMode::Normal) {
        switch (CurrentContract()) {
            case kHeartKingLetter:
                return lead == kHearts ? keepBelow(kKing) : held.Highest();
            case kQueenLetter:
                return keepBelow(kQueen);
            default:
                return held.Highest();
        }
    }
    if (lead != kHearts) return keepBelow(kQueen);
    // Hearts: the ace first, else the highest heart below the queen, else the queen before the
    // king.
    if (const int ace = held.HighestAbove(kKing); ace != 0) return ace;
    if (const int below = held.HighestBelow(kQueen); below != 0) return below;
    return held.LowestAbove(b);
}

}  // namespace morvel
