// The five contracts: their rules, their letters and every text under which the player sees
// them, and the contract list of the chooser at turn. Nothing else in the engine names a contract
// by its letter: the rules below are read from this table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "cards.h"

namespace morvel {

// The contracts in the order of the choice dialog's radio buttons r1..r5; the index into the
// table.
enum class ContractId : uint8_t { Queen, HeartKing, Diamonds, Collection, Morvel };

inline constexpr char kQueenLetter = 'Q';
inline constexpr char kHeartKingLetter = 'K';
inline constexpr char kDiamondsLetter = 'D';
inline constexpr char kCollectionLetter = 'L';
inline constexpr char kMorvelLetter = 'M';
inline constexpr char kNoContract = ' ';

inline constexpr char kAnySuit = 0;
inline constexpr int kAnyRank = 0;

struct Contract {
    ContractId id;
    char letter;
    std::string_view panel;         // name panel on the table
    std::string_view sheetArabic;   // result sheet, Arabic column
    std::string_view sheetEnglish;  // result sheet, English column
    std::string_view radio;         // radio button of the choice dialog

    // The layout contract: no rounds, points by finishing place.
    bool layout = false;
    std::array<int16_t, 5> placePoints{};  // by finishing place 1..4

    // A round contract charges its points for each penalty item its taker takes: each round
    // (`perRound`), or each card laid that matches the penalty test.
    bool perRound = false;
    char penaltySuit = kAnySuit;
    int8_t penaltyRank = kAnyRank;
    int16_t points = 0;
    int8_t items = 0;       // penalty items in a whole deal: nothing is left to take after them
    int8_t allGameRow = 0;  // 1..4: the row it is written at, in turn, when an All Game deal ends

    // The penalty test: the ranks of a suit whose cards are penalty items, as bits.
    constexpr uint32_t PenaltyRanks(char suit) const {
        if (layout || perRound || (penaltySuit != kAnySuit && penaltySuit != suit)) return 0;
        return penaltyRank != kAnyRank ? 1u << penaltyRank : 0x7FFCu;
    }
    constexpr bool IsPenalty(char suit, int rank) const {
        return (PenaltyRanks(suit) >> rank & 1) != 0;
    }
    // Penalty items in a round of these four cards.
    template <typename Cards>
    constexpr int ItemsIn(const Cards& cards) const {
        if (perRound) return 1;
        int items = 0;
        for (int k = 1; k <= 4; ++k)
            items += IsPenalty(cards[k].suit, cards[k].rank);
        return items;
    }
};

inline constexpr int kContractCount = 5;
inline constexpr int kRoundContractCount = 4;

inline constexpr std::array<Contract, kContractCount> kContracts = {{
    {.id = ContractId::Queen,
     .letter = kQueenLetter,
     .panel = "بنات Queen",
     .sheetArabic = "بنات",
     .sheetEnglish = "Queen",
     .radio = "      Queen بنات",
     .penaltyRank = kQueen,
     .points = -25,
     .items = 4,
     .allGameRow = 3},
    {.id = ContractId::HeartKing,
     .letter = kHeartKingLetter,
     .panel = "شيخ القلب Heart King",
     .sheetArabic = "شيخ القلب",
     .sheetEnglish = "Heart King",
     .radio = "Heart King شيخ القلب",
     .penaltySuit = kHearts,
     .penaltyRank = kKing,
     .points = -75,
     .items = 1,
     .allGameRow = 4},
    {.id = ContractId::Diamonds,
     .letter = kDiamondsLetter,
     .panel = "ديناري Diamonds",
     .sheetArabic = "ديناري",
     .sheetEnglish = "Diamonds",
     .radio = "  Diamonds ديناري",
     .penaltySuit = kDiamonds,
     .points = -10,
     .items = 13,
     .allGameRow = 2},
    {.id = ContractId::Collection,
     .letter = kCollectionLetter,
     .panel = "لطش Collection",
     .sheetArabic = "لطش",
     .sheetEnglish = "Collection",
     .radio = "   Collection لطش",
     .perRound = true,
     .points = -15,
     .items = 13,
     .allGameRow = 1},
    {.id = ContractId::Morvel,
     .letter = kMorvelLetter,
     .panel = "مورفل Morvel",
     .sheetArabic = "مورفل",
     .sheetEnglish = "Morvel",
     .radio = "     Morvel مورفل",
     .layout = true,
     .placePoints = {0, 200, 150, 100, 50}},
}};

// For each contract, the rank bits of its penalty cards in each suit, in hand order.
inline constexpr std::array<std::array<uint32_t, 4>, kContractCount> kPenaltyMasks = [] {
    std::array<std::array<uint32_t, 4>, kContractCount> masks{};
    for (int c = 0; c < kContractCount; ++c) {
        for (int s = 0; s < 4; ++s)
            masks[c][s] = kContracts[c].PenaltyRanks(kHandSuits[s]);
    }
    return masks;
}();

constexpr const Contract& ContractOf(ContractId id) {
    return kContracts[static_cast<int>(id)];
}
constexpr char LetterOf(ContractId id) {
    return ContractOf(id).letter;
}

// The table entry of a contract letter; nullptr for any other character.
constexpr const Contract* FindContract(char letter) {
    constexpr std::array<int8_t, 128> kPlaces = [] {
        std::array<int8_t, 128> places{};
        places.fill(-1);
        for (int i = 0; i < kContractCount; ++i)
            places[static_cast<unsigned char>(kContracts[i].letter)] = static_cast<int8_t>(i);
        return places;
    }();
    const unsigned char c = static_cast<unsigned char>(letter);
    return c < kPlaces.size() && kPlaces[c] >= 0 ? &kContracts[kPlaces[c]] : nullptr;
}

// The contract names the windows show.
using ContractTexts = Contract;

constexpr bool IsRoundContract(char letter) {
    const Contract* c = FindContract(letter);
    return c != nullptr && !c->layout;
}

// The round contracts in the order an All Game deal writes them up.
inline constexpr std::array<const Contract*, kRoundContractCount> kAllGameRows = [] {
    std::array<const Contract*, kRoundContractCount> rows{};
    for (const Contract& c : kContracts) {
        if (c.allGameRow != 0) rows[c.allGameRow - 1] = &c;
    }
    return rows;
}();

// An All Game deal carries the letter of its first row, and stands against the layout contract.
inline constexpr const Contract& kAllGame = *kAllGameRows[0];
inline constexpr const Contract& kLayout = ContractOf(ContractId::Morvel);

// The round contracts charged by the card, heaviest penalty card first.
inline constexpr std::array<const Contract*, 3> kByCardWeight = [] {
    std::array<const Contract*, 3> order{};
    int n = 0;
    for (const Contract& c : kContracts) {
        if (!c.layout && !c.perRound) order[n++] = &c;
    }
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (order[j]->points < order[i]->points) std::swap(order[i], order[j]);
        }
    }
    return order;
}();

// The contract list: places 1..5, each a contract letter or ' ' for a place not yet used.
class ContractList {
  public:
    ContractList() { Clear(); }
    void Clear() { places_.fill(kNoContract); }
    char operator[](int place) const;
    void Set(int place, char letter);
    // Looks at all five places, whatever the contract number.
    bool Used(char letter) const;
    bool Used(const Contract& c) const { return Used(c.letter); }
    int FreeCount() const;
    friend bool operator==(const ContractList&, const ContractList&) = default;

  private:
    std::array<char, 6> places_{};  // place 0 unused
};

}  // namespace morvel
