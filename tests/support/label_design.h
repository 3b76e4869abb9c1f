#pragma once

namespace tav {
class TavLabel;
}

namespace tav::test {

/// Expects every readable property of every record of `a` (sheet, items with their fonts, bar
/// code) to equal `b`'s.
void expectSameDesign(const TavLabel& a, const TavLabel& b);

} // namespace tav::test
