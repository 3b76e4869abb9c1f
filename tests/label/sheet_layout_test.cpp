#include "qt_printers.h"
#include "raised_error.h"
#include "sheet_layout.h"
#include "tav_error.h"

#include <gtest/gtest.h>

using namespace tav;
using namespace tav::SheetLayout;

namespace {

std::unique_ptr<TavSheetCls> sheetOf(qint16 across, qint16 down, qint16 starting) {
    auto sheet = std::make_unique<TavSheetCls>();
    sheet->setNumAcross(across);
    sheet->setNumDown(down);
    sheet->setStartingPiece(starting);
    return sheet;
}

} // namespace

TEST(SheetLayout, PaginatesFromTheStartingPosition) {
    // A sheet (across, down, starting position), the current piece and the count, and what
    // the pagination says: sheets, the current one, the piece at its position 1.
    const struct {
        qint16 across, down, starting;
        qint32 current, count;
        qint32 sheets, sheet, first;
    } cases[] = {
        {3, 10, 1, 30, 30, 1, 1, 1},
        {3, 10, 1, 30, 31, 2, 1, 1},
        {3, 10, 1, 61, 70, 3, 3, 61},
        {3, 10, 5, 1, 26, 1, 1, -3}, // positions 1 to 4 stay empty
        {3, 10, 5, 27, 27, 2, 2, 27},
        {3, 10, 5, 56, 57, 3, 2, 27},
        {3, 10, 5, 57, 57, 3, 3, 57},
        {3, 10, 40, 1, 31, 2, 1, 1}, // a start beyond the sheet counts as 1
        {1, 1, 5, 3, 7, 7, 3, 3},    // one position a sheet: the start is moot
        {3, 10, 4, 0, 0, 1, 1, -2},  // no pieces: one sheet
        {1, 1, 1, 100000, 100000, 100000, 100000, 100000}, // beyond 16 bits
    };
    for (const auto& c : cases) {
        auto sheet = sheetOf(c.across, c.down, c.starting);
        const SheetPosition at = computeSheetPosition(*sheet, c.current, c.count);
        EXPECT_EQ(at.sheetCount, c.sheets) << c.starting << " " << c.current << "/" << c.count;
        EXPECT_EQ(at.currentSheet, c.sheet) << c.starting << " " << c.current << "/" << c.count;
        EXPECT_EQ(at.firstPieceOfSheet, c.first) << c.starting << " " << c.current;
    }
    auto zero = sheetOf(3, 10, 0);
    computeSheetPosition(*zero, 0, 0);
    EXPECT_EQ(zero->StartingPiece(), 1);
}

TEST(SheetLayout, SheetsWithoutPositionsOrWithTooManyAreClearErrors) {
    auto none = sheetOf(0, 10, 1);
    EXPECT_EQ(computeSheetPosition(*none, 0, 0).sheetCount, 1); // nothing to place yet
    const auto error = test::raisedError([&] { computeSheetPosition(*none, 1, 1); });
    ASSERT_TRUE(error) << "no error for a sheet without positions";
    EXPECT_EQ(error->number(), ErrorNumber::DivisionByZero);
    EXPECT_TRUE(error->description().contains("no positions"));
    auto huge = sheetOf(200, 200, 1);
    const auto overflow = test::raisedError([&] { piecesPerSheet(*huge); });
    ASSERT_TRUE(overflow) << "no error for 40000 positions";
    EXPECT_EQ(overflow->number(), ErrorNumber::Overflow);
}

TEST(SheetLayout, LastPieceOfTheRange) {
    EXPECT_EQ(lastPieceToPrint(5, 3, 10), 10);
    EXPECT_EQ(lastPieceToPrint(0, 0, 10), 10);
    EXPECT_EQ(lastPieceToPrint(2, 7, 10), 7);
    EXPECT_EQ(lastPieceToPrint(2, 70, 10), 10);
}

TEST(SheetLayout, PositionsFromMarginsAndPitchesRoundedToTwips) {
    auto sheet = sheetOf(3, 10, 1);
    sheet->setMarginleft(0.1875f);
    sheet->setMarginTop(0.5f);
    sheet->setPiecePitchAcross(2.75f);
    sheet->setPiecePitchDown(1.0f);
    sheet->setWidth(8.5f);
    sheet->setHeight(11.0f);
    sheet->setPieceWidth(2.625f);
    sheet->setPieceHeight(1.0f);
    const PortProperties rect = positionRectangle(*sheet, 10, 3);
    EXPECT_EQ(rect.Left1, 270 + 2 * 3960);
    EXPECT_EQ(rect.Top, 720 + 9 * 1440);
    EXPECT_EQ(rect.ClipRight, 12240);
    EXPECT_EQ(rect.ClipBottom, 15840);
    EXPECT_EQ(rect.Width, 3780);
    EXPECT_EQ(rect.Height, 1440);
}
