#pragma once

#include "bar_placement.h"
#include "mailpiece_export.h"

#include <QString>

/// The four-state bar codes of the posts, each bar a tracker with or without an ascender and a
/// descender: the Intelligent Mail barcode's geometry, and the codes of Royal Mail (RM4SCC),
/// PostNL (KIX) and Australia Post (its customer barcodes), which libzint encodes.
namespace tav::FourState {

/// The ranges a post allows its bars (inches; the pitch as bars an inch).
struct Tolerances {
    double widthLow, widthHigh;
    double barsPerInchLow, barsPerInchHigh;
    double fullLow, fullHigh;
    double trackerLow, trackerHigh;
    double ascenderLow, ascenderHigh; // tracker and one extender
};

/// One post's four-state bars: what a person calls them, their printed geometry (the middle of
/// the post's ranges, in twips) and the ranges.
struct Spec {
    qint16 symbology; // TavSymbology
    const char* name;
    BarMetrics metrics;
    qint32 tracker;
    qint32 extender; // an ascender above the tracker, a descender below it
    Tolerances tolerances;
    qint32 typicalBars; // of a usual value: what a layout makes room for
};

/// The four-state bars of `symbology`, or null for POSTNET and values no symbology has.
MAILPIECE_EXPORT const Spec* spec(qint16 symbology);

/// Whether `symbology` is another post's, whose bars come from the bar code's Value alone.
MAILPIECE_EXPORT bool ofAnotherPost(qint16 symbology);

/// The bars of `value` in another post's `symbology`, left to right: "F" full, "A" ascender,
/// "D" descender, "T" tracker; letters in any case, and the spaces of a postcode ("LU17 8XE")
/// left out but in Australia Post's customer information. "" when the post's code cannot carry
/// it, with why in `problem`.
MAILPIECE_EXPORT QString encode(qint16 symbology, const QString& value, QString* problem = nullptr);

/// The states of a symbol libzint encodes from `data` as zint symbology `zint`, or "" with
/// libzint's reason in `problem`.
QString zintStates(int zint, const QByteArray& data, QString& problem);

/// Where bar `state` reaches above the baseline of the full bars: its top and bottom as
/// distances up from that baseline (twips).
struct Extent {
    qint32 top = 0;
    qint32 bottom = 0;
};
MAILPIECE_EXPORT Extent extent(const Spec& spec, QChar state);

} // namespace tav::FourState
