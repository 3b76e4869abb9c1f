#include "built_in_layout.h"

namespace tav {

BuiltInLayout::BuiltInLayout()
    : sheet(std::make_shared<TavSheetCls>())
    , barCode(std::make_shared<TavBarCodeCls>()) {
    sheet->setHeight(11.0f);
    sheet->setWidth(8.5f);
    sheet->setNumAcross(2);
    sheet->setNumDown(4);
    sheet->setMarginleft(1.0f);
    sheet->setMarginTop(0.5f);
    sheet->setOrientation(1);
    sheet->setPieceHeight(2.25f);
    sheet->setPieceWidth(3.0f);
    sheet->setPiecePitchDown(2.5f);
    sheet->setPiecePitchAcross(3.25f);

    auto first = std::make_shared<TavItemCls>();
    first->setAlignHorizontal(TavEnumCls::vbCenter);
    first->setAlignVertical(TavEnumCls::vbBottom);
    first->setBackColor(0xC0C0C0);
    first->setEnabled(false);
    first->setHeight(0.5f);
    first->setLeft1(0.25f);
    first->setTextControl(QStringLiteral("<<Item1>>"));
    first->setVisible(true);
    first->setWidth(0.75f);
    first->setTop(0.25f);
    TavFont& font = *first->font();
    font.setName(QStringLiteral("Arial"));
    font.setSize(10);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikethrough(false);
    font.setWeight(1);
    items[0] = first;

    constexpr float kTops[] = {0.25f, 1.0f, 1.75f, 2.5f, 3.25f, 4.0f, 4.75f};
    for (int i = 1; i < 7; ++i) {
        items[i] = first->Copy();
        items[i]->setTextControl(QStringLiteral("<<Item%1>>").arg(i + 1));
        items[i]->setTop(kTops[i]);
    }
    constexpr double kFontSizes[] = {14.1, 14.2, 14.3, 14.4, 14.5, 14.6, 14.7};
    for (int i = 0; i < 7; ++i)
        items[i]->font()->setSize(kFontSizes[i]);

    barCode->setAutoSize(true);
    barCode->setEnabled(true);
    barCode->setHeight(0.125f);
    barCode->setLeft1(0.5f);
    barCode->setTop(5.5f);
    barCode->setWidth(1.4375f);
}

} // namespace tav
