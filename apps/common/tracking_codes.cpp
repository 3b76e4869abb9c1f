#include "tracking_codes.h"

#include "intelligent_mail_fields.h"
#include "piece_maker.h"
#include "tav_error.h"

#include <algorithm>

namespace mailpiece {

namespace {

const QString kSource = QStringLiteral("mailpiece-batch");

[[noreturn]] void refuse(const QString& option, const QString& why) {
    throw tav::TavError(tav::ErrorNumber::InvalidArgument, kSource,
                        QStringLiteral("%1: %2").arg(option, why));
}

} // namespace

TrackingCodes TrackingCodes::numbered(const QString& barcodeId, const QString& serviceType,
                                      const QString& mailerId, qint64 firstSerial) {
    namespace imb = tav::IntelligentMail;
    const std::pair<const char*, QString> fields[] = {
        {"--imb-barcode-id", imb::barcodeIdProblem(barcodeId)},
        {"--imb-service", imb::serviceTypeProblem(serviceType)},
        {"--imb-mailer-id", imb::mailerIdProblem(mailerId)}};
    for (const auto& [option, problem] : fields)
        if (!problem.isEmpty())
            refuse(QLatin1String(option), problem);
    if (firstSerial < 0 || firstSerial > imb::largestSerial(mailerId))
        refuse(QStringLiteral("--imb-serial-start"),
               QStringLiteral("the serial number is 0 to %1 with a %2-digit mailer identifier, "
                              "not %3")
                   .arg(imb::largestSerial(mailerId))
                   .arg(mailerId.size())
                   .arg(firstSerial));
    TrackingCodes codes;
    codes.barcodeId_ = barcodeId;
    codes.serviceType_ = serviceType;
    codes.mailerId_ = mailerId;
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
    const qint64 largest = tav::IntelligentMail::largestSerial(mailerId_);
    if (serial_ > largest)
        throw tav::TavError(tav::ErrorNumber::Overflow, kSource,
                            QStringLiteral("the mailing has more pieces than serial numbers are "
                                           "left after --imb-serial-start (the last is %1)")
                                .arg(largest));
    return tav::IntelligentMail::trackingCode(barcodeId_, serviceType_, mailerId_, serial_++);
}

} // namespace mailpiece
