#include "position_check.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

#include "flow.h"
#include "game.h"
#include "table_draw.h"

namespace morvel {

namespace {

// Where the game stands: the person is to choose a contract, or a deal of a round contract or of
// the layout contract is in play (or has just ended and waits for the step that closes it).
enum class Phase : uint8_t { Choosing, Round, Layout };

int HandOrder(const CardRecord& card) {
    return HandSuit(card.suit) * 16 + card.rank;
}

class Checker {
  public:
    explicit Checker(const GameState& s) : s_(s) {}

    std::string Run() {
        (void)(Hands() && Turns() && Contracts() && Sheet() && Dialogs() && Deal() && Absences());
        return problem_;
    }

  private:
    bool Require(bool ok, std::string_view why) {
        if (!ok && problem_.empty()) problem_ = why;
        return ok;
    }

    // --- Cards ---------------------------------------------------------------------------------

    // Each card in one entry, each hand in hand order (played entries keep their places).
    bool Hands() {
        std::array<bool, 53> seen{};
        for (int n = 1; n <= 52; ++n) {
            const CardRecord& c = s_.hand[n];
            if (!Require(c.face >= 1 && c.face <= 52, "a hand entry without a card")) return false;
            const CardRecord card = CardOfFace(c.face);
            if (!Require(!seen[c.face], "a card in two hand entries") ||
                !Require(c.rank == card.rank && (c.suit == kPlayed || c.suit == card.suit),
                         "a hand entry unlike its card"))
                return false;
            seen[c.face] = true;
            entryOfFace_[c.face] = n;
            if (Held(c)) ++held_[SeatOfEntry(n)];
            if (n != BlockOf(SeatOfEntry(n)).first &&
                !Require(HandOrder(CardOfFace(s_.hand[n - 1].face)) < HandOrder(card),
                         "a hand out of order"))
                return false;
        }
        played_ = 52 - held_[1] - held_[2] - held_[3] - held_[4];
        return true;
    }

    // The entry of a card laid by `seat`, or 0 when it is no card that seat has laid.
    int PlayedBy(int seat, int face) const {
        if (face < 1 || face > 52) return 0;
        const int n = entryOfFace_[face];
        return SeatOfEntry(n) == seat && !Held(s_.hand[n]) ? n : 0;
    }
    int PlayedBy(int seat, const RoundCard& card) const {
        if (card.suit == kPlayed) return 0;
        return PlayedBy(seat, FaceOf(card.suit, card.rank));
    }

    // --- Whose turn ----------------------------------------------------------------------------

    bool Turns() {
        for (int k = 1; k <= 4; ++k) {
            if (!Require(s_.chooserSeats[k] == SeatAtPosition(s_.chooserSeats[1], k),
                         "the choosers are no rotation of the seats") ||
                !Require(s_.round.order[k] == SeatAtPosition(s_.round.order[1], k),
                         "the play order is no rotation of the seats"))
                return false;
        }
        chooser_ = s_.chooserSeats[s_.chooserNumber];
        const bool timer1 = s_.timer1Interval != 0;
        const bool timer3 = s_.timer3Interval != 0;
        if (!Require(!(timer1 && timer3), "both timers run") ||
            !Require(!s_.humanTurn || (!timer1 && !timer3), "a timer runs on the person's turn") ||
            !Require(timer1 || timer3 || s_.humanTurn || s_.cgVisible,
                     "nothing can happen: no timer runs and nothing waits for the person") ||
            !Require(!(s_.cgVisible && s_.humanTurn), "Chose Game shown on the person's turn") ||
            !Require(StoredName(s_.playerName) == s_.playerName && !IsComputerName(s_.playerName),
                     "a player's name the name dialog refuses") ||
            !Require(s_.sheet.playerName == s_.playerName, "the sheet names another player"))
            return false;
        if (s_.cgVisible) {
            phase_ = Phase::Choosing;
            return true;
        }
        playing_ = FindContract(CurrentContract(s_));
        if (!Require(playing_ != nullptr, "no contract in play")) return false;
        phase_ = playing_->layout ? Phase::Layout : Phase::Round;
        return true;
    }

    // --- The contract list ---------------------------------------------------------------------

