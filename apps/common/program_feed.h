#pragma once

#include "mailing_source.h"
#include "piece_maker.h"
#include "tracking_codes.h"

#include <QStringList>

#include <optional>

namespace tav {
class TavLabel;
class TavMail;
} // namespace tav

namespace mailpiece {

/// What feeding a mailing file into a label control found.
struct FeedResult {
    QStringList header;
    qint32 pieces = 0;     // rows added as pieces
    qsizetype leftOut = 0; // rows reported and left out
};

/// What the pieces' bar codes take beyond the ZIP code.
struct BarCodeFeed {
    /// The Intelligent Mail barcode's tracking codes (the bar code record is switched to it);
    /// none: the record's own symbology.
    std::optional<TrackingCodes> tracking;
    /// Bars that do not fit their box or piece stop the run (tav::TavError) instead of a warning.
    bool strictFit = false;
    /// A POSTNET ZIP code whose digits are not 5, 9 or 11 leaves its row out instead of a
    /// warning.
    bool strictZip = false;
};

/// Streams the rows of `source` into `label`, one piece a usable row (redrawing is off
/// meanwhile), and reports on standard error, as "<name>:<number>: ...", every row left out,
/// every doubtful ZIP code, and the source's own warnings. A piece whose bars do not fit gets a
/// warning naming it and its row: POSTNET bars are cut at the box's edge, an Intelligent Mail
/// barcode is left off.
FeedResult feedMailing(tav::MailingSource& source, const QString& name, tav::TavLabel& label,
                       tav::PieceMaker::Mode mode, const QString& zipColumn,
                       BarCodeFeed barCodes = {});

/// Streams the rows of `source` into the envelope control `mail`: each usable row fills
/// DeliveryAddress_Text from the columns First, Middle, Last, Address, AddressLine2, City, State
/// and Zip and adds one envelope. Rows and bars are reported as feedMailing does.
FeedResult feedEnvelopes(tav::MailingSource& source, const QString& name, tav::TavMail& mail,
                         BarCodeFeed barCodes = {});

} // namespace mailpiece
