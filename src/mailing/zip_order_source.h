#pragma once

#include "mailing_source.h"
#include "mailpiece_export.h"

#include <QHash>

#include <memory>
#include <vector>

namespace tav {

/// The rows of another source in ZIP code order: by the 5-digit ZIP code, then the ZIP+4
/// add-on, the order of the mailing kept within a code and rows without a ZIP code last. It is
/// sorting, not a certified presort (no CASS, no Move Update), and it holds the whole mailing.
class MAILPIECE_EXPORT ZipOrderSource : public MailingSource {
public:
    /// Pieces counted under one code: a 5-digit ZIP code or a 3-digit prefix.
    struct Group {
        QString code;
        qint64 pieces = 0;
    };

    /// Reads every row of `rows` at once; the ZIP code is in column `zipColumn` (from 0).
    ZipOrderSource(std::unique_ptr<MailingSource> rows, qsizetype zipColumn);
    ~ZipOrderSource() override;

    const QStringList& header() const override { return rows_->header(); }
    bool next(MailingRow& row) override;
    QString numberName() const override { return rows_->numberName(); }

    /// The pieces of each 5-digit ZIP code, in order.
    std::vector<Group> byZip() const { return count(5); }
    /// The pieces of each 3-digit prefix (the sectional center), in order.
    std::vector<Group> byPrefix() const { return count(3); }
    /// The rows without a 5-digit ZIP code, printed last.
    qint64 withoutZip() const { return withoutZip_; }
    /// The optional endorsement line of a piece to `zip` (DMM 708.7), its sort level as this
    /// mailing's counts give it: "5-DIGIT 02134" with 10 or more pieces to the ZIP code, else
    /// "3-DIGIT 021" with 10 or more to the prefix, else "MIXED AADC"; "AUTO**" before it for
    /// `automation` pieces (those with an Intelligent Mail barcode), and asterisks before all to
    /// 36 characters. "" for a ZIP code of fewer than 5 digits.
    QString endorsementLine(const QString& zip, bool automation) const;

private:
    std::vector<Group> count(qsizetype digits) const;
    qint64 piecesTo(const QString& code) const { return pieces_.value(code); }

    std::unique_ptr<MailingSource> rows_;
    std::vector<std::pair<QString, MailingRow>> sorted_; // the ZIP's digits, the row
    std::size_t next_ = 0;
    qint64 withoutZip_ = 0;
    QHash<QString, qint64> pieces_; // to each 5-digit ZIP code and 3-digit prefix
};

} // namespace tav
