#pragma once

#include "mailpiece_export.h"

#include <QtGlobal>

namespace tav {

class TavSheetCls;

/// Sets the sheet's PieceRotation to `rotation` (0 or 90), turning its geometry between the
/// paper's view (as the printer feeds it) and the reader's (as the piece is read): sizes, grid,
/// pitches and margins swap, and the orientation with them. Nothing changes when the sheet
/// already lies so.
MAILPIECE_EXPORT void turnSheet(TavSheetCls& sheet, qint16 rotation);

/// The printer's paper orientation for `sheet`: its Orientation, or the other one for turned
/// pieces (their paper lies across the reader's view).
MAILPIECE_EXPORT qint16 paperOrientation(const TavSheetCls& sheet);

} // namespace tav
