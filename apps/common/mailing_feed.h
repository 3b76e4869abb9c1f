#pragma once

#include "mailing_rows.h"

#include <QStringList>

namespace tav {
class TavLabel;
}

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

} // namespace mailpiece
