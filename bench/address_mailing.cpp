#include "address_mailing.h"

#include "address_layout.h"
#include "tav_label.h"

namespace bench {

void addAddressMailing(tav::TavLabel& label, int pieces) {
    mailpiece::applyAddressLayout(label);
    label.setRefresh(false);
    for (int i = 1; i <= pieces; ++i) {
        label.setSubstituteText(
            QStringLiteral("Item1^Jane Q. Doe %1|Item2^%2 Maple Avenue|Item3^Springfield, IL   "
                           "62701-1234|Item4^|")
                .arg(i)
                .arg(i % 9999));
        label.BarCodeProperties()->setValue(QStringLiteral("62701-1234"));
        label.AddPiece();
    }
}

} // namespace bench
