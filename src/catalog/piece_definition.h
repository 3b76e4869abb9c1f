#pragma once

#include "mailpiece_export.h"

#include <QString>

#include <array>
#include <memory>

namespace tav {
class TavBarCodeCls;
class TavItemCls;
class TavSheetCls;
} // namespace tav

/// Applying a piece definition from the catalogue to a sheet, seven items and a bar code.
namespace tav::eLabel {

/// The piece applied when a name is not in the catalogue.
inline constexpr char DefaultPieceName[] = "Size 10 - Envelope";
/// The piece a new label control takes, and the property page's preview when a control has none.
inline constexpr char LabelPieceName[] = "5264 - Shipping";

/// The seven item records of a piece, item 1 first.
using ItemRecords = std::array<std::shared_ptr<TavItemCls>, 7>;

/// Fills the sheet from the catalogue entry named by its PieceName (falling back to the default
/// piece when that has no layout), sets its orientation and lays the items and bar code out.
MAILPIECE_EXPORT void ApplyPieceDefinition(TavSheetCls& sheet, const ItemRecords& items,
                                           TavBarCodeCls& barCode);
/// Portrait (1) when the pieces' extent across is at most their extent down, else landscape (2).
MAILPIECE_EXPORT void SetSheetOrientation(TavSheetCls& sheet);
/// The default place, size and visibility of the items and the bar code for the sheet's piece
/// size: everything on large pieces, three items and the bar code on medium ones, one item on
/// labels.
MAILPIECE_EXPORT void ApplyDefaultItemLayout(const TavSheetCls& sheet, const ItemRecords& items,
                                             TavBarCodeCls& barCode);

} // namespace tav::eLabel
