#include "intelligent_mail_fields.h"

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