    bool Contracts() {
        const int number = s_.contractNumber;
        if (!Require(number != 0 || phase_ == Phase::Choosing,
                     "a deal in play before the chooser's first choice") ||
            !Require(phase_ != Phase::Choosing || !ChooserIsDone(s_),
                     "Chose Game shown after the chooser's five contracts"))
            return false;
        std::string list;
        for (int place = 1; place <= 5; ++place) {
            const char letter = s_.contractList[place];
            if (!Require((place <= number) == (letter != kNoContract),
                         "the contract list does not end at the contract number"))
                return false;
            if (letter != kNoContract) list += letter;
        }
        if (s_.mode == GameMode::Normal) {
            std::string sorted = list;
            std::sort(sorted.begin(), sorted.end());
            return Require(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end(),
                           "a contract twice in the contract list");
        }
        // In "COMPLEX" mode the All Game deal fills four places once it ends.
        struct Allowed {
            Phase phase;
            std::string_view list;
        };
        static constexpr Allowed kComplex[] = {{Phase::Choosing, ""},     {Phase::Choosing, "M"},
                                               {Phase::Choosing, "LDQK"}, {Phase::Round, "L"},
                                               {Phase::Round, "ML"},      {Phase::Layout, "M"},
                                               {Phase::Layout, "LDQKM"}};
        for (const Allowed& a : kComplex) {
            if (a.phase == phase_ && a.list == list) return true;
        }
        return Require(false, "a contract list no All Game chooser makes");
    }

    // --- The result sheet ----------------------------------------------------------------------

    // The deals of the chooser at turn already written on the sheet.
    int Completed() const {
        const int number = s_.contractNumber;
        if (phase_ == Phase::Choosing) return number;
        if (LayoutEnded()) return number;
        return number - 1;
    }

    // A layout deal whose last card is out has written its row once the step that saw it ran;
    // the hand-over step of Timer1 then closes it.
    bool LayoutEnded() const {
        return phase_ == Phase::Layout && played_ == 52 && s_.timer1Interval != 0;
    }

    // What one deal under `letter` can change the scores by.
    bool Outcome(char letter, const Numbered<int32_t, 4>& before, const SheetRow& row) {
        const Contract* c = FindContract(letter);
        if (!Require(c != nullptr, "a row of no contract")) return false;
        std::array<int32_t, 4> gain{};
        int32_t sum = 0;
        for (int seat = 1; seat <= 4; ++seat) {
            gain[seat - 1] = row.score[seat] - before[seat];
            sum += gain[seat - 1];
        }
        if (c->layout) {
            std::sort(gain.begin(), gain.end());
            return Require(gain == std::array<int32_t, 4>{50, 100, 150, 200},
                           "a layout row that pays no finishing order");
        }
        for (int32_t g : gain) {
            if (!Require(g <= 0 && g % c->points == 0, "a row's loss no penalty makes"))
                return false;
        }
        return Require(sum == c->points * c->items, "a row whose sum its contract does not make");
    }

    // A chooser's five contracts, written in full.
    bool FullList(std::string_view letters) {
        if (s_.mode == GameMode::Complex)
            return Require(letters == "LDQKM" || letters == "MLDQK",
                           "a band no All Game chooser writes");
        std::string sorted(letters);
        std::sort(sorted.begin(), sorted.end());
        return Require(sorted == "DKLMQ", "a band without each contract once");
    }

    bool Sheet() {
        const int completed = Completed();
        Numbered<int32_t, 4> before{};
        for (int band = 1; band <= 4; ++band) {
            const int rows = band < s_.chooserNumber ? 5 : band == s_.chooserNumber ? completed : 0;
            std::string letters;
            for (int r = 0; r < 6; ++r) {
                const SheetRow& row = s_.sheet.Band(band).rows[r];
                if (r >= rows) {
                    if (!Require(row == SheetRow{}, "a row written out of order")) return false;
                    continue;
                }
                if (!Require(row.written && row.contract != kNoContract, "a row left empty") ||
                    !Outcome(row.contract, before, row))
                    return false;
                letters += row.contract;
                lastBefore_ = before;
                for (int seat = 1; seat <= 4; ++seat)
                    before[seat] = row.score[seat];
            }
            if (band < s_.chooserNumber && !FullList(letters)) return false;
            if (band == s_.chooserNumber) {
                for (int r = 0; r < rows; ++r) {
                    if (!Require(letters[r] == s_.contractList[r + 1],
                                 "a row of another contract than the list's"))
                        return false;
                }
            }
        }
        base_ = before;
        return true;
    }

