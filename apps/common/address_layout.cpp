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
    applyAddressItems(label);
}

void applyAddressItems(tav::TavLabel& label, double fontSize) {
    const tav::TavSheetCls& sheet = *label.SheetProperties();
    const float lineHeight = static_cast<float>(fontSize * 1.25 / 72.0);
    const float left = std::min(0.15f, sheet.PieceWidth() / 10);
    const float width = std::max(0.1f, sheet.PieceWidth() - 2 * left);
    float top = std::min(0.06f, sheet.PieceHeight() / 10);
    for (int index = 1; index <= 7; ++index) {
        tav::TavItemCls& item = *label.itemProperties(index);
        item.setVisible(index <= 4);
        item.setTextControl(QStringLiteral("<<Item%1>>").arg(index));
        item.setLeft1(left);
        item.setTop(top);
        item.setWidth(width);
        item.setHeight(lineHeight);
        setPlainText(item, fontSize);
        if (index <= 4)
            top += lineHeight;
    }
    tav::TavBarCodeCls& barCode = *label.BarCodeProperties();
    barCode.setVisible(top + 0.22f <= sheet.PieceHeight());
    barCode.setLeft1(left);
    barCode.setTop(top + 0.02f);
    barCode.setWidth(width);
    barCode.setHeight(0.2f);
    barCode.setBackColor(tav::OleColors::White);
}

void setPlainText(tav::TavItemCls& item, double fontSize) {
    item.setAlignHorizontal(tav::TavEnumCls::vbLeftJustify);
    item.setAlignVertical(tav::TavEnumCls::vbTop);
    item.setBackColor(tav::OleColors::White);
    item.setBorderStyle(tav::TavEnumCls::None);
    item.font()->setName(QStringLiteral("Arial"));
    item.font()->setSize(fontSize);
    item.font()->setWeight(400);
}

} // namespace mailpiece
