#pragma once

#include "mailing_source.h"
#include "piece_maker.h"
#include "tracking_codes.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace tav {
class TavLabel;
class TavMail;
} // namespace tav

namespace mailpiece {

/// What feeding a mailing into a control found.
struct FeedResult {
    QStringList header;
    qint32 pieces = 0;     // rows added as pieces
    qsizetype leftOut = 0; // rows reported and left out
    qint64 blankRows = 0;  // rows with every field empty, skipped
    bool stopped = false;  // the progress callback stopped the feed
};

/// Where a feed's messages go: standard error for the command-line programs, a list for the
/// demo's dialog. A number is the row's (its line in a file); 0 is the whole source.
class FeedMessages {
public:
    virtual ~FeedMessages();
    /// A row was left out, and why.
    virtual void leftOut(qint64 number, const QString& why) = 0;
    /// A doubt about a row that was added (a ZIP code, bars that do not fit), or a remark on the
    /// whole source.
    virtual void warning(qint64 number, const QString& what) = 0;
    /// Where row `number` is, for an error that stops the feed ("m.csv:12").
    virtual QString place(qint64 number) const = 0;
};

/// Prints "<name>:<number>: row left out: ..." and "<name>:<number>: warning: ..." (without the
/// number for the whole source) on standard error.
class ConsoleMessages : public FeedMessages {
public:
    explicit ConsoleMessages(QString name)
        : name_(std::move(name)) {}
    void leftOut(qint64 number, const QString& why) override;
    void warning(qint64 number, const QString& what) override;
    QString place(qint64 number) const override;

private:
    QString name_;
};

/// What the pieces' bar codes take beyond the ZIP code, and how the feed reports.
struct BarCodeFeed {
    /// The Intelligent Mail barcode's tracking codes (the bar code record is switched to it);
    /// none: the record's own symbology.
    std::optional<TrackingCodes> tracking;
    /// Texts or bars that do not fit their box or piece stop the run (tav::TavError) instead of
    /// a warning.
    bool strictFit = false;
    /// A POSTNET ZIP code whose digits are not 5, 9 or 11 leaves its row out instead of a
    /// warning.
    bool strictZip = false;
    /// Called after each row with the rows read; false stops the feed (the pieces stay).
    std::function<bool(qint64 rowsRead)> progress;
    /// Addresses composed as the post office reads them best; one that still breaks a rule
    /// (more than 6 lines, no ZIP code last) is a warning, or with strictFit stops the run.
    bool postalStyle = false;
    /// Labels in Address mode: the lines above each row's address (tav::MailingFeed).
    std::function<QStringList(const tav::MailingRow& row)> linesAbove;
    /// The column whose value is each piece's bar code whatever the ZIP code column: another
    /// post's code carries a postcode and more, or a delivery point identifier. Empty: none.
    QString valueColumn;
};

/// Whether `header` has a name column (First, Middle or Last) and an address column (Address,
/// AddressLine2 or City): enough to compose an address.
bool hasAddressColumns(const QStringList& header);

/// Raises tav::TavError (error 5) when the header of `source` cannot give what is to be printed,
/// naming the header found and the columns expected: an address (`mode` Address, and every
/// envelope) needs a name column (First, Middle, Last) and an address column (Address,
/// AddressLine2, City); templates need every column they name ("<<Town>>"; Item1 to Item7
/// always are). A wrong delimiter or a wrong header would print labels without an address.
void checkColumns(const tav::MailingSource& source, const QString& sourceName,
                  tav::PieceMaker::Mode mode, const QStringList& templates);

/// Streams the rows of `source` into `label` (TavLabel::AddPieces) and tells `messages` of every
/// row left out, every doubtful ZIP code, the source's own remarks, each piece whose texts do
/// not fit, and the pieces whose bars do not (the first row of each problem by itself, the
/// others together at the end): POSTNET bars are then cut, an Intelligent Mail barcode is left
/// off the mailing.
FeedResult feedMailing(tav::MailingSource& source, tav::TavLabel& label, tav::PieceMaker::Mode mode,
                       const QString& zipColumn, FeedMessages& messages, BarCodeFeed barCodes = {});

/// Streams the rows of `source` into the envelope control `mail` (TavMail::AddPieces), reporting
/// as feedMailing does.
FeedResult feedEnvelopes(tav::MailingSource& source, tav::TavMail& mail, FeedMessages& messages,
                         BarCodeFeed barCodes = {});

} // namespace mailpiece
