// The result sheet's twenty grids as one table that a screen reader walks, and the keyboard too:
// a header row (the contract, then the four players as the sheet heads them), then a row for each
// of the four choosers' five contracts, whose first cell (the contract's name) heads the row. The
// arrow keys move from cell to cell while the table has the focus.
#pragma once

#include <QAccessible>
#include <QWidget>
#include <array>

#include "focus_outline.h"

class QLabel;

namespace morvel {

class SheetGrid;
class ElidedLabel;

class SheetTable : public QWidget, public FocusArea {
    Q_OBJECT

  public:
    static constexpr int kRows = 20;  // four choosers, five contracts each
    static constexpr int kColumns = 5;

    // `headers`: n1 (the contract) and the four players' names n2 .. n5. The grids are made
    // this table's children, and given to it once they all stand: s1 .. s20, entry 0 unused.
    SheetTable(QWidget* sheet, std::array<QLabel*, kColumns> headers);
    void SetGrids(const std::array<SheetGrid*, 21>& grids) { grids_ = grids; }

    // What a cell says; row -1 is the header row.
    QString CellText(int row, int column) const;
    QString CellDescription(int row, int column) const;
    // Where a cell is drawn, in this table's pixels.
    QRect CellRect(int row, int column) const;

    int CurrentRow() const { return row_; }
    int CurrentColumn() const { return column_; }
    QRect FocusedPart() const override { return CellRect(row_, column_); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    SheetGrid* GridAt(int row, int column) const;
    void MoveTo(int row, int column);
    void TellCurrent();

    std::array<QLabel*, kColumns> headers_;
    std::array<SheetGrid*, 21> grids_{};
    int row_ = 0;
    int column_ = 0;
};

// A screen reader's view of the table and its cells.
QAccessibleInterface* SheetTableAccessible(const QString& className, QObject* object);

}  // namespace morvel
