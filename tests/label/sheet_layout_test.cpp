#include "qt_printers.h"
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
    auto thirty = sheetOf(3, 10, 1);
    EXPECT_EQ(computeSheetPosition(*thirty, 30, 30).sheetCount, 1);
    EXPECT_EQ(computeSheetPosition(*thirty, 30, 31).sheetCount, 2);
    EXPECT_EQ(computeSheetPosition(*thirty, 61, 70).currentSheet, 3);
    EXPECT_EQ(computeSheetPosition(*thirty, 61, 70).firstPieceOfSheet, 61);

    auto fromFive = sheetOf(3, 10, 5);
    EXPECT_EQ(computeSheetPosition(*fromFive, 1, 26).sheetCount, 1);
    EXPECT_EQ(computeSheetPosition(*fromFive, 1, 26).firstPieceOfSheet, -3);
    const SheetPosition second = computeSheetPosition(*fromFive, 27, 27);
    EXPECT_EQ(second.sheetCount, 2);
    EXPECT_EQ(second.currentSheet, 2);
    EXPECT_EQ(second.firstPieceOfSheet, 27); // piece 27 stands at position 1 of sheet 2
    EXPECT_EQ(computeSheetPosition(*fromFive, 56, 57).currentSheet, 2);
    EXPECT_EQ(computeSheetPosition(*fromFive, 57, 57).currentSheet, 3);
}

TEST(SheetLayout, StartingPositionsOutOfRangeAndOnePositionSheets) {
    auto beyond = sheetOf(3, 10, 40);
    EXPECT_EQ(computeSheetPosition(*beyond, 1, 31).sheetCount, 2); // behaves as 1
    auto zero = sheetOf(3, 10, 0);
    computeSheetPosition(*zero, 0, 0);
    EXPECT_EQ(zero->StartingPiece(), 1);
    auto single = sheetOf(1, 1, 5);
    const SheetPosition envelope = computeSheetPosition(*single, 3, 7);
    EXPECT_EQ(envelope.sheetCount, 7);
    EXPECT_EQ(envelope.currentSheet, 3);
    EXPECT_EQ(envelope.firstPieceOfSheet, 3);

    auto empty = sheetOf(3, 10, 4);
    const SheetPosition none = computeSheetPosition(*empty, 0, 0);
    EXPECT_EQ(none.sheetCount, 1);
    EXPECT_EQ(none.currentSheet, 1);
    EXPECT_EQ(none.firstPieceOfSheet, 2 - 4);
}

TEST(SheetLayout, SheetCountsBeyondSixteenBits) {
    auto single = sheetOf(1, 1, 1);
    const SheetPosition many = computeSheetPosition(*single, 100000, 100000);
    EXPECT_EQ(many.sheetCount, 100000);
    EXPECT_EQ(many.currentSheet, 100000);
    EXPECT_EQ(many.firstPieceOfSheet, 100000);
}

TEST(SheetLayout, SheetsWithoutPositionsOrWithTooManyAreClearErrors) {
    auto none = sheetOf(0, 10, 1);
    EXPECT_EQ(computeSheetPosition(*none, 0, 0).sheetCount, 1); // nothing to place yet
    try {
        computeSheetPosition(*none, 1, 1);
        FAIL() << "no error for a sheet without positions";
    } catch (const TavError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::DivisionByZero);
        EXPECT_TRUE(error.description().contains(QStringLiteral("no positions")));
    }
    auto huge = sheetOf(200, 200, 1);
    try {
        piecesPerSheet(*huge);
        FAIL() << "no error for 40000 positions";
    } catch (const TavError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Overflow);
    }
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
