#include "envelope_layout.h"

#include "catalog_location.h"
#include "tav_label.h"
#include "tav_mail.h"

namespace mailpiece {

void applyEnvelopeLayout(tav::TavMail& mail, const QString& pieceName, const QString& returnAddress,
                         tav::TavSymbology symbology) {
    mail.InitProperties();
    if (!pieceName.isEmpty() && pieceName != mail.PieceName()) {
        mail.setPieceName(pieceName);
        checkPieceApplied(pieceName, mail.PieceName());
    }
    for (int index = 3; index <= 7; ++index)
        mail.TavLabel1().itemProperties(index)->setVisible(false);

    tav::setPlainText(*mail.DeliveryAddress(), 12);
    mail.TavLabel1().setFitText(true); // a long address is made smaller, never cut
    tav::setPlainText(*mail.ReturnAddress(), 9);
    setReturnAddress(mail, returnAddress);

    tav::TavBarCodeCls& barCode = *mail.BarCodeProperties();
    barCode.setVisible(true);
    barCode.setBackColor(tav::OleColors::White);
    barCode.setSymbology(symbology);
    // Room for the longest bars either symbology has: the 65 of an Intelligent Mail barcode
    // (3 in at most) and the 62 of an 11-digit POSTNET (2.81 in); they stand at the box's left.
    barCode.setWidth(3.0f);
    if (symbology == tav::TavEnumCls::TavIntelligentMail) {
        barCode.setHeight(0.2f);
        mail.setBarCode_Position(tav::TavEnumCls::TavBottomCenter);
    } else {
        mail.setBarCode_Position(tav::TavEnumCls::TavBelowAddress);
    }
}

void setReturnAddress(tav::TavMail& mail, const QString& returnAddress) {
    tav::TavItemCls& from = *mail.ReturnAddress();
    from.setVisible(!returnAddress.trimmed().isEmpty());
    // Item text breaks lines at carriage returns.
    QString text = returnAddress;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    from.setTextControl(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

} // namespace mailpiece
