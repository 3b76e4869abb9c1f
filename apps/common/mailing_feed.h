#pragma once

#include "mailing_rows.h"

#include <QStringList>

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

/// Streams the CSV mailing at `path` into `label`, one piece a usable row (redrawing is off
/// meanwhile), and reports every row left out on standard error with its line number. Raises
/// tav::TavError when the file cannot be read.
FeedResult feedMailing(const QString& path, tav::TavLabel& label, PieceMaker::Mode mode,
                       const QString& zipColumn);

/// Streams the CSV mailing at `path` into the envelope control `mail`: each usable row fills
/// DeliveryAddress_Text from the columns First, Middle, Last, Address, AddressLine2, City, State
/// and Zip and adds one envelope. Rows are reported and left out as feedMailing does.
FeedResult feedEnvelopes(const QString& path, tav::TavMail& mail);

} // namespace mailpiece
