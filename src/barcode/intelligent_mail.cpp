#include "intelligent_mail.h"

#include "intelligent_mail_fields.h"
#include "tav_error.h"

#include <memory>
#include <new>
#include <zint.h>

namespace tav::IntelligentMail {

namespace {

const QString kSource = QStringLiteral("TavBarcode:EncodeIntelligentMail");

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

// libzint keeps each row of modules as bits, eight to a byte, lowest bit first.
bool moduleSet(const zint_symbol& symbol, int row, int column) {
    return ((symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1) != 0;
}

// The bars of codes already checked; libzint lays them out as three rows (ascenders, tracker,
// descenders) with a bar in every other column.
QString encodeChecked(const QString& trackingCode, const QString& routing) {
    const std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        throw std::bad_alloc();
    symbol->symbology = BARCODE_USPS_IMAIL;
    const QByteArray data = (trackingCode + QLatin1Char('-') + routing).toLatin1();
    const int status =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                        static_cast<int>(data.size()));
    if (status >= ZINT_ERROR || symbol->rows != 3 || symbol->width != 2 * BarCount - 1)
        raiseError(ErrorNumber::InvalidPropertyValue, kSource,
                   QStringLiteral("libzint could not encode %1: %2")
                       .arg(QString::fromLatin1(data), QString::fromLatin1(symbol->errtxt)));
    QString bars;
    bars.reserve(BarCount);
    for (int column = 0; column < symbol->width; column += 2) {
        const bool ascends = moduleSet(*symbol, 0, column);
        const bool descends = moduleSet(*symbol, 2, column);
        bars += QLatin1Char(ascends ? (descends ? 'F' : 'A') : (descends ? 'D' : 'T'));
    }
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

BarExtent barExtent(QChar state) {
    switch (state.unicode()) {
    case 'F':
        return {FullBarHeight, 0};
    case 'A':
        return {FullBarHeight, ExtenderHeight};
    case 'D':
        return {AscenderHeight, 0};
    default:
        return {AscenderHeight, ExtenderHeight};
    }
}

} // namespace tav::IntelligentMail
