#include "save_format.h"

#include <array>
#include <initializer_list>

#include "position_check.h"
#include "save_bytes.h"
#include "table_draw.h"

namespace morvel {

namespace {

constexpr std::string_view kMagic = "MorvelGm";

// Scores beyond this are no game's; the bound keeps every sum of the checks far from overflow.
constexpr int32_t kScoreBound = 1000000;

// --- Fields ------------------------------------------------------------------------------------

// One of the letters `allowed`, as one byte.
char Letter(ByteReader& r, std::string_view allowed, std::string_view what) {
    const char c = static_cast<char>(r.U8());
    if (allowed.find(c) == std::string_view::npos) {
        r.Refuse(std::string(what) + " is no letter it may be");
        return allowed[0];
    }
    return c;
}

int32_t Score(ByteReader& r, std::string_view what) {
    const int32_t v = r.I32();
    if (v < -kScoreBound || v > kScoreBound) {
        r.Refuse(std::string(what) + " out of range");
        return 0;
    }
    return v;
}

void WriteCard(ByteWriter& w, const RoundCard& card) {
    w.U8(static_cast<unsigned char>(card.suit));
    w.U8(static_cast<unsigned>(card.rank));
}

// A card of a round, or nothing yet.
RoundCard ReadCard(ByteReader& r, std::string_view what) {
    RoundCard card;
    card.suit = Letter(r, " DFHA", what);
    card.rank = card.suit == kPlayed ? r.Small(0, 0, what) : r.Small(2, kAce, what);
    return card;
}

void WritePicture(ByteWriter& w, Picture p) {
    w.U8(static_cast<unsigned>(p.kind));
    w.U8(p.index);
}

// What a seat showed of a round or a layout cycle: a card's face, a pass, or nothing.
Picture ReadMove(ByteReader& r, std::string_view what) {
    const auto kind = static_cast<Picture::Kind>(r.Small(0, 5, what));
    const int index = r.U8();
    if (kind == Picture::Kind::Face && index >= 1 && index <= 52) return Picture::Face(index);
    if (kind == Picture::Kind::Pass && index == 0) return Picture::Pass();
    if (kind != Picture::Kind::Blank || index != 0) r.Refuse(std::string(what) + " is no move");
    return Picture::Blank();
}

// One of the intervals `allowed`, as two bytes.
int Interval(ByteReader& r, std::initializer_list<int> allowed, std::string_view what) {
    const int v = r.U16();
    for (int a : allowed) {
        if (v == a) return v;
    }
    r.Refuse(std::string(what) + " is no interval it may be");
    return *allowed.begin();
}

// --- Parts -------------------------------------------------------------------------------------

void WriteRandom(ByteWriter& w, const GameState& s) {
    w.U32(s.random.State());
}
void ReadRandom(ByteReader& r, GameState& s) {
    s.random.Seed(r.U32());
}

// Each entry's card and whether it is still held; the holdings are rebuilt from them.
void WriteHands(ByteWriter& w, const GameState& s) {
    for (int n = 1; n <= 52; ++n) {
        w.U8(static_cast<unsigned>(s.hand[n].face));
        w.Bool(Held(s.hand[n]));
    }
}
void ReadHands(ByteReader& r, GameState& s) {
    for (int n = 1; n <= 52; ++n) {
        CardRecord card = CardOfFace(r.Small(1, 52, "a card of the hands"));
        if (!r.Bool("a card's held mark")) card.suit = kPlayed;
        s.hand.Set(n, card);
    }
}

// What the play has shown each seat does not hold; the position check holds it to the hands.
void WriteAbsences(ByteWriter& w, const GameState& s) {
    for (int seat = 1; seat <= 4; ++seat)
        w.U64(s.absences.notHeld[seat]);
}
void ReadAbsences(ByteReader& r, GameState& s) {
    for (int seat = 1; seat <= 4; ++seat) {
        const uint64_t cards = r.U64();
        if ((cards & ~kWholeDeck) != 0) r.Refuse("a card no seat holds out of range");
        s.absences.notHeld[seat] = cards & kWholeDeck;
    }
}

void WriteRound(ByteWriter& w, const GameState& s) {
    const Round& round = s.round;
    for (int k = 1; k <= 4; ++k)
        w.U8(static_cast<unsigned>(round.order[k]));
    w.U8(static_cast<unsigned>(round.position));
    for (int k = 1; k <= 4; ++k)
        WriteCard(w, round.cards[k]);
    WriteCard(w, {round.leadSuit, round.winningRank});
    w.Bool(round.taken);
}
void ReadRound(ByteReader& r, GameState& s) {
    Round& round = s.round;
    for (int k = 1; k <= 4; ++k)
        round.order[k] = r.Small(1, 4, "the play order");
    round.position = r.Small(0, 5, "the round's position");
    for (int k = 1; k <= 4; ++k)
        round.cards[k] = ReadCard(r, "a card of the round");
    const RoundCard winning = ReadCard(r, "the lead suit");
    round.leadSuit = winning.suit;
    round.winningRank = winning.rank;
    round.taken = r.Bool("the round's taken mark");
}

// The deal in play: its counts, what was taken, and the table's buttons and turn marker.
void WriteDeal(ByteWriter& w, const GameState& s) {
    w.U8(static_cast<unsigned>(s.dealCardCount));
    w.Bool(s.dealGoesOn);
    w.Bool(s.humanTurn);
    for (int n : s.taken.values)
        w.U8(static_cast<unsigned>(n));
    for (const auto& scores : s.complexScores.values) {
        for (int seat = 1; seat <= 4; ++seat)
            w.I32(scores[seat]);
    }
    for (int seat = 1; seat <= 4; ++seat)
        w.U8(static_cast<unsigned>(s.collectionPosition[seat] - BlockOf(seat).first + 1));
    for (int j = 1; j <= 52; ++j)
        w.U8(s.collectionFaces[j]);
    w.Bool(s.cgVisible);
    w.Bool(s.passbVisible);
    w.U8(static_cast<unsigned>(s.turnMarker));
}
void ReadDeal(ByteReader& r, GameState& s) {
    s.dealCardCount = r.Small(0, 52, "the deal's card count");
    s.dealGoesOn = r.Bool("the deal's going-on mark");
    s.humanTurn = r.Bool("the person's turn");
    for (int& n : s.taken.values)
        n = r.Small(0, 13, "a count of items taken");
    for (auto& scores : s.complexScores.values) {
        for (int seat = 1; seat <= 4; ++seat)
            scores[seat] = Score(r, "a tally of the All Game deal");
    }
    for (int seat = 1; seat <= 4; ++seat)
        s.collectionPosition[seat] = BlockOf(seat).first - 1 + r.Small(0, 13, "a collection row");
    for (int j = 1; j <= 52; ++j)
        s.collectionFaces[j] = static_cast<uint8_t>(r.Small(0, 52, "a collection card"));
    s.cgVisible = r.Bool("the Chose Game button");
    s.passbVisible = r.Bool("the Pass button");
    s.turnMarker = r.Small(1, 4, "the turn marker");
}

void WriteGame(ByteWriter& w, const GameState& s) {
    w.U8(static_cast<unsigned>(s.mode));
    w.U8(static_cast<unsigned>(s.menuMode));
    for (int k = 1; k <= 4; ++k)
        w.U8(static_cast<unsigned>(s.chooserSeats[k]));
    w.U8(static_cast<unsigned>(s.chooserNumber));
    for (int place = 1; place <= 5; ++place)
        w.U8(static_cast<unsigned char>(s.contractList[place]));
    w.U8(static_cast<unsigned>(s.contractNumber));
    w.U16(static_cast<unsigned>(s.speedInterval));
    w.U8(static_cast<unsigned>(s.cardBack));
    for (int seat = 1; seat <= 4; ++seat)
        w.I32(s.gameScore[seat]);
    w.Text(s.playerName);
    for (int seat = 1; seat <= 4; ++seat)
        WritePicture(w, s.lastRound[seat]);
}
void ReadGame(ByteReader& r, GameState& s) {
    s.mode = static_cast<GameMode>(r.Small(0, 1, "the mode"));
    s.menuMode = static_cast<GameMode>(r.Small(0, 1, "the menu's mode"));
    for (int k = 1; k <= 4; ++k)
        s.chooserSeats[k] = r.Small(1, 4, "a chooser's seat");
    s.chooserNumber = r.Small(1, 4, "the chooser number");
    for (int place = 1; place <= 5; ++place)
        s.contractList.Set(place, Letter(r, " QKDLM", "a place of the contract list"));
    s.contractNumber = r.Small(0, 5, "the contract number");
    s.speedInterval = Interval(r, {kFastInterval, kMediumInterval, kSlowInterval}, "the speed");
    s.cardBack = r.Small(1, 6, "the card back");
    for (int seat = 1; seat <= 4; ++seat)
        s.gameScore[seat] = Score(r, "a game score");
    s.playerName = r.Text();
    for (int seat = 1; seat <= 4; ++seat)
        s.lastRound[seat] = ReadMove(r, "a card of the last round");
}

template <int N>
void WriteDialog(ByteWriter& w, const ChoiceDialog<N>& dialog) {
    w.U8(static_cast<unsigned>(dialog.selectedIndex));
    for (int k = 1; k <= N; ++k)
        w.Bool(dialog.enabled[k]);
    w.U8(static_cast<unsigned>(dialog.checkedIndex));
}
template <int N>
void ReadDialog(ByteReader& r, ChoiceDialog<N>& dialog) {
    dialog.selectedIndex = r.Small(0, N, "a choice dialog's choice");
    for (int k = 1; k <= N; ++k)
        dialog.enabled[k] = r.Bool("a choice dialog's button");
    dialog.checkedIndex = r.Small(0, N, "a choice dialog's check");
}

void WriteDialogs(ByteWriter& w, const GameState& s) {
    WriteDialog(w, s.chooseDialog);
    WriteDialog(w, s.allDialog);
}
void ReadDialogs(ByteReader& r, GameState& s) {
    ReadDialog(r, s.chooseDialog);
    ReadDialog(r, s.allDialog);
}

// The rows; the grids' colours follow from them.
void WriteSheet(ByteWriter& w, const GameState& s) {
    for (int band = 1; band <= 4; ++band) {
        for (const SheetRow& row : s.sheet.Band(band).rows) {
            w.U8(static_cast<unsigned char>(row.contract));
            w.Bool(row.written);
            for (int seat = 1; seat <= 4; ++seat)
                w.I32(row.score[seat]);
        }
    }
}
void ReadSheet(ByteReader& r, GameState& s) {
    for (int band = 1; band <= 4; ++band) {
        for (SheetRow& row : s.sheet.MutableBand(band).rows) {
            row.contract = Letter(r, " QKDLM", "a row's contract");
            row.written = r.Bool("a row's written mark");
            for (int seat = 1; seat <= 4; ++seat)
                row.score[seat] = Score(r, "a score of the sheet");
        }
    }
}

// The ranks laid of each suit; the run ends are worked out again.
void WriteBoard(ByteWriter& w, const GameState& s) {
    for (const auto& suit : s.board.value) {
        unsigned laid = 0;
        for (int rank = 2; rank <= kAce; ++rank)
            laid |= (suit[rank] != 0 ? 1u : 0u) << rank;
        w.U16(laid);
    }
}
void ReadBoard(ByteReader& r, GameState& s) {
    for (auto& suit : s.board.value) {
        const unsigned laid = r.U16();
        if ((laid & ~0x7FFCu) != 0) r.Refuse("a rank of the board out of range");
        for (int rank = 2; rank <= kAce; ++rank)
            suit[rank] = (laid >> rank & 1) != 0 ? rank : 0;
    }
    s.board.ComputeExtents();
}

void WriteLayout(ByteWriter& w, const GameState& s) {
    for (int seat = 1; seat <= 4; ++seat)
        w.Bool(s.stillIn[seat]);
    for (int seat = 1; seat <= 4; ++seat)
        w.U8(static_cast<unsigned>(s.finishingPlace[seat]));
    w.U8(static_cast<unsigned>(s.nextFinishingPlace));
    for (int k = 1; k <= 4; ++k)
        WritePicture(w, s.cycleMoves[k]);
}
void ReadLayout(ByteReader& r, GameState& s) {
    for (int seat = 1; seat <= 4; ++seat)
        s.stillIn[seat] = r.Bool("a seat's still-in mark");
    for (int seat = 1; seat <= 4; ++seat)
        s.finishingPlace[seat] = r.Small(0, 4, "a finishing place");
    s.nextFinishingPlace = r.Small(1, 5, "the next finishing place");
    for (int k = 1; k <= 4; ++k)
        s.cycleMoves[k] = ReadMove(r, "a move of the layout cycle");
}

void WriteTimers(ByteWriter& w, const GameState& s) {
    w.U16(static_cast<unsigned>(s.timer1Interval));
    w.U16(static_cast<unsigned>(s.timer3Interval));
}
void ReadTimers(ByteReader& r, GameState& s) {
    s.timer1Interval =
        Interval(r, {0, kFastInterval, kMediumInterval, kSlowInterval}, "Timer1's interval");
    s.timer3Interval =
        Interval(r, {0, kFastInterval, kMediumInterval, kSlowInterval, kFinishInterval},
                 "Timer3's interval");
}

struct Part {
    std::string_view tag;
    void (*write)(ByteWriter&, const GameState&);
    void (*read)(ByteReader&, GameState&);
};

// The parts in the order they stand in a file.
constexpr std::array<Part, 11> kParts = {{
    {"RAND", WriteRandom, ReadRandom},
    {"HAND", WriteHands, ReadHands},
    {"ABSN", WriteAbsences, ReadAbsences},
    {"ROUN", WriteRound, ReadRound},
    {"DEAL", WriteDeal, ReadDeal},
    {"GAME", WriteGame, ReadGame},
    {"DLGS", WriteDialogs, ReadDialogs},
    {"SHEE", WriteSheet, ReadSheet},
    {"BORD", WriteBoard, ReadBoard},
    {"LAYO", WriteLayout, ReadLayout},
    {"TIME", WriteTimers, ReadTimers},
}};

}  // namespace

bool IsSavePoint(const GameState& s) {
    return s.round.taken || CardsOnTable(s) == 0;
}

std::string EncodeGame(const GameState& position) {
    ByteWriter w;
    w.Header(kMagic, kSaveVersion);
    for (const Part& part : kParts) {
        w.Raw(part.tag);
        part.write(w, position);
    }
    return w.Bytes();
}

std::string DecodeGame(std::string_view bytes, GameState& position) {
    ByteReader r(bytes);
    if (std::string problem = r.Header(kMagic, kSaveVersion, "not a saved game of Morvel");
        !problem.empty())
        return problem;
    GameState s;
    for (const Part& part : kParts) {
        r.Tag(part.tag);
        part.read(r, s);
    }
    if (!r.Failed() && !r.AtEnd()) r.Refuse("bytes after the last part");
    if (r.Failed()) return r.Problem();
    s.sheet.playerName = s.playerName;
    s.sheet.ColourFromRows();
    if (std::string problem = PositionProblem(s); !problem.empty()) return problem;
    position = s;
    return {};
}

}  // namespace morvel
