#pragma once

#include "mailpiece_export.h"

#include <QString>

#include <vector>

/// POSTNET: each digit five bars (two full, three half), a check digit, a frame bar at each end.
namespace tav::Postnet {

/// Bar geometry in twips.
inline constexpr qint32 BarPitch = 66;
inline constexpr qint32 FullBarHeight = 190;
inline constexpr qint32 HalfBarHeight = 72;
inline constexpr qint32 PrintedBarWidth = 24;
inline constexpr qint32 RightAlignShift = 24;

/// The bar pattern of `value`: "1" a full bar, "." a half bar. Characters other than the digits
/// 0 to 9 are skipped; a value without digits gives the empty pattern.
MAILPIECE_EXPORT QString EncodePostnet(const QString& value);

/// One bar placed in a box: its slot start and whether it is a full bar.
struct PlacedBar {
    qint32 x = 0; // twips
    bool full = false;
};

/// Where the bars of `pattern` stand in the box (twips): a shared baseline and one slot per
/// symbol, aligned as TavAlignmentHorizontal / TavAlignmentVertical say; bars whose slot would
/// start right of the box are left out.
struct BarLayout {
    qint32 baseline = 0;
    std::vector<PlacedBar> bars;
};
MAILPIECE_EXPORT BarLayout placeBars(const QString& pattern, qint32 left, qint32 top, qint32 width,
                                     qint32 height, qint32 alignHorizontal, qint32 alignVertical);

} // namespace tav::Postnet
