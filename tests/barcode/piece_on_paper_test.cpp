// A piece printed to PDF carries its texts and bars where its recorded picture shows them.

#include "pdf_printer.h"
#include "pdf_text.h"
#include "postnet.h"
#include "qt_printers.h"
#include "tav_barcode.h"
#include "tav_item.h"
#include "tav_meta_cls.h"
#include "tav_piece.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tav;

namespace {

struct SamplePiece {
    TavPiece piece;
    TavBarcode* barcode = nullptr;

    SamplePiece() {
        piece.setTwipsGeometry(0, 0, 5760, 2880);
        piece.setBorderStyle(1);
        const char* const names[] = {"Nguyễn Văn An", "915 Bellaire Blvd", "Houston, TX 77036"};
        for (int i = 0; i < 3; ++i) {
            auto* item = new TavItem(&piece);
            item->setTwipsGeometry(360, 360 + 360 * i, 5040, 360);
            item->setTextControl(QString::fromUtf8(names[i]));
            item->setBorderStyle(0);
            item->setAlignVertical(0);
        }
        barcode = new TavBarcode(&piece);
        barcode->setTwipsGeometry(360, 1800, 4320, 360);
        barcode->setBarCode(QStringLiteral("77036"));
        barcode->setAlignVertical(2);
    }
};

} // namespace

TEST(PieceOnPaper, TextsAndBarsLandWhereTheRecordingPutsThem) {
    SamplePiece sample;
    constexpr qint32 kLeft = 1440; // twips from the paper's corner
    constexpr qint32 kTop = 2160;

    // The recording: on a 96-dot reference, 15 twips a pixel.
    QImage reference(800, 600, QImage::Format_RGB32);
    reference.setDotsPerMeterX(3780);
    reference.setDotsPerMeterY(3780);
    TavMetaCls meta;
    meta.CreateMetaObject(&reference);
    sample.piece.MFRender(meta, kLeft, kTop);
    std::vector<MetaOp> texts;
    std::vector<MetaOp> bars;
    for (const MetaOp& op : meta.recordingData().ops) {
        if (op.kind == MetaOp::Text)
            texts.push_back(op);
        else if (op.kind == MetaOp::Rectangle && op.exact.isValid())
            bars.push_back(op);
    }
    ASSERT_EQ(texts.size(), 3u);
    ASSERT_EQ(bars.size(), 32u);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("piece.pdf"));
    {
        auto printer = PdfPrinter::singleDocument(path);
        auto previous = setCurrentPrinter(printer);
        sample.piece.PrintSelf(kLeft, kTop);
        printer->finish();
        setCurrentPrinter(previous);
    }

    // Texts: each line's first word starts where the recording put the line (a point is 20
    // twips; the recording is exact to a pixel).
    const auto words = test::pdfWords(path);
    for (const MetaOp& text : texts) {
        const QString first = text.text.section(QLatin1Char(' '), 0, 0);
        const auto word = std::find_if(words.begin(), words.end(),
                                       [&](const test::PdfWord& w) { return w.text == first; });
        ASSERT_NE(word, words.end()) << first.toStdString();
        EXPECT_NEAR(word->box.left() * 20, text.from.x() * 15, 15 + 10) << first.toStdString();
        EXPECT_NEAR(word->box.top() * 20, text.from.y() * 15, 15 + 20) << first.toStdString();
    }

    // Bars: dark columns of the page at 288 dots per inch (5 twips a dot) where the recorded
    // boxes stand, with the same width and foot.
    const QImage page = test::pdfPageImage(path, 1, 288);
    ASSERT_FALSE(page.isNull());
    const auto dark = [&page](double x, double y) {
        return qGray(page.pixel(qFloor(x), qFloor(y))) < 128;
    };
    const qint32 baseline = kTop + 1800 + 360;
    for (const MetaOp& bar : bars) {
        const QRectF twips(bar.exact.topLeft() * 15, bar.exact.size() * 15);
        EXPECT_NEAR(twips.bottom(), baseline, 0.01);
        EXPECT_NEAR(twips.width(), Postnet::PrintedBarWidth, 0.01);
        EXPECT_TRUE(dark(twips.center().x() / 5, (baseline - 30) / 5.0)) << twips.left();
        // A dot outside either edge is paper.
        EXPECT_FALSE(dark((twips.left() - 8) / 5, (baseline - 30) / 5.0)) << twips.left();
        EXPECT_FALSE(dark((twips.right() + 8) / 5, (baseline - 30) / 5.0)) << twips.left();
    }
}
