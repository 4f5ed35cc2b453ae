// The card model: card records, the card table, seats and their hand blocks.
#pragma once

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
    T& operator[](int n) {
        assert(n >= 1 && n <= N);
        return items_[n];
    }
    const T& operator[](int n) const {
        assert(n >= 1 && n <= N);
        return items_[n];
    }
    static constexpr int size() { return N; }
    void fill(const T& v) { items_.fill(v); }
    friend bool operator==(const Numbered&, const Numbered&) = default;

  private:
    std::array<T, N + 1> items_{};
};

using CardTable = Numbered<CardRecord, 52>;
using HandTable = Numbered<CardRecord, 52>;

// Face image of the card of a suit and rank: diamonds c1..c13, hearts c14..c26, clubs c27..c39,
// spades c40..c52, each block starting with the ace.
int FaceOf(char suit, int rank);

// Card table entries 1..13 diamonds, 14..26 clubs, 27..39 hearts, 40..52 spades, each block
// running 2 .. king, ace last.
CardTable BuildCardTable();

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
constexpr int BoardSuit(char suit) {
    switch (suit) {
        case kDiamonds:
            return 0;
        case kClubs:
            return 1;
        case kHearts:
            return 2;
        case kSpades:
            return 3;
        default:
            assert(false && "not a suit letter");
            return 0;
    }
}

// A short text for a card: suit letter then rank value, e.g. "H14", "D2".
std::array<char, 4> CardText(char suit, int rank);

}  // namespace morvel
