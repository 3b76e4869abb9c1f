// Labels with the Intelligent Mail barcode: what AddPiece accepts, and the bars on paper read
// back and measured against USPS-B-3200.

#include "intelligent_mail.h"
#include "pdf_bars.h"
#include "pdf_printer.h"
#include "pdf_text.h"
#include "postnet.h"
#include "qt_printers.h"
#include "recording_printer.h"
#include "tav_barcode.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_meta_cls.h"
#include "temp_env.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tav;

namespace {

const QString kTracking = "00700123456000000041";
const QString kOtherTracking = "01234567094987654321";

// 20 labels of 4 × 1 inch, 2 across, with three lines and the bar code under them.
class IntelligentMailLabel : public ::testing::Test {
protected:
    void SetUp() override {
        TavSheetCls& sheet = *label.SheetProperties();
        sheet.setNumAcross(2);
        sheet.setNumDown(10);
        sheet.setMarginleft(0.15625f);
        sheet.setMarginTop(0.5f);
        sheet.setPiecePitchAcross(4.1875f);
        sheet.setPiecePitchDown(1.0f);
        sheet.setPieceWidth(4.0f);
        sheet.setPieceHeight(1.0f);
        label.ApplyAddressLayout(3, 9);
        label.setRefresh(false);
        barCode().setSymbology(TavEnumCls::TavIntelligentMail);
    }

    TavBarCodeCls& barCode() { return *label.BarCodeProperties(); }

    void add(const QString& tracking, const QString& zip) {
        label.setSubstituteText("Item1^Ann Lee|Item2^12 Oak Rd|Item3^Salem OR|");
        barCode().setTrackingCode(tracking);
        barCode().setValue(zip);
        label.AddPiece();
    }

    static QString errorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidPropertyValue);
            return error.description();
        }
        return {};
    }

    test::ScopedTempDirectory temp;
    TavLabel label;
};

} // namespace

TEST_F(IntelligentMailLabel, AddPieceKeepsBothCodesAndRefusesWhatCannotBeEncoded) {
    add(kTracking, "97301-1234");
    EXPECT_EQ(label.FindPiece(1).barCodeValue, kTracking + "-973011234");

    // Each refusal names the field and adds nothing.
    EXPECT_TRUE(errorOf([&] { add(QString(), "97301"); }).contains("TrackingCode"));
    EXPECT_TRUE(errorOf([&] { add(kTracking, "973011"); }).contains("BarCodeProperties.Value"));
    EXPECT_TRUE(errorOf([&] {
                    barCode().setTrackingCode("05700123456000000041");
                }).contains("second digit"));
    EXPECT_EQ(barCode().TrackingCode(), kTracking); // the refused code left the last one
    EXPECT_EQ(label.pieceCount(), 1);

    // A box too narrow, or one that runs off the piece, is refused while the bars are shown.
    barCode().setWidth(2.5f);
    const QString narrow = errorOf([&] { add(kTracking, "97301"); });
    EXPECT_TRUE(narrow.contains("the bar code box is 2.50 in wide")) << narrow.toStdString();
    EXPECT_EQ(label.BarCodeFitProblem(), narrow.section(": ", 1));
    barCode().setWidth(3.0f);
    barCode().setLeft1(1.5f);
    EXPECT_TRUE(label.BarCodeFitProblem().contains("print past the edge"));
    barCode().setVisible(false);
    EXPECT_TRUE(label.BarCodeFitProblem().isEmpty());
    add(kTracking, "97301");
    EXPECT_EQ(label.pieceCount(), 2);
}

TEST_F(IntelligentMailLabel, PostnetFitIsReportedButAddedAsBefore) {
    barCode().setSymbology(TavEnumCls::TavPostnet);
    barCode().setWidth(2.0f);
    barCode().setValue("97301");
    EXPECT_TRUE(label.BarCodeFitProblem().isEmpty()); // 32 bars: 1.44 in
    barCode().setValue("97301-1234-01");
    EXPECT_EQ(label.BarCodeFitProblem(),
              QStringLiteral("a POSTNET bar code of 11 digits needs 2.81 in, and the bar code box "
                             "is 2.00 in wide: 44 of its 62 bars print"));
    label.AddPiece(); // POSTNET pieces are added whatever their length, as they always were
    EXPECT_EQ(label.FindPiece(1).barCodeValue, "97301-1234-01");
    // Bars are cut only when one is left out: a box that ends inside the last bar holds them.
    barCode().setValue("97301-1234");
    barCode().setWidth(static_cast<float>(51 * Postnet::BarPitch) / 1440);
    EXPECT_TRUE(label.BarCodeFitProblem().isEmpty()) << label.BarCodeFitProblem().toStdString();
    barCode().setWidth(static_cast<float>(51 * Postnet::BarPitch - 2) / 1440);
    EXPECT_TRUE(label.BarCodeFitProblem().contains("51 of its 52 bars"));
}

