// The five contracts: their letters and every text under which the player sees them, and the
// contract list of the chooser at turn.
#pragma once

#include <array>
#include <string_view>

namespace morvel {

inline constexpr char kQueenLetter = 'Q';
inline constexpr char kHeartKingLetter = 'K';
inline constexpr char kDiamondsLetter = 'D';
inline constexpr char kCollectionLetter = 'L';
inline constexpr char kMorvelLetter = 'M';
inline constexpr char kNoContract = ' ';

struct ContractTexts {
    char letter;
    std::string_view panel;         // name panel on the table
    std::string_view sheetArabic;   // result sheet, Arabic column
    std::string_view sheetEnglish;  // result sheet, English column
    std::string_view radio;         // radio button of the choice dialog
};

// In the order of the choice dialog's radio buttons r1..r5.
inline constexpr std::array<ContractTexts, 5> kContracts = {{
    {kQueenLetter, "بنات Queen", "بنات", "Queen", "      Queen بنات"},
    {kHeartKingLetter, "شيخ القلب Heart King", "شيخ القلب", "Heart King", "Heart King شيخ القلب"},
    {kDiamondsLetter, "ديناري Diamonds", "ديناري", "Diamonds", "  Diamonds ديناري"},
    {kCollectionLetter, "لطش Collection", "لطش", "Collection", "   Collection لطش"},
    {kMorvelLetter, "مورفل Morvel", "مورفل", "Morvel", "     Morvel مورفل"},
}};

// The texts of a contract letter; nullptr for any other character.
const ContractTexts* FindContract(char letter);

constexpr bool IsRoundContract(char letter) {
    return letter == kQueenLetter || letter == kHeartKingLetter || letter == kDiamondsLetter ||
           letter == kCollectionLetter;
}

// The contract list: places 1..5, each a contract letter or ' ' for a place not yet used.
class ContractList {
  public:
    ContractList() { Clear(); }
    void Clear() { places_.fill(kNoContract); }
    char operator[](int place) const;
    void Set(int place, char letter);
    // Looks at all five places, whatever the contract number.
    bool Used(char letter) const;
    int FreeCount() const;
    friend bool operator==(const ContractList&, const ContractList&) = default;

  private:
    std::array<char, 6> places_{};  // place 0 unused
};

}  // namespace morvel