    // --- The choice dialogs --------------------------------------------------------------------

    // A dialog as the person's choices through it leave it: each chosen contract's button
    // disabled, the last one checked.
    template <int N>
    bool Dialog(const ChoiceDialog<N>& dialog, std::string_view chosen, char (*letterOf)(int)) {
        ChoiceDialog<N> expected;
        expected.Reset();
        for (const char letter : chosen) {
            for (int k = 1; k <= N; ++k) {
                if (letterOf(k) != letter) continue;
                expected.Click(k);
                expected.enabled[k] = false;
            }
        }
        return Require(dialog == expected, "a choice dialog unlike the person's choices");
    }

    bool Dialogs() {
        // The person chooses through a dialog every contract but the one left last.
        int human = 1;
        while (s_.chooserSeats[human] != kHuman)
            ++human;
        std::string chosen;
        if (human < s_.chooserNumber) {
            for (const SheetRow& row : s_.sheet.Band(human).rows)
                chosen += row.contract;
        } else if (human == s_.chooserNumber) {
            for (int place = 1; place <= s_.contractNumber; ++place)
                chosen += s_.contractList[place];
        }
        const bool complex = s_.mode == GameMode::Complex;
        chosen.resize(std::min<size_t>(chosen.size(), complex ? 1 : 4), kNoContract);
        const std::string none;
        return Dialog(s_.chooseDialog, complex ? none : chosen,
                      [](int k) { return kContracts[k - 1].letter; }) &&
               Dialog(s_.allDialog, complex ? chosen : none,
                      [](int k) { return k == 1 ? kAllGame.letter : kLayout.letter; });
    }

    // --- The deal in play ----------------------------------------------------------------------

    bool Deal() {
        for (int seat = 1; seat <= 4; ++seat) {
            const int count = s_.collectionPosition[seat] - BlockOf(seat).first + 1;
            if (!Require(count >= 0 && count <= 13, "a collection row out of range")) return false;
            rowCount_[seat] = count;
            for (int j = BlockOf(seat).first; j <= BlockOf(seat).last; ++j) {
                if (!Require(j <= s_.collectionPosition[seat] || s_.collectionFaces[j] == 0,
                             "a card beyond the end of a collection row"))
                    return false;
            }
        }
        bool layoutCleared = s_.nextFinishingPlace == 1;
        for (int seat = 1; seat <= 4; ++seat)
            layoutCleared = layoutCleared && s_.stillIn[seat];
        switch (phase_) {
            case Phase::Choosing:
                return Require(chooser_ == kHuman, "Chose Game shown to a computer chooser") &&
                       Require(played_ == 0 && s_.dealCardCount == 0 && s_.round.position == 0 &&
                                   !s_.round.taken,
                               "the person chooses after a card was laid") &&
                       Require(s_.round.order[1] == kHuman && s_.turnMarker == kHuman,
                               "the person chooses on another seat's turn") &&
                       Require(!s_.passbVisible && s_.timer1Interval == 0 && s_.timer3Interval == 0,
                               "Pass shown or a timer running before the choice") &&
                       NothingTaken() && EmptyBoard() &&
                       Require(layoutCleared, "a finishing order before a layout deal") &&
                       Require(s_.gameScore == base_, "scores beside the sheet's");
            case Phase::Round:
                return EmptyBoard() &&
                       Require(layoutCleared, "a finishing order in a round deal") &&
                       Require(!s_.passbVisible, "Pass shown in a round deal") && RoundInPlay();
            case Phase::Layout:
                return NothingTaken() && LayoutInPlay();
        }
        return false;
    }

    bool NothingTaken() {
        for (int seat = 1; seat <= 4; ++seat) {
            if (!Require(rowCount_[seat] == 0, "a collection row outside a round deal"))
                return false;
        }
        return Require(s_.taken == PerRoundContract<int>{}, "items taken outside a round deal") &&
               Require(s_.complexScores == PerRoundContract<Numbered<int32_t, 4>>{},
                       "All Game tallies outside an All Game deal") &&
               Require(s_.dealGoesOn, "a deal ended early outside a round deal");
    }

    bool EmptyBoard() {
        for (const auto& suit : s_.board.value) {
            for (int32_t v : suit) {
                if (!Require(v == 0, "cards on the board outside a layout deal")) return false;
            }
        }
        return true;
    }

