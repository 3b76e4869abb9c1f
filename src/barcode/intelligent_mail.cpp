#include "intelligent_mail.h"

#include "four_state.h"
#include "intelligent_mail_fields.h"
#include "tav_error.h"

#include <zint.h>

namespace tav::IntelligentMail {

namespace {

const QString kSource = QStringLiteral("TavBarcode:EncodeIntelligentMail");

// The bars of codes already checked.
QString encodeChecked(const QString& trackingCode, const QString& routing) {
    const QByteArray data = (trackingCode + QLatin1Char('-') + routing).toLatin1();
    QString problem;
    const QString bars = FourState::zintStates(BARCODE_USPS_IMAIL, data, problem);
    if (bars.size() != BarCount)
        raiseError(ErrorNumber::InvalidPropertyValue, kSource,
                   QStringLiteral("libzint could not encode %1: %2")
                       .arg(QString::fromLatin1(data), problem));
    return bars;
}

} // namespace

QString EncodeIntelligentMail(const QString& trackingCode, const QString& routingCode) {
    QString problem = trackingCodeProblem(trackingCode);
    if (!problem.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, kSource,
                   QStringLiteral("TrackingCode ") + problem);
    problem = routingCodeProblem(routingCode);
    if (!problem.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, kSource,
                   QStringLiteral("the ZIP code (Value) ") + problem);
    return encodeChecked(trackingCode, routingDigits(routingCode));
}

QString pieceValue(const QString& trackingCode, const QString& routingCode) {
    return trackingCode + QLatin1Char('-') + routingDigits(routingCode);
}

QString EncodePieceValue(const QString& value) {
    const qsizetype dash = value.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return {};
    const QString tracking = value.left(dash);
    const QString routing = value.mid(dash + 1);
    if (!trackingCodeProblem(tracking).isEmpty() || routingDigits(routing) != routing ||
        !routingCodeProblem(routing).isEmpty())
        return {};
    return encodeChecked(tracking, routing);
}

} // namespace tav::IntelligentMail
