#include "tracking_codes.h"

#include "intelligent_mail_fields.h"
#include "piece_maker.h"
#include "tav_error.h"

#include <algorithm>

namespace mailpiece {

namespace {

const QString kSource = QStringLiteral("mailpiece-batch");

bool digits(const QString& text, qsizetype count) {
    return text.size() == count && std::all_of(text.begin(), text.end(), [](QChar c) {
               return c >= QLatin1Char('0') && c <= QLatin1Char('9');
           });
}

[[noreturn]] void refuse(const QString& option, const QString& value, const QString& why) {
    throw tav::TavError(tav::ErrorNumber::InvalidArgument, kSource,
                        QStringLiteral("%1 \"%2\": %3").arg(option, value, why));
}

} // namespace

TrackingCodes TrackingCodes::numbered(const QString& barcodeId, const QString& serviceType,
                                      const QString& mailerId, qint64 firstSerial) {
    if (!digits(barcodeId, 2) || barcodeId.at(1) > QLatin1Char('4'))
        refuse(QStringLiteral("--imb-barcode-id"), barcodeId,
               QStringLiteral("the barcode identifier is 2 digits, the second 0 to 4"));
    if (!digits(serviceType, 3))
        refuse(QStringLiteral("--imb-service"), serviceType,
               QStringLiteral("the service type identifier is 3 digits"));
    const bool long_ = mailerId.startsWith(QLatin1Char('9'));
    if (!digits(mailerId, long_ ? 9 : 6))
        refuse(QStringLiteral("--imb-mailer-id"), mailerId,
               QStringLiteral("the mailer identifier is 6 digits, or 9 when it starts with 9"));
    TrackingCodes codes;
    codes.prefix_ = barcodeId + serviceType + mailerId;
    const qsizetype width = tav::IntelligentMail::TrackingCodeDigits - codes.prefix_.size();
    codes.serialLimit_ = width == 9 ? 1'000'000'000 : 1'000'000;
    if (firstSerial < 0 || firstSerial >= codes.serialLimit_)
        refuse(QStringLiteral("--imb-serial-start"), QString::number(firstSerial),
               QStringLiteral("the serial number is 0 to %1 with a %2-digit mailer identifier")
                   .arg(codes.serialLimit_ - 1)
                   .arg(mailerId.size()));
    codes.serial_ = firstSerial;
    return codes;
}

TrackingCodes TrackingCodes::fromColumn(const QString& column) {
    TrackingCodes codes;
    codes.column_ = column;
    return codes;
}

std::optional<QString> TrackingCodes::next(const QStringList& header, const tav::MailingRow& row,
                                           QString& problem) {
    if (!column_.isEmpty()) {
        if (columnAt_ == kNotLookedUp) // a mailing's header stays as it is: looked up once
            columnAt_ = tav::columnIndex(header, column_);
        const qsizetype index = columnAt_;
        const QString code = index < 0 ? QString() : row.fields.value(index).trimmed();
        const QString why = tav::IntelligentMail::trackingCodeProblem(code);
        if (why.isEmpty())
            return code;
        problem = QStringLiteral("the tracking code in column %1: %2").arg(column_, why);
        return std::nullopt;
    }
    if (serial_ >= serialLimit_)
        throw tav::TavError(tav::ErrorNumber::Overflow, kSource,
                            QStringLiteral("the mailing has more pieces than serial numbers are "
                                           "left after --imb-serial-start (the last is %1)")
                                .arg(serialLimit_ - 1));
    const qsizetype width = tav::IntelligentMail::TrackingCodeDigits - prefix_.size();
    return prefix_ + QStringLiteral("%1").arg(serial_++, width, 10, QLatin1Char('0'));
}

} // namespace mailpiece
