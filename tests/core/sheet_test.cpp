// The result sheet: where a row lands, what its cells read, the colours of the score grids and
// the winner's green columns.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "test_host.h"

namespace morvel {
namespace {

using testing::TestGame;

int NameGrid(int band) {
    return (band - 1) * 5 + 1;
}
int ScoreGrid(int band, int seat) {
    return NameGrid(band) + seat;
}

// Writes the row of `letter` for chooser `band` at contract number `number` with these scores.
void Write(Game& g, int band, int number, char letter, std::array<int32_t, 4> scores) {
    GameState& s = g.MutableState();
    s.chooserNumber = band;
    s.contractNumber = number;
    s.contractList.Clear();
    s.contractList.Set(number, letter);
    for (int seat = 1; seat <= 4; ++seat)
        s.gameScore[seat] = scores[seat - 1];
    g.WriteSheetRow();
}

TEST(WriteSheetRow, LandsInTheChoosersBandAtTheContractsRow) {
    for (int band = 1; band <= 4; ++band) {
        for (int number = 1; number <= 5; ++number) {
            SCOPED_TRACE("band " + std::to_string(band) + ", contract number " +
                         std::to_string(number));
            TestGame t;
            Write(t.game, band, number, kQueenLetter, {-125, 0, 150, -10});
            const ResultSheet& sheet = t.game.State().sheet;
            for (int grid = 1; grid <= 20; ++grid) {
                for (int row = 0; row <= 5; ++row) {
                    const bool here = ResultSheet::BandOfGrid(grid) == band && row == number - 1;
                    const int seat = ResultSheet::SeatOfGrid(grid);
                    std::string expected = " ", expectedSecond = " ";
                    if (here && seat == 0) {
                        expected = "بنات";
                        expectedSecond = "Queen";
                    } else if (here) {
                        expected = std::array<const char*, 4>{"-125", "0", "150", "-10"}[seat - 1];
                    }
                    EXPECT_EQ(sheet.CellText(grid, row, 0), expected) << "s" << grid << " " << row;
                    EXPECT_EQ(sheet.CellText(grid, row, 1), expectedSecond)
                        << "s" << grid << " " << row;
                }
            }
            // The colours of this band follow the signs; at the game's last contract seat 3 has
            // won and its grids are green in every band.
            const bool last = band == 4 && number == 5;
            const SheetColour signs[4] = {SheetColour::Yellow, SheetColour::White,
                                          SheetColour::Blue, SheetColour::Yellow};
            for (int b = 1; b <= 4; ++b) {
                for (int seat = 1; seat <= 4; ++seat) {
                    SheetColour expected = b == band ? signs[seat - 1] : SheetColour::White;
                    if (last && seat == 3) expected = SheetColour::Green;
                    EXPECT_EQ(sheet.GridColour(ScoreGrid(b, seat)), expected)
                        << "band " << b << " seat " << seat;
                }
            }
        }
    }
}

TEST(WriteSheetRow, BandColoursFollowTheLastRowWritten) {
    TestGame t;
    const ResultSheet& sheet = t.game.State().sheet;
    Write(t.game, 3, 1, kQueenLetter, {25, 0, -25, 0});
    Write(t.game, 3, 2, kDiamondsLetter, {-5, 10, 0, 0});
    const SheetColour expected[4] = {SheetColour::Yellow, SheetColour::Blue, SheetColour::White,
                                     SheetColour::White};
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_EQ(sheet.GridColour(ScoreGrid(3, seat)), expected[seat - 1]) << seat;
    // The earlier row keeps its numbers.
    EXPECT_EQ(sheet.CellText(ScoreGrid(3, 1), 0, 0), "25");
    EXPECT_EQ(sheet.CellText(ScoreGrid(3, 3), 0, 0), "-25");
    EXPECT_EQ(sheet.CellText(ScoreGrid(3, 1), 1, 0), "-5");
}

TEST(WriteSheetRow, TheWinnerTurnsGreenOnlyAtTheLastContract) {
    const struct {
        std::array<int32_t, 4> scores;
        int winner;
    } cases[] = {
        {{300, -200, 0, -100}, 1}, {{100, 250, 250, -600}, 2},    {{-100, -100, 100, 100}, 3},
        {{0, 0, 0, 0}, 1},         {{-500, -400, -300, 1200}, 4},
    };
    for (const auto& c : cases) {
        TestGame t;
        const ResultSheet& sheet = t.game.State().sheet;
        // Not before the fourth chooser's fifth contract.
        Write(t.game, 4, 4, kQueenLetter, c.scores);
        Write(t.game, 3, 5, kQueenLetter, c.scores);
        for (int grid = 1; grid <= 20; ++grid) {
            if (ResultSheet::SeatOfGrid(grid) != 0) {
                EXPECT_NE(sheet.GridColour(grid), SheetColour::Green) << "s" << grid;
            }
        }
        Write(t.game, 4, 5, kMorvelLetter, c.scores);
        for (int band = 1; band <= 4; ++band) {
            for (int seat = 1; seat <= 4; ++seat) {
                const SheetColour colour = sheet.GridColour(ScoreGrid(band, seat));
                EXPECT_EQ(colour == SheetColour::Green, seat == c.winner)
                    << "winner " << c.winner << ", band " << band << " seat " << seat;
            }
        }
        // Band 4's other grids keep the colours of their signs.
        for (int seat = 1; seat <= 4; ++seat) {
            if (seat == c.winner) continue;
            const int32_t v = c.scores[seat - 1];
            EXPECT_EQ(sheet.GridColour(ScoreGrid(4, seat)), v == 0  ? SheetColour::White
                                                            : v > 0 ? SheetColour::Blue
                                                                    : SheetColour::Yellow);
        }
    }
}

TEST(WriteSheetRow, WritingTheSameRowAgainChangesNothing) {
    for (int number : {1, 4, 5}) {
        TestGame t;
        Write(t.game, 2, 1, kCollectionLetter, {-60, -45, -90, 0});
        Write(t.game, 4, number, kHeartKingLetter, {-60, -120, -90, 70});
        const ResultSheet before = t.game.State().sheet;
        t.game.WriteSheetRow();
        EXPECT_EQ(t.game.State().sheet, before) << number;
    }
}

TEST(ResetSheet, EmptiesEveryCellAndWhitensEveryScoreGrid) {
    TestGame t;
    Game& g = t.game;
    for (int band = 1; band <= 4; ++band) {
        for (int number = 1; number <= 5; ++number)
            Write(g, band, number, kDiamondsLetter, {-40, 30, -20, 30});
    }
    ASSERT_EQ(g.State().sheet.GridColour(ScoreGrid(1, 2)), SheetColour::Green);
    g.MutableState().playerName = "Nadia";

    g.ResetSheet();

    const ResultSheet& sheet = g.State().sheet;
    EXPECT_EQ(sheet.playerName, "Nadia");
    for (int grid = 1; grid <= 20; ++grid) {
        for (int row = 0; row <= 5; ++row) {
            EXPECT_EQ(sheet.CellText(grid, row, 0), " ") << "s" << grid << " " << row;
            EXPECT_EQ(sheet.CellText(grid, row, 1), " ") << "s" << grid << " " << row;
        }
        if (ResultSheet::SeatOfGrid(grid) != 0) {
            EXPECT_EQ(sheet.GridColour(grid), SheetColour::White) << "s" << grid;
        }
    }
}

}  // namespace
}  // namespace morvel
