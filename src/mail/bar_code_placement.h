#pragma once

#include "mailpiece_export.h"

#include <QtGlobal>

namespace tav {

class TavBarCodeCls;
class TavItemCls;
class TavSheetCls;

/// Where an envelope's bar code box goes (inches, single precision).
struct BarCodeSpot {
    float left = 0;
    float top = 0;
};

/// The bar code's place for TavBarCodePosition `position` (any unknown value counts as below the
/// address): relative to the delivery-address item `delivery` or to the piece of `sheet`, then
/// kept on the piece by the edge rules. The Intelligent Mail barcode's bottom place is the
/// letter's barcode clear zone in the lower right corner. A box whose top lies on the piece but
/// whose lower part hangs below it stays where it is.
MAILPIECE_EXPORT BarCodeSpot PlaceBarCode(qint32 position, const TavBarCodeCls& barCode,
                                          const TavItemCls& delivery, const TavSheetCls& sheet);

} // namespace tav
