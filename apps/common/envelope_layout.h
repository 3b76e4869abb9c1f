#pragma once

#include <QString>

namespace tav {
class TavMail;
}

namespace mailpiece {

/// An envelope of the catalogue piece `pieceName` (empty: "Size 10 - Envelope") with the
/// delivery address block, `returnAddress` (lines separated by line breaks; empty: none) in
/// the top left corner, no messages or stamp box, and the POSTNET bar code under the address.
void applyEnvelopeLayout(tav::TavMail& mail, const QString& pieceName,
                         const QString& returnAddress);

/// Prints `returnAddress` (lines separated by line breaks) as the envelopes' sender; empty
/// hides it.
void setReturnAddress(tav::TavMail& mail, const QString& returnAddress);

} // namespace mailpiece
