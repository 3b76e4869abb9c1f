#pragma once

#include "mailpiece_export.h"

#include <QString>

/// The layout editor's scale: a piece is shown at LayoutScale() × 1440 twips an inch.
namespace tav::Layout_m {

/// The current zoom of the layout editor (module-wide, set by FitLayoutScale).
MAILPIECE_EXPORT float LayoutScale();
MAILPIECE_EXPORT void setLayoutScale(float scale);
/// Fits a piece of `pieceWidth` × `pieceHeight` inches (plus room for the fields below it) on a
/// screen of `screenWidth` × `screenHeight` twips; the scale is rounded to two decimals.
MAILPIECE_EXPORT void FitLayoutScale(float pieceWidth, float pieceHeight, qint32 screenWidth,
                                     qint32 screenHeight);
/// The same for the primary screen.
MAILPIECE_EXPORT void FitLayoutScale(float pieceWidth, float pieceHeight);
/// Inches shown at the scale, in twips.
MAILPIECE_EXPORT float InchesToTwips(float inches);
/// Shown twips back to inches, at most two decimals.
MAILPIECE_EXPORT float TwipsToInches(float twips);
/// `inches` written as the editor shows it ("#0.##").
MAILPIECE_EXPORT QString formatInches(float inches);

} // namespace tav::Layout_m
