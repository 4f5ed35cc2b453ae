#include "result_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "game.h"
#include "qt_text.h"
#include "scaler.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

namespace {

const QColor kSilver(192, 192, 192);
const QColor kRed(255, 0, 0);
const QColor kNameGridColour(128, 255, 255);

constexpr int kBandTops[] = {22, 119, 216, 314};
constexpr int kGridHeight = 97;  // rows 0 to 4 and the lines around them
constexpr int kNameGridLeft = 296;
constexpr int kNameGridWidth = 160;
constexpr int kScoreGridLefts[] = {224, 152, 80, 8};  // seats 1 to 4
constexpr int kScoreGridWidth = 67;
constexpr int kScoreColumn = 64;

QColor ColourOf(SheetColour colour) {
    switch (colour) {
        case SheetColour::White:
            return {255, 255, 255};
        case SheetColour::Blue:
            return {0, 0, 255};
        case SheetColour::Yellow:
            return {255, 255, 0};
        case SheetColour::Green:
            return {0, 128, 0};
    }
    return {};
}

void HeaderLook(QLabel* label, const QRect& geometry) {
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter | Qt::AlignAbsolute);
    // Size 8 in points, as the rest of the program's small text: at 8 pixels the Arabic words
    // could not be read.
    QFont font = label->font();
    font.setPointSize(8);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kRed);
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

QLabel* HeaderLabel(const char* name, const QString& caption, const QRect& geometry,
                    QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    HeaderLook(label, geometry);
    return label;
}

}  // namespace

SheetGrid::SheetGrid(const QString& name, std::array<int, kColumns> columnWidths,
                     const QColor& text, QWidget* parent)
    : QWidget(parent), widths_(columnWidths), text_(text), fixed_(Qt::white) {
    setObjectName(name);
    QFont bold = font();
    bold.setPixelSize(13);
    bold.setBold(true);
    setFont(bold);
    for (auto& row : cells_)
        row.fill(QStringLiteral(" "));
}

void SheetGrid::SetCell(int row, int column, const QString& text) {
    if (cells_[row][column] == text) return;
    cells_[row][column] = text;
    update();
}

void SheetGrid::SetFixedColour(const QColor& colour) {
    if (fixed_ == colour) return;
    fixed_ = colour;
    update();
}

QRect SheetGrid::CellRect(int row, int column) const {
    const qreal factor = Scaler::FactorFor(this);
    const QRectF cell = DesignedCellRect(row, column);
    return QRectF(cell.topLeft() * factor, cell.size() * factor).toRect();
}

QRect SheetGrid::DesignedCellRect(int row, int column) const {
    // A one-pixel border, then each cell followed by its one-pixel line.
    int left = 1;
    for (int c = 0; c < column; ++c)
        left += widths_[c] + 1;
    return {left, 1 + row * (kRowHeight + 1), widths_[column], kRowHeight};
}

void SheetGrid::DrawCellText(QPainter& painter, const QRect& cell, const QString& text,
                             qreal factor) const {
    // Two pixels spare at either side, so that no letter touches a line.
    const QRect room = cell.adjusted(qRound(2 * factor), 0, -qRound(2 * factor), 0);
    const int width = painter.fontMetrics().horizontalAdvance(text);
    painter.save();
    painter.setPen(text_);
    painter.setClipRect(cell);
    if (width > room.width()) {
        // The bundled Arabic font is wider than the cells were made for ("شيخ القلب"): such a
        // name is narrowed to fit rather than cut.
        painter.translate(room.left(), 0);
        painter.scale(static_cast<qreal>(room.width()) / width, 1);
        painter.drawText(QRect(0, room.top(), width, room.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    } else {
        painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    painter.restore();
}

void SheetGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);  // beyond the last cells
    // Cells and lines are drawn as designed, scaled with the sheet; the letters at the scaled
    // size, measured as they are drawn.
    const qreal factor = Scaler::FactorFor(this);
    painter.save();
    painter.scale(factor, factor);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const QRect cell = DesignedCellRect(row, column);
            const bool fixed = row < kRows - 1 || column == 0;
            // The cell with its lines to the right and below.
            painter.fillRect(cell.adjusted(0, 0, 1, 1), Qt::black);
            painter.fillRect(cell, fixed ? fixed_ : QColor(Qt::white));
        }
    }
    painter.setPen(Qt::black);
    painter.drawRect(QRectF(0, 0, width() / factor, height() / factor).adjusted(0, 0, -1, -1));
    painter.restore();

    QFont letters = font();
    letters.setPixelSize(std::max(1, qRound(font().pixelSize() * factor)));
    painter.setFont(letters);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            DrawCellText(painter, CellRect(row, column), cells_[row][column], factor);
    }
}

