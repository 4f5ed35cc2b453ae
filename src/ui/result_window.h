// The result sheet window: the engine's sheet in twenty small grids, four bands of a name grid
// and four score grids, read from right to left.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <QWidget>
#include <array>

class QLabel;
class QPainter;
class QPushButton;

namespace morvel {

class ElidedLabel;
class Game;

// One string grid (s1 .. s20): two columns, six rows of 18 pixels, one-pixel lines. Rows 0 to 4
// and column 0 are fixed cells in the grid's fixed colour; the grid is cut to its size, so row 5
// and, in the score grids, column 1 stay out of sight.
class SheetGrid : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 2;
    static constexpr int kRowHeight = 18;

    SheetGrid(const QString& name, std::array<int, kColumns> columnWidths, const QColor& text,
              QWidget* parent);

    void SetCell(int row, int column, const QString& text);
    const QString& Cell(int row, int column) const { return cells_[row][column]; }
    void SetFixedColour(const QColor& colour);
    const QColor& FixedColour() const { return fixed_; }
    QColor TextColour() const { return text_; }
    int ColumnWidth(int column) const { return widths_[column]; }
    // Where a cell lies as drawn, lines excluded.
    QRect CellRect(int row, int column) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Where a cell lies as designed: the grid is drawn scaled with its window.
    QRect DesignedCellRect(int row, int column) const;
    void DrawCellText(QPainter& painter, const QRect& cell, const QString& text,
                      qreal factor) const;

    std::array<int, kColumns> widths_;
    QColor text_;
    QColor fixed_;
    std::array<std::array<QString, kColumns>, kRows> cells_;
};

class Tresultform : public QDialog {
    Q_OBJECT

  public:
    explicit Tresultform(const Game& game, QWidget* parent = nullptr);

    // Shows the sheet as the engine has it now. Every showing does this; the end of a deal does
    // it too when the sheet is already open from the menu.
    void Refresh();

    QPushButton* OkButton() const { return bitBtn1_; }
    SheetGrid* Grid(int n) const { return grids_[static_cast<size_t>(n)]; }  // s1 .. s20

    // Only OK closes the sheet.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    const Game& game_;
    std::array<SheetGrid*, 21> grids_{};  // grids_[0] unused
    ElidedLabel* n2_;
    QPushButton* bitBtn1_;
};

}  // namespace morvel
