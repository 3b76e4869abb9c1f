#pragma once

#include "mailpiece_export.h"
#include "ole_color.h"

#include <QRect>
#include <QString>

#include <vector>

namespace tav {

class Printer;
class TavMetaCls;
struct BarMetrics;

/// A bar code as drawing it needs: its encoded bars, its box size (twips) and look.
struct MAILPIECE_EXPORT BarFace {
    qint16 symbology = 0; // TavSymbology; unknown values are POSTNET
    QString pattern;      // as encodeBars gives it
    qint32 width = 0;
    qint32 height = 0; // never less than fullBarHeight
    qint16 alignHorizontal = 0;
    qint16 alignVertical = 0;
    OleColor backColor = OleColors::LightGrey;
    bool printWhiteBack = true; // paper leaves the box's background white
};

/// The metrics of `symbology`'s bars.
MAILPIECE_EXPORT const BarMetrics& barMetrics(qint16 symbology);
/// The bars of `value`: "1" full and "." half for POSTNET; "F", "A", "D", "T" for the
/// four-state codes: the Intelligent Mail barcode's value is "<tracking code>-<routing digits>",
/// another post's its postcode and more (none when the code cannot carry it).
MAILPIECE_EXPORT QString encodeBars(qint16 symbology, const QString& value);
/// The bars as printed, placed in the box at (left, top) (twips); on a printer of
/// `dotsPerInch` from 100 to 599, in whole dots within the post's tolerances (snapToDots).
MAILPIECE_EXPORT std::vector<QRect> barBoxes(const BarFace& face, qint32 left, qint32 top,
                                             qint32 dotsPerInch = 0);
/// Records the box quietly outlined and the bars as filled boxes of their printed size, so the
/// screen shows what paper gets.
MAILPIECE_EXPORT void recordBars(TavMetaCls& meta, const BarFace& face, qint32 left, qint32 top);
/// Prints the box's background (unless printWhiteBack) and the bars, as one operation, in the
/// printer's whole dots where its resolution (PrintQuality) is low enough to matter.
MAILPIECE_EXPORT void printBars(Printer& printer, const BarFace& face, qint32 left, qint32 top);

} // namespace tav
