#pragma once

#include "mailing_rows.h"
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

/// The header of the CSV mailing at `path`; empty when it cannot be read (feeding it then says
/// why).
QStringList readHeader(const QString& path);

/// What the pieces' bar codes take beyond the ZIP code.
struct BarCodeFeed {
    /// The Intelligent Mail barcode's tracking codes (the bar code record is switched to it);
    /// none: the record's own symbology.
    std::optional<TrackingCodes> tracking;
    /// Bars that do not fit their box or piece stop the run (tav::TavError) instead of a warning.
    bool strictFit = false;
};

/// Streams the CSV mailing at `path` into `label`, one piece a usable row (redrawing is off
/// meanwhile), and reports every row left out on standard error with its line number. A piece
/// whose bars do not fit gets a warning naming it and its row: POSTNET bars are cut at the box's
/// edge, an Intelligent Mail barcode is left off. Raises tav::TavError when the file cannot be
/// read.
FeedResult feedMailing(const QString& path, tav::TavLabel& label, PieceMaker::Mode mode,
                       const QString& zipColumn, BarCodeFeed barCodes = {});

/// Streams the CSV mailing at `path` into the envelope control `mail`: each usable row fills
/// DeliveryAddress_Text from the columns First, Middle, Last, Address, AddressLine2, City, State
/// and Zip and adds one envelope. Rows and bars are reported as feedMailing does.
FeedResult feedEnvelopes(const QString& path, tav::TavMail& mail, BarCodeFeed barCodes = {});

} // namespace mailpiece
