#pragma once

#include "mailpiece_export.h"
#include "ole_color.h"
#include "text_layout.h"

#include <QStringList>

#include <vector>

namespace tav {

class Printer;
class TavFont;
class TavMetaCls;
class TavPicture;

/// An item's text as it is set for one piece.
struct MAILPIECE_EXPORT ItemText {
    double points = 0;                          // the font size the text was set at
    QStringList lines;                          // every line the text needs
    std::vector<TextLayout::PlacedLine> placed; // the lines that fit, placed in the box

    /// Whether every line fits the box.
    bool whole() const { return placed.size() == static_cast<std::size_t>(lines.size()); }
    /// "" when whole, else what was left out: "\"Building C\" does not fit (4 lines at 6 pt,
    /// room for 3)".
    QString problem() const;
};

/// How a text item looks, as drawing it needs: its box size (twips), colours, border,
/// alignments, font and picture. The font and picture belong to the caller and outlive it.
struct MAILPIECE_EXPORT ItemFace {
    qint32 width = 0;
    qint32 height = 0;
    qint16 backStyle = 1;       // 0 transparent, 1 opaque (the picture shows only when opaque)
    OleColor backColor = 0;     // on screen, and on paper without white backs
    qint16 borderStyle = 1;     // 1: a single line, the text inset by 6 twips
    qint16 alignHorizontal = 0; // TavAlignmentHorizontal
    qint16 alignVertical = 1;   // TavAlignmentVertical
    const TavFont* font = nullptr;
    TavPicture* picture = nullptr; // none: no picture
    bool printWhiteBack = true;    // paper leaves the box's background white
    double fitMinimum = 0;         // the smallest size the text may shrink to; 0: none
};

/// Sets `text` in the box of `face` at (left, top) (twips): broken at its line breaks and the
/// box's width in the face's font, or half a point smaller at a time, down to fitMinimum, until
/// every line fits. Measured as every printer measures, so screen and paper set it alike.
MAILPIECE_EXPORT ItemText setItemText(const ItemFace& face, const QString& text, qint32 left,
                                      qint32 top, bool forPaper);

/// Records the item with its corner at (left, top) of `meta`: a quietly outlined box, its
/// picture, its border and the text's lines.
MAILPIECE_EXPORT void recordItem(TavMetaCls& meta, const ItemFace& face, const QString& text,
                                 qint32 left, qint32 top);

/// Prints the item with its corner at (left, top) of `printer`'s page.
MAILPIECE_EXPORT void printItem(Printer& printer, const ItemFace& face, const QString& text,
                                qint32 left, qint32 top);

/// Prints a box of `width` × `height` at (left, top) with a solid pen: its background in
/// `back` (unless `whiteBack`), `picture` at its own size (when given and not empty) and a
/// single-line border (when `border`).
MAILPIECE_EXPORT void printBoxOn(Printer& printer, qint32 left, qint32 top, qint32 width,
                                 qint32 height, bool whiteBack, OleColor back,
                                 const TavPicture* picture, bool border);

} // namespace tav
