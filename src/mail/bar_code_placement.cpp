#include "bar_code_placement.h"

#include "tav_bar_code_cls.h"
#include "tav_enum_cls.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"

namespace tav {

namespace {

// The barcode clear zone of a letter (USPS Publication 28, DMM 202.5): the lower right corner,
// 4-3/4 in from the right edge and 5/8 in from the bottom. Its leftmost bar stands 3-1/2 to
// 4-1/4 in from the right edge; the bars stand inside the 5/8 in.
constexpr float kClearZoneLeftmostBar = 4.0f; // inches from the right edge
constexpr float kClearZoneBarsTop = 0.5f;     // inches from the bottom edge

constexpr float kGap = 0.025f;

BarCodeSpot placeByPosition(qint32 position, const TavBarCodeCls& barCode,
                            const TavItemCls& delivery, const TavSheetCls& sheet) {
    switch (position) {
    case TavEnumCls::TavUserDefined:
        return {barCode.Left1(), barCode.Top()};
    case TavEnumCls::TavAboveAddress:
        return {delivery.Left1(), delivery.Top() - (barCode.Height() + kGap)};
    case TavEnumCls::TavBottomCenter:
        return {(sheet.PieceWidth() - barCode.Width()) * 0.5f,
                sheet.PieceHeight() - (barCode.Height() + kGap)};
    default:
        return {delivery.Left1(), delivery.Top() + delivery.Height() + kGap};
    }
}

} // namespace

BarCodeSpot PlaceBarCode(qint32 position, const TavBarCodeCls& barCode, const TavItemCls& delivery,
                         const TavSheetCls& sheet) {
    BarCodeSpot spot;
    if (position == TavEnumCls::TavBottomCenter &&
        barCode.Symbology() == TavEnumCls::TavIntelligentMail)
        spot = {sheet.PieceWidth() - kClearZoneLeftmostBar,
                sheet.PieceHeight() - kClearZoneBarsTop};
    else
        spot = placeByPosition(position, barCode, delivery, sheet);
    if (barCode.Width() + spot.left > sheet.PieceWidth())
        spot.left = sheet.PieceWidth() - (barCode.Width() + kGap);
    if (spot.left < 0)
        spot.left = kGap;
    // Only the top edge is compared with the piece's height.
    if (spot.top > sheet.PieceHeight())
        spot.top = sheet.PieceHeight() - (barCode.Height() + kGap);
    if (spot.top < 0)
        spot.top = kGap;
    return spot;
}

} // namespace tav
