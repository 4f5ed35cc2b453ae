// The card model: card records, the card table, seats and their hand blocks.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>

namespace morvel {

// Suit letters are the only suit code of the game. Their character codes order the suits in a
// sorted hand: hearts, clubs, diamonds, spades.
inline constexpr char kDiamonds = 'D';
inline constexpr char kClubs = 'F';
inline constexpr char kHearts = 'H';
inline constexpr char kSpades = 'A';
inline constexpr char kPlayed = ' ';  // suit letter of a hand-table entry that has been played

inline constexpr int kJack = 11;
inline constexpr int kQueen = 12;
inline constexpr int kKing = 13;
inline constexpr int kAce = 14;

struct CardRecord {
    char suit = kPlayed;
    int32_t rank = 0;
    int face = 0;  // face image c1..c52 (0: none)

    friend bool operator==(const CardRecord&, const CardRecord&) = default;
};

// A 1-based array: entry 0 exists only so that indices match the numbers the game uses.
template <typename T, int N>
class Numbered {
  public:
    constexpr T& operator[](int n) {
        assert(n >= 1 && n <= N);
        return items_[n];
    }
    constexpr const T& operator[](int n) const {
        assert(n >= 1 && n <= N);
        return items_[n];
    }
    static constexpr int size() { return N; }
    // Entries 1..N; entry 0 keeps its first value, so it never tells two arrays apart.
    constexpr void fill(const T& v) { std::fill(items_.begin() + 1, items_.end(), v); }
    friend bool operator==(const Numbered&, const Numbered&) = default;

  private:
    std::array<T, N + 1> items_{};
};

using CardTable = Numbered<CardRecord, 52>;

// The place of a suit letter in an order of the four suits, 0..3. The four letters differ in
// their lowest three bits, which index a small table.
template <const char (&kOrder)[4]>
constexpr int PlaceOfSuit(char suit) {
    constexpr std::array<int8_t, 8> kPlaces = [] {
        std::array<int8_t, 8> places{};
        places.fill(-1);
        for (int i = 0; i < 4; ++i)
            places[kOrder[i] & 7] = static_cast<int8_t>(i);
        return places;
    }();
    const int place = kPlaces[suit & 7];
    assert(place >= 0 && kOrder[place] == suit && "not a suit letter");
    return place;
}

// Face image of the card of a suit and rank: diamonds c1..c13, hearts c14..c26, clubs c27..c39,
// spades c40..c52, each block starting with the ace.
inline constexpr char kFaceBlocks[4] = {kDiamonds, kHearts, kClubs, kSpades};
constexpr int FaceOf(char suit, int rank) {
    assert(rank >= 2 && rank <= kAce);
    const int first = 1 + 13 * PlaceOfSuit<kFaceBlocks>(suit);
    return rank == kAce ? first : first + rank - 1;
}

// The card of face c1..c52.
constexpr CardRecord CardOfFace(int face) {
    assert(face >= 1 && face <= 52);
    const int offset = (face - 1) % 13;
    return {kFaceBlocks[(face - 1) / 13], offset == 0 ? kAce : offset + 1, face};
}

// Card table entries 1..13 diamonds, 14..26 clubs, 27..39 hearts, 40..52 spades, each block
// running 2 .. king, ace last.
constexpr CardTable BuildCardTable() {
    constexpr char kBlockSuits[4] = {kDiamonds, kClubs, kHearts, kSpades};  // as on the board
    CardTable table;
    for (int n = 1; n <= 52; ++n) {
        CardRecord& card = table[n];
        card.suit = kBlockSuits[(n - 1) / 13];
        card.rank = (n - 1) % 13 + 2;
        card.face = FaceOf(card.suit, card.rank);
    }
    return table;
}

// The deck the deal draws from.
inline constexpr CardTable kCardTable = BuildCardTable();

// A hand lists hearts, clubs, diamonds and spades, in this order, each low to high. The suits in
// that order are 0..3.
inline constexpr char kHandSuits[4] = {kHearts, kClubs, kDiamonds, kSpades};
constexpr int HandSuit(char suit) {
    return PlaceOfSuit<kHandSuits>(suit);
}

// Seats: 1 the human player at the bottom, 2 right, 3 top, 4 left.
inline constexpr int kHuman = 1;

struct Block {
    int first;
    int last;
};

// Hand-table entries of a seat: seat 4 holds 1..13, seat 3 14..26, seat 2 27..39, seat 1 40..52.
constexpr Block BlockOf(int seat) {
    assert(seat >= 1 && seat <= 4);
    const int first = (4 - seat) * 13 + 1;
    return {first, first + 12};
}

// The person's own cards, the only ones shown face up.
inline constexpr Block kHumanBlock = BlockOf(kHuman);

constexpr int SeatOfEntry(int entry) {
    assert(entry >= 1 && entry <= 52);
    return 4 - (entry - 1) / 13;
}

// The seat that lays the n-th card of a round led by `leader`.
constexpr int SeatAtPosition(int leader, int n) {
    return (leader - 1 + n - 1) % 4 + 1;
}

// The board of the layout contract keeps the suits in the card table's order: diamonds, clubs,
// hearts, spades as 0..3.
inline constexpr char kBoardSuits[4] = {kDiamonds, kClubs, kHearts, kSpades};
constexpr int BoardSuit(char suit) {
    return PlaceOfSuit<kBoardSuits>(suit);
}

// Cards as bits of a 64-bit set, bit n for card-table entry n. The cards of a suit whose rank
// bits (bit r for rank r) are set.
constexpr uint64_t CardsOf(char suit, uint32_t ranks = 0x7FFCu) {
    return static_cast<uint64_t>(ranks >> 2 & 0x1FFFu) << (13 * BoardSuit(suit) + 1);
}
inline constexpr uint64_t kWholeDeck =
    CardsOf(kDiamonds) | CardsOf(kClubs) | CardsOf(kHearts) | CardsOf(kSpades);

// A short text for a card: suit letter then rank value, e.g. "H14", "D2".
std::array<char, 4> CardText(char suit, int rank);

}  // namespace morvel
