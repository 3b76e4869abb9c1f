#pragma once

#include "bar_placement.h"
#include "mailpiece_export.h"

#include <QString>

/// POSTNET: each digit five bars (two full, three half), a check digit, a frame bar at each end.
namespace tav::Postnet {

/// Bar geometry in twips.
inline constexpr qint32 BarPitch = 66;
inline constexpr qint32 FullBarHeight = 190;
inline constexpr qint32 HalfBarHeight = 72;
inline constexpr qint32 PrintedBarWidth = 24;
inline constexpr qint32 RightAlignShift = 24;
inline constexpr BarMetrics Metrics{BarPitch, FullBarHeight, PrintedBarWidth, RightAlignShift};

/// The bar pattern of `value`: "1" a full bar, "." a half bar. Characters other than the digits
/// 0 to 9 are skipped; a value without digits gives the empty pattern.
MAILPIECE_EXPORT QString EncodePostnet(const QString& value);

} // namespace tav::Postnet
