#include "label_design.h"

#include "tav_label.h"
#include "tav_sheet_cls.h"

#include <QMetaProperty>

#include <gtest/gtest.h>

#include <string>

namespace tav::test {

void expectSameDesign(const TavLabel& a, const TavLabel& b) {
    const auto compare = [](const QObject& x, const QObject& y, const std::string& what) {
        const QMetaObject* meta = x.metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            const QVariant vx = property.read(&x);
            if (vx.canConvert<QObject*>())
                continue; // objects are compared by their own properties
            EXPECT_EQ(vx, property.read(&y)) << what << "." << property.name();
        }
    };
    compare(*a.SheetProperties(), *b.SheetProperties(), "sheet");
    for (int i = 1; i <= 7; ++i) {
        compare(*a.itemProperties(i), *b.itemProperties(i), "item" + std::to_string(i));
        compare(*a.itemProperties(i)->font(), *b.itemProperties(i)->font(),
                "font" + std::to_string(i));
    }
    compare(*a.BarCodeProperties(), *b.BarCodeProperties(), "barcode");
}

void setThirtyUpSheet(TavSheetCls& sheet) {
    sheet.setWidth(8.5f);
    sheet.setHeight(11.0f);
    sheet.setNumAcross(3);
    sheet.setNumDown(10);
    sheet.setMarginleft(0.1875f);
    sheet.setMarginTop(0.5f);
    sheet.setPiecePitchAcross(2.75f);
    sheet.setPiecePitchDown(1.0f);
    sheet.setPieceWidth(2.625f);
    sheet.setPieceHeight(1.0f);
    sheet.setStartingPiece(1);
}

} // namespace tav::test
