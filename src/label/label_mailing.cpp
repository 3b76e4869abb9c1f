// A whole mailing fed from a source: each usable row becomes a piece.

#include "feed_rows.h"
#include "tav_label.h"
#include "tav_label_p.h"

namespace tav {

MailingFed TavLabel::AddPieces(MailingSource& source, const MailingFeed& feed) {
    const PieceMaker maker(source.header(), feed.mode, feed.zipColumn,
                           d->addressLayout_ ? d->addressLayout_->lines : 7);
    const HeldRefresh held(*this);
    return feedRows(
        source, feed, maker, [this, &feed](const MailingRow& row, const MailingPiece& piece) {
            addTellingOfFit(*this, row, feed,
                            [&] { AddPiece(piece.texts, piece.zip, piece.trackingCode); });
        });
}

} // namespace tav
