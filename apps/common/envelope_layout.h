#pragma once

#include "tav_enum_cls.h"

#include <QString>

namespace tav {
class TavMail;
}

namespace mailpiece {

/// An envelope of the catalogue piece `pieceName` (empty: "Size 10 - Envelope") with the
/// delivery address block, `returnAddress` (lines separated by line breaks; empty: none) in
/// the top left corner, no messages or stamp box, and the bar code: POSTNET under the address,
/// the Intelligent Mail barcode in the clear zone of the lower right corner.
void applyEnvelopeLayout(tav::TavMail& mail, const QString& pieceName, const QString& returnAddress,
                         tav::TavSymbology symbology = tav::TavEnumCls::TavPostnet);

/// Prints `returnAddress` (lines separated by line breaks) as the envelopes' sender; empty
/// hides it.
void setReturnAddress(tav::TavMail& mail, const QString& returnAddress);

} // namespace mailpiece
