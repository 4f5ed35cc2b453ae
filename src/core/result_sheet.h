// The result sheet: four bands, one per chooser, each a name grid and four score grids (one per
// seat) of six rows. The engine writes it; the result window paints it.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

#include "cards.h"

namespace morvel {

enum class SheetColour : uint8_t { White, Blue, Yellow, Green };

struct SheetRow {
    char contract = ' ';   // name grid: the contract whose names it shows, ' ' for an empty row
    bool written = false;  // the four score cells hold `score`; all written at once
    std::array<int32_t, 5> score{};  // by seat 1..4
    friend bool operator==(const SheetRow&, const SheetRow&) = default;
};

struct SheetBand {
    std::array<SheetRow, 6> rows{};       // rows 0..5; row 5 is never written
    std::array<SheetColour, 5> colour{};  // fixed colour of each seat's score grid, by seat 1..4
    friend bool operator==(const SheetBand&, const SheetBand&) = default;
};

class ResultSheet {
  public:
    ResultSheet() { Clear(); }

    // Every cell empty; colours untouched.
    void Clear();
    // Every score grid white.
    void Whiten();
    // The row of a contract in a chooser's band: the contract's names and the four game scores
    // at once; the band's score grids take the colours of the scores' signs.
    void WriteRow(int band, int row, char contract, const Numbered<int32_t, 4>& scores);
    // The winner's score grids turn green in every band.
    void MarkWinner(int seat);
    // The colours as the rows written leave them, before a winner is marked: each band's grids
    // take the signs of its last row written, and a band without one is white.
    void ColourFromRows();

    const SheetBand& Band(int band) const {
        assert(band >= 1 && band <= 4);
        return bands_[band];
    }
    SheetBand& MutableBand(int band) {
        assert(band >= 1 && band <= 4);
        return bands_[band];
    }

    // Grids s1..s20 as the window lays them out: s1 the name grid of band 1, s2..s5 the score
    // grids of seats 1..4 in band 1, s6 the name grid of band 2, and so on.
    static int BandOfGrid(int grid) { return (grid - 1) / 5 + 1; }
    static int SeatOfGrid(int grid) { return (grid - 1) % 5; }  // 0 for a name grid
    // The text of a cell: one space when empty, a contract name, or a score in decimal.
    std::string CellText(int grid, int row, int column) const;
    SheetColour GridColour(int grid) const;

    // The player's name in the header, as it was when the game began.
    std::string playerName;

    friend bool operator==(const ResultSheet&, const ResultSheet&) = default;

  private:
    std::array<SheetBand, 5> bands_{};  // band 0 unused
};

}  // namespace morvel
