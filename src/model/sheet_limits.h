#pragma once

#include "mailpiece_export.h"

#include <QString>

namespace tav {

class TavSheetCls;

/// The longest length a sheet, a piece or the grid of pieces may have (inches): more than any
/// paper a printer feeds, and far inside what twips can count.
inline constexpr float LongestSheetInches = 120.0f;

/// How much closer than their size pieces may stand and still count as touching (inches):
/// catalogues measure some sheets of touching labels a millimetre short.
inline constexpr float TouchingSlackInches = 1.0f / 16;

/// What makes `sheet` impossible to lay out or print, naming the field ("PieceWidth is 0 inches;
/// ..."), or "" when it is usable: a length that is not a finite number, a sheet or piece size
/// not above 0, a negative pitch, a PieceRotation other than 0 or 90, fewer than one piece across
/// or down, pieces of a row or column closer than their size (past TouchingSlackInches), or a
/// sheet, piece or grid longer than LongestSheetInches.
MAILPIECE_EXPORT QString sheetGeometryProblem(const TavSheetCls& sheet);

/// Raises error 380 (invalid property value) from `source` when sheetGeometryProblem finds one;
/// `what` names the sheet in the message (a catalogue piece, a design).
MAILPIECE_EXPORT void checkSheetGeometry(const TavSheetCls& sheet, const QString& source,
                                         const QString& what);

/// What makes a box on a piece (inches from the piece's corner) unusable, naming the field, or
/// "": a position or size that is not finite, a negative size, or one beyond LongestSheetInches.
MAILPIECE_EXPORT QString boxGeometryProblem(float left, float top, float width, float height);

} // namespace tav
