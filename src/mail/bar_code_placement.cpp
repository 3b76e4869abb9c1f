#include "bar_code_placement.h"

#include "tav_bar_code_cls.h"
#include "tav_enum_cls.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"

namespace tav {

BarCodeSpot PlaceBarCode(qint32 position, const TavBarCodeCls& barCode, const TavItemCls& delivery,
                         const TavSheetCls& sheet) {
    constexpr float kGap = 0.025f;
    BarCodeSpot spot;
    switch (position) {
    case TavEnumCls::TavUserDefined:
        spot = {barCode.Left1(), barCode.Top()};
        break;
    case TavEnumCls::TavAboveAddress:
        spot = {delivery.Left1(), delivery.Top() - (barCode.Height() + kGap)};
        break;
    case TavEnumCls::TavBottomCenter:
        spot = {(sheet.PieceWidth() - barCode.Width()) * 0.5f,
                sheet.PieceHeight() - (barCode.Height() + kGap)};
        break;
    default:
        spot = {delivery.Left1(), delivery.Top() + delivery.Height() + kGap};
        break;
    }
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
