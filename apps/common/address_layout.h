#pragma once

#include <QtGlobal>

namespace tav {
class TavLabel;
}

namespace mailpiece {

/// A sheet of 30 address labels, 2-5/8 × 1 inch, 3 across and 10 down on US Letter, with up to
/// four text lines (Item1 to Item4) and a POSTNET bar code under them.
void applyAddressLayout(tav::TavLabel& label);

} // namespace mailpiece
