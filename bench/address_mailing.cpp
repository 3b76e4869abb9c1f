#include "address_mailing.h"

#include "address_layout.h"
#include "tav_label.h"

namespace bench {

void addAddressMailing(tav::TavLabel& label, int pieces, MailingShape shape) {
    mailpiece::applyAddressLayout(label);
    if (shape.fourInchLabels) {
        tav::TavSheetCls& sheet = *label.SheetProperties();
        sheet.setNumAcross(2);
        sheet.setMarginleft(0.15625f);
        sheet.setPiecePitchAcross(4.1875f);
        sheet.setPieceWidth(4.0f);
        label.ApplyAddressLayout();
    }
    tav::TavBarCodeCls& barCode = *label.BarCodeProperties();
    barCode.setSymbology(shape.symbology);
    label.setRefresh(false);
    for (int i = 1; i <= pieces; ++i) {
        label.setSubstituteText(
            QStringLiteral("Item1^Jane Q. Doe %1|Item2^%2 Maple Avenue|Item3^Springfield, IL   "
                           "62701-1234|Item4^|")
                .arg(i)
                .arg(i % 9999));
        barCode.setValue(QStringLiteral("62701-1234"));
        if (shape.symbology == tav::TavEnumCls::TavIntelligentMail)
            barCode.setTrackingCode(
                QStringLiteral("00700123456%1").arg(i, 9, 10, QLatin1Char('0')));
        label.AddPiece();
    }
}

} // namespace bench
