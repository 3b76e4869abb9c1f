// A whole mailing of envelopes fed from a source.

#include "feed_rows.h"
#include "tav_mail.h"

namespace tav {

MailingFed TavMail::AddPieces(MailingSource& source, const MailingFeed& feed) {
    const PieceMaker maker(source.header(), PieceMaker::Mode::Address, QStringLiteral("Zip"));
    const HeldRefresh held(*this);
    return feedRows(
        source, feed, maker,
        [&](const MailingRow& row, const MailingPiece& piece) {
            maker.fillAddress(row, *DeliveryAddress_Text());
            setSubstituteText(QString()); // each envelope its own pairs only
            BarCodeProperties()->setValue(piece.zip);
        },
        [this, &feed](const MailingRow& row) {
            addTellingOfFit(TavLabel1(), row, feed, [this] { AddPiece(); });
        });
}

} // namespace tav
