#include "copies_source.h"

#include "piece_maker.h"
#include "tav_error.h"

namespace tav {

namespace {

// More is a typing mistake rather than a print run.
constexpr qint64 kMostCopies = 10000;

} // namespace

CopiesSource::CopiesSource(std::unique_ptr<MailingSource> rows, const QString& column)
    : rows_(std::move(rows))
    , column_(columnIndex(rows_->header(), column)) {
    if (column_ < 0 && !rows_->header().isEmpty())
        raiseError(ErrorNumber::InvalidArgument, QStringLiteral("CopiesSource"),
                   QStringLiteral("no column named %1 for the number of copies; the columns are "
                                  "%2")
                       .arg(column, rows_->header().join(QStringLiteral(", "))));
    takeOverFrom(*rows_);
}

CopiesSource::CopiesSource(std::unique_ptr<MailingSource> rows, qint64 copies)
    : rows_(std::move(rows))
    , fixed_(copies) {
    if (copies < 1 || copies > kMostCopies)
        raiseError(ErrorNumber::InvalidArgument, QStringLiteral("CopiesSource"),
                   QStringLiteral("%1 copies of each row: the copies are 1 to %2")
                       .arg(copies)
                       .arg(kMostCopies));
    takeOverFrom(*rows_);
}

CopiesSource::~CopiesSource() = default;

std::optional<qint64> CopiesSource::copiesOf(const MailingRow& row) {
    const QString text = row.fields.value(column_).trimmed();
    if (text.isEmpty())
        return 1;
    bool whole = false;
    const qint64 copies = text.toLongLong(&whole);
    if (!whole || copies < 0 || copies > kMostCopies) {
        leaveOut(row.number, QStringLiteral("%1 \"%2\" is not a number of copies from 0 to %3")
                                 .arg(rows_->header().at(column_), text)
                                 .arg(kMostCopies));
        return std::nullopt;
    }
    return copies;
}

bool CopiesSource::next(MailingRow& row) {
    while (remaining_ == 0) {
        const bool more = rows_->next(current_);
        takeOverFrom(*rows_);
        if (!more)
            return false;
        if (column_ < 0) {
            remaining_ = fixed_;
        } else if (const auto copies = copiesOf(current_)) {
            remaining_ = *copies;
            withoutCopies_ += *copies == 0;
        }
    }
    --remaining_;
    row = current_;
    return true;
}

} // namespace tav
