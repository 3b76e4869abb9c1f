#include "address_layout.h"

#include "tav_label.h"

namespace mailpiece {

void applyAddressLayout(tav::TavLabel& label) {
    tav::TavSheetCls& sheet = *label.SheetProperties();
    sheet.setWidth(8.5f);
    sheet.setHeight(11.0f);
    sheet.setOrientation(1);
    sheet.setNumAcross(3);
    sheet.setNumDown(10);
    sheet.setMarginleft(0.1875f);
    sheet.setMarginTop(0.5f);
    sheet.setPiecePitchAcross(2.75f);
    sheet.setPiecePitchDown(1.0f);
    sheet.setPieceWidth(2.625f);
    sheet.setPieceHeight(1.0f);
    sheet.setStartingPiece(1);
    label.ApplyAddressLayout();
}

} // namespace mailpiece
