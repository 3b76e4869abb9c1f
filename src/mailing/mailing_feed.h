#pragma once

#include "mailing_source.h"
#include "mailpiece_export.h"
#include "piece_maker.h"

#include <functional>

namespace tav {

/// How the label and envelope controls' AddPieces turn a source's rows into pieces.
struct MAILPIECE_EXPORT MailingFeed {
    /// Labels: how a row becomes the items' texts (envelopes always take the address columns).
    PieceMaker::Mode mode = PieceMaker::Mode::Columns;
    /// Labels: the column whose value becomes the bar code's Value; empty: none. Envelopes take
    /// the Zip column.
    QString zipColumn = QStringLiteral("Zip");
    /// Addresses composed as the post office reads them best (PieceMaker::setPostalStyle); a
    /// piece whose address still breaks a rule reaches beforeAdd with its postalProblem.
    bool postalStyle = false;
    /// Labels in Address mode: the lines printed above a row's address (an ancillary service
    /// endorsement, an optional endorsement line), which take its first items; unset: none.
    std::function<QStringList(const MailingRow& row)> linesAbove;
    /// Called for each row just before its piece is added: returns why the row is left out
    /// instead, or "" to add it. It may change the piece (its ZIP code or tracking code) or
    /// raise to stop the feed.
    std::function<QString(const MailingRow& row, MailingPiece& piece)> beforeAdd;
    /// Called for every row left out (by the source or by beforeAdd), in the order of the rows.
    std::function<void(const MailingProblem& problem)> leftOut;
    /// Called for a row whose piece was added but whose texts do not all fit their items
    /// (TextFitProblem, with the control's FitText on), with why; unset: the control tells
    /// the message sink, once for the feed.
    std::function<void(const MailingRow& row, const QString& problem)> textFitProblem;
    /// Called after each row with the number of rows read so far; false stops the feed, and the
    /// pieces added so far stay.
    std::function<bool(qint64 rowsRead)> progress;
};

/// What a feed did.
struct MAILPIECE_EXPORT MailingFed {
    qint32 pieces = 0;    // pieces added
    qint64 leftOut = 0;   // rows reported and left out
    qint64 blankRows = 0; // rows whose every field is empty, skipped
    bool stopped = false; // progress asked to stop
};

} // namespace tav