    // The rounds of the deal: who laid what, what each seat took, and what it cost.
    bool RoundInPlay() {
        const Round& round = s_.round;
        const bool timer1 = s_.timer1Interval != 0;
        if (!Require(round.position <= 4, "a round past its fourth card") ||
            !Require(!round.taken || (round.position == 0 && !s_.humanTurn),
                     "a round taken and still in play") ||
            !Require(!s_.humanTurn || (round.position >= 1 && round.order[round.position] == 1),
                     "the person's turn at another seat's place") ||
            !Require(s_.humanTurn || (timer1 && IsSpeed(s_.timer1Interval)),
                     "a round deal without its timer") ||
            !Require(s_.timer3Interval == 0, "Timer3 runs in a round deal"))
            return false;
        const int onTable = CardsOnTable(s_);
        const int loose = round.taken ? 0 : onTable;  // cards of a round not yet taken
        if (!Require(onTable >= 0 && (played_ - loose) % 4 == 0, "cards laid that no rounds make"))
            return false;
        const int rounds = (played_ - loose) / 4;
        if (!Require(round.position != 0 || round.taken || played_ == 0,
                     "a round between its cards") ||
            !Require(s_.dealCardCount == played_ + (s_.humanTurn ? 1 : 0),
                     "the deal's card count unlike the cards laid"))
            return false;
        std::array<bool, 5> laidNow{};
        for (int k = 1; k <= loose; ++k)
            laidNow[round.order[k]] = true;
        for (int seat = 1; seat <= 4; ++seat) {
            if (!Require(held_[seat] == 13 - rounds - (laidNow[seat] ? 1 : 0),
                         "a seat holds more or fewer cards than the rounds leave"))
                return false;
        }
        const bool firstRound = rounds == 0 || (round.taken && rounds == 1);
        if (!Require(!firstRound || round.order[1] == chooser_,
                     "the first round led by another seat than the chooser") ||
            !Require(round.position == 0 || s_.turnMarker == round.order[round.position],
                     "the turn marker at another seat than the one at turn") ||
            !Require(!round.taken || s_.turnMarker == round.order[4],
                     "the turn marker away from the round's last card") ||
            !Require(rounds < 13 || round.taken, "a deal past its thirteenth round") ||
            !TableCards(onTable) || !LastRound(rounds))
            return false;
        return s_.mode == GameMode::Normal ? NormalTakings(rounds, loose)
                                           : AllGameTakings(rounds, loose);
    }

    // The cards of the round on the table: each laid by its seat, in turn, following suit when
    // it could.
    bool TableCards(int shown) {
        const Round& round = s_.round;
        int winning = 0;
        for (int k = 1; k <= shown; ++k) {
            const RoundCard& card = round.cards[k];
            if (!Require(PlayedBy(round.order[k], card) != 0,
                         "a card on the table its seat did not lay"))
                return false;
            if (card.suit == round.cards[1].suit) winning = std::max<int>(winning, card.rank);
            if (!Require(card.suit == round.cards[1].suit ||
                             !s_.hand.HasSuit(round.order[k], round.cards[1].suit),
                         "a card that did not follow suit though its seat could"))
                return false;
        }
        return Require(
            shown == 0 || (round.leadSuit == round.cards[1].suit && round.winningRank == winning),
            "the lead suit or the winning rank unlike the cards on the table");
    }

    // The last round window shows the last round taken in this deal, or nothing before one.
    bool LastRound(int rounds) {
        const Round& round = s_.round;
        for (int k = 1; k <= 4; ++k) {
            const int seat = round.order[k];
            const Picture shown = s_.lastRound[seat];
            if (rounds == 0) {
                if (!Require(shown == Picture::Blank(), "a last round before a round was taken"))
                    return false;
                continue;
            }
            if (!Require(shown.kind == Picture::Kind::Face && PlayedBy(seat, shown.index) != 0,
                         "a last round of cards its seats did not lay") ||
                !Require(!round.taken || shown == Picture::Face(FaceOf(round.cards[k].suit,
                                                                       round.cards[k].rank)),
                         "a last round unlike the round just taken"))
                return false;
        }
        return true;
    }

    // Whether a played card has left the table in a round taken.
    bool Gone(int n, int loose) const {
        for (int k = 1; k <= loose; ++k) {
            const RoundCard& card = s_.round.cards[k];
            if (FaceOf(card.suit, card.rank) == s_.hand[n].face) return false;
        }
        return !Held(s_.hand[n]);
    }

