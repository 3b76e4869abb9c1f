#pragma once

#include "mailpiece_export.h"

#include <QString>

/// The data of an Intelligent Mail barcode (USPS-B-3200, section 2.1.3): a 20-digit tracking
/// code and a routing code, the delivery point ZIP code of 0, 5, 9 or 11 digits.
namespace tav::IntelligentMail {

/// Digits of a tracking code: barcode identifier (2, the second 0 to 4), service type identifier
/// (3), mailer identifier (6, or 9 when it starts with 9) and serial number (9 or 6).
inline constexpr int TrackingCodeDigits = 20;

/// Why `trackingCode` is not a tracking code ("is 19 characters long; ..."), or "" when it is.
MAILPIECE_EXPORT QString trackingCodeProblem(const QString& trackingCode);

/// Why `barcodeId` is no barcode identifier (2 digits, the second 0 to 4), or "".
MAILPIECE_EXPORT QString barcodeIdProblem(const QString& barcodeId);
/// Why `serviceType` is no service type identifier (3 digits), or "".
MAILPIECE_EXPORT QString serviceTypeProblem(const QString& serviceType);
/// Why `mailerId` is no mailer identifier (6 digits, or 9 when it starts with 9), or "".
MAILPIECE_EXPORT QString mailerIdProblem(const QString& mailerId);
/// The largest serial number that `mailerId` leaves room for: 999,999,999 after a 6-digit
/// mailer identifier, 999,999 after a 9-digit one.
MAILPIECE_EXPORT qint64 largestSerial(const QString& mailerId);
/// The tracking code of the four fields, the serial zero-padded to the digits the mailer
/// identifier leaves. Raises error 5 naming the first field that does not fit, the serial
/// when it is below 0 or above largestSerial(mailerId).
MAILPIECE_EXPORT QString trackingCode(const QString& barcodeId, const QString& serviceType,
                                      const QString& mailerId, qint64 serial);

/// The digits of `value` (other characters are skipped, as POSTNET skips them).
MAILPIECE_EXPORT QString routingDigits(const QString& value);

/// Why `value` gives no routing code (its digits are not 0, 5, 9 or 11), or "" when it does.
MAILPIECE_EXPORT QString routingCodeProblem(const QString& value);

} // namespace tav::IntelligentMail
