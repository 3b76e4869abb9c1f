#pragma once

#include <QtGlobal>

namespace tav {
class TavLabel;
}

namespace mailpiece {

/// A sheet of 30 address labels, 2-5/8 × 1 inch, 3 across and 10 down on US Letter (the
/// catalogue's "5160 - Address") without reading the catalogue, with the library's address
/// layout (TavLabel::ApplyAddressLayout).
void applyAddressLayout(tav::TavLabel& label);

} // namespace mailpiece
