#pragma once

#include <QtGlobal>

namespace tav {
class TavLabel;
}

namespace mailpiece {

/// A sheet of 30 address labels, 2-5/8 × 1 inch, 3 across and 10 down on US Letter (the
/// catalogue's "5160 - Address") without reading the catalogue, with the library's address
/// layout (TavLabel::ApplyAddressLayout) and widenBarCode.
void applyAddressLayout(tav::TavLabel& label);

/// Lets the bar code's box reach the piece's right edge, so that the longest bars the piece
/// has room for are printed whole (a ZIP+4 POSTNET on a 2-5/8 inch label, an Intelligent Mail
/// barcode on a 4 inch one).
void widenBarCode(tav::TavLabel& label);

} // namespace mailpiece
