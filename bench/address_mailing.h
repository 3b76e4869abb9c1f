#pragma once

#include "tav_enum_cls.h"

namespace tav {
class TavLabel;
}

namespace bench {

/// The labels a benchmark mailing is printed on and the bars they carry.
struct MailingShape {
    tav::TavSymbology symbology = tav::TavEnumCls::TavPostnet;
    bool fourInchLabels = false; // 20 labels of 4 × 1 in a sheet instead of 30 of 2-5/8 × 1
};

/// Lays `label` out for address labels and feeds it `pieces` three-line addresses with a ZIP+4
/// bar code (the Intelligent Mail barcode with numbered tracking codes when `shape` says so),
/// redrawing off: the mailing the printing benchmarks print.
void addAddressMailing(tav::TavLabel& label, int pieces, MailingShape shape = {});

} // namespace bench
