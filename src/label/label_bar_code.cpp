// The bar code a piece carries: the value the store keeps for it and whether its bars fit.

#include "intelligent_mail.h"
#include "intelligent_mail_fields.h"
#include "postnet.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_label_p.h"
#include "units.h"

namespace tav {

namespace {

QString inches(qint32 twips) {
    return QString::number(static_cast<double>(twips) / TwipsPerInch, 'f', 2) +
           QStringLiteral(" in");
}

} // namespace

QString TavLabel::BarCodeFitProblem() const {
    const TavBarCodeCls& barCode = *d->barCode_;
    if (!barCode.Visible())
        return {};
    const QString source = QStringLiteral("TavLabel:BarCodeFitProblem");
    const bool intelligentMail = barCode.Symbology() == TavEnumCls::TavIntelligentMail;
    const qint32 length =
        intelligentMail
            ? symbolLength(IntelligentMail::BarCount, IntelligentMail::Metrics)
            : symbolLength(static_cast<qint32>(Postnet::EncodePostnet(barCode.Value()).size()),
                           Postnet::Metrics);
    if (length == 0)
        return {};
    const QString what =
        intelligentMail
            ? QStringLiteral("the Intelligent Mail barcode")
            : QStringLiteral("the POSTNET bar code of \"%1\"").arg(barCode.Value().left(40));
    const qint32 width = inchesToTwips(barCode.Width(), source);
    if (length > width)
        return QStringLiteral("%1 is %2 long, and the bar code box (BarCodeProperties.Width) is "
                              "%3 wide")
            .arg(what, inches(length), inches(width));
    const qint32 left = inchesToTwips(barCode.Left1(), source);
    const qint32 piece = inchesToTwips(d->sheet_->PieceWidth(), source);
    if (static_cast<qint64>(left) + length > piece)
        return QStringLiteral("%1 is %2 long and starts %3 from the piece's left edge "
                              "(BarCodeProperties.Left1), past the edge of a piece %4 wide")
            .arg(what, inches(length), inches(left), inches(piece));
    return {};
}

QString TavLabel::barCodeValueToStore() const {
    const TavBarCodeCls& barCode = *d->barCode_;
    if (barCode.Symbology() != TavEnumCls::TavIntelligentMail)
        return barCode.Value();
    const QString source = QStringLiteral("TavLabel:AddPiece");
    if (barCode.TrackingCode().isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, source,
                   QStringLiteral("BarCodeProperties.TrackingCode is empty; an Intelligent Mail "
                                  "barcode needs the piece's 20-digit tracking code"));
    const QString routing = IntelligentMail::routingCodeProblem(barCode.Value());
    if (!routing.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, source,
                   QStringLiteral("BarCodeProperties.Value ") + routing);
    const QString fit = BarCodeFitProblem();
    if (!fit.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, source, fit);
    return IntelligentMail::pieceValue(barCode.TrackingCode(), barCode.Value());
}

} // namespace tav
