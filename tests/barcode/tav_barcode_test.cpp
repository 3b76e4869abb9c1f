#include "postnet.h"
#include "qt_printers.h"
#include "recording_printer.h"
#include "tav_barcode.h"
#include "tav_meta_cls.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace tav;

TEST(TavBarcode, StartsWithASampleValueAndNeverGetsLowerThanAFullBar) {
    TavBarcode barcode;
    EXPECT_EQ(barcode.BarCode(), QStringLiteral("45678"));
    EXPECT_EQ(barcode.pattern().size(), 32);
    barcode.setTwipsGeometry(0, 0, 3000, 100);
    EXPECT_EQ(barcode.heightTwips(), 190);
    barcode.setDontPaint(true);
    barcode.setBarCode(QStringLiteral("7"));
    EXPECT_EQ(barcode.pattern().size(), 12);
}

TEST(TavBarcode, RecordsAndPrintsTheSameBoxes) {
    TavBarcode barcode;
    barcode.setTwipsGeometry(0, 0, 3000, 400);
    barcode.setBarCode(QStringLiteral("45678"));

    QImage device(800, 600, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    TavMetaCls meta;
    meta.CreateMetaObject(&device);
    barcode.MFRender(meta, 1500, 3000);
    const auto& ops = meta.recordingData().ops;
    ASSERT_EQ(ops.size(), 5u + 32u); // background and edges, then one filled box a bar
    // A full bar from top + 0 to the baseline (top + 190), 24 twips wide, its fractions of a
    // 15-twip pixel kept; no outline widens it.
    const MetaOp& firstBar = ops[5];
    EXPECT_EQ(firstBar.kind, MetaOp::Rectangle);
    EXPECT_EQ(firstBar.pen.style, TavEnumCls::moNone);
    EXPECT_EQ(firstBar.exact, QRectF(1500 / 15.0, 3000 / 15.0, 24 / 15.0, 190 / 15.0));
    const MetaOp& halfBar = ops[6];
    EXPECT_EQ(halfBar.exact, QRectF(1566 / 15.0, 3118 / 15.0, 24 / 15.0, 72 / 15.0));

    auto printer = std::make_shared<RecordingPrinter>();
    auto previous = setCurrentPrinter(printer);
    barcode.PrintSelf(1500, 3000);
    printer->EndDoc();
    setCurrentPrinter(previous);
    const auto& printed = printer->jobs().at(0).ops;
    ASSERT_EQ(printed.size(), 1u); // white back: the bars alone, as one operation
    ASSERT_EQ(printed[0].kind, PrinterOp::Boxes);
    const std::vector<QRect>& bars = printed[0].boxes;
    ASSERT_EQ(bars.size(), 32u);
    EXPECT_EQ(bars[0], QRect(1500, 3000, 24, 190));
    EXPECT_EQ(bars[1], QRect(1566, 3190 - 72, 24, 72));
}

TEST(TavBarcode, NoPlainResizeMakesItShorterThanAFullBar) {
    TavBarcode barcode;
    barcode.resize(200, 3);
    EXPECT_GE(barcode.height() * 15, 190);
    barcode.setTwipsGeometry(0, 0, 1440, 30);
    EXPECT_GE(barcode.height() * 15, 190);
}