    // Penalty items of `c` among the cards of the rounds taken.
    int ItemsGone(const Contract& c, int loose) const {
        int items = 0;
        for (int n = 1; n <= 52; ++n) {
            if (!Gone(n, loose)) continue;
            const CardRecord card = CardOfFace(s_.hand[n].face);
            items += c.IsPenalty(card.suit, card.rank);
        }
        return items;
    }

    // "NORMAL": each item taken in its taker's row (a card face up, a round face down) and charged
    // to the taker's game score.
    bool NormalTakings(int rounds, int loose) {
        const Contract& c = *playing_;
        const int items = c.perRound ? rounds : ItemsGone(c, loose);
        int shown = 0;
        std::array<bool, 53> seen{};
        for (int seat = 1; seat <= 4; ++seat) {
            shown += rowCount_[seat];
            for (int j = BlockOf(seat).first; j <= s_.collectionPosition[seat]; ++j) {
                const int face = s_.collectionFaces[j];
                if (c.perRound) {
                    if (!Require(face == 0, "a face up in a row of rounds")) return false;
                    continue;
                }
                if (!Require(face != 0 && !seen[face], "a row card shown twice or face down"))
                    return false;
                seen[face] = true;
                const CardRecord card = CardOfFace(face);
                if (!Require(c.IsPenalty(card.suit, card.rank) && Gone(entryOfFace_[face], loose),
                             "a row card that was not taken as a penalty"))
                    return false;
            }
            if (!Require(s_.gameScore[seat] == base_[seat] + c.points * rowCount_[seat],
                         "a game score unlike the items its seat took"))
                return false;
        }
        PerRoundContract<int> taken{};
        taken[c.id] = items;
        return Require(shown == items && s_.taken == taken, "items taken unlike the rows") &&
               Require(s_.complexScores == PerRoundContract<Numbered<int32_t, 4>>{},
                       "All Game tallies in a deal of one contract") &&
               Require(s_.dealGoesOn == (items < c.items), "the deal's end unlike the items") &&
               Require(s_.dealGoesOn || s_.round.taken, "a deal played on past its last item");
    }

    // "COMPLEX": a round face down in its taker's row, and each contract's penalties tallied.
    bool AllGameTakings(int rounds, int loose) {
        int shown = 0;
        for (int seat = 1; seat <= 4; ++seat) {
            shown += rowCount_[seat];
            for (int j = BlockOf(seat).first; j <= s_.collectionPosition[seat]; ++j) {
                if (!Require(s_.collectionFaces[j] == 0, "a face up in an All Game row"))
                    return false;
            }
        }
        if (!Require(shown == rounds, "rounds taken unlike the rows") ||
            !Require(s_.taken == PerRoundContract<int>{}, "items counted in an All Game deal") ||
            !Require(s_.dealGoesOn, "an All Game deal ended early") ||
            !Require(s_.gameScore == base_, "scores charged before the All Game deal ends"))
            return false;
        for (const Contract* c : kAllGameRows) {
            int32_t sum = 0;
            for (int seat = 1; seat <= 4; ++seat) {
                const int32_t tally = s_.complexScores[c->id][seat];
                const int32_t most = c->perRound ? rowCount_[seat] : 4 * rowCount_[seat];
                if (!Require(tally <= 0 && tally % c->points == 0 && tally / c->points <= most,
                             "an All Game tally its seat's rounds do not make"))
                    return false;
                sum += tally;
            }
            const int items = c->perRound ? rounds : ItemsGone(*c, loose);
            if (!Require(sum == c->points * items, "All Game tallies unlike the rounds taken"))
                return false;
        }
        return true;
    }

