#pragma once

#include "mailing_source.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace mailpiece {

/// Gives each piece of a mailing its Intelligent Mail tracking code: numbered serials after a
/// fixed barcode identifier, service type and mailer identifier, or whole codes from a column.
class TrackingCodes {
public:
    /// Serials from `firstSerial` up, padded to the digits the mailer identifier leaves (9 for
    /// a 6-digit one, 6 for a 9-digit one starting with 9). Raises tav::TavError naming the
    /// option (--imb-barcode-id, --imb-service, --imb-mailer-id, --imb-serial-start) that does
    /// not give a tracking code.
    static TrackingCodes numbered(const QString& barcodeId, const QString& serviceType,
                                  const QString& mailerId, qint64 firstSerial);
    /// The whole code from the column named `column` of each row.
    static TrackingCodes fromColumn(const QString& column);

    /// The code of the next piece, from `row` of a file whose header is `header`; nothing, with
    /// `problem` set, when the row has none (the row is then left out and nothing is used up).
    /// Raises tav::TavError when the serials run out.
    std::optional<QString> next(const QStringList& header, const tav::MailingRow& row,
                                QString& problem);

private:
    TrackingCodes() = default;

    QString barcodeId_; // numbered: the fixed fields and the next serial
    QString serviceType_;
    QString mailerId_;
    qint64 serial_ = 0;
    QString column_; // from a column: its name
    static constexpr qsizetype kNotLookedUp = -2;
    qsizetype columnAt_ = kNotLookedUp; // its index in the header, once looked up (-1: none)
};

} // namespace mailpiece
