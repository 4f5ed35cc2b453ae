// The result sheet window: it shows the engine's sheet, cells and colours, when it opens and when
// a deal ends under it, names are whole, and only OK closes it.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>

#include "caption_ink.h"
#include "qt_text.h"
#include "result_window.h"
#include "scaler.h"
#include "test_windows.h"
#include "ui_test_main.h"
#include "widgets.h"

using morvel::SheetGrid;
using morvel::testing::Ink;
using morvel::testing::StartedWindows;

namespace {

// The colour painted in a cell, away from its text.
QColor Painted(SheetGrid* grid, int row, int column) {
    const QRect cell = grid->CellRect(row, column) & grid->rect().adjusted(0, 0, -1, -1);
    return morvel::testing::Rendered(grid).pixelColor(cell.right() - 1, cell.bottom() - 1);
}

}  // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedWindows> started_;

    morvel::Game& Engine() { return started_->Engine(); }
    morvel::Tresultform& Sheet() { return started_->windows->Resultform(); }
    SheetGrid* Grid(int n) { return Sheet().Grid(n); }

    // A contract's row as the end of its deal writes it.
    void Write(int band, int contractNumber, char letter, std::array<int32_t, 4> scores) {
        morvel::GameState& s = Engine().MutableState();
        s.chooserNumber = band;
        s.contractNumber = contractNumber;
        s.contractList.Set(contractNumber, letter);
        for (int seat = 1; seat <= 4; ++seat)
            s.gameScore[seat] = scores[static_cast<size_t>(seat - 1)];
        Engine().WriteSheetRow();
    }

    QStringList Row(int band, int row) {
        QStringList cells{Grid((band - 1) * 5 + 1)->Cell(row, 1)};
        for (int seat = 1; seat <= 4; ++seat)
            cells << Grid((band - 1) * 5 + 1 + seat)->Cell(row, 0);
        return cells;
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() {
        started_ = std::make_unique<StartedWindows>();
        Engine().MutableState().playerName = "Ann";
        Engine().ResetSheet();
    }

    void cleanup() { started_.reset(); }

    void showsTheEngineSheet() {
        Write(1, 1, 'Q', {-50, -25, -25, 0});
        Write(1, 2, 'K', {-50, -100, 25, 125});
        for (int band = 2; band <= 3; ++band)
            Write(band, 5, 'M', {100, -100, 0, 0});
        Write(4, 5, 'L', {300, -200, 0, -100});  // the last contract: seat 1 wins
        Sheet().move(300, 300);
        Sheet().show();
        // At the table's top-left corner, as large as the table is drawn.
        const morvel::Scaler& table = started_->Form1().TableScaler();
        QCOMPARE(Sheet().mapToGlobal(morvel::Scaler::Of(&Sheet())->Area().topLeft()),
                 table.ScreenArea().topLeft());
        QCOMPARE(Sheet().size(),
                 (QSizeF(640, 433 + morvel::CaptionStrip::kHeight) * table.Factor()).toSize());
        QCOMPARE(Sheet().focusWidget(), Sheet().OkButton());
        QCOMPARE(Sheet().findChild<QLabel*>(QStringLiteral("n2"))->text(), QStringLiteral("Ann"));
        QVERIFY(table.Factor() > 1);

        const morvel::ResultSheet& sheet = Engine().State().sheet;
        for (int n = 1; n <= 20; ++n) {
            for (int row = 0; row < SheetGrid::kRows; ++row) {
                for (int column = 0; column < SheetGrid::kColumns; ++column)
                    QCOMPARE(Grid(n)->Cell(row, column),
                             morvel::Text(sheet.CellText(n, row, column)));
            }
        }
        QCOMPARE(Row(1, 1), (QStringList{"Heart King", "-50", "-100", "25", "125"}));
        QCOMPARE(Grid(1)->Cell(0, 0), QString::fromUtf8("بنات"));

        // Band 1 coloured by its last row, the winner green in every band.
        const QColor yellow(255, 255, 0), blue(0, 0, 255), white(Qt::white), green(0, 128, 0);
        QCOMPARE(Painted(Grid(3), 0, 0), yellow);
        QCOMPARE(Painted(Grid(4), 4, 0), blue);
        QCOMPARE(Painted(Grid(14), 2, 0), white);
        for (int n : {2, 7, 12, 17})
            QCOMPARE(Painted(Grid(n), 1, 0), green);
        QCOMPARE(Painted(Grid(18), 0, 0), yellow);
        QCOMPARE(Painted(Grid(16), 4, 1), QColor(128, 255, 255));

        QTest::keyClick(&Sheet(), Qt::Key_Escape);
        Sheet().close();
        QVERIFY(Sheet().isVisible());
        QTest::keyClick(&Sheet(), Qt::Key_Return);
        QVERIFY(!Sheet().isVisible());
    }

    // Opened from the menu in the middle of a deal it shows the rows so far; when the deal ends
    // under it, the new row appears in the open sheet, and the game goes on once it is closed.
    void dealEndingUnderTheOpenSheet() {
        Write(1, 1, 'D', {-30, -40, -60, 0});
        Write(1, 2, 'K', {-105, -40, -60, 0});
        QStringList atMenu, atDealEnd;
        bool dealEndWent = false;
        QTimer::singleShot(0, [&] {
            atMenu = Row(1, 1) + Row(1, 2);
            QTimer::singleShot(0, [&] {
                atDealEnd = Row(1, 2);
                Sheet().OkButton()->click();
            });
            Write(1, 3, 'Q', {-130, -90, -85, -25});
            started_->host->QtHost::ShowResultSheet();
            dealEndWent = true;
        });
        started_->Form1().findChild<QAction*>(QStringLiteral("Result1"))->trigger();
        QCOMPARE(atMenu, QStringList({"Heart King", "-105", "-40", "-60", "0"}) +
                             QStringList(5, QStringLiteral(" ")));
        QCOMPARE(atDealEnd, (QStringList{"Queen", "-130", "-90", "-85", "-25"}));
        QVERIFY(dealEndWent);
        QVERIFY(!Sheet().isVisible());
    }

    // "شيخ القلب" and "Collection" are wider than their cells in the bundled fonts.
    void longNamesAreWhole() {
        Write(1, 1, 'K', {-75, 0, 0, 0});
        Write(1, 2, 'L', {-90, -60, -45, 0});
        Sheet().show();
        for (const auto& [row, column] : {std::pair{0, 0}, std::pair{1, 1}}) {
            const QRect cell = Grid(1)->CellRect(row, column);
            // Clear of the lines around the cell, which are thicker on a scaled sheet.
            const QRect ink = Ink(Grid(1), Qt::black, cell.adjusted(1, 1, -2, -1)).Bounds();
            QVERIFY(!ink.isEmpty());
            QVERIFY2(ink.right() < cell.right() - 2, qPrintable(Grid(1)->Cell(row, column)));
        }
    }
};

MORVEL_UI_TEST(ResultWindowTest)
#include "result_window_test.moc"