Tresultform::Tresultform(const Game& game, QWidget* parent)
    : QDialog(parent, kSideWindowFlags), game_(game) {
    setObjectName(QStringLiteral("Tresultform"));
    setWindowTitle(Caption(text::kResultCaption));
    setModal(true);
    setFixedSize(640, 433);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, kSilver);
    setPalette(silver);
    setAutoFillBackground(true);

    HeaderLabel("n1", Caption(text::kSheetGameName), {296, 8, 159, 17}, this);
    // The player's name, as typed: not a caption, so Qt guesses its direction.
    n2_ = new ElidedLabel("n2", Qt::AlignCenter, this);
    HeaderLook(n2_, {224, 8, 66, 17});
    HeaderLabel("n3", Caption(text::kSheetSeat2Name), {152, 8, 66, 17}, this);
    HeaderLabel("n4", Caption(text::kSeat3Name), {80, 8, 66, 17}, this);
    HeaderLabel("n5", Caption(text::kSeat4Name), {8, 8, 66, 17}, this);

    for (int band = 1; band <= 4; ++band) {
        const int top = kBandTops[band - 1];
        for (int seat = 0; seat <= 4; ++seat) {
            const int n = (band - 1) * 5 + seat + 1;
            const QString name = QStringLiteral("s%1").arg(n);
            SheetGrid* grid;
            if (seat == 0) {
                grid = new SheetGrid(name, {64, band == 1 ? 94 : 92}, Qt::black, this);
                grid->SetFixedColour(kNameGridColour);
                grid->setGeometry(kNameGridLeft, top, kNameGridWidth, kGridHeight);
            } else {
                grid = new SheetGrid(name, {kScoreColumn, kScoreColumn}, kRed, this);
                grid->setGeometry(kScoreGridLefts[seat - 1], top, kScoreGridWidth, kGridHeight);
            }
            grids_[static_cast<size_t>(n)] = grid;
        }
    }

    bitBtn1_ = morvel::OkButton(this, text::kOk, QRect(464, 8, 161, 401));

    auto* scaler = new Scaler(this, size(), /*fit=*/false);
    scaler->SetAnchor({Scaler::Anchor::Kind::TableTopLeft, {}});
    for (int n = 1; n <= 20; ++n)
        scaler->Add(Grid(n), Scaler::Sizing::Painted);
    scaler->AdoptChildren();
}

void Tresultform::Refresh() {
    const ResultSheet& sheet = game_.State().sheet;
    n2_->SetName(Text(sheet.playerName));
    for (int n = 1; n <= 20; ++n) {
        SheetGrid* grid = Grid(n);
        for (int row = 0; row < SheetGrid::kRows; ++row) {
            for (int column = 0; column < SheetGrid::kColumns; ++column)
                grid->SetCell(row, column, Text(sheet.CellText(n, row, column)));
        }
        if (ResultSheet::SeatOfGrid(n) != 0) grid->SetFixedColour(ColourOf(sheet.GridColour(n)));
    }
}

void Tresultform::reject() {}

void Tresultform::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Refresh();
    bitBtn1_->setFocus();
}

void Tresultform::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace morvel
