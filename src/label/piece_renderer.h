#pragma once

#include "bar_drawing.h"
#include "item_drawing.h"
#include "ole_color.h"

#include <QSize>

#include <array>
#include <memory>
#include <optional>

namespace tav {

class Printer;
class TavBarCodeCls;
class TavItemCls;
class TavMetaCls;
class TavPicture;
class PieceTexts;
struct PieceRecord;

/// How a piece's own box looks: its outline colour, border and picture.
struct PieceLook {
    OleColor foreColor = OleColors::ButtonText;
    bool border = false;
    const TavPicture* picture = nullptr;
};

/// Draws pieces from a design's records and each piece's stored texts, onto a printer page or
/// into a view's recording, without any widget. Made once for a sheet: the records' boxes are
/// turned into twips once, not for every piece.
class PieceRenderer {
public:
    /// The seven item records and the bar code record of a design, the size the text may shrink
    /// to (0: none) and whether paper leaves the backgrounds white; `forPaper` takes the
    /// printer's colours (white backs) and rules.
    PieceRenderer(const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                  const TavBarCodeCls& barCode, double fitMinimum, bool printWhiteBacks,
                  bool forPaper);

    /// Prints `piece` in a position of `size` (twips) at (left, top): the piece's box in
    /// `back`, then its shown items and bars. A drawing error ends it and reaches the caller.
    void print(Printer& printer, const PieceRecord& piece, const PieceLook& look, QSize size,
               qint32 left, qint32 top, OleColor back) const;
    /// Records a position of `size` at (left, top): its box in `back`, and, given a piece, the
    /// piece's shown items and bars (one that cannot be drawn is reported and skipped).
    void record(TavMetaCls& meta, const PieceRecord* piece, const PieceLook& look, QSize size,
                qint32 left, qint32 top, OleColor back) const;

    /// Why `texts` would not all print: "item 2: \"Building C\" does not fit (4 lines at 6 pt,
    /// room for 3)", the items joined by "; "; "" when whole.
    QString textFitProblem(const PieceTexts& texts) const;

private:
    struct Item {
        int number = 0; // 1 to 7
        QString textTemplate;
        qint32 left = 0;
        qint32 top = 0;
        ItemFace face;
    };

    BarFace barsOf(const QString& value) const;

    std::vector<Item> items_; // the shown ones
    std::optional<BarFace> bars_;
    qint32 barsLeft_ = 0;
    qint32 barsTop_ = 0;
    bool printWhiteBacks_;
};

} // namespace tav
