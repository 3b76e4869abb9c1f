#include "bar_drawing.h"
#include "bar_placement.h"
#include "intelligent_mail.h"
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
    EXPECT_EQ(barcode.BarCode(), "45678");
    EXPECT_EQ(barcode.pattern().size(), 32);
    barcode.setTwipsGeometry(0, 0, 3000, 100);
    EXPECT_EQ(barcode.heightTwips(), 190);
    barcode.resize(200, 3); // nor a plain resize
    EXPECT_GE(barcode.height() * 15, 190);
    barcode.setDontPaint(true);
    barcode.setBarCode("7");
    EXPECT_EQ(barcode.pattern().size(), 12);
}

TEST(TavBarcode, RecordsAndPrintsTheSameBoxes) {
    // Each symbology: its value, its bars, the first full bar's and the second bar's box on
    // paper (twips; the box's corner at 1500, 3000, the bars on its bottom edge at 3400).
    const struct {
        qint16 symbology;
        QString value;
        qsizetype bars;
        QRect first;
        QRect second;
    } cases[] = {
        {TavEnumCls::TavPostnet, "45678", 32, QRect(1500, 3210, 24, 190),
         QRect(1566, 3328, 24, 72)},
        {TavEnumCls::TavIntelligentMail,
         IntelligentMail::pieceValue("00700123456000000041", "97301"), 65, QRect(), QRect()},
    };
    QImage device(800, 600, QImage::Format_RGB32); // 96 dots an inch: 15 twips a pixel
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbology);
        TavBarcode barcode;
        barcode.setSymbology(c.symbology);
        barcode.setTwipsGeometry(0, 0, 4500, 400);
        barcode.setAlignVertical(2);
        barcode.setBarCode(c.value);
        ASSERT_EQ(barcode.pattern().size(), c.bars);

        TavMetaCls meta;
        meta.CreateMetaObject(&device);
        barcode.MFRender(meta, 1500, 3000);
        std::vector<MetaOp> recorded;
        for (const MetaOp& op : meta.recordingData().ops)
            if (op.kind == MetaOp::Rectangle && op.exact.isValid())
                recorded.push_back(op);

        auto printer = std::make_shared<RecordingPrinter>();
        auto previous = setCurrentPrinter(printer);
        barcode.PrintSelf(1500, 3000);
        printer->EndDoc();
        setCurrentPrinter(previous);
        const auto& printed = printer->jobs().at(0).ops;
        ASSERT_EQ(printed.size(), 1u); // white back: the bars alone, as one operation
        ASSERT_EQ(printed[0].kind, PrinterOp::Boxes);
        const std::vector<QRect>& bars = printed[0].boxes;
        ASSERT_EQ(bars.size(), static_cast<std::size_t>(c.bars));
        ASSERT_EQ(recorded.size(), bars.size());
        for (std::size_t k = 0; k < bars.size(); ++k) {
            // The same box on screen, its fractions of a 15-twip pixel kept, no outline.
            EXPECT_EQ(recorded[k].pen.style, TavEnumCls::moNone);
            const QRectF box(bars[k]);
            EXPECT_EQ(recorded[k].exact, QRectF(box.topLeft() / 15.0, box.size() / 15.0));
            EXPECT_LE(bars[k].bottom() + 1, 3400); // standing on the box's bottom edge
        }
        if (!c.first.isNull()) {
            EXPECT_EQ(bars[0], c.first);
            EXPECT_EQ(bars[1], c.second);
        }
        EXPECT_EQ(bars.back().x() - bars.front().x(), (c.bars - 1) * barMetrics(c.symbology).pitch);

        // Too narrow a box leaves out the bars that would start right of it.
        barcode.setTwipsGeometry(0, 0, 2000, 400);
        TavMetaCls narrow;
        narrow.CreateMetaObject(&device);
        barcode.MFRender(narrow, 0, 0);
        qsizetype shown = 0;
        for (const MetaOp& op : narrow.recordingData().ops)
            shown += op.kind == MetaOp::Rectangle && op.exact.isValid();
        EXPECT_EQ(shown, std::min<qsizetype>(c.bars, 2000 / barMetrics(c.symbology).pitch + 1));
    }
    // An Intelligent Mail value that is not "<tracking>-<routing>" draws no bars.
    TavBarcode barcode;
    barcode.setSymbology(TavEnumCls::TavIntelligentMail);
    barcode.setBarCode("97301");
    EXPECT_TRUE(barcode.pattern().isEmpty());
}
