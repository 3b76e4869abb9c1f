// A whole mailing fed from a source: each usable row becomes a piece; and a sheet filled with
// copies of one.

#include "feed_rows.h"
#include "piece_store.h"
#include "sheet_layout.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_label_p.h"

namespace tav {

MailingFed TavLabel::AddPieces(MailingSource& source, const MailingFeed& feed) {
    PieceMaker maker(source.header(), feed.mode, feed.zipColumn,
                     d->addressLayout_ ? d->addressLayout_->lines : 7);
    maker.setPostalStyle(feed.postalStyle);
    maker.setLinesAbove(feed.linesAbove);
    const HeldRefresh held(*this);
    return feedRows(
        source, feed, maker, [this, &feed](const MailingRow& row, const MailingPiece& piece) {
            addTellingOfFit(*this, row, feed,
                            [&] { AddPiece(piece.texts, piece.zip, piece.trackingCode); });
        });
}

qint32 TavLabel::FillSheet(qint32 piece) {
    const qint32 count = pieceCount();
    if (count == 0)
        return 0;
    // The copy keeps the piece as it was stored: its texts, bars and routing code.
    const PieceRecord record = d->store_->find(piece == 0 ? count : piece);
    if (!record.found)
        raiseError(ErrorNumber::SubscriptOutOfRange, QStringLiteral("TavLabel:FillSheet"),
                   QStringLiteral("the mailing has no piece %1; its pieces are 1 to %2")
                       .arg(piece)
                       .arg(count));
    const SheetLayout::SheetPosition last =
        SheetLayout::computeSheetPosition(*d->sheet_, count, count);
    const qint32 empty =
        SheetLayout::piecesPerSheet(*d->sheet_) - (count - last.firstPieceOfSheet + 1);
    for (qint32 k = 0; k < empty; ++k)
        d->store_->append(record.substituteText, record.barCodeValue, record.carrierRoute);
    if (empty > 0) {
        emit pieceCountChanged(pieceCount());
        showPiece(pieceCount());
        redraw();
    }
    return std::max(empty, 0);
}

} // namespace tav
