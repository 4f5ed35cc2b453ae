#include "result_sheet.h"

#include "contracts.h"

namespace morvel {

void ResultSheet::Clear() {
    for (SheetBand& band : bands_)
        band.rows = {};
}

void ResultSheet::Whiten() {
    for (SheetBand& band : bands_)
        band.colour.fill(SheetColour::White);
}

std::string ResultSheet::CellText(int grid, int row, int column) const {
    assert(grid >= 1 && grid <= 20 && row >= 0 && row <= 5 && column >= 0 && column <= 1);
    const SheetRow& r = Band(BandOfGrid(grid)).rows[row];
    const int seat = SeatOfGrid(grid);
    if (seat == 0) {
        const ContractTexts* texts = FindContract(r.contract);
        if (texts == nullptr) return " ";
        return std::string(column == 0 ? texts->sheetArabic : texts->sheetEnglish);
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
