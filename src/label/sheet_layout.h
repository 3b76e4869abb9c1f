#pragma once

#include "mailpiece_export.h"
#include "tav_port.h"
#include "tav_sheet_cls.h"

#include <QPageSize>

#include <optional>

/// Which piece stands at which position of which sheet, and where positions lie (twips).
namespace tav::SheetLayout {

/// Where the current piece stands: its sheet, the number of sheets, and the piece at position 1
/// of its sheet (0 or less when the first positions of the first sheet stay empty).
struct SheetPosition {
    qint32 currentSheet = 1;
    qint32 sheetCount = 1;
    qint32 firstPieceOfSheet = 1;
};

/// The paper of `sheet` (its Width × Height, inches), or none when it has no size.
MAILPIECE_EXPORT std::optional<QPageSize> paperSize(const TavSheetCls& sheet);

/// Positions on one sheet: NumAcross × NumDown. Raises error 6 beyond 32767 positions.
MAILPIECE_EXPORT qint32 piecesPerSheet(const TavSheetCls& sheet);

/// The position of `currentPiece` among `pieceCount` pieces on sheets of `sheet`; a StartingPiece
/// below 1 is set to 1 in the record. Raises error 11 when pieces exist but the sheet has no
/// positions.
MAILPIECE_EXPORT SheetPosition computeSheetPosition(TavSheetCls& sheet, qint32 currentPiece,
                                                    qint32 pieceCount);

/// The last piece of the print range [rangeFirst, rangeLast] (0 as last: to the end).
MAILPIECE_EXPORT qint32 lastPieceToPrint(qint32 rangeFirst, qint32 rangeLast, qint32 pieceCount);

/// The rectangle of the position in `row` and `column` (1-based), in twips: its corner from
/// margins and pitches, the sheet's size as clip, the piece's size.
MAILPIECE_EXPORT PortProperties positionRectangle(const TavSheetCls& sheet, qint32 row,
                                                  qint32 column);

} // namespace tav::SheetLayout
