#include "sheet_table.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <algorithm>

#include "qt_text.h"
#include "result_window.h"
#include "spoken.h"
#include "widgets.h"

namespace morvel {

namespace {

const QColor kWinnerGreen(0, 128, 0);

// One cell of the sheet for a screen reader; row -1 holds the column headers.
class SheetCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    SheetCell(SheetTable* table, int row, int column) : table_(table), row_(row), column_(column) {}

    bool isValid() const override { return table_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_->window()->windowHandle(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(table_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return table_->CellText(row_, column_);
            case QAccessible::Description:
                return table_->CellDescription(row_, column_);
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect cell = table_->CellRect(row_, column_);
        return {table_->mapToGlobal(cell.topLeft()), cell.size()};
    }
    QAccessible::Role role() const override {
        if (row_ < 0) return QAccessible::ColumnHeader;
        return column_ == 0 ? QAccessible::RowHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !table_->isVisible();
        if (row_ >= 0) {
            s.focusable = true;
            s.focused = table_->hasFocus() && table_->CurrentRow() == row_ &&
                        table_->CurrentColumn() == column_;
        }
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface && row_ >= 0)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    QPointer<SheetTable> table_;
    int row_;
    int column_;
};

class SheetAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit SheetAccessible(SheetTable* table) : QAccessibleWidget(table, QAccessible::Table) {}
    ~SheetAccessible() override {
        for (QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
    }

    SheetTable* Table() const { return static_cast<SheetTable*>(widget()); }

    // Children: the header row, then the cells row by row.
    static int IndexOf(int row, int column) { return (row + 1) * SheetTable::kColumns + column; }
    QAccessibleInterface* Cell(int row, int column) const {
        if (row < -1 || row >= SheetTable::kRows || column < 0 || column >= SheetTable::kColumns)
            return nullptr;
        const int index = IndexOf(row, column);
        const auto found = cells_.constFind(index);
        if (found != cells_.cend()) return QAccessible::accessibleInterface(*found);
        auto* cell = new SheetCell(Table(), row, column);
        cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return Say(text::kSpokenSheet);
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return (SheetTable::kRows + 1) * SheetTable::kColumns; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return Cell(index / SheetTable::kColumns - 1, index % SheetTable::kColumns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto it = cells_.cbegin(); it != cells_.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child) return it.key();
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = Table()->mapFromGlobal(QPoint(x, y));
        for (int row = -1; row < SheetTable::kRows; ++row) {
            for (int column = 0; column < SheetTable::kColumns; ++column) {
                if (Table()->CellRect(row, column).contains(at)) return Cell(row, column);
            }
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return Table()->hasFocus() ? Cell(Table()->CurrentRow(), Table()->CurrentColumn())
                                   : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return row >= 0 ? Cell(row, column) : nullptr;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return Table()->CellText(-1, column); }
    QString rowDescription(int row) const override { return Table()->CellDescription(row, 0); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return SheetTable::kColumns; }
    int rowCount() const override { return SheetTable::kRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    mutable QHash<int, QAccessible::Id> cells_;
};

SheetAccessible* SheetOf(SheetTable* table) {
    return static_cast<SheetAccessible*>(QAccessible::queryAccessibleInterface(table));
}

QList<QAccessibleInterface*> SheetCell::columnHeaderCells() const {
    return {SheetOf(table_)->Cell(-1, column_)};
}

QList<QAccessibleInterface*> SheetCell::rowHeaderCells() const {
    if (column_ == 0) return {};
    return {SheetOf(table_)->Cell(row_, 0)};
}

}  // namespace

QAccessibleInterface* SheetTableAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(SheetTable::staticMetaObject.className())) return nullptr;
    return new SheetAccessible(static_cast<SheetTable*>(object));
}

SheetTable::SheetTable(QWidget* sheet, std::array<QLabel*, kColumns> headers)
    : QWidget(sheet), headers_(headers) {
    setObjectName(QStringLiteral("sheet"));
    setFocusPolicy(Qt::TabFocus);
}

SheetGrid* SheetTable::GridAt(int row, int column) const {
    // Row r belongs to chooser r / 5 + 1; its grids are the name grid and the four seats'.
    return grids_[static_cast<size_t>(row / 5 * 5 + 1 + column)];
}

QString SheetTable::CellText(int row, int column) const {
    if (row < 0) {
        if (const auto* name = qobject_cast<const ElidedLabel*>(headers_[column]))
            return name->Name().isEmpty() ? Say(text::kSpokenNoName) : name->Name();
        return CaptionText(headers_[column]->text()).trimmed();
    }
    const SheetGrid* grid = GridAt(row, column);
    const int place = row % 5;
    const Words words = column == 0
                            ? Words{grid->Cell(place, 1).trimmed(), grid->Cell(place, 0).trimmed()}
                            : Same(grid->Cell(place, 0).trimmed());
    return words.IsEmpty() ? Say(text::kSpokenEmptyCell) : Say(words);
}

QString SheetTable::CellDescription(int row, int column) const {
    if (row < 0) return {};
    if (column == 0) {
        return Say(text::kSpokenSheetRow,
                   {Same(QString::number(row / 5 + 1)), Same(QString::number(row % 5 + 1))});
    }
    return GridAt(row, column)->FixedColour() == kWinnerGreen ? Say(text::kSpokenWinner)
                                                              : QString();
}

QRect SheetTable::CellRect(int row, int column) const {
    if (row < 0) return headers_[column]->geometry();
    const SheetGrid* grid = GridAt(row, column);
    const int place = row % 5;
    QRect cell = grid->CellRect(place, 0);
    // The contract's name spans both of its grid's columns.
    if (column == 0) cell = cell.united(grid->CellRect(place, 1));
    return cell.translated(grid->pos());
}

void SheetTable::MoveTo(int row, int column) {
    row = std::clamp(row, 0, kRows - 1);
    column = std::clamp(column, 0, kColumns - 1);
    if (row == row_ && column == column_) return;
    row_ = row;
    column_ = column;
    TellCurrent();
}

void SheetTable::TellCurrent() {
    if (auto* outline = window()->findChild<FocusOutline*>()) outline->Follow();
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(SheetAccessible::IndexOf(row_, column_));
    QAccessible::updateAccessibility(&event);
}

void SheetTable::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    TellCurrent();
}

void SheetTable::keyPressEvent(QKeyEvent* event) {
    // The sheet reads from right to left: Left goes to the next player, as the columns stand.
    switch (event->key()) {
        case Qt::Key_Up:
            MoveTo(row_ - 1, column_);
            break;
        case Qt::Key_Down:
            MoveTo(row_ + 1, column_);
            break;
        case Qt::Key_Left:
            MoveTo(row_, column_ + 1);
            break;
        case Qt::Key_Right:
            MoveTo(row_, column_ - 1);
            break;
        case Qt::Key_Home:
            MoveTo(row_, 0);
            break;
        case Qt::Key_End:
            MoveTo(row_, kColumns - 1);
            break;
        case Qt::Key_PageUp:
            MoveTo(row_ - 5, column_);
            break;
        case Qt::Key_PageDown:
            MoveTo(row_ + 5, column_);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace morvel
