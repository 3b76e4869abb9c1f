#pragma once

#include "bar_placement.h"
#include "mailpiece_export.h"

#include <QString>

/// The Intelligent Mail barcode (USPS-B-3200): 65 bars of four states that carry a 20-digit
/// tracking code and a routing code of 0, 5, 9 or 11 digits.
namespace tav::IntelligentMail {

// Bar geometry in twips: the middle of each range that USPS-B-3200 Rev H (2015), section 2.3.1
// allows, rounded to whole twips. The same figures are quoted in libzint's imail.c.
//   bar width          0.015 - 0.025 in   -> 29 twips (0.0201 in)
//   pitch              20 - 24 bars an in -> 65 twips (22.15 bars an inch)
//   full bar           0.125 - 0.165 in   -> 209 twips (0.1451 in)
//   ascender/descender 0.082 - 0.111 in   -> 139 twips (0.0965 in), tracker and one extender
//   tracker            0.039 - 0.057 in   -> 69 twips (0.0479 in)
inline constexpr qint32 BarCount = 65;
inline constexpr qint32 BarWidth = 29;
inline constexpr qint32 BarPitch = 65;
inline constexpr qint32 FullBarHeight = 209;
inline constexpr qint32 TrackerHeight = 69;
/// What an ascender adds above the tracker, and a descender below it.
inline constexpr qint32 ExtenderHeight = (FullBarHeight - TrackerHeight) / 2;
inline constexpr qint32 AscenderHeight = TrackerHeight + ExtenderHeight;
/// Right-aligned bars end at the box's right edge.
inline constexpr BarMetrics Metrics{BarPitch, FullBarHeight, BarWidth, BarPitch - BarWidth};

/// The 65 bars of `trackingCode` and `routingCode` (non-digits in it skipped), left to right:
/// "F" full, "A" ascender, "D" descender, "T" tracker. Raises error 380 naming the field when the
/// tracking code or the routing code is not one.
MAILPIECE_EXPORT QString EncodeIntelligentMail(const QString& trackingCode,
                                               const QString& routingCode);

/// The bar code value that carries both codes, as the label control stores a piece's:
/// "<tracking code>-<routing digits>".
MAILPIECE_EXPORT QString pieceValue(const QString& trackingCode, const QString& routingCode);

/// The bars of a piece value made by pieceValue, or "" when it holds no valid codes.
MAILPIECE_EXPORT QString EncodePieceValue(const QString& value);

} // namespace tav::IntelligentMail
