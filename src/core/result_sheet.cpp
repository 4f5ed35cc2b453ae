#include "result_sheet.h"

#include "contracts.h"

namespace morvel {

namespace {

SheetColour SignColour(int32_t score) {
    return score == 0 ? SheetColour::White : score > 0 ? SheetColour::Blue : SheetColour::Yellow;
}

}  // namespace

void ResultSheet::Clear() {
    for (SheetBand& band : bands_)
        band.rows = {};
}

void ResultSheet::Whiten() {
    for (SheetBand& band : bands_)
        band.colour.fill(SheetColour::White);
}

void ResultSheet::WriteRow(int band, int row, char contract, const Numbered<int32_t, 4>& scores) {
    assert(row >= 0 && row <= 4);
    SheetBand& b = MutableBand(band);
    for (int seat = 1; seat <= 4; ++seat) {
        b.colour[seat] = SignColour(scores[seat]);
        b.rows[row].score[seat] = scores[seat];
    }
    b.rows[row].contract = contract;
    b.rows[row].written = true;
}

void ResultSheet::ColourFromRows() {
    for (int band = 1; band <= 4; ++band) {
        SheetBand& b = MutableBand(band);
        b.colour.fill(SheetColour::White);
        for (const SheetRow& row : b.rows) {
            if (!row.written) continue;
            for (int seat = 1; seat <= 4; ++seat)
                b.colour[seat] = SignColour(row.score[seat]);
        }
    }
}

void ResultSheet::MarkWinner(int seat) {
    for (int band = 1; band <= 4; ++band)
        MutableBand(band).colour[seat] = SheetColour::Green;
}

std::string ResultSheet::CellText(int grid, int row, int column) const {
    assert(grid >= 1 && grid <= 20 && row >= 0 && row <= 5 && column >= 0 && column <= 1);
    const SheetRow& r = Band(BandOfGrid(grid)).rows[row];
    const int seat = SeatOfGrid(grid);
    if (seat == 0) {
        const Contract* c = FindContract(r.contract);
        if (c == nullptr) return " ";
        return std::string(column == 0 ? c->sheetArabic : c->sheetEnglish);
    }
    if (column != 0 || !r.written) return " ";
    return std::to_string(r.score[seat]);
}

SheetColour ResultSheet::GridColour(int grid) const {
    const int seat = SeatOfGrid(grid);
    assert(seat != 0);
    return Band(BandOfGrid(grid)).colour[seat];
}

}  // namespace morvel
