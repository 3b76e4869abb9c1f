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

    for (int index = 1; index <= 7; ++index) {
        tav::TavItemCls& item = *label.itemProperties(index);
        item.setVisible(index <= 4);
        item.setTextControl(QStringLiteral("<<Item%1>>").arg(index));
        item.setLeft1(0.15f);
        item.setTop(0.06f + 0.16f * static_cast<float>(index - 1));
        item.setWidth(2.35f);
        item.setHeight(0.16f);
        item.setAlignHorizontal(tav::TavEnumCls::vbLeftJustify);
        item.setAlignVertical(tav::TavEnumCls::vbTop);
        item.setBackColor(tav::OleColors::White);
        item.setBorderStyle(tav::TavEnumCls::None);
        item.font()->setName(QStringLiteral("Arial"));
        item.font()->setSize(9);
        item.font()->setWeight(400);
    }
    tav::TavBarCodeCls& barCode = *label.BarCodeProperties();
    barCode.setVisible(true);
    barCode.setLeft1(0.15f);
    barCode.setTop(0.74f);
    barCode.setWidth(2.35f);
    barCode.setHeight(0.2f);
    barCode.setBackColor(tav::OleColors::White);
}

} // namespace mailpiece
