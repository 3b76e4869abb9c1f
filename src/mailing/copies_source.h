#pragma once

#include "mailing_source.h"
#include "mailpiece_export.h"

#include <memory>

namespace tav {

/// The rows of another source, each as many times as its copies column says: a whole number
/// from 0 to 10,000, an empty cell counting as 1. A row asking for no copies is passed over and
/// counted; a row whose count is no such number is left out, saying so. The other source's own
/// problems and remarks come through.
class MAILPIECE_EXPORT CopiesSource : public MailingSource {
public:
    /// Raises error 5 when the header of `rows` has no column `column`.
    CopiesSource(std::unique_ptr<MailingSource> rows, const QString& column);
    /// Each row `copies` times (1 to 10,000; error 5 otherwise), as a run of return addresses.
    CopiesSource(std::unique_ptr<MailingSource> rows, qint64 copies);
    ~CopiesSource() override;

    const QStringList& header() const override { return rows_->header(); }
    bool next(MailingRow& row) override;
    QString numberName() const override { return rows_->numberName(); }

    /// The rows passed over so far because they asked for no copies.
    qint64 rowsWithoutCopies() const { return withoutCopies_; }

private:
    // The number of copies `row` asks for, or none (the row is then reported).
    std::optional<qint64> copiesOf(const MailingRow& row);

    std::unique_ptr<MailingSource> rows_;
    qsizetype column_ = -1;
    qint64 fixed_ = 1; // the copies of each row without a column
    MailingRow current_;
    qint64 remaining_ = 0; // copies of current_ still to give
    qint64 withoutCopies_ = 0;
};

} // namespace tav
