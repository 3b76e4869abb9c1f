#pragma once

#include <QtGlobal>

namespace tav {
class TavItemCls;
class TavLabel;
} // namespace tav

namespace mailpiece {

/// A sheet of 30 address labels, 2-5/8 × 1 inch, 3 across and 10 down on US Letter (the
/// catalogue's "5160 - Address"), with the items of applyAddressItems.
void applyAddressLayout(tav::TavLabel& label);

/// Up to four text lines (Item1 to Item4) of `fontSize` points stacked from the top left of the
/// piece, and a POSTNET bar code under them when it fits on the piece.
void applyAddressItems(tav::TavLabel& label, double fontSize = 9);

/// Plain text for `item`: Arial of `fontSize` points, regular, top left, white, no border.
void setPlainText(tav::TavItemCls& item, double fontSize);

} // namespace mailpiece
