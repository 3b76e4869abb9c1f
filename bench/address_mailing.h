#pragma once

namespace tav {
class TavLabel;
}

namespace bench {

/// Lays `label` out for 30 address labels a sheet and feeds it `pieces` three-line addresses
/// with a ZIP+4 bar code, redrawing off: the mailing the printing benchmarks print.
void addAddressMailing(tav::TavLabel& label, int pieces);

} // namespace bench
