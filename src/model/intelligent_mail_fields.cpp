#include "intelligent_mail_fields.h"

#include "tav_error.h"

#include <algorithm>

namespace tav::IntelligentMail {

namespace {

bool allDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

} // namespace

QString trackingCodeProblem(const QString& trackingCode) {
    if (trackingCode.size() != TrackingCodeDigits || !allDigits(trackingCode))
        return QStringLiteral("\"%1\" is no tracking code: it has %2 digits and nothing else "
                              "(barcode identifier, service type, mailer identifier, serial)")
            .arg(trackingCode.left(40))
            .arg(TrackingCodeDigits);
    if (trackingCode.at(1) > QLatin1Char('4'))
        return QStringLiteral("\"%1\" is no tracking code: the second digit of its barcode "
                              "identifier is %2, and it must be 0 to 4")
            .arg(trackingCode)
            .arg(trackingCode.at(1));
    return {};
}

QString barcodeIdProblem(const QString& barcodeId) {
    if (barcodeId.size() == 2 && allDigits(barcodeId) && barcodeId.at(1) <= QLatin1Char('4'))
        return {};
    return QStringLiteral("the barcode identifier is 2 digits, the second 0 to 4, not \"%1\"")
        .arg(barcodeId.left(40));
}

QString serviceTypeProblem(const QString& serviceType) {
    if (serviceType.size() == 3 && allDigits(serviceType))
        return {};
    return QStringLiteral("the service type identifier is 3 digits, not \"%1\"")
        .arg(serviceType.left(40));
}

QString mailerIdProblem(const QString& mailerId) {
    const qsizetype digits = mailerId.startsWith(QLatin1Char('9')) ? 9 : 6;
    if (mailerId.size() == digits && allDigits(mailerId))
        return {};
    return QStringLiteral("the mailer identifier is 6 digits, or 9 when it starts with 9, not "
                          "\"%1\"")
        .arg(mailerId.left(40));
}

qint64 largestSerial(const QString& mailerId) {
    return mailerId.startsWith(QLatin1Char('9')) ? 999'999 : 999'999'999;
}

QString trackingCode(const QString& barcodeId, const QString& serviceType, const QString& mailerId,
                     qint64 serial) {
    const QString source = QStringLiteral("IntelligentMail:trackingCode");
    for (const QString& problem :
         {barcodeIdProblem(barcodeId), serviceTypeProblem(serviceType), mailerIdProblem(mailerId)})
        if (!problem.isEmpty())
            raiseError(ErrorNumber::InvalidArgument, source, problem);
    const qint64 largest = largestSerial(mailerId);
    if (serial < 0 || serial > largest)
        raiseError(ErrorNumber::InvalidArgument, source,
                   QStringLiteral("the serial number is 0 to %1 after a %2-digit mailer "
                                  "identifier, not %3")
                       .arg(largest)
                       .arg(mailerId.size())
                       .arg(serial));
    const int width = TrackingCodeDigits - 5 - static_cast<int>(mailerId.size());
    return barcodeId + serviceType + mailerId +
           QStringLiteral("%1").arg(serial, width, 10, QLatin1Char('0'));
}

QString routingDigits(const QString& value) {
    QString digits;
    for (const QChar c : value)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    return digits;
}

QString routingCodeProblem(const QString& value) {
    const qsizetype count = routingDigits(value).size();
    if (count == 0 || count == 5 || count == 9 || count == 11)
        return {};
    return QStringLiteral("\"%1\" is no routing code: it has %2 digits, and a ZIP code has 0, 5, "
                          "9 or 11")
        .arg(value.left(40))
        .arg(count);
}

} // namespace tav::IntelligentMail
