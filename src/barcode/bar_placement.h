#pragma once

#include "mailpiece_export.h"

#include <QtGlobal>

#include <vector>

namespace tav {

/// What placing needs to know of a symbology's bars (twips).
struct BarMetrics {
    qint32 pitch = 0;           // from one bar's left edge to the next one's
    qint32 fullHeight = 0;      // the tallest bar
    qint32 barWidth = 0;        // as printed
    qint32 rightAlignShift = 0; // added to the start when the bars are right-aligned
};

/// Where the bars of a symbol stand in its box: a shared baseline (the bottom of the tallest
/// bars) and the left edge of each bar's slot, in twips.
struct BarLayout {
    qint32 baseline = 0;
    std::vector<qint32> starts;
};

/// Places `symbols` bars in the box (twips) as TavAlignmentHorizontal `alignHorizontal` and
/// TavAlignmentVertical `alignVertical` say: never left of or above the box, and bars whose slot
/// would start right of the box are left out. Unknown alignments put the bars at 0.
MAILPIECE_EXPORT BarLayout placeBars(qint32 symbols, const BarMetrics& metrics, qint32 left,
                                     qint32 top, qint32 width, qint32 height,
                                     qint32 alignHorizontal, qint32 alignVertical);

/// From the first bar's left edge to the last bar's right edge (twips); 0 without bars.
MAILPIECE_EXPORT qint32 symbolLength(qint32 symbols, const BarMetrics& metrics);

} // namespace tav
