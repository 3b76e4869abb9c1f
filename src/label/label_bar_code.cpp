// The bar code a piece carries: the value the store keeps for it and whether its bars fit.

#include "bar_placement.h"
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
    const bool intelligentMail = barCode.Symbology() == TavEnumCls::TavIntelligentMail;
    const auto digits = static_cast<qint32>(std::count_if(
        value.cbegin(), value.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }));
    const qint32 bars = intelligentMail ? IntelligentMail::BarCount
                                        : static_cast<qint32>(Postnet::EncodePostnet(value).size());
    const BarMetrics& metrics = intelligentMail ? IntelligentMail::Metrics : Postnet::Metrics;
    const qint32 length = symbolLength(bars, metrics);
    if (length == 0)
        return {};
    const QString what =
        intelligentMail
            ? QStringLiteral("the Intelligent Mail barcode needs %1").arg(inches(length))
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
    if (barCode.Symbology() != TavEnumCls::TavIntelligentMail)
        return value;
    const QString source = QStringLiteral("TavLabel:AddPiece");
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
