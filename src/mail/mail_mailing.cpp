// A whole mailing of envelopes fed from a source.

#include "feed_rows.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "tav_mail_p.h"

namespace tav {

MailingFed TavMail::AddPieces(MailingSource& source, const MailingFeed& feed) {
    PieceMaker maker(source.header(), PieceMaker::Mode::Address, QStringLiteral("Zip"));
    maker.setPostalStyle(feed.postalStyle);
    const HeldRefresh held(*this);
    return feedRows(source, feed, maker, [&](const MailingRow& row, const MailingPiece& piece) {
        const std::shared_ptr<TavAddressCls> address = DeliveryAddress_Text();
        maker.fillAddress(row, *address);
        // The Intelligent Mail barcode has a place of its own, as AddPiece keeps it.
        if (BarCodeProperties()->Symbology() == TavEnumCls::TavIntelligentMail)
            placeBarCode();
        addTellingOfFit(TavLabel1(), row, feed, [&] {
            TavLabel1().AddPiece(addressTexts(*address), piece.zip, piece.trackingCode);
        });
    });
}

} // namespace tav