TEST_F(IntelligentMailLabel, BarsOnPaperReadBackAndLieWithinTheTolerances) {
    add(kTracking, "97301-1234-01");
    add(kOtherTracking, QString());
    QTemporaryDir dir;
    const QString path = dir.filePath("imb.pdf");
    auto pdf = PdfPrinter::singleDocument(path);
    const std::shared_ptr<Printer> previous = setCurrentPrinter(pdf);
    label.PrintAll();
    pdf->finish();
    setCurrentPrinter(previous);

    constexpr int kDpi = 600;
    // The first row of labels: the page's top 1.6 inches.
    const QImage page = test::pdfPageImage(path, 1, kDpi, QRect(0, 0, 9 * kDpi, 1.6 * kDpi));
    ASSERT_FALSE(page.isNull());
    const auto inches = [](int pixels) { return static_cast<double>(pixels) / kDpi; };
    const TavBarCodeCls& box = *label.BarCodeProperties();
    const QString expected[] = {IntelligentMail::EncodeIntelligentMail(kTracking, "97301123401"),
                                IntelligentMail::EncodeIntelligentMail(kOtherTracking, QString())};
    for (int piece = 0; piece < 2; ++piece) {
        // The bar code's box on the page, and a little around it.
        const double left = 0.15625 + 4.1875 * piece + box.Left1();
        const double top = 0.5 + box.Top();
        const QRect area(static_cast<int>((left - 0.05) * kDpi), static_cast<int>(top * kDpi) - 6,
                         static_cast<int>((box.Width() + 0.1) * kDpi),
                         static_cast<int>(box.Height() * kDpi) + 12);
        const std::vector<test::FoundBar> bars = test::findBars(page, area);
        ASSERT_EQ(bars.size(), 65u) << "piece " << piece + 1;
        EXPECT_EQ(test::fourStates(bars, 3), expected[piece]) << "piece " << piece + 1;

        int top0 = bars.front().top;
        int bottom0 = bars.front().bottom;
        for (const test::FoundBar& bar : bars) {
            EXPECT_GE(inches(bar.right - bar.left), 0.015);
            EXPECT_LE(inches(bar.right - bar.left), 0.025);
            top0 = std::min(top0, bar.top);
            bottom0 = std::max(bottom0, bar.bottom);
        }
        const double perInch = 64 / inches(bars.back().left - bars.front().left);
        EXPECT_GE(perInch, 20);
        EXPECT_LE(perInch, 24);
        const double length = inches(bars.back().right - bars.front().left);
        EXPECT_GE(length, 2.667);
        EXPECT_LE(length, 3.225);
        for (std::size_t k = 0; k < bars.size(); ++k) {
            const double height = inches(bars[k].bottom - bars[k].top);
            switch (expected[piece].at(static_cast<qsizetype>(k)).unicode()) {
            case 'F':
                EXPECT_GE(height, 0.125);
                EXPECT_LE(height, 0.165);
                break;
            case 'T':
                EXPECT_GE(height, 0.039);
                EXPECT_LE(height, 0.057);
                break;
            default: // ascender or descender
                EXPECT_GE(height, 0.082);
                EXPECT_LE(height, 0.111);
            }
        }
    }
}

// For a thermal printer of 203 or 300 dots an inch, every bar is the same whole number of dots
// wide and every pitch the same, each within the post's tolerances: measured on the page
// rendered at the printer's own resolution.
TEST_F(IntelligentMailLabel, OnALabelPrinterEveryBarIsWholeDotsWithinTheTolerances) {
    const struct {
        TavSymbology symbology;
        const char* zip;
        int bars;
        double fullLow, fullHigh, shortLow, shortHigh;
    } cases[] = {{TavEnumCls::TavPostnet, "97301-1234", 52, 0.115, 0.135, 0.040, 0.060},
                 {TavEnumCls::TavIntelligentMail, "97301", 65, 0.125, 0.165, 0.039, 0.057}};
    for (const auto& c : cases) {
        for (const int dpi : {203, 300}) {
            SCOPED_TRACE(
                QStringLiteral("symbology %1 at %2 dpi").arg(c.symbology).arg(dpi).toStdString());
            label.NewMailing();
            barCode().setSymbology(c.symbology);
            add(kTracking, c.zip);
            QTemporaryDir dir;
            const QString path = dir.filePath("dots.pdf");
            auto pdf = PdfPrinter::singleDocument(path);
            pdf->setDotsPerInch(static_cast<qint16>(dpi));
            label.PrintAll(*pdf);
            pdf->finish();
            const QImage page = test::pdfPageImage(path, 1, dpi, QRect(0, 0, 4.5 * dpi, 1.6 * dpi));
            const double left = 0.15625 + barCode().Left1();
            const double top = 0.5 + barCode().Top();
            const QRect area(static_cast<int>((left - 0.05) * dpi), static_cast<int>(top * dpi) - 4,
                             static_cast<int>((barCode().Width() + 0.1) * dpi),
                             static_cast<int>(barCode().Height() * dpi) + 8);
            const std::vector<test::FoundBar> bars = test::findBars(page, area);
            ASSERT_EQ(static_cast<int>(bars.size()), c.bars);
            const int width = bars[0].right - bars[0].left;
            const int pitch = bars[1].left - bars[0].left;
            EXPECT_GE(width, std::ceil(0.015 * dpi));
            EXPECT_LE(width, std::floor(0.025 * dpi));
            EXPECT_GE(pitch, std::ceil(dpi / 24.0));
            EXPECT_LE(pitch, std::floor(dpi / 20.0));
            int tallest = 0, shortest = dpi;
            for (std::size_t k = 0; k < bars.size(); ++k) {
                EXPECT_EQ(bars[k].right - bars[k].left, width) << "bar " << k;
                if (k > 0) {
                    EXPECT_EQ(bars[k].left - bars[k - 1].left, pitch) << "bar " << k;
                }
                tallest = std::max(tallest, bars[k].bottom - bars[k].top);
                shortest = std::min(shortest, bars[k].bottom - bars[k].top);
            }
            EXPECT_GE(tallest, c.fullLow * dpi);
            EXPECT_LE(tallest, c.fullHigh * dpi);
            EXPECT_GE(shortest, c.shortLow * dpi);
            EXPECT_LE(shortest, c.shortHigh * dpi);
        }
    }
}
