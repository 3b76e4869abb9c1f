// The bar code a piece carries: the value the store keeps for it and whether its bars fit.

#include "bar_placement.h"
#include "four_state.h"
#include "intelligent_mail.h"
#include "intelligent_mail_fields.h"
#include "postnet.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_label_p.h"
#include "units.h"

#include <algorithm>

namespace tav {

namespace {

QString inches(qint32 twips) {
    return QString::number(static_cast<double>(twips) / TwipsPerInch, 'f', 2) +
           QStringLiteral(" in");
}

} // namespace

QString TavLabel::BarCodeFitProblem() const {
    return BarCodeFitProblem(d->barCode_->Value());
}

QString TavLabel::BarCodeFitProblem(const QString& value) const {
    const TavBarCodeCls& barCode = *d->barCode_;
    if (!barCode.Visible())
        return {};
    const QString source = QStringLiteral("TavLabel:BarCodeFitProblem");
    const qint16 symbology = static_cast<qint16>(barCode.Symbology());
    const FourState::Spec* fourState = FourState::spec(symbology);
    qint32 bars = 0;
    if (symbology == TavEnumCls::TavIntelligentMail)
        bars = IntelligentMail::BarCount;
    else if (fourState != nullptr)
        bars = static_cast<qint32>(FourState::encode(symbology, value).size());
    else
        bars = static_cast<qint32>(Postnet::EncodePostnet(value).size());
    const BarMetrics& metrics = fourState != nullptr ? fourState->metrics : Postnet::Metrics;
    const qint32 length = symbolLength(bars, metrics);
    if (length == 0)
        return {};
    const auto digits =
        std::count_if(value.cbegin(), value.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const QString what =
        fourState != nullptr
            ? QStringLiteral("the %1 needs %2").arg(QLatin1String(fourState->name), inches(length))
            : QStringLiteral("a POSTNET bar code of %1 digits needs %2")
                  .arg(digits)
                  .arg(inches(length));
    // Measured as the bars are drawn (from the box's left edge): a bar is left out only when
    // its slot starts past the box.
    const qint32 left = inchesToTwips(barCode.Left1(), source);
    const qint32 width = inchesToTwips(barCode.Width(), source);
    const BarLayout placed = placeBars(bars, metrics, left, 0, width, metrics.fullHeight, 0, 0);
    const qint32 shown = static_cast<qint32>(placed.starts.size());
    if (shown < bars)
        return QStringLiteral("%1, and the bar code box is %2 wide: %3 of its %4 bars print")
            .arg(what, inches(width))
            .arg(shown)
            .arg(bars);
    const qint32 piece = inchesToTwips(d->sheet_->PieceWidth(), source);
    if (static_cast<qint64>(placed.starts.back()) + metrics.barWidth > piece)
        return QStringLiteral("%1 from %2 in from the piece's left edge, and the piece is %3 wide: "
                              "its last bars print past the edge")
            .arg(what, inches(left).chopped(3), inches(piece));
    return {};
}

QString TavLabel::barCodeValueToStore(const QString& value, const QString& trackingCode) const {
    const TavBarCodeCls& barCode = *d->barCode_;
    const QString source = QStringLiteral("TavLabel:AddPiece");
    const auto symbology = static_cast<qint16>(barCode.Symbology());
    if (FourState::ofAnotherPost(symbology)) {
        // Bars that cannot be cut or guessed: a value the code cannot carry, or bars that do not
        // fit, are refused.
        QString problem;
        if (barCode.Visible() && FourState::encode(symbology, value, &problem).isEmpty())
            raiseError(ErrorNumber::InvalidPropertyValue, source,
                       QStringLiteral("BarCodeProperties.Value \"%1\": the %2 cannot carry it: %3")
                           .arg(value, QLatin1String(FourState::spec(symbology)->name), problem));
        const QString fit = BarCodeFitProblem(value);
        if (!fit.isEmpty())
            raiseError(ErrorNumber::InvalidPropertyValue, source, fit);
        return value;
    }
    if (barCode.Symbology() != TavEnumCls::TavIntelligentMail)
        return value;
    if (trackingCode.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, source,
                   QStringLiteral("BarCodeProperties.TrackingCode is empty; an Intelligent Mail "
                                  "barcode needs the piece's 20-digit tracking code"));
    const QString routing = IntelligentMail::routingCodeProblem(value);
    if (!routing.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, source,
                   QStringLiteral("BarCodeProperties.Value ") + routing);
    const QString fit = BarCodeFitProblem(value);
    if (!fit.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, source, fit);
    return IntelligentMail::pieceValue(trackingCode, value);
}

} // namespace tav
