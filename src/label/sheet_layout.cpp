#include "sheet_layout.h"

#include "tav_error.h"
#include "units.h"

namespace tav::SheetLayout {

namespace {

const QString kSource = QStringLiteral("TavLabel:ComputeSheetPosition");

// Sheets needed for `pieces` pieces when the first sheet takes `firstCapacity`.
qint32 sheetsFor(qint32 pieces, qint32 firstCapacity, qint32 perSheet) {
    if (pieces <= firstCapacity)
        return 1;
    // 0.99999, not 1: an exact multiple must not count one sheet too many.
    const double sheets =
        std::trunc(static_cast<double>(pieces - firstCapacity) / perSheet + 0.99999);
    return checkedAdd(roundToInt(sheets, kSource), 1, kSource);
}

} // namespace

std::optional<QPageSize> paperSize(const TavSheetCls& sheet) {
    if (!(sheet.Width() > 0 && sheet.Height() > 0))
        return std::nullopt;
    // Paper sizes are named upright; the job's orientation turns them.
    const QSizeF upright(std::min(sheet.Width(), sheet.Height()),
                         std::max(sheet.Width(), sheet.Height()));
    return QPageSize(upright, QPageSize::Inch, QString(), QPageSize::FuzzyMatch);
}

qint32 piecesPerSheet(const TavSheetCls& sheet) {
    const qint32 positions = checkedMultiply(sheet.NumAcross(), sheet.NumDown(), kSource);
    if (positions > 32767 || positions < -32768)
        raiseError(ErrorNumber::Overflow, kSource,
                   QStringLiteral("a sheet of %1 × %2 positions holds more than 32767")
                       .arg(sheet.NumAcross())
                       .arg(sheet.NumDown()));
    return positions;
}

SheetPosition computeSheetPosition(TavSheetCls& sheet, qint32 currentPiece, qint32 pieceCount) {
    const qint32 perSheet = piecesPerSheet(sheet);
    if (sheet.StartingPiece() < 1)
        sheet.setStartingPiece(1);
    const qint32 start =
        (perSheet == 1 || sheet.StartingPiece() > perSheet) ? 1 : sheet.StartingPiece();
    const qint32 firstCapacity = perSheet + 1 - start;
    if (perSheet < 1 && std::max(pieceCount, currentPiece) > firstCapacity)
        raiseError(ErrorNumber::DivisionByZero, kSource,
                   QStringLiteral("the sheet has no positions (NumAcross %1 × NumDown %2); it "
                                  "needs at least one row and one column")
                       .arg(sheet.NumAcross())
                       .arg(sheet.NumDown()));

    SheetPosition position;
    position.sheetCount = sheetsFor(pieceCount, firstCapacity, perSheet);
    position.currentSheet = sheetsFor(currentPiece, firstCapacity, perSheet);
    position.firstPieceOfSheet = checkedAdd(
        checkedMultiply(position.currentSheet - 1, perSheet, kSource), 2 - start, kSource);
    return position;
}

qint32 lastPieceToPrint(qint32 rangeFirst, qint32 rangeLast, qint32 pieceCount) {
    qint32 last = rangeLast != 0 ? rangeLast : pieceCount;
    if (last < rangeFirst)
        last = pieceCount;
    return std::min(last, pieceCount);
}

PortProperties positionRectangle(const TavSheetCls& sheet, qint32 row, qint32 column) {
    PortProperties rectangle;
    rectangle.Left1 = inchesToTwips(
        static_cast<float>(column - 1) * sheet.PiecePitchAcross() + sheet.Marginleft(), kSource);
    rectangle.Top = inchesToTwips(
        static_cast<float>(row - 1) * sheet.PiecePitchDown() + sheet.MarginTop(), kSource);
    rectangle.ClipRight = inchesToTwips(sheet.Width(), kSource);
    rectangle.ClipBottom = inchesToTwips(sheet.Height(), kSource);
    rectangle.Height = inchesToTwips(sheet.PieceHeight(), kSource);
    rectangle.Width = inchesToTwips(sheet.PieceWidth(), kSource);
    return rectangle;
}

} // namespace tav::SheetLayout