    // The board: the cards laid out of the hands, in runs through the jacks, and who is out.
    bool LayoutInPlay() {
        const Round& round = s_.round;
        int onBoard = 0;
        for (int i = 0; i < 4; ++i) {
            const auto& value = s_.board.value[i];
            int low = 0, high = 0, count = 0;
            for (int rank = 2; rank <= kAce; ++rank) {
                if (value[rank] == 0) continue;
                if (!Require(value[rank] == rank, "a board value unlike its rank")) return false;
                if (low == 0) low = rank;
                high = rank;
                ++count;
                if (!Require(!Held(s_.hand[entryOfFace_[FaceOf(kBoardSuits[i], rank)]]),
                             "a card both on the board and in a hand"))
                    return false;
            }
            if (!Require(count == 0 || (low <= kJack && high >= kJack && high - low + 1 == count),
                         "a suit of the board that is no run through its jack"))
                return false;
            onBoard += count;
        }
        if (!Require(onBoard == played_, "cards out of the hands that are not on the board") ||
            !Require(s_.dealCardCount == played_, "the deal's card count unlike the board") ||
            !Require(round.order[1] == chooser_, "a layout deal led by another seat") ||
            !Require(!round.taken, "a round taken in a layout deal") ||
            !Require(!s_.humanTurn || (round.position >= 1 && round.position <= 4 &&
                                       round.order[round.position] == kHuman && s_.passbVisible &&
                                       s_.turnMarker == kHuman),
                     "the person's layout turn at another seat's place") ||
            !Require(!s_.passbVisible || held_[kHuman] > 0, "Pass shown to a seat that is out"))
            return false;
        if (LayoutEnded()) {
            if (!Require(!s_.humanTurn, "the person's turn after the layout deal's end"))
                return false;
        } else if (!s_.humanTurn) {
            const int interval = s_.timer3Interval;
            if (!Require(interval != 0, "a layout deal without its timer") ||
                !Require(held_[kHuman] > 0 ? IsSpeed(interval) : interval == kFinishInterval,
                         "Timer3's pace unlike the person's cards"))
                return false;
        }
        // Seats out hold places 1, 2, ... in the order they ran out.
        std::array<bool, 5> placeTaken{};
        int out = 0;
        for (int seat = 1; seat <= 4; ++seat) {
            const bool in = held_[seat] > 0;
            if (!Require(s_.stillIn[seat] == in, "a seat out with cards or in without"))
                return false;
            if (in) continue;
            ++out;
            const int place = s_.finishingPlace[seat];
            if (!Require(place >= 1 && place <= 4 && !placeTaken[place],
                         "two seats out in one place"))
                return false;
            placeTaken[place] = true;
        }
        if (!Require(s_.nextFinishingPlace == out + 1,
                     "the next finishing place unlike the seats out"))
            return false;
        for (int place = 1; place <= out; ++place) {
            if (!Require(placeTaken[place], "a finishing place skipped")) return false;
        }
        // The last cycle's moves may still show one of an earlier deal: the cycle is copied for
        // the last-round window as the fourth seat's turn begins, before it moves.
        for (int seat = 1; seat <= 4; ++seat) {
            if (LayoutEnded() && !Require(s_.gameScore[seat] - lastBefore_[seat] ==
                                              kLayout.placePoints[s_.finishingPlace[seat]],
                                          "layout points unlike the finishing order"))
                return false;
        }
        return Require(s_.gameScore == base_, "scores beside the sheet's");
    }

    // --- What the play has shown --------------------------------------------------------------

    // No seat holds a card the play showed it without; a round deal shows absences only by cards
    // laid, a whole suit at a time (a layout deal may show some by passes before its first card).
    bool Absences() {
        for (int seat = 1; seat <= 4; ++seat) {
            const uint64_t absent = s_.absences.notHeld[seat];
            if (!Require((absent & ~kWholeDeck) == 0 && (absent & s_.hand.HeldCards(seat)) == 0,
                         "a seat holds a card the play showed it without") ||
                !Require(absent == 0 || (phase_ == Phase::Layout || played_ != 0),
                         "a seat without cards before any was laid"))
                return false;
            if (phase_ != Phase::Round) continue;
            for (const char suit : kHandSuits) {
                const uint64_t ofSuit = absent & CardsOf(suit);
                if (!Require(ofSuit == 0 || ofSuit == CardsOf(suit),
                             "a seat without part of a suit in a round deal"))
                    return false;
            }
        }
        return true;
    }

    const GameState& s_;
    std::string problem_;
    Phase phase_ = Phase::Choosing;
    const Contract* playing_ = nullptr;
    int chooser_ = 0;
    int played_ = 0;
    std::array<int, 5> held_{};
    std::array<int, 53> entryOfFace_{};
    std::array<int, 5> rowCount_{};
    Numbered<int32_t, 4> base_{};        // the scores of the last row written
    Numbered<int32_t, 4> lastBefore_{};  // the scores before that row
};

}  // namespace

std::string PositionProblem(const GameState& s) {
    return Checker(s).Run();
}

}  // namespace morvel
