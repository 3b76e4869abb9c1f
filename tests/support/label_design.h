#pragma once

namespace tav {
class TavLabel;
class TavSheetCls;
} // namespace tav

namespace tav::test {

/// Expects every readable property of every record of `a` (sheet, items with their fonts, bar
/// code) to equal `b`'s.
void expectSameDesign(const TavLabel& a, const TavLabel& b);

/// Makes `sheet` US Letter with 30 labels of 2-5/8 × 1 inch, 3 across and 10 down, the first
/// position free.
void setThirtyUpSheet(TavSheetCls& sheet);

} // namespace tav::test
